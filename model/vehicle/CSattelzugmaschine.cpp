// A semi-trailer tractor: no load area of its own; carries its semi-trailer's kingpin load.
#include "model/vehicle/CSattelzugmaschine.h"

CSattelzugmaschine::CSattelzugmaschine() = default;

CSattelzugmaschine::~CSattelzugmaschine()
{
    // The plan belongs to the semi-trailer.
    m_pQor = nullptr;
}

double CSattelzugmaschine::GetGesamtmasse(bool bMitPartner)
{
    double d = m_dGrundmasse + m_dStuetzlast;
    if (bMitPartner)
        if (CFahrzeug* pAnh = GetDokAnhaenger()) {
            d += pAnh->GetGesamtmasse(false);
            if (pAnh->GetArt() == FahrzeugArt::kStarrdeichsel || pAnh->GetArt() == FahrzeugArt::kAuflieger)
                d -= m_dStuetzlast;
        }
    return d;
}

double CSattelzugmaschine::AktuelleSattellast()
{
    double S = 0.0;
    if (CFahrzeug* pAnh = GetDokAnhaenger()) {
        double h = 0.0;
        pAnh->CalcAchslastenBeladen(&S, &h);
    }
    return S;
}

double CSattelzugmaschine::SchwerpunktMitSattellast(double S) const
{
    return (GetSattelPosition() * S + m_dLeerPos * m_dLeergewicht + m_dZLPos * m_dZLMasse) /
           (m_dZLMasse + m_dLeergewicht + S);
}

double CSattelzugmaschine::CalcSchwerpunkt(bool bMitLadung)
{
    if (!bMitLadung)
        return CZugmaschine::CalcSchwerpunkt(false);
    return SchwerpunktMitSattellast(AktuelleSattellast());
}

void CSattelzugmaschine::CalcAchslastenBeladen(double* pVorn, double* pHinten)
{
    const double S = AktuelleSattellast();
    Verteile(m_dGrundmasse + S, SchwerpunktMitSattellast(S), pVorn, pHinten);
}

void CSattelzugmaschine::BuildGeometrie()
{
    BuildGeometrieBasis();
    CalcMomente();
    double S = 0.0;
    m_nSattelFlag = 1;
    m_nSattelGekoppelt = 0;
    m_dKupplungsabstandGeo = GetSattelPosition();
    if (CFahrzeug* pAnh = GetDokAnhaenger()) {
        m_nSattelFlag = 0;
        m_nSattelGekoppelt = 1;
        double h = 0.0;
        pAnh->CalcAchslastenBeladen(&S, &h);
    }
    const double k = m_dKupplungsabstandGeo, L = m_dRadstand;
    m_dStuetzlast = S;
    m_dKupplMomentVorn = k * S;
    m_dKupplMomentHinten = (L - k) * S;
    m_dMinLastVorn = m_dAnteilVorn * (m_dGrundmasse + S);
    m_dMinLastHinten = m_dAnteilHinten * (m_dGrundmasse + S);
    PruefeBerechenbar();
}

double CSattelzugmaschine::CalcNutzlastAnPos(double x, int* pGrenze)
{
    const double L = m_dRadstand, xa = x - m_dVorderachsPos, xb = L - xa;
    const double Mv = m_dMomentVorn + m_dKupplMomentVorn, Mh = m_dMomentHinten + m_dKupplMomentHinten;
    SYs2X R[5] = {SYs2X(0.0, -1.0, 4, -1.0, 0), SYs2X(0.0, -1.0, 2, -1.0, 0),
                  SYs2X(0.0, m_dNutzlast, 3, -1.0, 0), SYs2X(0.0, -1.0, 1, -1.0, 0),
                  SYs2X(0.0, -1.0, 5, -1.0, 0)};
    m_Grenzen.CalcGrenzQuotient(xa, Mv, m_dZulLastHinten, &R[0].m_dMaxLast);
    m_Grenzen.CalcGrenzQuotient(xb, Mh, m_dZulLastVorn, &R[1].m_dMaxLast);
    if (!IsAufliegerGekoppelt()) {
        m_Grenzen.CalcGrenzQuotient(xa - m_dMinAnteilHinten * L, Mv, m_dMinLastHinten, &R[3].m_dMaxLast);
        m_Grenzen.CalcGrenzQuotient(xb - m_dMinAnteilVorn * L, Mh, m_dMinLastVorn, &R[4].m_dMaxLast);
    }
    SYs2X g;
    double d = 0.0;
    int nGrenze = 0;
    if (CKurvenpunktGrenzen::WaehleGrenzsatz(R, 5, &g)) {
        d = g.m_dMaxLast;
        nGrenze = g.m_nGrenze;
    }
    if (pGrenze)
        *pGrenze = nGrenze;
    return d;
}

double CSattelzugmaschine::CalcNutzlastAnPosGesamt(double x)
{
    const double xa = x - m_dVorderachsPos;
    double r[5] = {CalcZulLastMitStuetzlast(0, xa, 0.0), CalcZulLastMitStuetzlast(1, xa, 0.0), 0.0, 0.0, 0.0};
    int n = 2;
    if (!IsDokZugfahrzeug()) {
        r[2] = CalcAnteilgrenzeMitStuetzlast(0, xa, m_dMinAnteilVorn, 0.0);
        r[3] = CalcAnteilgrenzeMitStuetzlast(1, xa, m_dMinAnteilHinten, 0.0);
        n = 4;
    }
    int nGrenze = 0;
    return m_Grenzen.WaehleMinimum(r, n, &nGrenze);
}
