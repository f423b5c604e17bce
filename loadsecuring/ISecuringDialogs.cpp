// The dialogs the load-securing view opens: the defaults and the one set at start-up.
#include "loadsecuring/ISecuringDialogs.h"

#include "model/text/TextProvider.h"
#include "ui/CDlgHelpText.h"

namespace {

ISecuringDialogs* g_pDialogs = nullptr;

} // namespace

void ISecuringDialogs::ShowHelp(QWidget* pParent, quint32 nHelpId)
{
    CDlgHelpText dlg(pParent);
    dlg.SetTitle(QString::fromStdString(LoadResString(634)));
    dlg.SetResourceId(nHelpId);
    dlg.exec();
}

ISecuringDialogs& ISecuringDialogs::Current()
{
    static ISecuringDialogs fallback;
    return g_pDialogs ? *g_pDialogs : fallback;
}

void ISecuringDialogs::SetCurrent(ISecuringDialogs* pDialogs)
{
    g_pDialogs = pDialogs;
}
