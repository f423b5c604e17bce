// A semi-trailer: its front group is the kingpin on the tractor's fifth wheel.
#include "model/vehicle/CAuflieger.h"

#include "model/vehicle/CSattelzugmaschine.h"
#include "model/vehicle/SYs2X.h"

#include <algorithm>

CAuflieger::CAuflieger()
{
    m_dKupplungswert[0] = 0.0;
}

double CAuflieger::GetAufliegerMass(const CFahrzeug& f)
{
    const auto* p = dynamic_cast<const CAuflieger*>(&f);
    return p && p->GetArt() == FahrzeugArt::kAuflieger ? p->m_dAufliegerMass : 0.0;
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
        // The kingpin stands on the tractor's fifth wheel, which the tractor places behind its front-group
        // centre; its payload limits take positions from its load-area front.
        m_dKupplungsabstandGeo = P->m_dKupplungsabstandGeo;
        const double xSattel = P->m_dVorderachsPos + m_dKupplungsabstandGeo;
        // The tractor's payload at the fifth wheel, when its curve gives one, and its permissible
        // fifth-wheel load.
        const double dKurve = P->CalcNutzlastAnPosGesamt(xSattel);
        m_dZulStuetzlast = dKurve >= 0.0 ? std::min(dKurve, P->m_dKupplungslast1) : P->m_dKupplungslast1;
        if (m_dVorderZulSumme > m_dZulStuetzlast) {
            m_dZulLastVorn = m_dZulStuetzlast;
            m_Geo.dMergeZulLast[0] = m_dZulStuetzlast;
            m_dZulLastVorn2 = m_dZulStuetzlast;
        }
    }
    PruefeBerechenbar();
}

void CAuflieger::CalcKupplungsdaten()
{
    CFahrzeug* P = m_pPartner;
    if (!P || P->GetArt() != FahrzeugArt::kSattelzugmaschine || m_nArt != FahrzeugArt::kAuflieger)
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

double CAuflieger::CalcZulLast(int nGruppe, double x)
{
    const double L = m_dRadstand;
    if (nGruppe == 1) {
        if (L - x == 0.0)
            return -1.0;
        const double P = IsSattelGekoppelt() ? m_dZulLastVorn : m_dVorderZulSumme;
        return (L * P - m_dMomentHinten) / (L - x);
    }
    if (x == 0.0)
        return -1.0;
    return (L * m_Geo.dHinterZulSumme - m_dMomentVorn) / x;
}

double CAuflieger::CalcNutzlastAnPos(double x, int* pGrenze)
{
    const double L = m_dRadstand, xa = x - m_dVorderachsPos, xb = L - xa;
    double r[5] = {};
    m_Grenzen.CalcGrenzQuotient(xa, m_dMomentVorn, m_dZulLastHinten, &r[0]);
    m_Grenzen.CalcGrenzQuotient(xb, m_dMomentHinten, m_dZulLastVorn, &r[1]);
    m_Grenzen.CalcGrenzQuotient(xa - m_dMinAnteilHinten * L, m_dMomentVorn, m_dMinLastHinten, &r[2]);
    m_Grenzen.CalcGrenzQuotient(xb - m_dMinAnteilVorn * L, m_dMomentHinten, m_dMinLastVorn, &r[3]);
    int nGrenze = 0;
    const double d = m_Grenzen.WaehleMinimum(r, 4, &nGrenze);
    if (pGrenze)
        *pGrenze = nGrenze;
    return d;
}

int CAuflieger::CalcKurvenpunkt(SYs2X* pPunkt)
{
    SGrenzRahmen r;
    const int a = m_Grenzen.CalcGrenzRahmen(pPunkt, m_dMomentVorn, m_dMomentHinten, true, true, &r);
    if (a != 0)
        return a;
    return m_Grenzen.KurvenpunktMitKupplung(pPunkt, r);
}

double CAuflieger::CalcKingpinNutzlast(int nModus, double x) const
{
    if (nModus != 2)
        return -1.0;
    return m_dKupplungsKonstante1 / (m_dKupplungsWertL - x);
}

bool CAuflieger::IsKingpinUntergrenze(double x, double q) const
{
    const double xk = m_dKupplungsWertL;
    if (m_bKupplungRichtung)
        return (x < xk && q > 0.0) || (x > xk && q < 0.0);
    return (x < xk && q < 0.0) || (x > xk && q > 0.0);
}

int CAuflieger::GetKupplungsStatus(int nModus, SYs2X* pPunkt)
{
    if (!IsSattelGekoppelt())
        return 0;
    if (nModus != 2)
        return 1;
    const double x = pPunkt->m_dX, xk = m_dKupplungsWertL;
    pPunkt->m_dMaxLast = 0.0;

    double q6 = -1.0;
    bool b6 = false;
    if (!m_bAufliegerFlag) {
        if (x != xk) {
            q6 = CalcKingpinNutzlast(2, x);
            b6 = IsKingpinUntergrenze(x, q6);
        } else {
            q6 = CalcKingpinNutzlast(2, x + 0.001);
            b6 = IsKingpinUntergrenze(x + 0.001, q6);
            q6 = -1.0;
        }
    }
    double q7 = -1.0;
    bool b7 = false;
    m_Grenzen.BewerteKupplungsgrenze(x, &q7, &b7);

    int r = CKurvenpunktGrenzen::KupplungsUntergrenzen(pPunkt, q6, b6, q7, b7);
    if (r == 32) {
        // A kingpin record bounding from below without a payload moves the point to the kingpin (16),
        // unless m_bKupplungRichtung is set.
        if (b6 && q6 < 0.0 && !m_bKupplungRichtung) {
            pPunkt->m_dX = xk;
            return 16;
        }
        return 32;
    }
    if (!b6) {
        pPunkt->m_dMaxLast = q6;
        pPunkt->m_nGrenze = 6;
        r |= 2;
    }
    if (b7)
        return r;
    if (b6 || q6 < 0.0 || (q7 >= 0.0 && q6 > q7)) {
        pPunkt->m_dMaxLast = q7;
        pPunkt->m_nGrenze = 7;
    }
    return r | 2;
}

void CAuflieger::Recalc()
{
    PrepareBerechnung();
    BuildGeometrie();
    if (m_pPartner) {
        CalcKupplungsdaten();
        // Without a coupling constant the combination has no curve; the old one is not shown either.
        if (IsSattelGekoppelt() && !m_bKupplungGueltig) {
            GetNutzlastKurve().SetGueltig(false);
            GetNutzlastKurve().VerwerfeKurve();
            m_Diagramm.BuildCurve(0.0f);
            return;
        }
    }
    GetNutzlastKurve().BuildKurve();
    m_Diagramm.BuildCurve(0.0f);
}
