// What the views ask of the shell, answered by the main frame and its active child window.
#pragma once

#include "views/IViewShell.h"

class CMainFrame;

class CMainFrameViewShell : public IViewShell
{
public:
    static constexpr int kStatusTextMs = 10000;
    explicit CMainFrameViewShell(CMainFrame* pFrame) : m_pFrame(pFrame) {}

    void SetCurrentView(CGetAnsView* pView) override;
    // Lays out the active child window's views again.
    void RecalcLayout() override;
    // A control of the ribbon by id (the Options popup 802 while the load-securing wizard is open); the
    // update pass leaves popups alone, so the state lasts until the next call.
    void EnableFrameControl(int nId, bool bEnable) override;
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
    // Shown for a while over the status bar's panes.
    void ShowStatusText(const QString& text) override;

private:
    CMainFrame* m_pFrame;
};
