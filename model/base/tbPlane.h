// A plane a x + b y + c z + d = 0 given by its normal (a, b, c) and d.
#pragma once

#include "model/base/tbVector3.h"

struct tbPlane
{
    tbVector3 n;
    float d = 0.0f;

    // The plane through `point` with the normal `normal` (normalised).
    static tbPlane FromPointNormal(const tbVector3& point, const tbVector3& normal);
    // The plane through three points; its normal follows the clockwise order of a front face.
    static tbPlane FromPoints(const tbVector3& a, const tbVector3& b, const tbVector3& c);
    // Signed distance of `point` from the plane (for a normalised normal), positive on the normal's side.
    float DotCoords(const tbVector3& point) const { return tbVector3Dot(n, point) + d; }
};
