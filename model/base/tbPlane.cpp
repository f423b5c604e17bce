// Planes built from a point and a normal or from three points.
#include "model/base/tbPlane.h"

tbPlane tbPlane::FromPointNormal(const tbVector3& point, const tbVector3& normal)
{
    const tbVector3 unit = tbVector3Normalize(normal);
    return {unit, -tbVector3Dot(unit, point)};
}

tbPlane tbPlane::FromPoints(const tbVector3& a, const tbVector3& b, const tbVector3& c)
{
    // Left-handed: for a, b, c clockwise as seen from the front, (b - a) x (c - a) faces the viewer.
    return FromPointNormal(a, tbVector3Cross(b - a, c - a));
}
