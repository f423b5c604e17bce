// Length, dot and cross products and normalising of three-component vectors.
#include "model/base/tbVector3.h"

#include <cmath>

float tbVector3Length(const tbVector3& v)
{
    return std::sqrt(tbVector3Dot(v, v));
}

float tbVector3Dot(const tbVector3& a, const tbVector3& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

tbVector3 tbVector3Cross(const tbVector3& a, const tbVector3& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

tbVector3 tbVector3Normalize(const tbVector3& v)
{
    const float length = tbVector3Length(v);
    return length > 0.0f ? v / length : tbVector3{};
}
