// The program's wizard sheet behind the interface the load-securing view holds.
#include "loadsecuring/CLgSichgWizardLink.h"

#include "loadsecuring/CPshLgSichgWizard.h"
#include "loadsecuring/CQORLgSicherungView.h"

CLgSichgWizardLink::CLgSichgWizardLink(CPshLgSichgWizard* pSheet) : m_pSheet(pSheet) {}

CLgSichgWizardLink::~CLgSichgWizardLink()
{
    delete m_pSheet.data();
}

QWidget* CLgSichgWizardLink::Window() const
{
    return m_pSheet.data();
}

int CLgSichgWizardLink::QueryViewAction(LgSichgAktion eAktion, const LgSichgWert& wert, QString* pMessage,
                                        int nDefault, int* pOut)
{
    return m_pSheet ? m_pSheet->QueryViewAction(eAktion, wert, pMessage, nDefault, pOut) : nDefault;
}

int CLgSichgWizardLink::OnViewNotify(LgSichgMeldung eMeldung, const LgSichgWert& wert)
{
    return m_pSheet && m_pSheet->OnViewNotify(eMeldung, wert) ? 1 : 0;
}

bool CLgSichgWizardLink::OnUpdateFrameCmdUI(int nCommand, CCmdUI* pCmdUI)
{
    return m_pSheet && m_pSheet->OnUpdateFrameCmdUI(nCommand, pCmdUI);
}

int CLgSichgWizardLink::GetStartMode() const
{
    return m_pSheet ? m_pSheet->GetStartMode() : 0;
}

void CLgSichgWizardLink::Release()
{
    m_pSheet.clear();
}

std::unique_ptr<ISecuringWizard> CLgSichgWizardLink::Make(CQORLgSicherungView& view, int nMode)
{
    auto* pSheet = new CPshLgSichgWizard(403, &view, 0);
    pSheet->SetView(&view);
    pSheet->SetStartMode(nMode);
    if (!pSheet->Create()) {
        delete pSheet;
        return nullptr;
    }
    return std::make_unique<CLgSichgWizardLink>(pSheet);
}
