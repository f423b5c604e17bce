// What the views ask of the shell, answered by the main frame and its active child window.
#pragma once

#include "views/IViewShell.h"

class CMainFrame;

class CMainFrameViewShell : public IViewShell
{
public:
    explicit CMainFrameViewShell(CMainFrame* pFrame) : m_pFrame(pFrame) {}

    void SetCurrentView(CGetAnsView* pView) override;
    void AddViewRibbonGroup() override;
    void RemoveViewRibbonGroup() override;
    bool IsActiveViewModeSet() const override;
    void Update3DViewRenderFlag() override;
    CTabbedViewView* GetActiveHost() const override;
    QWidget* GetLoadDialog() const override;
    void ShowLoadDialog(bool bShow) override;
    void EnableFrameCloseBox(bool bEnable) override;
    void BeginViewDrag(CGetAnsView* pView) override;
    bool CanRemoveAchse() const override;
    void OnRemoveAchse() override;

private:
    CMainFrame* m_pFrame;
};
