// A rigid-drawbar (centre-axle) trailer: its front group is the drawbar eye on the towing vehicle.
#include "model/vehicle/CStarrdeichsel.h"

#include <algorithm>

CStarrdeichsel::CStarrdeichsel()
{
    m_dKupplungswert[0] = 0.0;
}

double CStarrdeichsel::GetGesamtlaenge(bool bMitPartner)
{
    double d = m_Achsen[0].dAbstand + m_dLFLaenge;
    if (bMitPartner && m_pPartner)
        d += m_pPartner->GetGesamtlaenge(false) - m_pPartner->m_dKupplungsabstand;
    return d;
}

int CStarrdeichsel::CheckGrenzwerte(bool bNurEigene)
{
    return CheckGrenzwerteAnhaenger(bNurEigene, false);
}

double CStarrdeichsel::CalcKombination1(int nFall, CFahrzeug* A, CFahrzeug* B, double x)
{
    if (nFall != 2 || !A || !B)
        return -1.0;
    const double LA = A->m_dRadstand, LB = B->m_dRadstand;
    const double w = (1.0 - A->m_dAnteilVorn) * LA - B->m_dKupplungsabstandGeo;
    return ((LA * A->m_dAnteilVorn * A->m_dGrundmasse - A->m_dMomentHinten) * LB - B->m_dMomentHinten * w) /
           ((LB - x) * w);
}

double CStarrdeichsel::CalcKombination2(int nFall, CFahrzeug*, CFahrzeug*, double x)
{
    if (nFall != 2)
        return 0.0;
    return Kupplungsgrenze().An(x);
}

CFahrzeug::SBruch CStarrdeichsel::Kupplungsgrenze()
{
    return {m_dKupplungsKonstante2, m_dKupplungsKonstante1, m_dKupplungsabstandGeo};
}

void CStarrdeichsel::BuildGeometrie()
{
    BuildGeometrieBasis();
    CalcMomente();
    if (CFahrzeug* P = m_pPartner) {
        const double LP = P->m_dRadstand, kP = P->m_dKupplungsX;
        m_dKupplungsabstandGeo = kP;
        const double dHinten = (P->m_dZulLastHinten * LP - P->m_dMomentVornBeladen) / kP;
        const double dAnteil =
            (P->m_dMomentHintenBeladen -
             P->m_dMinAnteilVorn * LP * (P->m_dLeergewicht + P->m_dZLMasse + P->GetQorMasse())) /
            ((P->m_dMinAnteilVorn - 1.0) * LP + kP);
        m_dZulStuetzlast = std::min({dHinten, P->m_dKupplungslast1, dAnteil});
        if (m_dVorderZulSumme > m_dZulStuetzlast) {
            m_dZulLastVorn = m_dZulStuetzlast;
            m_Geo.dMergeZulLast[0] = m_dZulStuetzlast;
            m_dZulLastVorn2 = m_dZulStuetzlast;
        }
    }
    PruefeBerechenbar();
}

void CStarrdeichsel::CalcKupplungsdaten()
{
    CFahrzeug* P = m_pPartner;
    if (!P)
        return;
    const double L = m_dRadstand, LP = P->m_dRadstand, k = m_dKupplungsabstandGeo;
    const double sH = P->m_dAnteilHinten;
    m_dGekoppelteMasse = P->m_dGrundmasse + m_dGrundmasse + P->GetQorMasse();
    m_dKupplungsWertL = L;
    m_dKupplungsGrenze = -((sH * LP - k) * L) / k;
    m_dKupplungsKonstante1 = (sH * LP - k) * L;
    m_dKupplungsKonstante2 =
        (P->m_dMomentVornBeladen - sH * LP * m_dGekoppelteMasse) * L + m_dMomentHinten * k;
}

int CStarrdeichsel::CalcKurvenpunkt(SYs2X* pPunkt)
{
    SGrenzRahmen r;
    const int a = m_Grenzen.CalcGrenzRahmen(pPunkt, m_dMomentVorn, m_dMomentHinten, false, true, &r);
    if (a != 0)
        return a;
    return m_Grenzen.KurvenpunktMitKupplung(pPunkt, r);
}

int CStarrdeichsel::GetKupplungsStatus(int nModus, SYs2X* pPunkt)
{
    CFahrzeug* P = m_pPartner;
    if (!P || P->GetArt() != FahrzeugArt::kZugmaschine || m_nArt != FahrzeugArt::kStarrdeichsel)
        return 0;
    if (nModus != 2)
        return 1;
    const double x = pPunkt->m_dX;
    pPunkt->m_dMaxLast = 0.0;

    const double x6 = m_dRadstand;
    double q6 = CalcKombination1(2, P, this, x);
    bool b6 = (x < x6 && q6 < 0.0) || (x > x6 && q6 > 0.0);
    if (x == x6) {
        q6 = -1.0;
        b6 = CalcKombination1(2, P, this, x + 0.001) > 0.0;
    }
    double q7 = -1.0;
    bool b7 = false;
    m_Grenzen.BewerteKupplungsgrenze(x, &q7, &b7);

    int r = CKurvenpunktGrenzen::KupplungsUntergrenzen(pPunkt, q6, b6, q7, b7);
    if (r == 32)
        return 32;
    // Only a formula that gives a payload bounds it from above.
    if (!b6 && q6 >= 0.0) {
        pPunkt->m_dMaxLast = q6;
        pPunkt->m_nGrenze = 6;
        r |= 2;
    }
    if (!b7 && q7 >= 0.0) {
        if (b6 || q6 < 0.0 || q7 < q6) {
            pPunkt->m_dMaxLast = q7;
            pPunkt->m_nGrenze = 7;
        }
        r |= 2;
    }
    return r == 0 ? 64 : r;
}

void CStarrdeichsel::Recalc()
{
    PrepareBerechnung();
    BuildGeometrie();
    if (m_pPartner)
        CalcKupplungsdaten();
    GetNutzlastKurve().BuildKurve();
    m_Diagramm.BuildCurve(0.0f);
}
