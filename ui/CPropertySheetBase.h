// The base of the program's property sheets and wizards: a dialog with a page stack.
#pragma once

#include "ui/CDlgBase.h"

#include <QList>

class QStackedWidget;

// Adds to the dialog base what sheets need: pages in a stack, one keyboard order over the active
// page's controls and the sheet's own strip buttons (strips made in code and added with
// AddStripToRing), an Escape key the derived sheet may turn into any command (OnEscape), and the
// private messages of SheetEvent. A button-added notice of a strip calls OnRibBtnAdded; with a
// current page index set, it then marks the other pages for refreshing and rebuilds the order.
class CPropertySheetBase : public CDlgBase
{
    Q_OBJECT
public:
    CPropertySheetBase(int captionId, QWidget* parent, int firstPage);
    ~CPropertySheetBase() override;

    // Appends a page (a dialog page is turned into a plain child widget); answers its index.
    int AddPage(QWidget* page);
    int PageCount() const;
    QWidget* Page(int index) const;
    QWidget* ActivePage() const;
    int ActiveIndex() const;
    // Shows the page; a page marked for refreshing rebuilds the keyboard order first.
    bool SetActivePage(int index);

    int CurrentPageIndex() const { return m_currentPage; }
    void SetCurrentPageIndex(int index) { m_currentPage = index; }

    // Rebuilds the keyboard order for the page (null: the active page).
    void RebuildNavigation(QWidget* page);
    // The sheet's strip buttons as last collected, strip by strip in window order.
    QList<QWidget*> SheetButtons() const { return m_sheetButtons; }

protected:
    // Escape was pressed: *command starts as 2 (cancel); -1 swallows the key, 2 cancels, any other
    // value is posted to the sheet as a command.
    virtual void OnEscape(int* command);

    bool OnInitDialog() override;
    bool event(QEvent* event) override;

private:
    QList<QWidget*> PageList(QWidget* page) const;
    bool HandleEscape();

    QList<QWidget*> m_sheetButtons;
    int m_currentPage = -1;
    int m_firstPage;
    QStackedWidget* m_stack;
    QObject* m_escapeWatcher = nullptr;

    friend class SheetEscapeWatcher;
};
