// The dialogs the load-securing view opens: the defaults, the program's and the ones set instead.
#include "loadsecuring/ISecuringDialogs.h"

#include "loadsecuring/CLgSichgDialoge.h"

#include "model/text/TextProvider.h"
#include "ui/CDlgHelpText.h"
#include "ui/ProgramRun.h"

void ISecuringDialogs::ShowHelp(QWidget* pParent, quint32 nHelpId)
{
    CDlgHelpText dlg(pParent);
    dlg.SetTitle(QString::fromStdString(LoadResString(634)));
    dlg.SetResourceId(nHelpId);
    dlg.exec();
}

ISecuringDialogs& ISecuringDialogs::Of(const ProgramRun* pRun)
{
    static CLgSichgDialoge fallback;
    ISecuringDialogs* pDialogs = pRun ? pRun->Find<ISecuringDialogs>() : nullptr;
    return pDialogs ? *pDialogs : fallback;
}
