// What the views ask of the application shell: frame, ribbon, load dialog and the active host.
#include "views/IViewShell.h"

namespace {

IViewShell* g_pShell = nullptr;

} // namespace

IViewShell& IViewShell::Current()
{
    static IViewShell fallback;
    return g_pShell ? *g_pShell : fallback;
}

void IViewShell::SetCurrent(IViewShell* pShell)
{
    g_pShell = pShell;
}
