// The dashed 3D line: segments worked out along the line, then one line list on the device.
#include "draw2d/SGitter3D.h"

#include "platform/gl/IRenderDevice.h"

#include <algorithm>
#include <cmath>

namespace {

tbColor Lerp(const tbColor& a, const tbColor& b, float t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

} // namespace

bool SGitter3D::Create(float fMaxLength, float fPeriod)
{
    maxLength = fMaxLength;
    period = fPeriod;
    vertices.clear();
    capacity = 0;
    if (std::isfinite(fMaxLength) && std::isfinite(fPeriod) && fMaxLength >= 0.0f && fPeriod > 0.0f &&
        fMaxLength / fPeriod < 1.0e6f) {
        capacity = static_cast<int>(fMaxLength / fPeriod) * 4 + 4;
        vertices.assign(static_cast<std::size_t>(capacity), Vertex{});
    }
    used = 0;
    created = 1;
    return true;
}

bool SGitter3D::SetOptions(int bDashed, int nShortDash, int nLongDash)
{
    dashed = bDashed;
    nShort = nShortDash;
    nLong = nLongDash;
    return true;
}

bool SGitter3D::Fill(const tbVector3& a, const tbVector3& b, const tbColor& from, const tbColor& to)
{
    used = 0;
    if (created == 0 || vertices.empty())
        return false;
    const tbVector3 d = b - a;
    const float length = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
    if (!std::isfinite(length) || length > maxLength)
        return false;
    std::fill(vertices.begin(), vertices.end(), Vertex{});
    auto put = [&](const tbVector3& p, const tbColor& c) {
        vertices[static_cast<std::size_t>(2 * used)] = {p.x, p.y, p.z, c.ToARGB()};
    };
    if (dashed == 0) {
        vertices[0] = {a.x, a.y, a.z, from.ToARGB()};
        vertices[1] = {b.x, b.y, b.z, to.ToARGB()};
        used = 1;
        return true;
    }
    const int units = nShort + 2 + nLong;
    if (units <= 0 || nShort <= 0 || nLong <= 0)
        return false;
    const float unit = period / static_cast<float>(units);
    const tbVector3 dir = length > 0.0f ? (1.0f / length) * d : tbVector3{};
    float pos = 0.0f;
    for (bool longDash = false;; longDash = !longDash) {
        const float end = pos + static_cast<float>(longDash ? nLong : nShort) * unit;
        // Only whole dashes, and never more than the array holds.
        if (end >= length || 2 * used + 2 > capacity)
            break;
        put(a + pos * dir, Lerp(from, to, pos / length));
        vertices[static_cast<std::size_t>(2 * used + 1)] = {
            a.x + end * dir.x, a.y + end * dir.y, a.z + end * dir.z, Lerp(from, to, end / length).ToARGB()};
        ++used;
        pos = end + unit;
    }
    return used > 0;
}

bool SGitter3D::Render(IRenderDevice& device, const tbVector3& a, const tbVector3& b, const tbColor& from,
                       const tbColor& to)
{
    if (!Fill(a, b, from, to))
        return false;
    const int lighting = device.GetRenderState(RenderState::Lighting);
    const int vertexColour = device.GetRenderState(RenderState::ColorVertex);
    device.SetRenderState(RenderState::Lighting, 0);
    device.SetRenderState(RenderState::ColorVertex, 1);
    device.DrawPrimitive(PrimitiveType::LineList, VertexLayout::PositionColour, vertices.data(), used,
                         sizeof(Vertex));
    device.SetRenderState(RenderState::ColorVertex, vertexColour);
    device.SetRenderState(RenderState::Lighting, lighting);
    return true;
}
