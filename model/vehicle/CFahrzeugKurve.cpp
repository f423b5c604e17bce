// The vehicle's permissible-payload curve: single limits, curve points, the builder, the refinement, the
// recalculation of the base class and the usable centre-of-gravity range.
#include "model/vehicle/CFahrzeug.h"

#include "model/plan/CQOR.h"
#include "model/vehicle/SYs2X.h"

#include <algorithm>
#include <cmath>
#include <cstring>

int CFahrzeug::s_nLaderampeBewegt = 0;

namespace {

// Upper bound of the samples of one curve; a load area of 10 km at the finest sensible step.
constexpr long MAX_PROBEN = 200000;

// A fresh point for a probe: every field 0.
SYs2X Nullpunkt(double x)
{
    return SYs2X(x, 0.0, 0, 0.0, 0);
}

} // namespace

CTupelList* CFahrzeug::GetKurve(bool bPartner)
{
    if (bPartner && m_pPartner)
        return &m_pPartner->m_Kurve;
    return &m_Kurve;
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
    return (L * m_dHinterZulSumme - me * e - mz * z) / x;
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

int CFahrzeug::CalcGrenzQuotient(double d, double M, double P, double* pOut) const
{
    if (d == 0.0) {
        *pOut = -1.0;
        return 0;
    }
    *pOut = (m_dRadstand * P - M) / d;
    return 1;
}

double CFahrzeug::WaehleMinimum(double* r, int n, int* pGrenze) const
{
    r[n] = m_dNutzlast;
    int i = 0;
    while (i < n && !(r[i] >= 0.0))
        ++i;
    // No limit among the values: the total mass decides, whatever its sign.
    if (i == n) {
        *pGrenze = 2;
        return r[n];
    }
    for (int j = i + 1; j < n; ++j)
        if (r[j] >= 0.0 && r[j] < r[i])
            i = j;
    if (r[n] <= r[i]) {
        *pGrenze = 2;
        return r[n];
    }
    *pGrenze = i < 2 ? i : i + 1;
    return r[i];
}

int CFahrzeug::WaehleGrenzsatz(const SYs2X* pSaetze, int n, SYs2X* pOut)
{
    int k = -1;
    for (int i = 0; i < n; ++i)
        if (pSaetze[i].m_dMaxLast >= 0.0 && (k < 0 || pSaetze[i].m_dMaxLast < pSaetze[k].m_dMaxLast))
            k = i;
    if (k < 0)
        return 0;
    *pOut = pSaetze[k];
    return 1;
}

namespace {

// CalcGrenzsatz on the fields of a record it reads and writes: the maximum, the minimum and the code.
// For a lever d other than 0, where it is called for every curve point.
[[gnu::always_inline]] inline int GrenzsatzMitHebel(double L, double d, double M, double P, double& dMax,
                                                    double& dMin, int c, double s)
{
    const double q = (L * P - M) / d;
    const bool bAchse = c == 2 || c == 4;
    if (q == 0.0) {
        if (bAchse)
            dMax = s >= 0.0 ? 0.0 : -1.0;
        else
            dMax = s > 0.0 ? -1.0 : 0.0;
        return 1;
    }
    if (bAchse) {
        if ((s > 0.0 && q >= 0.0) || (s < 0.0 && q <= 0.0)) {
            dMax = q;
            return 1;
        }
    } else if (c == 1 || c == 5) {
        if ((s < 0.0 && q >= 0.0) || (s > 0.0 && q <= 0.0)) {
            dMax = q;
            return 1;
        }
    } else {
        return 0;
    }
    dMin = q;
    return q < 0.0 ? 10 : 2;
}

[[gnu::always_inline]] inline int Grenzsatz(double L, double d, double M, double P, double& dMax,
                                            double& dMin, int c, double s)
{
    if (d != 0.0) [[likely]]
        return GrenzsatzMitHebel(L, d, M, P, dMax, dMin, c, s);
    if (GrenzsatzMitHebel(L, d - 1.0, M, P, dMax, dMin, c, s - 1.0) == 2)
        return 10;
    dMax = -1.0;
    return 5;
}

} // namespace

int CFahrzeug::CalcGrenzsatz(double d, double M, double P, SYs2X* R, double s)
{
    return Grenzsatz(m_dRadstand, d, M, P, R->m_dMaxLast, R->m_dMinLast, R->m_nGrenze, s);
}

// ---- payload at a position and curve points of the base class -------------------------------------

double CFahrzeug::CalcNutzlastAnPos(double x, int* pGrenze)
{
    const double xa = x - m_dVorderachsPos;
    double r[5] = {CalcZulLast(0, xa), CalcZulLast(1, xa), CalcNutzlastAnteilgrenze(0, xa, m_dMinAnteilVorn),
                   CalcNutzlastAnteilgrenze(1, xa, m_dMinAnteilHinten), 0.0};
    int nGrenze = 0;
    const double d = WaehleMinimum(r, 4, &nGrenze);
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

int CFahrzeug::CalcGrenzRahmen(SYs2X* pPunkt, double dMomentV, double dMomentH, bool bAnteilHinten,
                               bool bAnteilVorn, SGrenzRahmen* r)
{
    const double v = m_dVorderachsPos, L = m_dRadstand;
    const double xa = pPunkt->m_dX - v, xb = L - xa;
    r->xa = xa;
    // The records of the rear group, the front group, the total mass and the two shares, each with its
    // code; the first smallest maximum that is not negative decides. A minimum is read only where
    // CalcGrenzsatz wrote it; the chosen record's is always 0.
    double dMax[5] = {0.0, 0.0, m_dNutzlast, 0.0, 0.0};
    double dMin[5];
    int nCode[5] = {4, 2, 3, 1, 5};
    const auto nimmMinimum = [&](int i) {
        if (!r->bMinimum || dMin[i] > r->dMinimum) {
            r->bMinimum = true;
            r->dMinimum = dMin[i];
            r->nMinGrenze = nCode[i];
        }
    };
    const auto satz = [&](int i, double d, double M, double P) {
        return Grenzsatz(L, d, M, P, dMax[i], dMin[i], nCode[i], d);
    };

    int a = satz(0, xa, dMomentV, m_dZulLastHinten);
    if (a == 10)
        return 3;
    if (a == 2) {
        nimmMinimum(0);
        dMax[0] = -1.0;
    }
    a = satz(1, xb, dMomentH, m_dZulLastVorn);
    if (a == 10) {
        pPunkt->m_dX = L + v;
        return 4;
    }
    if (a == 2) {
        nimmMinimum(1);
        dMax[1] = -1.0;
    }
    if (bAnteilHinten) {
        a = satz(3, xa - m_dMinAnteilHinten * L, dMomentV, m_dMinLastHinten);
        if (a == 10) {
            pPunkt->m_dX = m_dMinAnteilHinten * L + v;
            return 4;
        }
        if (a == 2) {
            nimmMinimum(3);
            dMax[3] = -1.0;
        }
    } else {
        dMax[3] = -1.0;
    }
    if (bAnteilVorn) {
        a = satz(4, xb - m_dMinAnteilVorn * L, dMomentH, m_dMinLastVorn);
        if (a == 10)
            return 3;
        if (a == 2) {
            nimmMinimum(4);
            dMax[4] = -1.0;
        }
    } else {
        dMax[4] = -1.0;
        nCode[4] = 6;
    }
    int k = -1;
    for (int i = 0; i < 5; ++i)
        if (dMax[i] >= 0.0 && (k < 0 || dMax[i] < dMax[k]))
            k = i;
    if (k < 0)
        return 3;
    r->gewaehlt = SYs2X(0.0, dMax[k], nCode[k], 0.0, 0);
    return 0;
}

int CFahrzeug::UebernimmGrenzen(SYs2X* pPunkt, const SGrenzRahmen& r)
{
    pPunkt->m_dMaxLast = r.gewaehlt.m_dMaxLast;
    pPunkt->m_nGrenze = r.gewaehlt.m_nGrenze;
    if (r.bMinimum) {
        if (r.dMinimum > pPunkt->m_dMaxLast)
            return (r.nMinGrenze == 4 || r.nMinGrenze == 5) ? 3 : 2;
        pPunkt->m_dMinLast = r.dMinimum;
        pPunkt->m_nMinGrenze = r.nMinGrenze;
    }
    return 1;
}

void CFahrzeug::BewerteKupplungsgrenze(double x, double* pQ7, bool* pB7)
{
    const double xt = m_dKupplungsGrenze;
    const SBruch f = m_bKurvenlauf ? m_KupplungsgrenzeLauf : Kupplungsgrenze();
    double q7 = f.An(x);
    bool b7 = (x > xt && q7 < 0.0) || (x < xt && q7 > 0.0);
    if (x == xt) {
        q7 = -1.0;
        b7 = f.An(x + 0.001) < 0.0;
    }
    *pQ7 = q7;
    *pB7 = b7;
}

int CFahrzeug::KupplungsUntergrenzen(SYs2X* pPunkt, double q6, bool b6, double q7, bool b7)
{
    pPunkt->m_dMaxLast = pPunkt->m_dMinLast = -1.0;
    pPunkt->m_nGrenze = pPunkt->m_nMinGrenze = 0;
    int r = 0;
    if (b6) {
        if (q6 < 0.0)
            return 32;
        pPunkt->m_dMinLast = q6;
        pPunkt->m_nMinGrenze = 6;
        r = 4;
    }
    if (b7) {
        if (q7 < 0.0)
            return 32;
        if (!b6 || q7 > q6) {
            pPunkt->m_dMinLast = q7;
            pPunkt->m_nMinGrenze = 7;
        }
        r |= 4;
    }
    return r;
}

int CFahrzeug::KurvenpunktMitKupplung(SYs2X* pPunkt, const SGrenzRahmen& r)
{
    const SYs2X& g = r.gewaehlt;
    if (r.bMinimum && r.dMinimum > g.m_dMaxLast)
        return 2;
    const double x = pPunkt->m_dX;
    pPunkt->m_dX = r.xa;
    const int s = GetKupplungsStatus(2, pPunkt);
    if (s & 16) {
        pPunkt->m_dX += m_dVorderachsPos;
        return 4;
    }
    pPunkt->m_dX = x;
    if (s & 1)
        return 0;
    if (s & 64) {
        pPunkt->m_dMaxLast = g.m_dMaxLast;
        pPunkt->m_nGrenze = g.m_nGrenze;
        if (r.bMinimum) {
            pPunkt->m_dMinLast = r.dMinimum;
            pPunkt->m_nMinGrenze = r.nMinGrenze;
        }
        return 1;
    }
    if (s & 32)
        return 3;
    if (!((s & 2) && pPunkt->m_dMaxLast > 0.0 && pPunkt->m_dMaxLast <= g.m_dMaxLast)) {
        pPunkt->m_dMaxLast = g.m_dMaxLast;
        pPunkt->m_nGrenze = g.m_nGrenze;
    }
    if (r.bMinimum && (!(s & 4) || r.dMinimum > pPunkt->m_dMinLast)) {
        pPunkt->m_dMinLast = r.dMinimum;
        pPunkt->m_nMinGrenze = r.nMinGrenze;
    }
    return pPunkt->m_dMinLast > pPunkt->m_dMaxLast ? 2 : 1;
}

// ---- the curve ---------------------------------------------------------------------------------------

int CFahrzeug::BuildKurve()
{
    // The coupling limit depends on the two vehicles' geometry only, which stays as it is while the curve
    // is built: it is taken once, not at every point.
    struct SLauf
    {
        CFahrzeug& f;
        explicit SLauf(CFahrzeug& fz) : f(fz)
        {
            f.m_KupplungsgrenzeLauf = f.Kupplungsgrenze();
            f.m_bKurvenlauf = true;
        }
        ~SLauf() { f.m_bKurvenlauf = false; }
        SLauf(const SLauf&) = delete;
        SLauf& operator=(const SLauf&) = delete;
    } lauf(*this);
    m_Teilkurve.RemoveAll();
    if (m_bKurveBehalten && m_bKurveGebaut && m_bBerechenbar == m_bBerechenbarBeiKurve) {
        m_bKurveGueltig = m_bKurveGueltigBeiKurve;
        return BuildKurveEnde();
    }
    m_Kurve.DeleteAll();
    m_BereichSpeicher.bGueltig = false;
    m_dMaxNutzlast = 0.0;
    m_fMaxNutzlastPos = 0.0f;

    double x = GetKurvenAnfang();
    const double h = m_dKurvenSchritt;
    const double E = m_dLFLaenge;
    // Values that would make the sampling endless or its points meaningless give no curve.
    if (!IsBerechenbar() || !(h > 0.0) || !std::isfinite(h) || !std::isfinite(E) ||
        (E - x) / h > static_cast<double>(MAX_PROBEN))
        m_bKurveGueltig = 0;
    else if (E >= x) {
        // The steps count from the last start so that rounding does not add up along the load area.
        double dBasis = x;
        long nSchritt = 0;
        for (;;) {
            // The point is worked out in its place at the tail and taken back unless it belongs to the curve.
            SYs2X& p = *m_Kurve.NeuerPunkt();
            p.m_dX = x;
            p.m_nMinGrenze = 0;
            const int a = CalcKurvenpunkt(&p);
            double xNeu = dBasis + h * static_cast<double>(++nSchritt);
            bool bEnde = false;
            if (a == 1 && std::isfinite(p.m_dMaxLast) && std::isfinite(p.m_dMinLast)) {
                // kept
            } else {
                const double xSprung = p.m_dX;
                m_Kurve.EntferneLetzten();
                if (a == 0) {
                    m_bKurveGueltig = 0;
                    bEnde = true;
                } else if (a == 3) {
                    bEnde = true;
                } else if (a == 4) {
                    // A jump never goes back: that could sample the same stretch for ever.
                    if (xSprung + h > xNeu) {
                        dBasis = xSprung;
                        nSchritt = 1;
                        xNeu = dBasis + h;
                    }
                }
            }
            if (bEnde)
                break;
            if (xNeu <= E)
                x = xNeu;
            else if (x < E && xNeu < E + h)
                x = E;
            else
                break;
        }
    }

    if (m_bKurveGueltig) {
        if (m_Kurve.IsEmpty()) {
            m_bKurveGueltig = 0;
        } else {
            const SYs2X* pMax = nullptr;
            for (const SYs2X* p : m_Kurve.Punkte())
                if (!pMax || p->m_dMaxLast > pMax->m_dMaxLast)
                    pMax = p;
            m_dMaxNutzlast = pMax->m_dMaxLast;
            m_fMaxNutzlastPos = static_cast<float>(pMax->m_dX);
        }
    }
    RefineKurve(&m_Kurve);
    m_bKurveGebaut = true;
    m_bBerechenbarBeiKurve = m_bBerechenbar;
    m_bKurveGueltigBeiKurve = m_bKurveGueltig;
    return BuildKurveEnde();
}

int CFahrzeug::BuildKurveEnde()
{
    CalcNutzbarerBereich();
    BuildTeilkurve();

    const int nErgebnis = s_nLaderampeBewegt != 1 ? 1 : 0;
    m_bDiagrammVeraltet = nErgebnis;
    s_nLaderampeBewegt = 0;
    m_nZaehler = 0;
    return nErgebnis;
}

void CFahrzeug::InsertRefinePunkt(CTupelList* pKurve, const SYs2X* pPunkt, int nVor)
{
    if (nVor >= 0) {
        pKurve->InsertBefore(static_cast<std::size_t>(nVor), *pPunkt);
        return;
    }
    for (std::size_t i = 0; i < pKurve->GetCount(); ++i)
        if (pKurve->GetAt(i)->m_dX > pPunkt->m_dX) {
            pKurve->InsertBefore(i, *pPunkt);
            return;
        }
}

bool CFahrzeug::BerechneEckpunkt(const SYs2X& A, const SYs2X& B, double dProbe, SYs2X* pEcke)
{
    // Every limit of the curve is a payload m = a / (b + c x), a constant included: 1 / m runs straight.
    // A probe outside the pair on each side gives the two lines, and the lines meet at the corner. Where a
    // probe shows another limit, or the point there is not on the lines, the corner is left to the walk.
    SYs2X a = Nullpunkt(A.m_dX - dProbe), b = Nullpunkt(B.m_dX + dProbe);
    if (!(B.m_dX > A.m_dX) || CalcKurvenpunkt(&a) != 1 || a.m_nGrenze != A.m_nGrenze ||
        CalcKurvenpunkt(&b) != 1 || b.m_nGrenze != B.m_nGrenze)
        return false;
    for (double m : {A.m_dMaxLast, a.m_dMaxLast, B.m_dMaxLast, b.m_dMaxLast})
        if (!(m > 0.0) || !std::isfinite(m))
            return false;
    const double sA = (1.0 / A.m_dMaxLast - 1.0 / a.m_dMaxLast) / (A.m_dX - a.m_dX);
    const double sB = (1.0 / b.m_dMaxLast - 1.0 / B.m_dMaxLast) / (b.m_dX - B.m_dX);
    if (!(sA != sB))
        return false;
    const double x = (1.0 / B.m_dMaxLast - 1.0 / A.m_dMaxLast + sA * A.m_dX - sB * B.m_dX) / (sA - sB);
    if (!(x > A.m_dX && x < B.m_dX))
        return false;
    SYs2X e = Nullpunkt(x);
    if (CalcKurvenpunkt(&e) != 1 || (e.m_nGrenze != A.m_nGrenze && e.m_nGrenze != B.m_nGrenze))
        return false;
    const double dLinie = 1.0 / (1.0 / A.m_dMaxLast + sA * (x - A.m_dX));
    if (!(std::fabs(e.m_dMaxLast - dLinie) <= 1e-9 * std::max(1.0, std::fabs(dLinie))))
        return false;
    *pEcke = e;
    return true;
}

int CFahrzeug::RefineKurve(CTupelList* pKurve)
{
    if (!pKurve || pKurve->IsEmpty())
        return 0;
    const double dProbe = static_cast<double>(0.005f);
    for (std::size_t i = 0; i + 1 < pKurve->GetCount(); ++i) {
        if (pKurve->GetAt(i)->m_nGrenze == pKurve->GetAt(i + 1)->m_nGrenze)
            continue;
        const SYs2X A = *pKurve->GetAt(i);
        const SYs2X B = *pKurve->GetAt(i + 1);
        SYs2X neu;
        if (BerechneEckpunkt(A, B, dProbe, &neu)) {
            neu.m_nGrenze = 8;
            InsertRefinePunkt(pKurve, &neu, static_cast<int>(i + 1));
            if (neu.m_dMaxLast > m_dMaxNutzlast)
                m_dMaxNutzlast = neu.m_dMaxLast;
            ++i;
            continue;
        }
        SYs2X T = A;
        double px = A.m_dX + dProbe;
        double dBeste = -9999999999999.0;
        bool bKnick = false;
        while (B.m_dX > px) {
            SYs2X probe = Nullpunkt(px);
            // A position the vehicle cannot answer for ends the walk.
            if (CalcKurvenpunkt(&probe) == 0)
                break;
            const double dZunahme = probe.m_dMaxLast - T.m_dMaxLast;
            if (dBeste > dZunahme) {
                bKnick = true;
                break;
            }
            dBeste = dZunahme;
            T = probe;
            px += dProbe;
        }
        if (!bKnick)
            continue;
        neu = Nullpunkt((T.m_dX + px) * 0.5);
        CalcKurvenpunkt(&neu);
        neu.m_nGrenze = 8;
        InsertRefinePunkt(pKurve, &neu, static_cast<int>(i + 1));
        if (neu.m_dMaxLast > m_dMaxNutzlast)
            m_dMaxNutzlast = neu.m_dMaxLast;
        ++i; // the new point and B are not walked again
    }

    const SYs2X erster = *pKurve->GetHead();
    if (erster.m_dMinLast == -1.0)
        return 1;
    const double h = m_dKurvenSchritt;
    const double dEnde = static_cast<double>(0.24f);
    for (double x = erster.m_dX - dEnde; x > erster.m_dX - h; x -= dEnde) {
        SYs2X p = Nullpunkt(x);
        if (CalcKurvenpunkt(&p) != 1)
            break;
        pKurve->AddHead(p);
    }
    const SYs2X letzter = *pKurve->GetTail();
    const double E = std::min(letzter.m_dX + h, m_dLFLaenge);
    for (double x = letzter.m_dX + dEnde; E >= x; x += dEnde) {
        SYs2X p = Nullpunkt(x);
        if (CalcKurvenpunkt(&p) != 1)
            break;
        pKurve->AddTail(p);
    }
    return 1;
}

int CFahrzeug::GetNextGrenze(int n) const
{
    for (int i = std::max(n + 1, 0); i < 5; ++i)
        if (m_nGrenzeAktiv[i])
            return i;
    return -1;
}

int CFahrzeug::CalcKurveEckpunkte(CTupelList*)
{
    // The corner points follow the active constraints, and no constraint is ever marked active.
    return GetNextGrenze(-1) < 0 ? 0 : 1;
}

// ---- recalculation of the base class ---------------------------------------------------------------

void CFahrzeug::VerwerfeKurve()
{
    m_bKurveGebaut = false;
    m_BereichSpeicher.bGueltig = false;
    m_Teilkurve.RemoveAll();
    m_Kurve.DeleteAll();
    m_dMaxNutzlast = 0.0;
    m_fMaxNutzlastPos = 0.0f;
    m_nBereichStatus = 1;
}

void CFahrzeug::BuildEinfacheKurve()
{
    m_bKurveGebaut = false;
    m_BereichSpeicher.bGueltig = false;
    m_Teilkurve.RemoveAll();
    m_Kurve.DeleteAll();
    m_dMaxNutzlast = 0.0;
    const double E = m_dLFLaenge;
    const double h = 0.1;
    if (E >= 0.0 && std::isfinite(E) && E / h <= static_cast<double>(MAX_PROBEN)) {
        double x = 0.0;
        for (long i = 1;; ++i) {
            int nGrenze = 0;
            const double p = CalcNutzlastAnPos(x, &nGrenze);
            m_Kurve.AddTail(SYs2X(x, p, nGrenze, 0.0, -1));
            const double xNeu = h * static_cast<double>(i);
            if (xNeu <= E)
                x = xNeu;
            else if (x < E)
                x = E;
            else
                break;
        }
    }
    m_nKurvenBuilder = 1;
    RefineKurve(&m_Kurve);
    for (const SYs2X* p : m_Kurve.Punkte())
        if (p->m_dMaxLast > m_dMaxNutzlast)
            m_dMaxNutzlast = p->m_dMaxLast;
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
        m_bKurveGueltig = 0;
        VerwerfeKurve();
    } else {
        m_bKurveGueltig = 1;
        BuildEinfacheKurve();
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
        explicit SMerken(CFahrzeug& fz) : f(fz) { f.m_bBereichGemerkt = true; }
        ~SMerken()
        {
            f.m_bBereichGemerkt = false;
            f.m_bGemerktGesetzt = false;
        }
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
                    p->m_bKurveBehalten = true;
        }
        ~SBehalten()
        {
            for (CFahrzeug* p : f)
                if (p)
                    p->m_bKurveBehalten = false;
        }
        SBehalten(const SBehalten&) = delete;
        SBehalten& operator=(const SBehalten&) = delete;
    } behalten(this, pZug);
    RecalcMitPartner();
}

// ---- usable centre-of-gravity range ---------------------------------------------------------------

CFahrzeug::SBereich CFahrzeug::BerechneBereich(bool* pGesetzt)
{
    if (!m_pQor || m_Kurve.IsEmpty()) {
        *pGesetzt = false;
        return SBereich();
    }
    SBereichSchluessel s;
    s.dMasse = m_pQor->GetMasse();
    for (int i = 0; i < 4; ++i)
        s.dRand[i] = GetRandabstand(i);
    s.dLFLaenge = m_dLFLaenge;
    s.fBreite = GetLFBreite();
    s.nSeitenProzent = m_nSeitenProzent;
    const SBereichSchluessel& t = m_BereichSpeicher.s;
    const bool bGleich = std::memcmp(&s.dMasse, &t.dMasse, sizeof s.dMasse) == 0 &&
                         std::memcmp(s.dRand, t.dRand, sizeof s.dRand) == 0 &&
                         std::memcmp(&s.dLFLaenge, &t.dLFLaenge, sizeof s.dLFLaenge) == 0 &&
                         std::memcmp(&s.fBreite, &t.fBreite, sizeof s.fBreite) == 0 &&
                         s.nSeitenProzent == t.nSeitenProzent;
    // Only while the curve is kept for moved loads: the vehicle's own data are as they were then.
    if (m_bKurveBehalten && m_BereichSpeicher.bGueltig && bGleich) {
        *pGesetzt = m_BereichSpeicher.bGesetzt;
        return m_BereichSpeicher.b;
    }
    m_BereichSpeicher.b = BerechneBereichNeu(pGesetzt);
    m_BereichSpeicher.s = s;
    m_BereichSpeicher.bGesetzt = *pGesetzt;
    m_BereichSpeicher.bGueltig = true;
    return m_BereichSpeicher.b;
}

CFahrzeug::SBereich CFahrzeug::BerechneBereichNeu(bool* pGesetzt)
{
    SBereich b;
    *pGesetzt = false;
    if (!m_pQor || m_Kurve.IsEmpty())
        return b;
    *pGesetzt = true;
    const double m = m_pQor->GetMasse();
    const bool bMaxReicht = m_dMaxNutzlast > m;
    b.nStatus = 0;
    const auto& k = m_Kurve.Punkte();

    const SYs2X* pErster = nullptr;
    for (const SYs2X* p : k)
        if (p->m_dMaxLast > m && (p->m_dMinLast == -1.0 || p->m_dMinLast <= m)) {
            pErster = p;
            break;
        }
    if (!pErster) {
        b.nStatus = 1;
        return b;
    }
    b.dVon = pErster->m_dX;
    const SYs2X* pLetzter = nullptr;
    for (auto it = k.rbegin(); it != k.rend(); ++it)
        if ((*it)->m_dMaxLast > m && ((*it)->m_dMinLast == -1.0 || (*it)->m_dMinLast < m)) {
            pLetzter = *it;
            break;
        }
    if (pLetzter) {
        b.dBis = pLetzter->m_dX;
        b.nStatus |= 2;
    }

    const double dSchritt = 0.01;
    const double dRandVorn = GetRandabstand(0), dRandHinten = GetRandabstand(2);
    const double dEnde = m_dLFLaenge - dRandHinten;
    const auto scheitert = [&](const SYs2X& p) {
        return m > p.m_dMaxLast || (p.m_dMinLast != -1.0 && p.m_dMinLast > m);
    };
    for (int i = 1;; ++i) {
        const double x = pErster->m_dX - dSchritt * i;
        if (!(x >= 0.0))
            break;
        SYs2X p;
        p.m_dX = x;
        const int a = CalcKurvenpunkt(&p);
        if (scheitert(p)) {
            b.dVon = pErster->m_dX - dSchritt * (i - 1);
            break;
        }
        if (a != 1 && a != 3)
            break;
    }
    if (pLetzter) {
        for (int i = 1;; ++i) {
            const double x = pLetzter->m_dX + dSchritt * i;
            if (!(x <= dEnde))
                break;
            SYs2X p;
            p.m_dX = x;
            const int a = CalcKurvenpunkt(&p);
            if (scheitert(p)) {
                b.dBis = pLetzter->m_dX + dSchritt * (i - 1);
                break;
            }
            if (a != 1 && a != 3)
                break;
        }
    }
    b.dVon = std::clamp(b.dVon, dRandVorn, std::max(dRandVorn, dEnde));
    b.dBis = std::clamp(b.dBis, dRandVorn, std::max(dRandVorn, dEnde));

    if (b.dBis == b.dVon) {
        if (!bMaxReicht) {
            b.nStatus = 1;
            return b;
        }
        b.dVon = static_cast<double>(m_fMaxNutzlastPos - 0.01f);
        b.dBis = static_cast<double>(m_fMaxNutzlastPos + 0.01f);
        b.nStatus |= 2;
        return b;
    }
    const float fBreite = GetLFBreite();
    m_Diagramm.SetParams(fBreite, static_cast<float>(m_nSeitenProzent), 1.4f, -1.0f, -1.0f);
    const float fm = static_cast<float>(m);
    const float e = (m_Diagramm.GetK() - m_Diagramm.GetC() * fm) / fm;
    const float a = fBreite * 0.5f;
    b.dQuerVon = a - std::min(e, a - static_cast<float>(GetRandabstand(1)));
    b.dQuerBis = a + std::min(e, a - static_cast<float>(GetRandabstand(3)));
    b.bQuer = true;
    return b;
}

int CFahrzeug::CalcNutzbarerBereich()
{
    CFahrzeug* pQuelle = this;
    if (m_nArt == FahrzeugArt::kSattelzugmaschine) {
        pQuelle = GetDokAnhaenger();
        if (!pQuelle) {
            m_nBereichStatus = 1;
            return 1;
        }
    }
    bool bGesetzt = false;
    SBereich b;
    if (pQuelle != this && pQuelle->m_bBereichGemerkt && pQuelle->m_bGemerktGesetzt) {
        b = pQuelle->m_GemerkterBereich;
        bGesetzt = true;
    } else {
        b = pQuelle->BerechneBereich(&bGesetzt);
        if (pQuelle == this && m_bBereichGemerkt && bGesetzt) {
            m_GemerkterBereich = b;
            m_bGemerktGesetzt = true;
        }
    }
    m_nBereichStatus = b.nStatus;
    if (bGesetzt) {
        m_dNutzbarVon = b.dVon;
        m_dNutzbarBis = b.dBis;
        if (b.bQuer) {
            m_dNutzbarQuerVon = b.dQuerVon;
            m_dNutzbarQuerBis = b.dQuerBis;
        }
    }
    if (m_pQor)
        m_Diagramm.SampleCurve();
    return b.nStatus;
}

int CFahrzeug::BuildTeilkurve()
{
    m_Teilkurve.RemoveAll();
    if (!m_pQor || !(m_nBereichStatus & 2) || m_Kurve.IsEmpty())
        return 0;
    const auto& k = m_Kurve.Punkte();
    std::size_t nVon = k.size();
    for (std::size_t i = 0; i < k.size(); ++i)
        if (k[i]->m_dX >= m_dNutzbarVon) {
            nVon = i;
            break;
        }
    if (nVon == k.size())
        return 0;
    std::size_t nBis = k.size();
    for (std::size_t i = k.size(); i-- > 0;)
        if (k[i]->m_dX <= m_dNutzbarBis) {
            nBis = i;
            break;
        }
    if (nBis == k.size() || nBis <= nVon)
        return 0;
    for (std::size_t i = nVon; i <= nBis; ++i)
        m_Teilkurve.AddTail(m_Kurve, i);
    return 1;
}
