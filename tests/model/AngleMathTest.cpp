// Bearings, angle differences and fitting sizes.
#include "model/base/AngleMath.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(AngleMathTest, ConstantsAreTheSinglePrecisionValues)
{
    EXPECT_EQ(PI_SINGLE, 3.1415927410125732);
    EXPECT_EQ(HALF_PI_SINGLE, 1.5707963705062866);
    EXPECT_EQ(THREE_HALF_PI_SINGLE, 4.71238911151886);
    EXPECT_EQ(TWO_PI_SINGLE, 6.2831854820251465);
}

TEST(AngleMathTest, BearingPointsZeroToMinusYAndTurnsClockwiseOnScreen)
{
    struct Case
    {
        double x2, y2, bearing, length;
    };
    const double a = 0.4636476090008061; // atan(1/2)
    const Case cases[] = {
        {0, -1, 0.0, 1.0},
        {1, 0, 1.5707963705062866, 1.0},
        {0, 1, 3.1415927410125732, 1.0},
        {-1, 0, 4.71238911151886, 1.0},
        {0, 0, 4.71238911151886, 0.0}, // a point to itself
        {1, -2, a, std::sqrt(5.0)},    // quadrant dx > 0, dy < 0
        {1, 2, PI_SINGLE - a, std::sqrt(5.0)},
        {-1, 2, PI_SINGLE + a, std::sqrt(5.0)},
        {-1, -2, TWO_PI_SINGLE - a, std::sqrt(5.0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "to (" << c.x2 << ", " << c.y2 << ")");
        double length = -1;
        EXPECT_DOUBLE_EQ(CalcBearing(0, 0, c.x2, c.y2, &length), c.bearing);
        EXPECT_DOUBLE_EQ(length, c.length);
        EXPECT_DOUBLE_EQ(CalcBearing(10, 20, 10 + c.x2, 20 + c.y2), c.bearing);
    }
}

TEST(AngleMathTest, AngleDifferenceFoldsIntoZeroToPi)
{
    struct Case
    {
        double a, b, diff, tolerance;
    };
    const double twoPi = 6.283185307179586;
    const Case cases[] = {
        {0.1, twoPi - 0.1, 0.20000017484555954, 1e-12}, // single-precision 2 pi shows in the result
        {0.0, HALF_PI_SINGLE, HALF_PI_SINGLE, 1e-15},
        {HALF_PI_SINGLE, 0.0, HALF_PI_SINGLE, 1e-15},
        {0.0, PI_SINGLE, PI_SINGLE, 1e-15},
        {-HALF_PI_SINGLE, HALF_PI_SINGLE, PI_SINGLE, 1e-12},
        {5 * TWO_PI_SINGLE + 0.3, 0.1, 0.2, 1e-9}, // whole turns drop out
        {-0.1, 0.1, 0.2, 1e-12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a << " vs " << c.b);
        EXPECT_NEAR(CalcAngleDiff(c.a, c.b), c.diff, c.tolerance);
    }
}

TEST(AngleMathTest, FitSizeKeepsTheAspectAndCutsFractions)
{
    struct Case
    {
        int sw, sh, bw, bh;
        bool noEnlarging;
        int w, h;
    };
    const Case cases[] = {
        {100, 50, 200, 200, false, 200, 100},
        {100, 50, 200, 200, true, 100, 50}, // would grow: keep the source
        {50, 100, 200, 200, false, 100, 200},
        {300, 200, 125, 80, true, 120, 80}, // higher than the box: fit the height
        {200, 300, 64, 64, true, 42, 64},   // 64 / 1.5 = 42.67 cut to 42
        {3, 1, 10, 3, false, 9, 3},         // 3 / (1/3) in single precision is exactly 9
        {64, 64, 64, 64, true, 64, 64},     // equal ratios give the box
        {0, 50, 200, 200, false, 0, 0},     // no area
        {100, 50, 0, 200, false, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.sw << "x" << c.sh << " into " << c.bw << "x" << c.bh);
        int w = -1, h = -1;
        FitSizeKeepAspect(c.sw, c.sh, c.bw, c.bh, c.noEnlarging, w, h);
        EXPECT_EQ(w, c.w);
        EXPECT_EQ(h, c.h);
    }
}

} // namespace
