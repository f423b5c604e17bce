// The popup of the ribbon's system button: before it opens, each item's state comes from the frame and
// then from the active document's views.
#pragma once

#include "app/CQORRibbonBar.h"
#include "platform/ribbon/RibbonSystemPopup.h"

class CQORRibbonSystemPopupBar : public RibbonSystemPopup
{
    Q_OBJECT
public:
    explicit CQORRibbonSystemPopupBar(QWidget* parent = nullptr);

    void SetUpdateRoute(CQORRibbonBar::UpdateRoute frame, CQORRibbonBar::UpdateRoute views);
    // The update pass over the popup's items (done when it is about to show).
    void UpdateCommandUI();

    // The update pass over the command items of any menu, its sub-menus included.
    static void UpdateMenu(QMenu* menu, const CQORRibbonBar::UpdateRoute& frame,
                           const CQORRibbonBar::UpdateRoute& views);

private:
    CQORRibbonBar::UpdateRoute m_frame;
    CQORRibbonBar::UpdateRoute m_views;
};
