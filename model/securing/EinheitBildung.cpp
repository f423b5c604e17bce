// The test whether marked loads lie flush together at one height, so that they can form a load unit.
#include "model/securing/EinheitBildung.h"

#include "model/plan/tagLGINFO.h"

#include <algorithm>
#include <cmath>

bool EinheitBildung::KannBilden(const std::vector<const tagLGINFO*>& loads, const MeterZuPixel& meterZuPixel)
{
    if (loads.empty() || !meterZuPixel)
        return false;
    double dSumme = 0.0;
    long long nLinks = 0, nOben = 0, nRechts = 0, nUnten = 0;
    double dTopMin = 0.0, dTopMax = 0.0;
    bool bErste = true;
    for (const tagLGINFO* lg : loads) {
        if (!lg)
            return false;
        const bool bQuer = lg->m_nDrehung == 90 || lg->m_nDrehung == 270;
        const long long w = meterZuPixel(bQuer ? lg->m_dBreite : lg->m_dLaenge);
        const long long h = meterZuPixel(bQuer ? lg->m_dLaenge : lg->m_dBreite);
        const long long x = meterZuPixel(lg->m_dPosX);
        const long long y = meterZuPixel(lg->m_dPosY);
        const double dTop = lg->m_dPosZ + lg->m_dHoehe;
        dSumme += double(w) * double(h);
        if (bErste) {
            nLinks = x, nOben = y, nRechts = x + w, nUnten = y + h;
            dTopMin = dTopMax = dTop;
            bErste = false;
        } else {
            nLinks = std::min(nLinks, x), nOben = std::min(nOben, y);
            nRechts = std::max(nRechts, x + w), nUnten = std::max(nUnten, y + h);
            dTopMin = std::min(dTopMin, dTop), dTopMax = std::max(dTopMax, dTop);
        }
    }
    const double dFlaeche = double(nRechts - nLinks) * double(nUnten - nOben);
    if (!(dFlaeche > 0.0))
        return false;
    if (!(std::fabs(dSumme - dFlaeche) < kFlaechenToleranz * dFlaeche))
        return false;
    // A hair's breadth of rounding must not refuse tops that are 0.02 m apart as entered.
    return dTopMax - dTopMin <= kHoehenToleranz + 1e-9;
}
