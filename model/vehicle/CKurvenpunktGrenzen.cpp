// The limits behind one point of a vehicle's permissible-payload curve: the single limit records, the
// choice among them and the coupling limit of a trailer coupled to its towing vehicle.
#include "model/vehicle/CKurvenpunktGrenzen.h"

#include "model/vehicle/CFahrzeug.h"

int CKurvenpunktGrenzen::CalcGrenzQuotient(double d, double M, double P, double* pOut) const
{
    if (d == 0.0) {
        *pOut = -1.0;
        return 0;
    }
    *pOut = (m_Fahrzeug.m_dRadstand * P - M) / d;
    return 1;
}

double CKurvenpunktGrenzen::WaehleMinimum(double* r, int n, int* pGrenze) const
{
    r[n] = m_Fahrzeug.m_dNutzlast;
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

int CKurvenpunktGrenzen::WaehleGrenzsatz(const SYs2X* pSaetze, int n, SYs2X* pOut)
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

int CKurvenpunktGrenzen::CalcGrenzsatz(double d, double M, double P, SYs2X* R, double s) const
{
    return Grenzsatz(m_Fahrzeug.m_dRadstand, d, M, P, R->m_dMaxLast, R->m_dMinLast, R->m_nGrenze, s);
}

int CKurvenpunktGrenzen::CalcGrenzRahmen(SYs2X* pPunkt, double dMomentV, double dMomentH, bool bAnteilHinten,
                                         bool bAnteilVorn, SGrenzRahmen* r) const
{
    const CFahrzeug& f = m_Fahrzeug;
    const double v = f.m_dVorderachsPos, L = f.m_dRadstand;
    const double xa = pPunkt->m_dX - v, xb = L - xa;
    r->xa = xa;
    // The records of the rear group, the front group, the total mass and the two shares, each with its
    // code; the first smallest maximum that is not negative decides. A minimum is read only where
    // CalcGrenzsatz wrote it; the chosen record's is always 0.
    double dMax[5] = {0.0, 0.0, f.m_dNutzlast, 0.0, 0.0};
    double dMin[5];
    int nCode[5] = {4, 2, 3, 1, 5};
    const auto nimmMinimum = [&](int i) {
        if (!r->bMinimum || dMin[i] > r->dMinimum) {
            r->bMinimum = true;
            r->dMinimum = dMin[i];
            r->nMinGrenze = nCode[i];
        }
    };
    // A record that holds only a minimum (2) gives its minimum and takes no part in the choice.
    const auto satz = [&](int i, double d, double M, double P) {
        const int a = Grenzsatz(L, d, M, P, dMax[i], dMin[i], nCode[i], d);
        if (a == 2) {
            nimmMinimum(i);
            dMax[i] = -1.0;
        }
        return a;
    };

    int a = satz(0, xa, dMomentV, f.m_dZulLastHinten);
    if (a == 10)
        return 3;
    a = satz(1, xb, dMomentH, f.m_dZulLastVorn);
    if (a == 10) {
        pPunkt->m_dX = L + v;
        return 4;
    }
    if (bAnteilHinten) {
        a = satz(3, xa - f.m_dMinAnteilHinten * L, dMomentV, f.m_dMinLastHinten);
        if (a == 10) {
            pPunkt->m_dX = f.m_dMinAnteilHinten * L + v;
            return 4;
        }
    } else {
        dMax[3] = -1.0;
    }
    if (bAnteilVorn) {
        a = satz(4, xb - f.m_dMinAnteilVorn * L, dMomentH, f.m_dMinLastVorn);
        if (a == 10)
            return 3;
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

int CKurvenpunktGrenzen::UebernimmGrenzen(SYs2X* pPunkt, const SGrenzRahmen& r)
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

void CKurvenpunktGrenzen::BewerteKupplungsgrenze(double x, double* pQ7, bool* pB7) const
{
    const double xt = m_Fahrzeug.m_dKupplungsGrenze;
    const SBruch f = m_bLauf ? m_KupplungsgrenzeLauf : m_Fahrzeug.Kupplungsgrenze();
    double q7 = f.An(x);
    bool b7 = (x > xt && q7 < 0.0) || (x < xt && q7 > 0.0);
    if (x == xt) {
        q7 = -1.0;
        b7 = f.An(x + 0.001) < 0.0;
    }
    *pQ7 = q7;
    *pB7 = b7;
}

int CKurvenpunktGrenzen::KupplungsUntergrenzen(SYs2X* pPunkt, double q6, bool b6, double q7, bool b7)
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

int CKurvenpunktGrenzen::KurvenpunktMitKupplung(SYs2X* pPunkt, const SGrenzRahmen& r) const
{
    const SYs2X& g = r.gewaehlt;
    if (r.bMinimum && r.dMinimum > g.m_dMaxLast)
        return 2;
    const double x = pPunkt->m_dX;
    pPunkt->m_dX = r.xa;
    const int s = m_Fahrzeug.GetKupplungsStatus(2, pPunkt);
    if (s & 16) {
        pPunkt->m_dX += m_Fahrzeug.m_dVorderachsPos;
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
