// What the views ask of the application shell: frame, ribbon, load dialog and the active host.
#include "views/IViewShell.h"

#include "ui/ProgramRun.h"

IViewShell& IViewShell::Of(const ProgramRun* pRun)
{
    static IViewShell fallback;
    IViewShell* pShell = pRun ? pRun->Find<IViewShell>() : nullptr;
    return pShell ? *pShell : fallback;
}
