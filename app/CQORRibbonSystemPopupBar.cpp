// The popup of the ribbon's system button.
#include "app/CQORRibbonSystemPopupBar.h"

#include "platform/MenuResource.h"
#include "ui/CXtpCmdUI.h"

#include <QAction>

CQORRibbonSystemPopupBar::CQORRibbonSystemPopupBar(QWidget* parent) : RibbonSystemPopup(parent)
{
    connect(this, &QMenu::aboutToShow, this, &CQORRibbonSystemPopupBar::UpdateCommandUI);
}

void CQORRibbonSystemPopupBar::SetUpdateRoute(CQORRibbonBar::UpdateRoute frame,
                                              CQORRibbonBar::UpdateRoute views)
{
    m_frame = std::move(frame);
    m_views = std::move(views);
}

void CQORRibbonSystemPopupBar::UpdateCommandUI()
{
    UpdateMenu(this, m_frame, m_views);
}

void CQORRibbonSystemPopupBar::UpdateMenu(QMenu* menu, const CQORRibbonBar::UpdateRoute& frame,
                                          const CQORRibbonBar::UpdateRoute& views)
{
    if (!frame)
        return;
    CXtpCmdUI cmdUI;
    cmdUI.SetRecording(true);
    for (QAction* action : menu->actions()) {
        if (QMenu* sub = action->menu()) {
            UpdateMenu(sub, frame, views);
            continue;
        }
        const int id = MenuResource::CommandOf(action);
        if (id <= 0)
            continue;
        cmdUI.SetMenuAction(action);
        CQORRibbonBar::UpdateOne(cmdUI, unsigned(id), frame, views);
    }
}
