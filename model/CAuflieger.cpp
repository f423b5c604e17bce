// A semi-trailer: its front group is the kingpin on the tractor's fifth wheel.
#include "model/CAuflieger.h"

#include "model/CSattelzugmaschine.h"
#include "model/SYs2X.h"

#include <algorithm>

CAuflieger::CAuflieger()
{
    m_dKupplungswert[0] = 0.0;
}

double CAuflieger::GetGesamtlaenge(bool bMitPartner)
{
    if (bMitPartner && m_pPartner)
        return m_dLFLaenge + m_pPartner->GetVorbauLaenge() + m_pPartner->m_dKupplungsabstandGeo -
               m_Achsen[0].dAbstand;
    return m_dLFLaenge;
}

int CAuflieger::CheckGrenzwerte(bool bNurEigene)
{
    return CheckGrenzwerteAnhaenger(bNurEigene, true);
}

void CAuflieger::BuildGeometrie()
{
    BuildGeometrieBasis();
    CalcMomente();
    m_dZulStuetzlast = 0.0;
    if (CFahrzeug* P = m_pPartner) {
        m_dKupplungsabstandGeo = P->m_dKupplungsabstandGeo;
        const double t = P->GetAchsPosition(std::max(P->GetAchsanzahl() - 1, 0));
        // The tractor's payload at the fifth wheel, when its curve gives one, and its permissible
        // fifth-wheel load.
        const double dKurve = P->CalcNutzlastAnPosGesamt(t - P->m_dSattelVersatz);
        m_dZulStuetzlast = dKurve >= 0.0 ? std::min(dKurve, P->m_dKupplungslast1) : P->m_dKupplungslast1;
        if (m_dVorderZulSumme > m_dZulStuetzlast) {
            m_dZulLastVorn = m_dZulStuetzlast;
            m_dMergeZulLast[0] = m_dZulStuetzlast;
            m_dZulLastVorn2 = m_dZulStuetzlast;
        }
    }
    PruefeBerechenbar();
}

void CAuflieger::CalcKupplungsdaten()
{
    CFahrzeug* P = m_pPartner;
    if (!P || P->GetArt() != 4 || m_nArt != 3)
        return;
    const double L = m_dRadstand, LP = P->m_dRadstand, k = m_dKupplungsabstandGeo;
    const double sV = P->m_dAnteilVorn, sH = P->m_dAnteilHinten;
    m_dGekoppelteMasse = m_dGrundmasse + P->m_dGrundmasse;
    m_dKupplungsWertL = L;
    m_bKupplungGueltig = 1;
    m_dKupplungsGrenze = -((sH * LP - k) * L) / k;
    double d = (1.0 - sV) * LP - k;
    const auto konstante = [&](double dd) {
        return ((LP * sV * P->m_dGrundmasse - P->m_dMomentHinten) * L - m_dMomentHinten * dd) / dd;
    };
    if (d != 0.0) {
        m_bKupplungRichtung = d > 0.0 ? 1 : 0;
        m_dKupplungsD = d;
        m_dKupplungsKonstante1 = konstante(d);
        return;
    }
    d = 0.001;
    m_dKupplungsD = d;
    m_bKupplungRichtung = 1;
    m_dKupplungsKonstante1 = konstante(d);
    SYs2X pt;
    pt.m_dX = 0.0;
    pt.m_dMaxLast = m_dKupplungsKonstante1 / L;
    const int nStatus = GetKupplungsStatus(2, &pt);
    m_dKupplungsD = 0.0;
    m_dKupplungsKonstante1 = 0.0;
    m_bKupplungGueltig = nStatus == 0 ? 1 : 0;
}
