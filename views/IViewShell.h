// What the views ask of the application shell: frame, ribbon, load dialog and the active host.
#pragma once

#include <QString>

class CGetAnsView;
class CTabbedViewView;
class ProgramRun;
class QWidget;

// Every operation has a default that does nothing or answers "no", so views work without a shell.
class IViewShell
{
public:
    virtual ~IViewShell() = default;

    // The child frame's current view (kept when not null) and the frame's active view.
    virtual void SetCurrentView(CGetAnsView* /*pView*/) {}
    virtual void SetActiveView(CGetAnsView* /*pView*/) {}
    // Starts dragging a view to another place (Shift + click).
    virtual void BeginViewDrag(CGetAnsView* /*pView*/) {}
    // The ribbon group with the view commands, shown while the splitter tab is selected.
    virtual void AddViewRibbonGroup() {}
    virtual void RemoveViewRibbonGroup() {}
    // The main frame's view mode (the plan view's toggle mode, the 3D view's view flag).
    virtual bool IsActiveViewModeSet() const { return false; }
    // Sets the active 3D view's render flag to whether that view is visible.
    virtual void Update3DViewRenderFlag() {}
    // Whether the selected axle of the active vehicle may be removed, and its removal after a question.
    virtual bool CanRemoveAchse() const { return false; }
    virtual void OnRemoveAchse() {}
    // The open load dialog, or null; shown without activation or hidden.
    virtual QWidget* GetLoadDialog() const { return nullptr; }
    virtual void ShowLoadDialog(bool /*bShow*/) {}
    // The tabbed view host of the active child frame, or null.
    virtual CTabbedViewView* GetActiveHost() const { return nullptr; }
    // The child frame lays out its children again.
    virtual void RecalcLayout() {}
    // The main frame's close box, greyed while the load-securing wizard is open.
    virtual void EnableFrameCloseBox(bool /*bEnable*/) {}
    // The main frame's flag word (bit 0: the notes before load securing are not wanted).
    virtual int GetFrameFlags() const { return 0; }
    // A control of the main frame's command bars by id (802 while the load-securing wizard is open).
    virtual void EnableFrameControl(int /*nId*/, bool /*bEnable*/) {}
    // A passing message in the main frame's status bar.
    virtual void ShowStatusText(const QString& /*text*/) {}

    // The shell the windows of `pRun` talk to: the one installed in the run, else a default that does
    // nothing (also without a run).
    static IViewShell& Of(const ProgramRun* pRun);
};
