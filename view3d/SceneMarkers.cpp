// Marker, area and label numbers with their guards against empty or mirrored values.
#include "view3d/SceneMarkers.h"

#include "platform/gl/IRenderDevice.h"
#include "view3d/CFahrzeug3D.h"

#include <algorithm>
#include <cmath>
#include <numbers>

std::optional<float> SceneMarkers::MarkerLift(float m, float M, bool van)
{
    if (!(M > 0.0f) || !std::isfinite(M) || !std::isfinite(m))
        return std::nullopt;
    return FullHeight(van) * m / M;
}

float SceneMarkers::LateralLimit(float W, float c1, float c2, float m)
{
    const float half = std::isfinite(W) ? std::max(W * 0.5f, 0.0f) : 0.0f;
    if (!(m > 0.0f) || !std::isfinite(m))
        return half;
    const float limit = (c1 - c2 * m) / m;
    if (!std::isfinite(limit))
        return half;
    return std::clamp(limit, 0.0f, half);
}

tbColor SceneMarkers::MarkerColour(bool overloaded, float distanceAcross, float W, float c1, float c2,
                                   float m)
{
    if (overloaded)
        return CFahrzeug3D::LABEL_COLOUR_2;
    return std::fabs(distanceAcross) < LateralLimit(W, c1, c2, m) ? CFahrzeug3D::LABEL_COLOUR_1
                                                                  : CFahrzeug3D::LABEL_COLOUR_3;
}

std::optional<tbMatrix> SceneMarkers::AreaWorld(float m, float M, float W, float c1, float c2, float start,
                                                float end, float originZ, float p1, bool van)
{
    if (!(m > 0.0f) || !std::isfinite(m))
        return std::nullopt;
    const std::optional<float> h = MarkerLift(m, M, van);
    // A mirrored area (c1 - c2 × m below 0) has no width.
    const float lateral = (c1 - c2 * m) / m;
    const float w = std::min(std::isfinite(W) ? W : 0.0f, std::isfinite(lateral) ? 2.0f * lateral : 0.0f);
    const float l = end - start;
    if (!h || !(*h > 0.0f) || !(w > 0.0f) || !(l > 0.0f) || !std::isfinite(l) || !std::isfinite(originZ) ||
        !std::isfinite(p1))
        return std::nullopt;
    const float y = van ? 0.78f : 1.18f + 0.01f;
    const float z = originZ - p1 - start - l * 0.5f;
    return tbMatrixScaling({w, *h, l}) * tbMatrixTranslation({0.0f, y, z});
}

std::optional<tbColor> SceneMarkers::LabelColour(float load, float permissible)
{
    if (!(permissible > 0.0f) || !std::isfinite(permissible) || !std::isfinite(load))
        return std::nullopt;
    const float t = 1.0f - (1.0f - load / permissible) / 0.05f;
    if (t < 0.0f)
        return CFahrzeug3D::LABEL_COLOUR_1;
    if (t >= 1.0f)
        return CFahrzeug3D::LABEL_COLOUR_2;
    if (t < 0.5f)
        return LerpColor(CFahrzeug3D::LABEL_COLOUR_1, CFahrzeug3D::LABEL_COLOUR_3, t * 2.0f);
    return LerpColor(CFahrzeug3D::LABEL_COLOUR_3, CFahrzeug3D::LABEL_COLOUR_2, (t - 0.5f) * 2.0f);
}

void SceneMarkers::DrawMarker(IRenderDevice& device, const DeviceModel& model, const tbVector3& position,
                              const tbColor& colour)
{
    device.SetTransform(TransformKind::World, tbMatrixScaling({0.5f, 0.5f, 0.5f}) *
                                                  tbMatrixRotationY(std::numbers::pi_v<float> / 2) *
                                                  tbMatrixTranslation(position));
    device.DrawModel(model, 0, 0, true, true, &colour);
    device.SetTransform(TransformKind::World,
                        tbMatrixScaling({0.51f, 0.51f, 0.51f}) * tbMatrixTranslation(position));
    device.DrawModel(model, 0, 0, true, true, &colour);
    device.DrawModel(model, 1, 1, true, true, &colour);
}
