// The search for the walls and form-fit items that block a load unit.
#include "model/securing/BlockierungsSuche.h"

#include "model/plan/tagLGINFO.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CLadeflaechenPlatzierung.h"

#include <algorithm>
#include <cmath>

namespace {

// Contact below this share of the item's side is rounding, not contact.
constexpr double kKeinKontakt = 1e-9;

} // namespace

double BlockierungsSuche::CalcContactRatio(double x1, double y1, double x2, double y2, const tagLGINFO& n,
                                           int nSeite)
{
    double dExtX = 0.0, dExtY = 0.0;
    if (n.m_nDrehung == 0 || n.m_nDrehung == 180) {
        dExtX = n.m_dLaenge, dExtY = n.m_dBreite;
    } else if (n.m_nDrehung == 90 || n.m_nDrehung == 270) {
        dExtX = n.m_dBreite, dExtY = n.m_dLaenge;
    } else {
        return -1.0;
    }
    const bool bLaengs = nSeite == 1 || nSeite == 3;
    const double dExt = bLaengs ? dExtX : dExtY;
    if (!(dExt > 0.0))
        return -1.0;
    const double dVon = bLaengs ? std::max(x1, n.m_dPosX) : std::max(y1, n.m_dPosY);
    const double dBis = bLaengs ? std::min(x2, n.m_dPosX + dExtX) : std::min(y2, n.m_dPosY + dExtY);
    return std::max(0.0, dBis - dVon) / dExt;
}

bool BlockierungsSuche::FindBlocking(const Rechteck& b, double dLu, double dWu,
                                     const std::array<int, 4>& nWand, const CFahrzeug* pFahrzeug,
                                     const Blockierwert& wert, std::array<sFSParam, 4>& fs)
{
    for (sFSParam& f : fs)
        f = sFSParam();
    struct Schritt
    {
        int nRichtung;
        bool bWand;
        int nWandwert;
        double dAnteil;
    };
    const double dAnteilQuer = dWu > 0.0 ? b.dBreite / dWu : 0.0;
    const double dAnteilLaengs = dLu > 0.0 ? b.dLaenge / dLu : 0.0;
    const Schritt schritte[] = {
        {2, std::fabs(b.x) <= 0.0205, nWand[0], dAnteilQuer},
        {0, std::fabs(b.x + b.dLaenge - dLu) <= 0.01, nWand[2], dAnteilQuer},
        {3, -0.005 < b.y && b.y < 0.005, nWand[1], dAnteilLaengs},
        {1, dWu - 0.005 < b.y + b.dBreite && b.y + b.dBreite < dWu + 0.005, nWand[3], dAnteilLaengs},
    };
    bool bGefunden = false;
    for (const Schritt& s : schritte) {
        sFSParam& f = fs[std::size_t(s.nRichtung)];
        if (s.bWand) {
            f.m_nArt = sFSParam::kLadeflaechenRand;
            f.m_nKapazitaet = int(float(s.nWandwert) * s.dAnteil + 0.001);
            bGefunden = true;
            continue;
        }
        if (!pFahrzeug)
            continue;
        const sFSParam r = CLadeflaechenPlatzierung(*pFahrzeug)
                               .CalcFSParam(b.x, b.y, b.dLaenge, b.dBreite, s.nRichtung, 0.02);
        if (r.m_nArt != sFSParam::kFsmItem || !r.GetLg())
            continue;
        const double dRatio =
            CalcContactRatio(b.x, b.y, b.x + b.dLaenge, b.y + b.dBreite, *r.GetLg(), s.nRichtung);
        // An item meeting the box only at a corner overlaps by rounding alone: it touches no side.
        if (!(dRatio > kKeinKontakt))
            continue;
        f.m_nArt = sFSParam::kFsmItem;
        f.SetLg(r.GetLg());
        f.m_nKapazitaet = int((wert ? wert(r.GetLg()) : 0) * dRatio + 0.0001);
        bGefunden = true;
    }
    return bGefunden;
}
