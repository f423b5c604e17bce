// Placed loads on the load area: footprint from the load's position and extents, a model per type.
#include "view3d/LoadDrawer.h"

#include "model/plan/tagLGINFO.h"
#include "platform/gl/IRenderDevice.h"
#include "view3d/ModelCache.h"

#include <cmath>
#include <numbers>

namespace {

bool Finite(const tagLGINFO& load)
{
    return std::isfinite(load.m_dLaenge) && std::isfinite(load.m_dBreite) && std::isfinite(load.m_dHoehe) &&
           std::isfinite(load.m_dPosX) && std::isfinite(load.m_dPosY);
}

float NonNegative(double v)
{
    return v > 0.0 ? static_cast<float>(v) : 0.0f;
}

} // namespace

int LoadDrawer::RowPalletCount(int type)
{
    switch (type) {
    case 8:
    case 9:
        return 1;
    case 10:
    case 11:
        return 2;
    case 12:
        return 3;
    default:
        return 0;
    }
}

float LoadDrawer::RowPalletLength(int type)
{
    if (type == 9 || type == 10)
        return 1.2f;
    return RowPalletCount(type) > 0 ? 0.8f : 0.0f;
}

tbVector3 LoadDrawer::FootprintCentre(const tagLGINFO& load, const LoadArea& area)
{
    const double along = load.GetDimX();
    const double across = load.GetDimY();
    const double z = -(area.sceneOffset + area.start + load.m_dPosX + along * 0.5);
    const double x = (area.width - across) * 0.5 - area.sideOffset - load.m_dPosY;
    return tbVector3{static_cast<float>(x), static_cast<float>(area.FloorHeight()), static_cast<float>(z)};
}

tbMatrix LoadDrawer::World(const tbVector3& scale, float yaw, const tbVector3& at, const LoadArea& area)
{
    tbMatrix world = tbMatrixScaling(scale) * tbMatrixRotationY(yaw) * tbMatrixTranslation(at);
    if (area.a)
        world = world * *area.a;
    if (area.b)
        world = world * *area.b;
    return world;
}

int LoadDrawer::Draw(IRenderDevice& device, int model, const tbMatrix& world, bool opaque, bool blended)
{
    const DeviceModel* m = nullptr;
    if (m_cache.GetModell(model, &m) != 0 || !m)
        return 1;
    device.SetTransform(TransformKind::World, world);
    device.DrawModel(*m, IRenderDevice::ALL_PARTS, IRenderDevice::ALL_PARTS, opaque, blended);
    return 0;
}

int LoadDrawer::DrawLadungen(IRenderDevice& device, const std::list<tagLGINFO*>& loads, const LoadArea& area,
                             bool opaque, bool blended)
{
    for (const tagLGINFO* load : loads)
        if (load && DrawLadung(device, *load, area, opaque, blended) != 0)
            return 1;
    return 0;
}

int LoadDrawer::DrawLadung(IRenderDevice& device, const tagLGINFO& load, const LoadArea& area, bool opaque,
                           bool blended)
{
    if (load.GetDimX() < 0.0 || !Finite(load))
        return 0;
    const bool formFit = load.m_nTyp == 5 || load.m_nTyp == 6;
    // Form-fit items are see-through and belong to the blended pass; everything else to the opaque one.
    if (formFit ? !blended : !opaque)
        return 0;
    const float yaw = static_cast<float>(load.m_nDrehung) * std::numbers::pi_v<float> / 180.0f;
    const tbVector3 centre = FootprintCentre(load, area);
    const float length = NonNegative(load.m_dLaenge);
    const float width = NonNegative(load.m_dBreite);
    const float height = NonNegative(load.m_dHoehe);

    switch (load.m_nTyp) {
    case 0: {
        if (Draw(device, MODEL_PALLET, World({1, 1, 1}, yaw, centre, area), opaque, blended) != 0)
            return 1;
        const float carton = height - PALLET_HEIGHT;
        if (carton <= 0.0f || length <= 0.0f || width <= 0.0f)
            return 0;
        return Draw(device, MODEL_CARTON,
                    World({width, carton, length}, yaw, centre + tbVector3{0, PALLET_HEIGHT, 0}, area),
                    opaque, blended);
    }
    case 2:
        return Draw(device, MODEL_MESH_BOX, World({1, 1, 1}, yaw, centre, area), opaque, blended);
    case 5:
    case 6: {
        const float h = height - 0.001f;
        if (h <= 0.0f || length <= 0.0f || width <= 0.0f)
            return 0;
        return Draw(device, load.m_nTyp == 5 ? MODEL_FORM_FIT_VARIABLE : MODEL_FORM_FIT,
                    World({width, h, length}, yaw, centre, area), opaque, blended);
    }
    case 8:
    case 9:
    case 10:
    case 11:
    case 12: {
        const int count = RowPalletCount(load.m_nTyp);
        const float step = RowPalletLength(load.m_nTyp);
        // The row runs along the load's length; its pallets stand upright, their long side along the row
        // for 1.2 m pallets and across it for 0.8 m ones.
        const bool rowAlongVehicle = load.m_nDrehung == 0 || load.m_nDrehung == 180;
        const float palletYaw = (step > 1.0f) == rowAlongVehicle ? 0.0f : std::numbers::pi_v<float> / 2;
        for (int i = 0; i < count; ++i) {
            const float offset = (static_cast<float>(i) - static_cast<float>(count - 1) * 0.5f) * step;
            const tbVector3 at =
                centre + (rowAlongVehicle ? tbVector3{0, 0, offset} : tbVector3{offset, 0, 0});
            if (Draw(device, MODEL_PALLET, World({1, 1, 1}, palletYaw, at, area), opaque, blended) != 0)
                return 1;
        }
        const float body = height - PALLET_HEIGHT;
        if (body <= 0.0f || length <= 0.0f || width <= 0.0f)
            return 0;
        return Draw(device, MODEL_FORM_FIT,
                    World({width + 0.002f, body, length + 0.002f}, yaw,
                          centre + tbVector3{0, PALLET_HEIGHT, 0}, area),
                    opaque, blended);
    }
    default:
        if (length <= 0.0f || width <= 0.0f || height <= 0.0f)
            return 0;
        return Draw(device, MODEL_CRATE, World({width, height, length}, yaw, centre, area), opaque, blended);
    }
}

int LoadDrawer::DrawLadeflaeche(IRenderDevice& device, const LoadArea& area, bool opaque, bool blended)
{
    const float width = std::isfinite(area.width) ? NonNegative(area.width) : 0.0f;
    const float length = std::isfinite(area.length) ? NonNegative(area.length) : 0.0f;
    const double front = -(area.sceneOffset + area.start);
    const double middle = -area.sideOffset;
    if (!std::isfinite(front) || !std::isfinite(middle))
        return 0;
    const float inset = 0.001f + WALL_THICKNESS * WALL_THICKNESS_SCALE * 0.5f;
    const float y = static_cast<float>(area.FloorHeight());
    const float zFront = static_cast<float>(front) - inset;
    const float zEnd = static_cast<float>(front) - length + inset;
    const float zMiddle = static_cast<float>(front) - length * 0.5f;
    const float x = static_cast<float>(middle);
    const float halfWidth = width * 0.5f - inset;
    struct Wall
    {
        float span;
        float yaw;
        tbVector3 at;
    };
    const Wall walls[] = {
        {width, 0.0f, {x, y, zFront}},
        {length, std::numbers::pi_v<float> / 2, {x + halfWidth, y, zMiddle}},
        {length, std::numbers::pi_v<float> / 2, {x - halfWidth, y, zMiddle}},
        {width, 0.0f, {x, y, zEnd}},
    };
    for (const Wall& wall : walls) {
        if (wall.span <= 0.0f)
            continue;
        if (Draw(device, MODEL_WALL,
                 World({wall.span, WALL_HEIGHT, WALL_THICKNESS_SCALE}, wall.yaw, wall.at, area), opaque,
                 blended) != 0)
            return 1;
    }
    return 0;
}
