// The dialogs, popups and loading ramp the views open, provided by the catalogue side at start-up.
#include "views/IPlanDialogs.h"

namespace {

IPlanDialogs* g_pDialogs = nullptr;

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
