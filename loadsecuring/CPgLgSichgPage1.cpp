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
#include "model/text/HtmlText.h"
#include "model/text/TextFormat.h"
#include "model/text/TextProvider.h"
#include "platform/CCmdUI.h"
#include "platform/ResourceModule.h"
#include "ui/CommandUpdateEvent.h"
#include "ui/ControlId.h"
#include "ui/IMessageBoxService.h"
#include "views/CPlanToolTip.h"

#include <QAbstractButton>

#include <algorithm>
#include <cstdio>

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

namespace {

// The box a load's picture is fitted into in the hint's table.
constexpr int kBildKasten = 64;

// One row of the hint's table: the load's picture fitted into its box (never enlarged), its name and
// its mass.
QString HintZeile(const tagLGINFO& lg, const char* pszFarbe)
{
    std::string pfad;
    int w = 0, h = 0;
    lg.GetBildDatei(pfad, &w, &h);
    const QString bild = QString::fromStdString(CPlanToolTip::BildTag(pfad, w, h, kBildKasten, kBildKasten));
    char masse[32];
    std::snprintf(masse, sizeof masse, "%.0f kg", lg.m_dMasse * 1000.0);
    return QStringLiteral("<tr style=\"background-color:%1\"><td>%2</td><td>%3</td><td>%4</td></tr>\n")
        .arg(QLatin1String(pszFarbe), bild, QString::fromStdString(EscapeHtml(lg.m_strName)),
             QString::fromLatin1(masse));
}

} // namespace

int CPgLgSichgPage1::BuildHintHtml(std::intptr_t nArg, QString* pHtml)
{
    CPgLgSichgBase2::BuildHintHtml(nArg, pHtml);
    if (!pHtml)
        return 0;
    const ResourceModule* pModule = ResourceModule::Current();
    QString html = pModule ? pModule->Html(680) : QString();
    if (html.isEmpty())
        return 0;
    CPshLgSichgWizard* wizard = GetWizard();
    if (wizard && wizard->IsFormedUnitStart())
        html.replace(QStringLiteral("<!--$Hinweis1Lg-->"),
                     QStringLiteral("<p>") + QString::fromStdString(EscapeHtml(LoadResString(558))) +
                         QStringLiteral("</p>"));
    QString zeilen;
    QString masse;
    CQOR* pPlan = PlanOf(wizard);
    if (CLadeeinheit* pEinheit = GetLadeeinheit()) {
        const std::string kopf =
            FormatResChecked(408, {pEinheit->GetId(), pPlan ? pPlan->m_strName : std::string()});
        zeilen = QStringLiteral("<tr><th colspan=\"3\">") + QString::fromStdString(EscapeHtml(kopf)) +
                 QStringLiteral("</th></tr>\n");
        double dMasse = 0.0;
        std::size_t pos = 0;
        while (pos < pEinheit->m_Lgs.size()) {
            const tagLGINFO* p = pEinheit->GetNextLadung(pos);
            if (!p)
                continue;
            zeilen += HintZeile(*p, "#9CB4F1");
            dMasse += p->m_dMasse;
        }
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.0f kg", dMasse * 1000.0);
        masse = QString::fromLatin1(buf);
    } else {
        zeilen = QStringLiteral("<tr><th colspan=\"3\">") +
                 QString::fromStdString(EscapeHtml(LoadResString(409))) + QStringLiteral("</th></tr>\n");
        for (tagLGINFO* p : MarkierteLadungen())
            zeilen += HintZeile(*p, "#F7F7F7");
    }
    html.replace(QStringLiteral("<!--$tbodyrows-->"), zeilen);
    html.replace(QStringLiteral("<!--$LEGG-->"), masse);
    html.replace(QStringLiteral("/*$endColor*/"), QStringLiteral("#C8D8ED"));
    auto* box = qobject_cast<QAbstractButton*>(ControlId::Find(this, kIdErklaerung));
    if (box && box->isChecked()) {
        html.replace(QStringLiteral("<!--$visibleText-->"), QStringLiteral("invisible"));
        html.replace(QStringLiteral("<!--$firstTabelle-->"), QStringLiteral("first"));
    }
    // Markers left over stand for nothing.
    for (const char* marke : {"<!--$Hinweis1Lg-->", "<!--$visibleText-->", "<!--$firstTabelle-->"})
        html.replace(QLatin1String(marke), QString());
    *pHtml = html;
    return 0;
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
    CLadeeinheit* pEinheit =
        pPlan->InsertLadeeinheit(std::make_unique<CLadeeinheit>(nId), int(pPlan->GetLadeeinheiten().size()));
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

int CPgLgSichgPage1::OnViewNotify(LgSichgMeldung eMeldung, const LgSichgWert&)
{
    switch (eMeldung) {
    case LgSichgMeldung::kLadungMarkiert:
    case LgSichgMeldung::kLadungEntmarkiert:
    case LgSichgMeldung::kEinheitGewaehlt:
    case LgSichgMeldung::kFahrzeugGewechselt:
        RefreshHint(0);
        break;
    case LgSichgMeldung::kWizardSchliesst: {
        CLadeeinheit* pEinheit = GetLadeeinheit();
        if (pEinheit && pEinheit->m_bVorhanden == 0)
            Neubeginn();
        break;
    }
    default:
        break;
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
    if (nId == CPshLgSichgWizard::kIdBack && pNext)
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
