// A colour of four floats (red, green, blue, alpha; 0 to 1) and its 32-bit form.
#pragma once

#include <cstdint>

struct tbColor
{
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 1.0f;

    // From a 32-bit colour 0xAARRGGBB.
    static tbColor FromARGB(std::uint32_t argb);
    // The 32-bit colour 0xAARRGGBB, each component clamped to 0 .. 1 and rounded.
    std::uint32_t ToARGB() const;
};

inline tbColor operator+(const tbColor& c, const tbColor& d)
{
    return {c.r + d.r, c.g + d.g, c.b + d.b, c.a + d.a};
}
inline tbColor operator-(const tbColor& c, const tbColor& d)
{
    return {c.r - d.r, c.g - d.g, c.b - d.b, c.a - d.a};
}
inline tbColor operator*(const tbColor& c, float f)
{
    return {c.r * f, c.g * f, c.b * f, c.a * f};
}
inline bool operator==(const tbColor& c, const tbColor& d)
{
    return c.r == d.r && c.g == d.g && c.b == d.b && c.a == d.a;
}
inline bool operator!=(const tbColor& c, const tbColor& d)
{
    return !(c == d);
}
