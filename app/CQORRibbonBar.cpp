// The main window's ribbon.
#include "app/CQORRibbonBar.h"

#include "app/CQORRibbonSystemPopupBar.h"
#include "platform/ribbon/QuickAccessBar.h"

#include "ui/CXtpCmdUI.h"
#include "ui/ControlId.h"
#include <QToolButton>

CQORRibbonBar::CQORRibbonBar(QWidget* parent) : RibbonBar(parent) {}

CQORRibbonSystemPopupBar* CQORRibbonBar::AddSystemButton(int id, const QIcon& icon)
{
    if (!m_systemPopup)
        m_systemPopup = new CQORRibbonSystemPopupBar(this);
    SetSystemButton(id > 0 ? id : 0, icon, m_systemPopup);
    m_systemPopup->SetUpdateRoute(m_frame, m_views);
    return m_systemPopup;
}

void CQORRibbonBar::SetUpdateRoute(UpdateRoute frame, UpdateRoute views)
{
    m_frame = std::move(frame);
    m_views = std::move(views);
    if (m_systemPopup)
        m_systemPopup->SetUpdateRoute(m_frame, m_views);
}

void CQORRibbonBar::UpdateOne(CXtpCmdUI& cmdUI, unsigned id, const UpdateRoute& frame,
                              const UpdateRoute& views)
{
    cmdUI.ResetRecorded();
    cmdUI.m_nID = id;
    if (frame)
        frame(cmdUI);
    if (views)
        views(cmdUI);
    cmdUI.ApplyRecorded();
}

void CQORRibbonBar::UpdateCommandUI()
{
    if (!m_frame)
        return;
    CXtpCmdUI cmdUI;
    cmdUI.SetRecording(true);
    for (const ControlRef& control : Controls()) {
        if (control.spec.type == RIBBON_POPUP || !ShowsControl(control.widget))
            continue;
        cmdUI.SetWidget(control.widget);
        UpdateOne(cmdUI, unsigned(control.spec.id), m_frame, m_views);
    }
    // The quick access buttons show the states of their commands as the ribbon's controls do.
    for (QToolButton* button : QuickAccess()->Buttons()) {
        cmdUI.SetControl(button);
        UpdateOne(cmdUI, button->property("ribbonCommand").toUInt(), m_frame, m_views);
    }
}

void CQORRibbonBar::OnControlAdded(QWidget* control, int id)
{
    if (id > 0)
        ControlId::Set(control, id);
}
