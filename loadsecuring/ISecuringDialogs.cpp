// The dialogs the load-securing view opens: the defaults, the program's and the ones set instead.
#include "loadsecuring/ISecuringDialogs.h"

#include "loadsecuring/CLgSichgDialoge.h"

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
    static CLgSichgDialoge fallback;
    return g_pDialogs ? *g_pDialogs : fallback;
}

void ISecuringDialogs::SetCurrent(ISecuringDialogs* pDialogs)
{
    g_pDialogs = pDialogs;
}
