// What a property sheet asks of its pages beyond being widgets.
#pragma once

#include <QList>

class QWidget;

// Pages that take part in the sheet's keyboard order implement this; for other pages the sheet
// uses a CDlgBase page's own keyboard order, or the page's focusable controls in order.
class IPropertyPage
{
public:
    virtual ~IPropertyPage() = default;
    // The page's controls and strip buttons in keyboard order.
    virtual QList<QWidget*> PageNavigation() const = 0;
    // The control id the sheet's strip button enters the keyboard order after; -1 for none.
    virtual int SheetButtonAnchor(int commandId) const = 0;
    // Marks the page for a rebuild of the order when it next becomes active.
    virtual void SetNeedsRefresh(bool on) = 0;
    virtual bool NeedsRefresh() const = 0;
};
