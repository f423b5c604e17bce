// The dialogs, popups and loading ramp the views open, provided by the catalogue side at start-up.
#include "views/IPlanDialogs.h"

namespace {

IPlanDialogs* g_pDialogs = nullptr;

IPlanDialogs::FsmEditor& FsmEditorSlot()
{
    static IPlanDialogs::FsmEditor editor;
    return editor;
}

} // namespace

IPlanDialogs& IPlanDialogs::Current()
{
    static IPlanDialogs fallback;
    return g_pDialogs ? *g_pDialogs : fallback;
}

void IPlanDialogs::SetCurrent(IPlanDialogs* pDialogs)
{
    g_pDialogs = pDialogs;
}

bool IPlanDialogs::HasFsmEditor()
{
    return static_cast<bool>(FsmEditorSlot());
}

void IPlanDialogs::SetFsmEditor(FsmEditor editor)
{
    FsmEditorSlot() = std::move(editor);
}

bool IPlanDialogs::EditFsm(QWidget* pParent, FsmValues& values)
{
    const FsmEditor& editor = FsmEditorSlot();
    return editor ? editor(pParent, values) : false;
}
