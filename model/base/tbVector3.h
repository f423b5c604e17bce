// A vector of three 32-bit floats with the arithmetic the 3D code needs.
#pragma once

struct tbVector3
{
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

inline tbVector3 operator+(const tbVector3& a, const tbVector3& b)
{
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline tbVector3 operator-(const tbVector3& a, const tbVector3& b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline tbVector3 operator-(const tbVector3& v)
{
    return {-v.x, -v.y, -v.z};
}
inline tbVector3 operator*(const tbVector3& v, float f)
{
    return {v.x * f, v.y * f, v.z * f};
}
inline tbVector3 operator*(float f, const tbVector3& v)
{
    return v * f;
}
inline tbVector3 operator/(const tbVector3& v, float f)
{
    return {v.x / f, v.y / f, v.z / f};
}
inline tbVector3& operator+=(tbVector3& a, const tbVector3& b)
{
    return a = a + b;
}
inline tbVector3& operator-=(tbVector3& a, const tbVector3& b)
{
    return a = a - b;
}
inline tbVector3& operator*=(tbVector3& v, float f)
{
    return v = v * f;
}
inline bool operator==(const tbVector3& a, const tbVector3& b)
{
    return a.x == b.x && a.y == b.y && a.z == b.z;
}
inline bool operator!=(const tbVector3& a, const tbVector3& b)
{
    return !(a == b);
}

float tbVector3Length(const tbVector3& v);
float tbVector3Dot(const tbVector3& a, const tbVector3& b);
tbVector3 tbVector3Cross(const tbVector3& a, const tbVector3& b);
// The vector divided by its length; the zero vector stays zero.
tbVector3 tbVector3Normalize(const tbVector3& v);
