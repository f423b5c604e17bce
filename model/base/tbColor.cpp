// Conversions of a float colour to and from its 32-bit form.
#include "model/base/tbColor.h"

#include <algorithm>
#include <cmath>

namespace {
std::uint32_t ToByte(float f)
{
    // NaN counts as 0.
    const float clamped = f >= 0.0f ? std::min(f, 1.0f) : 0.0f;
    return static_cast<std::uint32_t>(std::lround(clamped * 255.0f));
}
float FromByte(std::uint32_t argb, int shift)
{
    return static_cast<float>((argb >> shift) & 0xFFu) / 255.0f;
}
} // namespace

tbColor tbColor::FromARGB(std::uint32_t argb)
{
    return {FromByte(argb, 16), FromByte(argb, 8), FromByte(argb, 0), FromByte(argb, 24)};
}

std::uint32_t tbColor::ToARGB() const
{
    return ToByte(a) << 24 | ToByte(r) << 16 | ToByte(g) << 8 | ToByte(b);
}
