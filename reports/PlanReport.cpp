// The load-plan report: pictures from the document's views, then the HTML.
#include "reports/PlanReport.h"

#include "model/document/CQOR1Doc.h"
#include "reports/PlanReportHtml.h"
#include "views/CQOR1View.h"
#include "views/CQOR2View.h"
#include "views/CTabbedViewView.h"
#include "views/CViewsDocumentHost.h"

namespace {

CTabbedViewView* ViewHost(CQOR1Doc* pDoc)
{
    auto* host = pDoc ? dynamic_cast<CViewsDocumentHost*>(pDoc->GetHost()) : nullptr;
    return host ? host->GetViewHost() : nullptr;
}

// Makes the front vehicle (1) or the trailer (2) of a combination the one the views picture.
void Waehle(CQOR1Doc& doc, bool bKombination, int nTeil)
{
    if (bKombination)
        doc.SetAktivIndex(nTeil == 1 ? CQOR1Doc::kAktivZugfahrzeug : CQOR1Doc::kAktivAnhaenger, false, false);
}

} // namespace

bool PlanReport::CreatePlanReport(CQOR1Doc* pDoc, const std::string& name, CFahrzeug* pVorn,
                                  CFahrzeug* pAnhaenger, const PlanReportAuswahl& a,
                                  const std::filesystem::path& folder, std::string* pPfad)
{
    if (pPfad)
        pPfad->clear();
    CTabbedViewView* host = ViewHost(pDoc);
    CQOR1View* pVorlage = host ? host->FindView<CQOR1View>() : nullptr;
    CQOR2View* pPlan = host ? host->FindView<CQOR2View>() : nullptr;
    if (!pVorlage || !pPlan)
        return false;
    const bool bKombination = pAnhaenger != nullptr;
    const int nAktiv = pDoc->GetAktivIndex();
    // A picture that cannot be written leaves none behind: the converter then reports the report as
    // one without pictures.
    // The template view draws the vehicle (vehicle data) and its payload chart (load distribution), the
    // loading-plan view the load area from above (loading plan).
    if (pVorn && (a.bA1 || a.bC1)) {
        Waehle(*pDoc, bKombination, 1);
        pVorlage->ExportBilder(1, kBildBreite, 0, a.bC1, folder);
    }
    if (pAnhaenger && (a.bA2 || a.bC2)) {
        Waehle(*pDoc, bKombination, 2);
        pVorlage->ExportBilder(2, kBildBreite, 0, a.bC2, folder);
    }
    if (pVorn && a.bB1) {
        Waehle(*pDoc, bKombination, 1);
        pPlan->ExportBild(1, folder);
    }
    if (pAnhaenger && a.bB2) {
        Waehle(*pDoc, bKombination, 2);
        pPlan->ExportBild(2, folder);
    }
    if (bKombination && pDoc->GetAktivIndex() != nAktiv)
        pDoc->SetAktivIndex(nAktiv, false, false);
    pDoc->RedrawViews();
    const std::string pfad = PlanReportHtml::WritePlanReportHtml(name, pVorn, pAnhaenger, a, folder);
    if (pPfad)
        *pPfad = pfad;
    return true;
}
