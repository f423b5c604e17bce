// The limits behind the vehicle's permissible-payload curve: single limits, curve points, and the
// recalculation of the base class and of a combination.
#include "model/vehicle/CFahrzeug.h"

#include "model/plan/CQOR.h"
#include "model/vehicle/SYs2X.h"

#include <algorithm>
#include <cmath>
#include <cstring>

void CFahrzeug::SetLadungBewegt()
{
    m_bLadungBewegt = true;
    if (m_pPartner)
        m_pPartner->m_bLadungBewegt = true;
}

bool CFahrzeug::NimmLadungBewegt()
{
    const bool b = m_bLadungBewegt;
    m_bLadungBewegt = false;
    if (m_pPartner)
        m_pPartner->m_bLadungBewegt = false;
    return b;
}

CTupelList* CFahrzeug::GetKurve(bool bPartner)
{
    if (bPartner && m_pPartner)
        return &m_pPartner->m_NutzlastKurve.GetPunkte();
    return &m_NutzlastKurve.GetPunkte();
}

// ---- single limits ------------------------------------------------------------------------------------

double CFahrzeug::CalcZulLast(int nGruppe, double x)
{
    const double L = m_dRadstand;
    const double me = m_dLeergewicht, e = m_dLeerPos, mz = m_dZLMasse, z = m_dZLPos;
    if (nGruppe == 1) {
        if (x >= L)
            return -1.0;
        return (L * m_dVorderZulSumme - me * (L - e) - mz * (L - z)) / (L - x);
    }
    if (x <= 0.0)
        return -1.0;
    return (L * m_Geo.dHinterZulSumme - me * e - mz * z) / x;
}

double CFahrzeug::CalcNutzlastAnteilgrenze(int nGruppe, double x, double p)
{
    const double L = m_dRadstand, G = m_dGrundmasse, c = m_dGrundSchwerpunkt;
    if (nGruppe == 1) {
        const double d = x - L * p;
        if (d == 0.0)
            return -1.0;
        return (L * p - c) * G / d;
    }
    const double d = (1.0 - p) * L - x;
    if (d == 0.0)
        return -1.0;
    return (L * p - L + c) * G / d;
}

// ---- payload at a position and curve points of the base class -------------------------------------

double CFahrzeug::CalcNutzlastAnPos(double x, int* pGrenze)
{
    const double xa = x - m_dVorderachsPos;
    double r[5] = {CalcZulLast(0, xa), CalcZulLast(1, xa), CalcNutzlastAnteilgrenze(0, xa, m_dMinAnteilVorn),
                   CalcNutzlastAnteilgrenze(1, xa, m_dMinAnteilHinten), 0.0};
    int nGrenze = 0;
    const double d = m_Grenzen.WaehleMinimum(r, 4, &nGrenze);
    if (pGrenze)
        *pGrenze = nGrenze;
    return d;
}

double CFahrzeug::CalcNutzlastAnPosGesamt(double x)
{
    return CalcNutzlastAnPos(x, nullptr);
}

int CFahrzeug::CalcKurvenpunkt(SYs2X* pPunkt)
{
    int nGrenze = 0;
    pPunkt->m_dMaxLast = CalcNutzlastAnPos(pPunkt->m_dX, &nGrenze);
    pPunkt->m_nGrenze = nGrenze;
    return 1;
}

int CFahrzeug::GetKupplungsStatus(int, SYs2X*)
{
    return -1;
}

void CFahrzeug::Recalc()
{
    PrepareBerechnung();
    BuildGeometrie();
    if (!m_bMaskeHalten)
        m_nGrenzMaske = CalcAktiveGrenzen();
    // A vehicle that cannot be computed, or whose unladen state already breaks a limit, shows no curve
    // rather than the last one.
    if (m_nGrenzMaske != 0 || !IsBerechenbar()) {
        m_NutzlastKurve.SetGueltig(false);
        m_NutzlastKurve.VerwerfeKurve();
    } else {
        m_NutzlastKurve.SetGueltig(true);
        m_NutzlastKurve.BuildEinfacheKurve();
    }
    m_Diagramm.BuildCurve(0.0f);
}

void CFahrzeug::RecalcMitPartner()
{
    CFahrzeug* pZug = m_pPartner;
    if (pZug) {
        pZug->PrepareBerechnung();
        pZug->BuildGeometrie();
    }
    // The towing vehicle's second pass changes nothing the trailer's range depends on: the trailer's own
    // values, and the towing vehicle's unladen ones, which its first pass already gave.
    struct SMerken
    {
        CFahrzeug& f;
        explicit SMerken(CFahrzeug& fz) : f(fz) { f.m_NutzlastKurve.SetBereichMerken(true); }
        ~SMerken() { f.m_NutzlastKurve.SetBereichMerken(false); }
        SMerken(const SMerken&) = delete;
        SMerken& operator=(const SMerken&) = delete;
    } merken(*this);
    Recalc();
    if (pZug)
        pZug->Recalc();
}

bool CFahrzeug::IsKurveLadungsabhaengig() const
{
    const CFahrzeug* P = m_pPartner;
    if (!P)
        return false;
    if (m_nArt == FahrzeugArt::kAuflieger && P->m_nArt == FahrzeugArt::kSattelzugmaschine)
        return false;
    if (m_nArt == FahrzeugArt::kSattelzugmaschine && P->m_nArt == FahrzeugArt::kAuflieger)
        return m_dLFLaenge >= GetKurvenAnfang();
    return true;
}

void CFahrzeug::RecalcLadungMitPartner()
{
    CFahrzeug* pZug = m_pPartner;
    if (IsKurveLadungsabhaengig() || (pZug && pZug->IsKurveLadungsabhaengig())) {
        RecalcMitPartner();
        return;
    }
    struct SBehalten
    {
        CFahrzeug* f[2];
        SBehalten(CFahrzeug* a, CFahrzeug* b) : f{a, b}
        {
            for (CFahrzeug* p : f)
                if (p)
                    p->m_NutzlastKurve.SetBehalten(true);
        }
        ~SBehalten()
        {
            for (CFahrzeug* p : f)
                if (p)
                    p->m_NutzlastKurve.SetBehalten(false);
        }
        SBehalten(const SBehalten&) = delete;
        SBehalten& operator=(const SBehalten&) = delete;
    } behalten(this, pZug);
    RecalcMitPartner();
}
