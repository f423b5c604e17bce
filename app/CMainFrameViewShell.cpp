// What the views ask of the shell.
#include "app/CMainFrameViewShell.h"

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CQOR2StatusBar.h"
#include "app/CQORRibbonBar.h"
#include "ui/WindowHelpers.h"
#include "views/CQOR1View.h"
#include "views/CTabbedViewView.h"
#include "views/ILastDlg.h"
#include "views/IPlanDialogs.h"

#include <QLayout>
#include <QWidget>

void CMainFrameViewShell::SetCurrentView(CGetAnsView* pView)
{
    if (CChildFrame* child = m_pFrame->ActiveChild())
        child->SetCurrentView(pView);
}

void CMainFrameViewShell::RecalcLayout()
{
    if (CChildFrame* child = m_pFrame->ActiveChild())
        if (QWidget* views = child->widget(); views && views->layout())
            views->layout()->activate();
}

void CMainFrameViewShell::EnableFrameControl(int nId, bool bEnable)
{
    if (CQORRibbonBar* ribbon = m_pFrame->Ribbon())
        if (QWidget* control = ribbon->Control(nId))
            control->setEnabled(bEnable);
}

void CMainFrameViewShell::AddViewRibbonGroup()
{
    m_pFrame->AddViewRibbonGroup();
}

void CMainFrameViewShell::RemoveViewRibbonGroup()
{
    m_pFrame->RemoveViewRibbonGroup();
}

bool CMainFrameViewShell::IsActiveViewModeSet() const
{
    return CMainFrame::IsActiveViewModeSet();
}

void CMainFrameViewShell::Update3DViewRenderFlag()
{
    CMainFrame::Update3DViewRenderFlag();
}

CTabbedViewView* CMainFrameViewShell::GetActiveHost() const
{
    CChildFrame* child = m_pFrame->ActiveChild();
    return child ? child->GetTabbedView() : nullptr;
}

QWidget* CMainFrameViewShell::GetLoadDialog() const
{
    ILastDlg* dlg = IPlanDialogs::Of(&m_pFrame->GetProgramRun()).GetLastDlg();
    return dlg ? dlg->GetWidget() : nullptr;
}

void CMainFrameViewShell::ShowLoadDialog(bool bShow)
{
    CTabbedViewView* host = GetActiveHost();
    CGetAnsView* selected = host ? host->GetSelectedView() : nullptr;
    auto* vorlage = dynamic_cast<CQOR1View*>(selected);
    QWidget* dlg = GetLoadDialog();
    if (!dlg) {
        // Opened for the template view shown, at the front of its load area.
        if (bShow && vorlage) {
            CQOR1View::SPositionInfo info;
            vorlage->CalcPositionInfo(&info, QPoint(-1, -1));
            IPlanDialogs::Of(&m_pFrame->GetProgramRun()).ToggleLastDlg(vorlage, info.dPosition * 1000.0);
        }
        return;
    }
    if (!bShow && vorlage) {
        // Switched off from the template view itself: the dialog goes.
        IPlanDialogs::Of(&m_pFrame->GetProgramRun()).ToggleLastDlg(vorlage, 0.0);
        return;
    }
    // Shown again without taking the focus from the view, or hidden while another tab is shown.
    dlg->setAttribute(Qt::WA_ShowWithoutActivating);
    dlg->setVisible(bShow);
}

void CMainFrameViewShell::EnableFrameCloseBox(bool bEnable)
{
    EnableSysMenuClose(m_pFrame, bEnable);
}

void CMainFrameViewShell::BeginViewDrag(CGetAnsView* pView)
{
    if (CChildFrame* child = m_pFrame->ActiveChild())
        child->BeginViewDrag(pView);
}

bool CMainFrameViewShell::CanRemoveAchse() const
{
    return CMainFrame::CanRemoveAchse();
}

void CMainFrameViewShell::OnRemoveAchse()
{
    m_pFrame->OnRemoveAchse();
}

void CMainFrameViewShell::ShowStatusText(const QString& text)
{
    if (CQOR2StatusBar* bar = m_pFrame ? m_pFrame->StatusBar() : nullptr)
        bar->showMessage(text, kStatusTextMs);
}
