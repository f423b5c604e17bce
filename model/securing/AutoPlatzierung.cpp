// The check before the attachment points of a unit are placed automatically.
#include "model/securing/AutoPlatzierung.h"

#include <algorithm>

namespace {

bool Laengs(const AutoPlatzierung::Bereich& b, const AutoPlatzierung::Punkt& p)
{
    return p.first >= b.x1 && p.first <= b.x2;
}

} // namespace

int AutoPlatzierung::Pruefe(const Bereich& einheit, int nOption, const std::vector<double>& schienenY,
                            const std::vector<Punkt>& fahrzeugPunkte, const std::vector<Punkt>& paarPunkte)
{
    if (nOption == 1) {
        if (schienenY.size() < 2)
            return 884;
        const auto [lo, hi] = std::minmax_element(schienenY.begin(), schienenY.end());
        return *lo <= einheit.y1 && einheit.y2 <= *hi ? 0 : 884;
    }
    if (nOption != 0)
        return 884;
    const auto nLaengs = std::count_if(fahrzeugPunkte.begin(), fahrzeugPunkte.end(),
                                       [&einheit](const Punkt& p) { return Laengs(einheit, p); });
    if (nLaengs < 2)
        return 552;
    for (const Punkt& p : paarPunkte)
        if (!Laengs(einheit, p))
            return 884;
    return 0;
}
