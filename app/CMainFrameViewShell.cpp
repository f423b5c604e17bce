// What the views ask of the shell.
#include "app/CMainFrameViewShell.h"

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "ui/WindowHelpers.h"

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

void CMainFrameViewShell::EnableFrameCloseBox(bool bEnable)
{
    EnableSysMenuClose(m_pFrame, bEnable);
}
