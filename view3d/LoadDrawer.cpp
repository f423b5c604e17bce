// Placed loads on the load area: footprint from the load's position and extents, a model per type.
#include "view3d/LoadDrawer.h"

#include "model/plan/CAnschlagpunkt.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/tagLGINFO.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CZurrpunkt.h"
#include "model/vehicle/CZurrschiene.h"
#include "platform/gl/IRenderDevice.h"
#include "view3d/CFahrzeug3D.h"
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

std::optional<LoadDrawer::Lashing> LoadDrawer::MakeLashing(const tbVector3& from, const tbVector3& to)
{
    const tbVector3 d = to - from;
    const float length = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
    if (!std::isfinite(length) || length <= 0.0f)
        return std::nullopt;
    Lashing lashing;
    lashing.from = from;
    lashing.to = to;
    lashing.length = length;
    lashing.slope = std::atan2(d.y, std::sqrt(d.x * d.x + d.z * d.z));
    // Rows: where the model's x, y and z axes go. Its -z goes along the lashing.
    const tbVector3 z = d / -length;
    tbVector3 x{z.z, 0.0f, -z.x}; // up × z
    const float across = std::sqrt(x.x * x.x + x.z * x.z);
    x = across > 1e-6f ? x / across : tbVector3{1.0f, 0.0f, 0.0f};
    const tbVector3 y{z.y * x.z - z.z * x.y, z.z * x.x - z.x * x.z, z.x * x.y - z.y * x.x};
    tbMatrix r = tbMatrixIdentity();
    const tbVector3 rows[3] = {x, y, z};
    for (int i = 0; i < 3; ++i) {
        r.m[i][0] = rows[i].x;
        r.m[i][1] = rows[i].y;
        r.m[i][2] = rows[i].z;
    }
    lashing.rotation = r;
    return lashing;
}

int LoadDrawer::ChainLinkCount(float length)
{
    const float n = (length - CHAIN_FIRST_LINK - CHAIN_HOOK_LENGTH - CHAIN_HOOK_TIP) / CHAIN_PITCH;
    // A small allowance keeps a length that is a whole number of pitches from losing its last link to
    // rounding.
    return std::isfinite(n) && n > 0.0f ? static_cast<int>(std::floor(n + 1e-4f)) : 0;
}

void LoadDrawer::ClampZurrpunktPos(double length, double width, double x, double y, double z, double* outX,
                                   double* outY, double* outZ)
{
    const auto clamp = [](double v, double low, double high) {
        return v < low ? low : (v > high ? high : v);
    };
    if (outX)
        *outX = clamp(x, MARKER_HALF_LENGTH, length - MARKER_HALF_LENGTH);
    if (outY)
        *outY = clamp(y, MARKER_HALF_WIDTH, width - MARKER_HALF_WIDTH);
    if (outZ)
        *outZ = z;
}

int LoadDrawer::DrawStrap(IRenderDevice& device, const Lashing& lashing, const LoadArea& area, bool opaque,
                          bool blended)
{
    if (!opaque)
        return 0;
    const tbVector3 along = (lashing.to - lashing.from) / lashing.length;
    const auto place = [&](const tbVector3& scale, const tbVector3& at) {
        tbMatrix world = tbMatrixScaling(scale) * lashing.rotation * tbMatrixTranslation(at);
        if (area.a)
            world = world * *area.a;
        if (area.b)
            world = world * *area.b;
        return world;
    };
    if (Draw(device, MODEL_STRAP, place({1, 1, lashing.length}, lashing.from), opaque, blended) != 0 ||
        Draw(device, MODEL_STRAP_HOOK, place({1, 1, 1}, lashing.from), opaque, blended) != 0 ||
        Draw(device, MODEL_STRAP_HOOK, place({1, 1, 1}, lashing.to), opaque, blended) != 0)
        return 1;
    return Draw(device, MODEL_RATCHET, place({1, 1, 1}, lashing.from + along * 0.01f), opaque, blended);
}

int LoadDrawer::DrawChain(IRenderDevice& device, const Lashing& lashing, const LoadArea& area, bool opaque,
                          bool blended)
{
    if (!opaque)
        return 0;
    const tbVector3 along = (lashing.to - lashing.from) / lashing.length;
    const auto at = [&](float s) {
        tbMatrix world = lashing.rotation * tbMatrixTranslation(lashing.from + along * s);
        if (area.a)
            world = world * *area.a;
        if (area.b)
            world = world * *area.b;
        return world;
    };
    const int links = ChainLinkCount(lashing.length);
    const float afterLinks = CHAIN_FIRST_LINK + static_cast<float>(links) * CHAIN_PITCH;
    const struct
    {
        int model;
        float s;
    } pieces[] = {
        {MODEL_LASHING_EYE, 0.0f},
        {MODEL_TENSIONER, 0.0f},
        {MODEL_CHAIN_END_LINK, CHAIN_FIRST_LINK - 0.08f},
    };
    for (const auto& piece : pieces)
        if (Draw(device, piece.model,
                 piece.model == MODEL_LASHING_EYE ? Eye(lashing.from, area) : at(piece.s), opaque,
                 blended) != 0)
            return 1;
    for (int i = 0; i < links; ++i)
        if (Draw(device, MODEL_CHAIN_LINK, at(CHAIN_FIRST_LINK + static_cast<float>(i) * CHAIN_PITCH), opaque,
                 blended) != 0)
            return 1;
    if (links > 0 && Draw(device, MODEL_CHAIN_MIDDLE_LINK, at(afterLinks), opaque, blended) != 0)
        return 1;
    if (Draw(device, MODEL_CHAIN_HOOK, at(lashing.length - CHAIN_HOOK_LENGTH), opaque, blended) != 0)
        return 1;
    return Draw(device, MODEL_ATTACHMENT, at(lashing.length), opaque, blended);
}

tbMatrix LoadDrawer::Eye(const tbVector3& at, const LoadArea& area)
{
    return World({1, 1, 1}, 0.0f, at, area);
}

tbVector3 LoadDrawer::PlanPoint(const LoadArea& area, double x, double y, double height)
{
    return tbVector3{static_cast<float>(area.width * 0.5 - area.sideOffset - y),
                     static_cast<float>(area.FloorHeight() + height),
                     static_cast<float>(-(area.sceneOffset + area.start + x))};
}

bool LoadDrawer::UnitFootprint(const CLadeeinheit& unit, const LoadArea& area, double* x, double* y,
                               double* length, double* width)
{
    double ux = 0.0, uy = 0.0, ul = 0.0, uw = 0.0;
    unit.GetRechteck(&ux, &uy, &ul, &uw);
    if (!std::isfinite(ux) || !std::isfinite(uy) || !std::isfinite(ul) || !std::isfinite(uw))
        return false;
    // Neither starting before the load area nor ending beyond it.
    const double x0 = std::max(0.0, ux), x1 = std::min(area.length, ux + ul);
    const double y0 = std::max(0.0, uy), y1 = std::min(area.width, uy + uw);
    if (x1 <= x0 || y1 <= y0)
        return false;
    *x = x0;
    *y = y0;
    *length = x1 - x0;
    *width = y1 - y0;
    return true;
}

int LoadDrawer::DrawLadeeinheiten(IRenderDevice& device, const std::list<CLadeeinheit*>& units,
                                  const LoadArea& area, bool opaque, bool blended)
{
    for (const CLadeeinheit* unit : units) {
        if (unit == nullptr || unit->m_bVorhanden == 0)
            continue;
        double x = 0.0, y = 0.0, l = 0.0, w = 0.0;
        if (!UnitFootprint(*unit, area, &x, &y, &l, &w))
            continue;
        const float height = NonNegative(unit->m_dHoehe);
        if (opaque && CFahrzeug3D::GetLgSichgValue(unit) != 0) {
            // A mat under the front and one under the rear part of the footprint.
            const double part = l * MAT_SHARE;
            for (const double start : {x, x + l - part}) {
                const tbVector3 at = PlanPoint(area, start + part * 0.5, y + w * 0.5, 0.0);
                if (Draw(device, MODEL_MAT,
                         World({static_cast<float>(w), MAT_THICKNESS, static_cast<float>(part)}, 0.0f, at,
                               area),
                         true, false) != 0)
                    return 1;
            }
        }
        if (blended && height > 0.0f) {
            const tbVector3 at = PlanPoint(area, x + l * 0.5, y + w * 0.5, 0.0);
            if (Draw(device, MODEL_UNIT_BODY,
                     World({static_cast<float>(w), height, static_cast<float>(l)}, 0.0f, at, area), false,
                     true) != 0)
                return 1;
        }
        if (DrawZurrmittel(device, *unit, area, CFahrzeug3D::IsLgSichgFlagSet(unit) != 0, opaque, blended) !=
            0)
            return 1;
    }
    return 0;
}

int LoadDrawer::DrawZurrmittel(IRenderDevice& device, const CLadeeinheit& unit, const LoadArea& area,
                               bool chains, bool opaque, bool blended)
{
    // The pieces every lashing needs: without them nothing of the unit's lashing is drawn.
    const DeviceModel* probe = nullptr;
    for (const int model : {MODEL_STRAP_HOOK, MODEL_STRAP, MODEL_TENSIONER})
        if (m_cache.GetModell(model, &probe) != 0 || probe == nullptr)
            return 1;
    for (int corner = 0; corner < 4; ++corner) {
        const CAnschlagpunkt* anschlag = unit.GetAnschlagpunkt(corner);
        CZurrpunkt* punkt = anschlag ? anschlag->GetZurrpunkt(0) : nullptr;
        double ax = 0.0, ay = 0.0, az = 0.0;
        if (punkt == nullptr || !unit.GetAnschlagpunktPosVersetzt(corner, 0.0, 0.0, 0.0, &ax, &ay, &az))
            continue;
        double px = 0.0, py = 0.0, pz = 0.0;
        ClampZurrpunktPos(area.length, area.width, punkt->GetPosX(), punkt->GetPosY(), punkt->m_dHoehe, &px,
                          &py, &pz);
        const std::optional<Lashing> lashing =
            MakeLashing(PlanPoint(area, px, py, pz), PlanPoint(area, ax, ay, az));
        if (!lashing)
            continue;
        const int result = chains ? DrawChain(device, *lashing, area, opaque, blended)
                                  : DrawStrap(device, *lashing, area, opaque, blended);
        if (result != 0)
            return 1;
    }
    return 0;
}

int LoadDrawer::DrawZurrschienen(IRenderDevice& device, CFahrzeug& vehicle, const LoadArea& area)
{
    for (const CZurrschiene* rail : vehicle.GetZurrschienen()) {
        if (rail == nullptr)
            continue;
        const double across = rail->GetSeitenAbstand(area.width);
        const double start = std::max(0.0, rail->GetAnfang());
        const double end = area.length - std::max(0.0, rail->GetEndAbstand());
        const double thickness = std::max(static_cast<double>(RAIL_MIN_THICKNESS), rail->m_dWeitereWerte[2]);
        if (across < 0.0 || end <= start || !std::isfinite(across) || !std::isfinite(thickness))
            continue;
        // Kept inside the load area by half its thickness, as the lashing points are.
        const double y =
            std::clamp(across, thickness * 0.5, std::max(thickness * 0.5, area.width - thickness * 0.5));
        const tbVector3 at = PlanPoint(area, start, y, 0.0);
        if (Draw(device, MODEL_RAIL,
                 World({static_cast<float>(thickness), RAIL_HEIGHT, static_cast<float>(end - start)}, 0.0f,
                       at, area),
                 true, false) != 0)
            return 1;
    }
    return 0;
}

int LoadDrawer::DrawZurrpunkte(IRenderDevice& device, CFahrzeug& vehicle, const LoadArea& area)
{
    for (CZurrpunkt* punkt : vehicle.GetZurrpunktListe()) {
        if (punkt == nullptr)
            continue;
        double x = 0.0, y = 0.0, z = 0.0;
        ClampZurrpunktPos(area.length, area.width, punkt->GetPosX(), punkt->GetPosY(), punkt->m_dHoehe, &x,
                          &y, &z);
        if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z))
            continue;
        const int model = (vehicle.IsZurrpunktBelegt(punkt, nullptr, true, 0) ||
                           vehicle.IsZurrpunktBelegt(punkt, nullptr, false, 0))
                              ? MODEL_POINT_USED
                              : MODEL_POINT_FREE;
        if (Draw(device, model, World({1, 1, 1}, 0.0f, PlanPoint(area, x, y, z), area), true, false) != 0)
            return 1;
    }
    return 0;
}
