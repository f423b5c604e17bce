// Whether marked loads may be formed into one load unit: flush together and of one height.
#pragma once

#include <functional>
#include <vector>

struct tagLGINFO;

class EinheitBildung
{
public:
    // The view's conversion of metres into pixels at its zoom; the footprints are compared in pixels.
    using MeterZuPixel = std::function<int(double)>;

    // The allowed difference between the footprints' area and their bounding rectangle's (3.75 %).
    static constexpr double kFlaechenToleranz = 0.075 / 2.0;
    // The allowed difference of the loads' top heights, metres.
    static constexpr double kHoehenToleranz = 0.02;

    // True when the loads' footprints (length and width swapped for a load turned by 90 or 270 degrees)
    // add up to the area of their common bounding rectangle within the tolerance, strictly, and their
    // tops differ by at most kHoehenToleranz. No loads, or a rectangle without area, do not qualify.
    static bool KannBilden(const std::vector<const tagLGINFO*>& loads, const MeterZuPixel& meterZuPixel);
};
