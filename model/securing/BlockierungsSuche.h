// Finds what blocks a load unit in each direction: the load-area walls or form-fit items beside it.
#pragma once

#include "model/plan/sFSParam.h"

#include <array>
#include <functional>

class CFahrzeug;
struct tagLGINFO;

class BlockierungsSuche
{
public:
    // The blocking value (daN) of a form-fit item; the items carry none yet, so callers give it.
    using Blockierwert = std::function<int(const tagLGINFO*)>;

    struct Rechteck
    {
        double x = 0.0, y = 0.0, dLaenge = 0.0, dBreite = 0.0;
    };

    // The part of the neighbour's extent across side nSeite (1 and 3: along x; 0 and 2: across) that
    // the rectangle x1..x2, y1..y2 covers, as a fraction of that extent (0 without overlap). A
    // neighbour turned by other than a multiple of 90 degrees has no such extent: -1, it does not block.
    static double CalcContactRatio(double x1, double y1, double x2, double y2, const tagLGINFO& nachbar,
                                   int nSeite);

    // The four blocking records of the unit's box on a usable area of dLu x dWu metres, in direction
    // order 0..3, examined forward, rearward, side y = 0, side y = width: a wall the box touches blocks
    // with its value (nWand: front, side y = 0, rear, side y = width) times the covered fraction of the
    // wall; else a form-fit item touching that side (CLadeflaechenPlatzierung::CalcFSParam) with its value
    // times the contact ratio; an item whose contact is no more than rounding (a corner) does not block.
    // Answers whether any direction is blocked.
    static bool FindBlocking(const Rechteck& box, double dLu, double dWu, const std::array<int, 4>& nWand,
                             const CFahrzeug* pFahrzeug, const Blockierwert& wert,
                             std::array<sFSParam, 4>& fs);
};
