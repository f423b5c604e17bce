// A drawbar trailer: two axle groups of its own, no vertical load on the towing vehicle.
#include "model/vehicle/CAnhaenger.h"

#include <algorithm>

double CAnhaenger::GetGesamtlaenge(bool bMitPartner)
{
    double d = std::max(m_dLFLaenge, m_dLFLaenge + 2.28 - m_Achsen[0].dAbstand);
    if (bMitPartner && m_pPartner)
        d += m_pPartner->GetGesamtlaenge(false);
    return d;
}

int CAnhaenger::CheckGrenzwerte(bool bNurEigene)
{
    return CheckGrenzwerteAnhaenger(bNurEigene, true);
}

void CAnhaenger::BuildGeometrie()
{
    BuildGeometrieBasis();
    CalcMomente();
    m_dMinLastVorn = m_dAnteilVorn * m_dGrundmasse;
    m_dMinLastHinten = m_dAnteilHinten * m_dGrundmasse;
    m_dNutzlastGrenze = m_dNutzlast;
    CFahrzeug* P = m_pPartner;
    if (m_nArt == FahrzeugArt::kAnhaenger && P && P->GetArt() == FahrzeugArt::kZugmaschine &&
        P->m_dMinAnteilHinten > 0.0) {
        const double sH = P->m_dMinAnteilHinten;
        m_dNutzlastGrenze =
            (P->m_dAchslastHinten - (m_dGrundmasse + P->m_dGrundmasse + P->GetQorMasse()) * sH) / sH;
    }
    PruefeBerechenbar();
}

int CAnhaenger::CalcKurvenpunkt(SYs2X* pPunkt)
{
    SGrenzRahmen r;
    int a = m_Grenzen.CalcGrenzRahmen(pPunkt, m_dMomentVorn, m_dMomentHinten, true, true, &r);
    if (a != 0)
        return a;
    a = CKurvenpunktGrenzen::UebernimmGrenzen(pPunkt, r);
    if (a != 1)
        return a;
    const double T = GetNutzlastGrenze();
    if (T < 0.0)
        return 0;
    if (pPunkt->m_dMaxLast > T) {
        pPunkt->m_dMaxLast = T;
        pPunkt->m_nGrenze = 6;
    }
    // A minimum above the cap leaves nothing that fits here; behind a front-share minimum, nothing
    // further back either.
    if (pPunkt->m_dMinLast != -1.0 && pPunkt->m_dMinLast > pPunkt->m_dMaxLast)
        return pPunkt->m_nMinGrenze == 5 ? 3 : 2;
    return 1;
}

void CAnhaenger::Recalc()
{
    PrepareBerechnung();
    BuildGeometrie();
    GetNutzlastKurve().BuildKurve();
    m_Diagramm.BuildCurve(0.0f);
}
