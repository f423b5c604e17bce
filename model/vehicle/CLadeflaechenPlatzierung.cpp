// Placing a load against its neighbours and the load-area edges: the free slot for a form-fit item, the
// wall of flush loads, touching loads and form-fit blocking of a load unit.
#include "model/vehicle/CLadeflaechenPlatzierung.h"
#include "model/plan/CQOR.h"
#include "model/plan/PlanGrid.h"
#include "model/plan/sFSParam.h"
#include "model/plan/tagLGINFO.h"
#include "model/vehicle/CFahrzeug.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr double kBuendig = 0.005; // flush, contiguous and at-the-edge tolerance, metres
constexpr double kKeinNachbar = 1000.0;
constexpr int kBitQuer = 1 << 7;      // the last wall search that collected the load ran across y
constexpr int kBitGesammelt = 1 << 8; // collected by a wall search

bool Nah(double a, double b)
{
    return std::fabs(a - b) < kBuendig;
}

// Position and end across direction d: y for the directions along x (0, 2), x for the others.
double PosQuer(const tagLGINFO* p, int d)
{
    return (d == 0 || d == 2) ? p->m_dPosY : p->m_dPosX;
}

double EndeQuer(const tagLGINFO* p, int d)
{
    return (d == 0 || d == 2) ? p->GetEndY() : p->GetEndX();
}

double DimQuer(const tagLGINFO* p, int d)
{
    return (d == 0 || d == 2) ? p->GetDimY() : p->GetDimX();
}

// The face of a load towards a point lying in direction d's opposite: its position for 0 and 1, its
// end for 2 and 3.
double Flaeche(const tagLGINFO* p, int d)
{
    switch (d) {
    case 0:
        return p->m_dPosX;
    case 1:
        return p->m_dPosY;
    case 2:
        return p->GetEndX();
    default:
        return p->GetEndY();
    }
}

PlanGridRect GridRectOf(const tagLGINFO* p)
{
    return PlanToGridRect(p->m_dPosX, p->m_dPosY, p->GetDimX(), p->GetDimY());
}

} // namespace

int CompareWandLg(const tagLGINFO* const* a, const tagLGINFO* const* b)
{
    const tagLGINFO* pa = *a;
    const tagLGINFO* pb = *b;
    const bool bQuer = (pa->m_nState & kBitQuer) != 0;
    const double va = bQuer ? pa->m_dPosY : pa->m_dPosX;
    const double vb = bQuer ? pb->m_dPosY : pb->m_dPosX;
    if (vb > va)
        return -1;
    if (va > vb)
        return 1;
    return 0;
}

bool CLadeflaechenPlatzierung::FindAnliegendeLg(const tagLGINFO* pLg, int nSeite, double* pVon,
                                                double* pBis) const
{
    const double a0 = PosQuer(pLg, nSeite), a1 = EndeQuer(pLg, nSeite);
    double s = a1, e = a0;
    if (m_Fahrzeug.m_pQor) {
        for (const tagLGINFO* m : m_Fahrzeug.m_pQor->GetLgInfos()) {
            if (m == pLg)
                continue;
            bool bFlach = false;
            switch (nSeite) {
            case 0:
                bFlach = Nah(m->m_dPosX, pLg->GetEndX());
                break;
            case 1:
                bFlach = Nah(m->m_dPosY, pLg->GetEndY());
                break;
            case 2:
                bFlach = Nah(m->GetEndX(), pLg->m_dPosX);
                break;
            case 3:
                bFlach = Nah(m->GetEndY(), pLg->m_dPosY);
                break;
            default:
                break;
            }
            if (!bFlach || a0 > EndeQuer(m, nSeite) || PosQuer(m, nSeite) > a1)
                continue;
            e = std::max(e, EndeQuer(m, nSeite));
            s = std::min(s, PosQuer(m, nSeite));
            if (e >= s)
                break;
        }
    }
    s = std::max(s, a0);
    e = std::min(e, a1);
    if (pVon)
        *pVon = s;
    if (pBis)
        *pBis = e;
    return !(Nah(s, a1) && Nah(e, a0));
}

void CLadeflaechenPlatzierung::CalcWandbereich(tagLGINFO* pNachbar, int nRichtung, double* pVon, double* pBis)
{
    const int b = nRichtung;
    const double dFlaeche = Flaeche(pNachbar, b);
    std::vector<tagLGINFO*> wand;
    for (tagLGINFO* p : m_Fahrzeug.m_pQor->GetLgInfos()) {
        if (!Nah(Flaeche(p, b), dFlaeche))
            continue;
        p->m_nState |= kBitGesammelt;
        if (b == 0 || b == 2)
            p->m_nState |= kBitQuer;
        else
            p->m_nState &= ~kBitQuer;
        wand.push_back(p);
    }
    std::stable_sort(wand.begin(), wand.end(),
                     [](const tagLGINFO* a, const tagLGINFO* c) { return CompareWandLg(&a, &c) < 0; });
    const std::size_t k =
        static_cast<std::size_t>(std::find(wand.begin(), wand.end(), pNachbar) - wand.begin());
    double lo = PosQuer(pNachbar, b);
    double hi = lo + DimQuer(pNachbar, b);
    const int nGegen = (b + 2) % 4;
    for (std::size_t i = k; i-- > 0;) {
        const tagLGINFO* l = wand[i];
        if (!Nah(EndeQuer(l, b), lo) || l->IsFsm())
            break;
        double von = 0.0, bis = 0.0;
        if (FindAnliegendeLg(l, nGegen, &von, &bis)) {
            lo = bis;
            break;
        }
        lo = PosQuer(l, b);
    }
    for (std::size_t i = k + 1; i < wand.size(); ++i) {
        const tagLGINFO* l = wand[i];
        if (!Nah(PosQuer(l, b), hi) || l->IsFsm())
            break;
        double von = 0.0, bis = 0.0;
        if (FindAnliegendeLg(l, nGegen, &von, &bis))
            hi = von;
        else
            hi = EndeQuer(l, b);
    }
    if (pVon)
        *pVon = lo;
    if (pBis)
        *pBis = hi;
}

int CLadeflaechenPlatzierung::FindLgPosition(double x, double y, double* pX, double* pY, double* pLaenge,
                                             double* pBreite)
{
    double L = 0.0, B = 0.0;
    if (!m_Fahrzeug.m_pQor || !m_Fahrzeug.GetNutzbareLF(&L, &B))
        return -1;
    double gap[4] = {kKeinNachbar, kKeinNachbar, kKeinNachbar, kKeinNachbar};
    tagLGINFO* naechste[4] = {};
    for (tagLGINFO* p : m_Fahrzeug.m_pQor->GetLgInfos()) {
        const double eX = p->GetEndX(), eY = p->GetEndY();
        const bool bInY = p->m_dPosY <= y && y <= eY;
        const bool bInX = p->m_dPosX <= x && x <= eX;
        if (bInX && bInY)
            return -1;
        int d = -1;
        double dist = 0.0;
        bool bNaeher = false;
        if (bInY && p->m_dPosX > x) {
            d = 0;
            dist = p->m_dPosX - x;
            bNaeher = !naechste[0] || p->m_dPosX < naechste[0]->m_dPosX;
        } else if (bInX && p->m_dPosY > y) {
            d = 1;
            dist = p->m_dPosY - y;
            bNaeher = !naechste[1] || p->m_dPosY < naechste[1]->m_dPosY;
        } else if (bInY && x > eX) {
            d = 2;
            dist = x - eX;
            bNaeher = !naechste[2] || eX > naechste[2]->GetEndX();
        } else if (bInX && y > eY) {
            d = 3;
            dist = y - eY;
            bNaeher = !naechste[3] || eY > naechste[3]->GetEndY();
        }
        if (d < 0)
            continue;
        if (bNaeher)
            naechste[d] = p;
        if (dist < gap[d])
            gap[d] = dist;
    }
    int b = -1;
    for (int d = 0; d < 4; ++d) {
        if (gap[d] > kKeinNachbar - kBuendig && gap[d] < kKeinNachbar + kBuendig)
            continue;
        if (b < 0 || gap[d] < gap[b])
            b = d;
    }
    if (b < 0 || !naechste[b])
        return -1;
    tagLGINFO* N = naechste[b];
    if (N->IsFsm())
        return -1;
    double lo = 0.0, hi = 0.0;
    CalcWandbereich(N, b, &lo, &hi);

    double sx0 = 0.0, sx1 = 0.0, sy0 = 0.0, sy1 = 0.0;
    switch (b) {
    case 0:
        sx0 = 0.0, sx1 = N->m_dPosX, sy0 = lo, sy1 = hi;
        break;
    case 1:
        sx0 = lo, sx1 = hi, sy0 = 0.0, sy1 = N->m_dPosY;
        break;
    case 2:
        sx0 = N->GetEndX(), sx1 = L, sy0 = lo, sy1 = hi;
        break;
    default:
        sx0 = lo, sx1 = hi, sy0 = N->GetEndY(), sy1 = B;
        break;
    }
    PlanGridRect S = PlanToGridRect(sx0, sy0, sx1 - sx0, sy1 - sy0);
    for (const tagLGINFO* p : m_Fahrzeug.m_pQor->GetLgInfos()) {
        const PlanGridRect R = GridRectOf(p);
        if (!IntersectGridRect(S, R))
            continue;
        switch (b) {
        case 0:
            if (R.right <= S.right)
                S.left = R.right;
            break;
        case 1:
            if (R.bottom <= S.bottom)
                S.top = R.bottom;
            break;
        case 2:
            if (R.left >= S.left)
                S.right = R.left;
            break;
        default:
            if (R.top >= S.top)
                S.bottom = R.top;
            break;
        }
    }
    if ((b == 0 || b == 2) ? S.left >= S.right : S.top >= S.bottom)
        return -1;
    const double ox = S.left / 100.0, oy = S.top / 100.0;
    const double ol = (S.right - S.left) / 100.0, ob = (S.bottom - S.top) / 100.0;
    if (pX)
        *pX = ox;
    if (pY)
        *pY = oy;
    if (pLaenge)
        *pLaenge = ol;
    if (pBreite)
        *pBreite = ob;
    const int e = (b + 2) % 4;
    bool bRand = false;
    switch (e) {
    case 0:
        bRand = Nah(ox + ol, L);
        break;
    case 1:
        bRand = Nah(oy + ob, B);
        break;
    case 2:
        bRand = std::fabs(ox) < kBuendig;
        break;
    default:
        bRand = std::fabs(oy) < kBuendig;
        break;
    }
    return bRand ? e : -1;
}

sFSParam CLadeflaechenPlatzierung::CalcFSParam(double x, double y, double dLaenge, double dBreite,
                                               int nRichtung, double dToleranz) const
{
    sFSParam r;
    if (!m_Fahrzeug.m_pQor || nRichtung < 0 || nRichtung > 3)
        return r;
    const double t = std::fabs(dToleranz);
    const double X1 = x + dLaenge, Y1 = y + dBreite;
    for (tagLGINFO* m : m_Fahrzeug.m_pQor->GetLgInfos()) {
        if (!m->IsFsm() || m->GetFsmSeite() != nRichtung + 1)
            continue;
        const double mx = m->m_dPosX, my = m->m_dPosY, ex = m->GetEndX(), ey = m->GetEndY();
        bool bTrifft = false;
        switch (nRichtung) {
        case 0:
            bTrifft = X1 - t <= mx && mx <= X1 + t && ey > y && Y1 > my;
            break;
        case 1:
            bTrifft = Y1 - t <= my && my <= Y1 + t && X1 > mx && ex > x;
            break;
        case 2:
            bTrifft = x - t <= ex && ex <= x + t && ey > y && Y1 > my;
            break;
        default:
            bTrifft = y - t <= ey && ey <= y + t && X1 > mx && ex > x;
            break;
        }
        if (!bTrifft)
            continue;
        // The item itself is the record's load; the capacity stays 0 for the caller to fill.
        r.m_nArt = sFSParam::kFsmItem;
        r.SetLg(m);
        break;
    }
    return r;
}
