// The load-unit page: forming a unit from the marked loads and starting over.
#include "loadsecuring/CPgLgSichgPage1.h"

#include "loadsecuring/CPshLgSichgWizard.h"
#include "loadsecuring/ILgSicherungView.h"
#include "model/document/CQOR1Doc.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "model/securing/EinheitBildung.h"
#include "model/text/FormatArg.h"
#include "platform/CCmdUI.h"
#include "ui/CommandUpdateEvent.h"
#include "ui/IMessageBoxService.h"

CPgLgSichgPage1::CPgLgSichgPage1(CPshLgSichgWizard* pWizard) : CPgLgSichgBase2(kTemplate, pWizard) {}

void CPgLgSichgPage1::GetHeaderBitmapId(quint32* pId)
{
    *pId = kHeaderBitmap;
}

bool CPgLgSichgPage1::OnInitDialog()
{
    CPgLgSichgBase2::OnInitDialog();
    SetPageTitle(kTitle, {});
    return true;
}

namespace {

CQOR* PlanOf(const CPshLgSichgWizard* pWizard)
{
    CQOR1Doc* pDoc = pWizard ? pWizard->GetDocument() : nullptr;
    return pDoc ? pDoc->GetAktivPlan() : nullptr;
}

} // namespace

std::vector<tagLGINFO*> CPgLgSichgPage1::MarkierteLadungen() const
{
    std::vector<tagLGINFO*> out;
    if (CQOR* pPlan = PlanOf(GetWizard()))
        for (tagLGINFO* p : pPlan->GetLgInfos())
            if (p && !p->IsFsm() && (p->m_nState & tagLGINFO::kStateMarked) != 0)
                out.push_back(p);
    return out;
}

void CPgLgSichgPage1::Meldung(int nText)
{
    IMessageBoxService::HtmlBox box;
    box.textId = nText;
    box.captionId = 273;
    box.buttons = {{668, 668}};
    MessageBoxes().ShowHtml(this, box, nullptr);
}

bool CPgLgSichgPage1::BildeEinheit()
{
    CQOR* pPlan = PlanOf(GetWizard());
    if (!pPlan)
        return false;
    const std::vector<tagLGINFO*> lgs = MarkierteLadungen();
    ILgSicherungView* pView = GetWizard()->GetView();
    const std::vector<const tagLGINFO*> pruef(lgs.begin(), lgs.end());
    const bool bPasst = EinheitBildung::KannBilden(
        pruef, [pView](double m) { return pView ? pView->MetresToPixels(m) : int(m * 100.0); });
    if (!bPasst) {
        Meldung(484);
        return false;
    }
    // Every id 1..63 taken: a unit 0 would belong to nobody, so none is formed.
    const int nId = pPlan->GetFreeLadeeinheitId();
    if (nId <= 0) {
        Meldung(4121);
        return false;
    }
    auto* pEinheit = new CLadeeinheit(nId);
    pPlan->InsertLadeeinheit(pEinheit, int(pPlan->GetLadeeinheiten().size()));
    for (tagLGINFO* p : lgs) {
        pEinheit->AddLadung(p->m_strName.c_str(), p->m_nNummer, p);
        p->SetLeId(nId);
        p->m_bSelected = 0;
    }
    pEinheit->m_bVorhanden = 1;
    pPlan->m_nAktiveLadeeinheit = nId;
    pEinheit->CalcAbmessungen();
    if (CQOR1Doc* pDoc = GetWizard()->GetDocument())
        pDoc->RedrawViews();
    RefreshHint(0);
    return true;
}

void CPgLgSichgPage1::Neubeginn()
{
    CPshLgSichgWizard* wizard = GetWizard();
    if (!wizard)
        return;
    if (wizard->GetStartMode() == 0)
        wizard->SetStartMode(0);
    CQOR* pPlan = PlanOf(wizard);
    if (pPlan && pPlan->GetAktiveLadeeinheit()) {
        wizard->SetReach(0);
        RefreshHint(0);
    }
}

bool CPgLgSichgPage1::OnSetActive()
{
    const bool bOk = CPgLgSichgBase2::OnSetActive();
    if (GetWizard())
        GetWizard()->SetStateWord(0);
    return bOk;
}

bool CPgLgSichgPage1::OnKillActive()
{
    if (CPshLgSichgWizard* wizard = GetWizard())
        if (CLadeeinheit* pEinheit = GetLadeeinheit())
            wizard->GetParams().m_nNummer = pEinheit->GetId();
    return CPgLgSichgBase2::OnKillActive();
}

int CPgLgSichgPage1::OnViewNotify(int nCode, std::intptr_t)
{
    if (nCode >= 1 && nCode <= 4) {
        RefreshHint(0);
    } else if (nCode == 43) {
        CLadeeinheit* pEinheit = GetLadeeinheit();
        if (pEinheit && pEinheit->m_bVorhanden == 0)
            Neubeginn();
    }
    return 0;
}

int CPgLgSichgPage1::OnUpdateNext(CCmdUI* pCmdUI)
{
    if (!pCmdUI)
        return 0;
    pCmdUI->Enable(GetLadeeinheit() != nullptr);
    return 1;
}

void CPgLgSichgPage1::GetNextCommandId(int nId, int* pNext)
{
    if (nId == 12323 && pNext)
        *pNext = kIdBilden;
    else
        CPgLgSichgBase2::GetNextCommandId(nId, pNext);
}

bool CPgLgSichgPage1::OnCommand(int id, int notifyCode, QObject* control)
{
    switch (id) {
    case kIdBilden:
        BildeEinheit();
        return true;
    case kIdNeu:
        Neubeginn();
        return true;
    case kIdErklaerung:
        RefreshHint(0);
        return true;
    default:
        return CPgLgSichgBase2::OnCommand(id, notifyCode, control);
    }
}

void CPgLgSichgPage1::OnUpdateCommand(CommandUpdateEvent& query)
{
    const int id = int(query.Id());
    if (id == kIdBilden) {
        query.Enable(PlanOf(GetWizard()) != nullptr);
        return;
    }
    if (id == kIdNeu) {
        query.Enable(GetLadeeinheit() != nullptr);
        return;
    }
    CPgLgSichgBase2::OnUpdateCommand(query);
}
