// Whole centimetres of the loading plan: metre rectangles as integer rectangles, and their overlap test
// with exclusive right and bottom edges, so that loads lying edge to edge never overlap.
#pragma once

struct PlanGridRect
{
    int left = 0;
    int top = 0;
    int right = 0;  // exclusive
    int bottom = 0; // exclusive

    bool IsEmpty() const { return left >= right || top >= bottom; }
    bool operator==(const PlanGridRect&) const = default;
};

// One micrometre, added before rounding down so that a value a hair below a whole centimetre counts as
// that centimetre.
inline constexpr double kPlanGridRundung = 1e-6;

// floor((v + 1e-6) * 100) of the four edges of (x, y, x + dx, y + dy).
PlanGridRect PlanToGridRect(double x, double y, double dx, double dy);

// True when the two rectangles share an area; `pOut` gets the shared part (empty when there is none).
// An empty rectangle shares nothing.
bool IntersectGridRect(const PlanGridRect& a, const PlanGridRect& b, PlanGridRect* pOut = nullptr);
