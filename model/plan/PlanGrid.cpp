// Whole-centimetre rectangles of the loading plan.
#include "model/plan/PlanGrid.h"

#include <algorithm>
#include <cmath>

namespace {

int Zentimeter(double m)
{
    return static_cast<int>(std::floor((m + kPlanGridRundung) * 100.0));
}

} // namespace

PlanGridRect PlanToGridRect(double x, double y, double dx, double dy)
{
    return {Zentimeter(x), Zentimeter(y), Zentimeter(x + dx), Zentimeter(y + dy)};
}

bool IntersectGridRect(const PlanGridRect& a, const PlanGridRect& b, PlanGridRect* pOut)
{
    PlanGridRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                   std::min(a.bottom, b.bottom)};
    const bool bTeilen = !a.IsEmpty() && !b.IsEmpty() && !r.IsEmpty();
    if (pOut)
        *pOut = bTeilen ? r : PlanGridRect{};
    return bTeilen;
}
