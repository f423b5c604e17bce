// A motor vehicle with a load area (rigid truck or van), which may tow a trailer.
#include "model/vehicle/CZugmaschine.h"

#include "model/plan/CQOR.h"

CZugmaschine::CZugmaschine()
{
    m_dStuetzlast = 0.0;
}

double CZugmaschine::AktuelleStuetzlast()
{
    if (CFahrzeug* pAnh = GetDokAnhaenger()) {
        if (pAnh->GetArt() != FahrzeugArt::kStarrdeichsel)
            return 0.0;
        double v = 0.0, h = 0.0;
        pAnh->CalcAchslastenBeladen(&v, &h);
        return v;
    }
    return m_bKupplungslast ? m_dKupplungslast2 : 0.0;
}

void CZugmaschine::Verteile(double m, double x, double* pVorn, double* pHinten) const
{
    const double dHinten = m * x / m_dRadstand;
    if (pHinten)
        *pHinten = dHinten;
    if (pVorn)
        *pVorn = m - dHinten;
}

void CZugmaschine::CalcAchslasten(float* pVorn, float* pHinten)
{
    const double S = AktuelleStuetzlast();
    const double m = m_dGrundmasse + S;
    const double x = (m_dLeerPos * m_dLeergewicht + m_dZLPos * m_dZLMasse + S * m_dKupplungsX) / m;
    const float fHinten = static_cast<float>(m * x / m_dRadstand);
    if (pHinten)
        *pHinten = fHinten;
    if (pVorn)
        *pVorn = static_cast<float>(m - fHinten);
}

double CZugmaschine::SchwerpunktBeladen(double* pMasse)
{
    const double S = AktuelleStuetzlast();
    double m = m_dGrundmasse + S;
    double M = m_dLeerPos * m_dLeergewicht + m_dZLPos * m_dZLMasse + S * m_dKupplungsX;
    if (m_pQor) {
        const double dLast = m_pQor->GetMasse();
        m += dLast;
        M += dLast * (m_pQor->GetSchwerpunktX() + GetRandabstand(0) - m_dVorderachsPos);
    }
    *pMasse = m;
    return M / m;
}

double CZugmaschine::CalcSchwerpunkt(bool bMitLadung)
{
    if (!bMitLadung)
        return CFahrzeug::CalcSchwerpunkt(false);
    double m = 0.0;
    return SchwerpunktBeladen(&m);
}

void CZugmaschine::CalcAchslastenBeladen(double* pVorn, double* pHinten)
{
    double m = 0.0;
    const double x = SchwerpunktBeladen(&m);
    Verteile(m, x, pVorn, pHinten);
}

double CZugmaschine::GetGesamtmasse(bool bMitPartner)
{
    double d = m_dGrundmasse + m_dStuetzlast + GetQorMasse();
    if (bMitPartner)
        if (CFahrzeug* pAnh = GetDokAnhaenger()) {
            d += pAnh->GetGesamtmasse(false);
            // The trailer's own total already holds the load it puts on this vehicle.
            if (pAnh->GetArt() == FahrzeugArt::kStarrdeichsel || pAnh->GetArt() == FahrzeugArt::kAuflieger)
                d -= m_dStuetzlast;
        }
    return d;
}

int CZugmaschine::CalcAktiveGrenzen()
{
    return CalcAktiveGrenzenMit(!IsDokZugfahrzeug());
}

double CZugmaschine::GetGesamtlaenge(bool)
{
    if (m_pFahrerhausBild && m_pFahrerhausBild->HatBild())
        return m_pFahrerhausBild->GetLaenge();
    return GetVorbauLaenge() + m_Achsen[0].dAbstand + m_dLFLaenge;
}

void CZugmaschine::BuildGeometrie()
{
    BuildGeometrieBasis();
    CalcMomente();
    const double L = m_dRadstand;
    if (m_pQor) {
        const double dLast = m_pQor->GetMasse();
        const double x = m_pQor->GetSchwerpunktX() + GetRandabstand(0) - m_dVorderachsPos;
        m_dMomentVornBeladen = m_dMomentVorn + x * dLast;
        m_dMomentHintenBeladen = m_dMomentHinten + (L - x) * dLast;
    }
    CFahrzeug* pAnh = GetDokAnhaenger();
    const double S = AktuelleStuetzlast();
    m_dStuetzlast = S;
    m_dKupplMomentVorn = m_dKupplungsX * S;
    m_dKupplMomentHinten = (L - m_dKupplungsX) * S;
    m_dGekoppelteMasse = m_dGrundmasse;
    if (pAnh)
        m_dGekoppelteMasse += pAnh->m_dGrundmasse + pAnh->GetQorMasse();
    m_dNutzlast = m_dZulGesamtgewicht - m_dLeergewicht - m_dZLMasse - S;
    m_dMinLastHinten = m_dAnteilHinten * (pAnh ? m_dGekoppelteMasse : m_dGrundmasse + S);
    m_dMinLastVorn = m_dAnteilVorn * (S + m_dGrundmasse);
    PruefeBerechenbar();
}

double CZugmaschine::CalcZulLastMitStuetzlast(int nGruppe, double x, double F)
{
    const double L = m_dRadstand, s = GetKupplungsPosition();
    const double me = m_dLeergewicht, e = m_dLeerPos, mz = m_dZLMasse, z = m_dZLPos;
    if (nGruppe == 1) {
        if (x >= L)
            return -1.0;
        return (L * m_dVorderZulSumme - me * (L - e) - mz * (L - z) - F * (L - s)) / (L - x);
    }
    if (x <= 0.0)
        return -1.0;
    return (L * m_Geo.dHinterZulSumme - me * e - mz * z - F * s) / x;
}

double CZugmaschine::CalcAnteilgrenzeMitStuetzlast(int nGruppe, double x, double p, double F)
{
    const double L = m_dRadstand, s = GetKupplungsPosition();
    const double me = m_dLeergewicht, e = m_dLeerPos, mz = m_dZLMasse, z = m_dZLPos;
    const double dAnteil = L * p * (mz + me + F);
    if (nGruppe == 1) {
        const double d = L * p - x;
        if (d == 0.0)
            return -1.0;
        return (e * me + s * F + z * mz - dAnteil) / d;
    }
    const double d = (p - 1.0) * L + x;
    if (d == 0.0)
        return -1.0;
    return ((L - e) * me + (L - s) * F + (L - z) * mz - dAnteil) / d;
}

double CZugmaschine::CalcNutzlastAnPos(double x, int* pGrenze)
{
    const double xa = x - m_dVorderachsPos, F = m_dStuetzlast;
    double r[5] = {CalcZulLastMitStuetzlast(0, xa, F), CalcZulLastMitStuetzlast(1, xa, F),
                   CalcAnteilgrenzeMitStuetzlast(0, xa, m_dMinAnteilVorn, F),
                   CalcAnteilgrenzeMitStuetzlast(1, xa, m_dMinAnteilHinten, F), 0.0};
    int nGrenze = 0;
    const double d = m_Grenzen.WaehleMinimum(r, 4, &nGrenze);
    if (pGrenze)
        *pGrenze = nGrenze;
    return d;
}

int CZugmaschine::CalcKurvenpunkt(SYs2X* pPunkt)
{
    const bool bAnteile = !IsAufliegerGekoppelt();
    SGrenzRahmen r;
    const int a = m_Grenzen.CalcGrenzRahmen(pPunkt, m_dMomentVorn + m_dKupplMomentVorn,
                                            m_dMomentHinten + m_dKupplMomentHinten, bAnteile, bAnteile, &r);
    if (a != 0)
        return a;
    return CKurvenpunktGrenzen::UebernimmGrenzen(pPunkt, r);
}

void CZugmaschine::Recalc()
{
    PrepareBerechnung();
    BuildGeometrie();
    GetNutzlastKurve().BuildKurve();
    m_Diagramm.BuildCurve(0.0f);
}
