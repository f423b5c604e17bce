// A semi-trailer tractor: no load area of its own; carries its semi-trailer's kingpin load.
#include "model/CSattelzugmaschine.h"

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
            if (pAnh->GetArt() == 2 || pAnh->GetArt() == 3)
                d -= m_dStuetzlast;
        }
    return d;
}

void CSattelzugmaschine::CalcAchslastenBeladen(double* pVorn, double* pHinten)
{
    double S = 0.0;
    if (CFahrzeug* pAnh = GetDokAnhaenger()) {
        double h = 0.0;
        pAnh->CalcAchslastenBeladen(&S, &h);
    }
    const double m = m_dGrundmasse + S;
    const double x = (GetSattelPosition() * S + m_dLeerPos * m_dLeergewicht + m_dZLPos * m_dZLMasse) /
                     (m_dZLMasse + m_dLeergewicht + S);
    Verteile(m, x, pVorn, pHinten);
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
