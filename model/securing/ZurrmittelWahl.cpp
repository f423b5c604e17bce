// Taking a lashing device into a unit's securing settings, and putting swapped ratings of saved units right.
#include "model/securing/ZurrmittelWahl.h"

#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/plan/CWizardParams.h"
#include "model/securing/CLgspReport.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CZurrmittel.h"

#include <algorithm>
#include <cmath>

namespace {

int Feldwert(double dWert, int nMax)
{
    // Not-a-number counts as not given.
    if (!(dWert > 0.0))
        return 0;
    return static_cast<int>(std::lround(std::min(dWert, static_cast<double>(nMax))));
}

bool Nahe(int nFeld, double dWert)
{
    return std::fabs(nFeld - dWert) <= 0.05;
}

} // namespace

void ZurrmittelWahl::Uebernimm(CWizardParams& wp, const CZurrmittel& z)
{
    wp.m_nZurrmittelTyp = z.m_nTyp;
    wp.m_strText = z.m_strName;
    wp.m_nVorspannkraft = Feldwert(z.m_dVorspannkraft, kMaxVorspannkraft);
    wp.m_nZurrkraft = Feldwert(z.m_dZurrkraft, kMaxZurrkraft);
}

bool ZurrmittelWahl::Gleich(const CWizardParams& wp, const CZurrmittel& z)
{
    return wp.m_nZurrmittelTyp == z.m_nTyp && wp.m_strText == z.m_strName &&
           Nahe(wp.m_nVorspannkraft, Feldwert(z.m_dVorspannkraft, kMaxVorspannkraft)) &&
           Nahe(wp.m_nZurrkraft, Feldwert(z.m_dZurrkraft, kMaxZurrkraft));
}

bool ZurrmittelWahl::Vertauscht(const CWizardParams& wp, const CZurrmittel& z)
{
    return wp.m_nVorspannkraft > wp.m_nZurrkraft && wp.m_nZurrmittelTyp == z.m_nTyp &&
           wp.m_strText == z.m_strName &&
           Nahe(wp.m_nZurrkraft, Feldwert(z.m_dVorspannkraft, kMaxZurrkraft)) &&
           Nahe(wp.m_nVorspannkraft, Feldwert(z.m_dZurrkraft, kMaxVorspannkraft));
}

bool ZurrmittelWahl::RichteVertauschte(CWizardParams& wp, const CFahrzeug& fahrzeug)
{
    // Both 3600 daN chains were saved alike (their capacities capped at 9999): the smaller capacity is
    // the safe side.
    const CZurrmittel* pGeraet = nullptr;
    for (const auto liste : {fahrzeug.GetZurrmittelKatalog(), fahrzeug.GetZurrmittelBenutzt()})
        for (const CZurrmittel* z : liste)
            if (z && Vertauscht(wp, *z) && (!pGeraet || z->m_dZurrkraft < pGeraet->m_dZurrkraft))
                pGeraet = z;
    if (!pGeraet)
        return false;
    Uebernimm(wp, *pGeraet);
    return true;
}

int ZurrmittelWahl::RichteVertauschte(CFahrzeug& fahrzeug)
{
    CQOR* pPlan = fahrzeug.GetQor();
    if (!pPlan)
        return 0;
    int nGerichtet = 0;
    for (CLadeeinheit* pEinheit : pPlan->GetLadeeinheiten()) {
        if (!pEinheit || !RichteVertauschte(pEinheit->m_Wizard, fahrzeug))
            continue;
        ++nGerichtet;
        // A unit never calculated has no figures to renew.
        if (pEinheit->m_nZurrParam[0] < 0)
            continue;
        pEinheit->RebuildLgMap(pPlan);
        CLgspReport report(nullptr);
        report.SetFahrzeug(&fahrzeug);
        report.SetLadeeinheit(pEinheit);
        if (report.CalcLgsWerte())
            report.FindMaengel();
    }
    return nGerichtet;
}
