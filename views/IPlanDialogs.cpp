// The dialogs, popups and loading ramp the views open, provided by the catalogue side at start-up.
#include "views/IPlanDialogs.h"

#include "ui/ProgramRun.h"

namespace {

IPlanDialogs::FsmEditor& FsmEditorSlot()
{
    static IPlanDialogs::FsmEditor editor;
    return editor;
}

} // namespace

IPlanDialogs& IPlanDialogs::Of(const ProgramRun* pRun)
{
    static IPlanDialogs fallback;
    IPlanDialogs* pDialogs = pRun ? pRun->Find<IPlanDialogs>() : nullptr;
    return pDialogs ? *pDialogs : fallback;
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
