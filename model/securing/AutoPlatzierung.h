// Whether the attachment points of a load unit may be placed without the attachment-point page: the
// unit has to sit where the chosen lashing equipment of the vehicle can reach it.
#pragma once

#include <utility>
#include <vector>

class AutoPlatzierung
{
public:
    // The unit's extent on the load area, metres.
    struct Bereich
    {
        double x1 = 0.0, y1 = 0.0, x2 = 0.0, y2 = 0.0;
    };
    using Punkt = std::pair<double, double>; // x, y on the load area

    // 0 when the placement may be automatic, else the text that says why not: with the rails
    // (nOption 1) the unit lies crosswise between the two outermost rails (884); with the lashing
    // points (nOption 0) at least two of the vehicle's points lie along the unit (552) and every
    // point the unit's pairs use lies within its length (884). Another option: 884.
    static int Pruefe(const Bereich& einheit, int nOption, const std::vector<double>& schienenY,
                      const std::vector<Punkt>& fahrzeugPunkte, const std::vector<Punkt>& paarPunkte);
};
