// What the views ask of the shell.
#include "app/CMainFrameViewShell.h"

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "ui/WindowHelpers.h"
#include "views/ILastDlg.h"
#include "views/IPlanDialogs.h"

#include <QWidget>

void CMainFrameViewShell::SetCurrentView(CGetAnsView* pView)
{
    if (CChildFrame* child = m_pFrame->ActiveChild())
        child->SetCurrentView(pView);
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
    ILastDlg* dlg = IPlanDialogs::Current().GetLastDlg();
    return dlg ? dlg->GetWidget() : nullptr;
}

void CMainFrameViewShell::ShowLoadDialog(bool bShow)
{
    QWidget* dlg = GetLoadDialog();
    if (!dlg)
        return;
    // Shown again without taking the focus from the view.
    dlg->setAttribute(Qt::WA_ShowWithoutActivating);
    dlg->setVisible(bShow);
}

void CMainFrameViewShell::EnableFrameCloseBox(bool bEnable)
{
    EnableSysMenuClose(m_pFrame, bEnable);
}
