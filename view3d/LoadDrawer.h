// Draws the placed loads of a plan on a vehicle's load area: pallets with cartons, mesh boxes, crates,
// form-fit items and pallet rows, each from the cached models.
#pragma once

#include "model/base/tbMatrix.h"

#include <list>
#include <optional>

class CFahrzeug;
class CLadeeinheit;
class IRenderDevice;
class ModelCache;
struct tagLGINFO;

class LoadDrawer
{
public:
    // Where the load area lies in the scene; the vehicle scene fills it from the vehicle.
    struct LoadArea
    {
        double sceneOffset = 0.0; // the vehicle's offset in the scene along z
        double start = 0.0;       // the load area's start behind that offset
        double sideOffset = 0.0;  // the vehicle's side offset across
        double width = 0.0;       // the load area's width
        double length = 0.0;      // the load area's length
        bool van = false;         // the van's lowered floor
        // Matrices that end every world matrix, when given.
        std::optional<tbMatrix> a;
        std::optional<tbMatrix> b;

        double FloorHeight() const { return (van ? 0.78 : 1.18) + 0.001; }
    };

    // Model indices of the cache.
    static constexpr int MODEL_MESH_BOX = 21;
    static constexpr int MODEL_PALLET = 22;
    static constexpr int MODEL_CRATE = 37;
    static constexpr int MODEL_FORM_FIT = 46;
    static constexpr int MODEL_CARTON = 47;
    static constexpr int MODEL_WALL = 48;
    static constexpr int MODEL_FORM_FIT_VARIABLE = 50;
    static constexpr int MODEL_RATCHET = 34;
    static constexpr int MODEL_STRAP_HOOK = 35;
    static constexpr int MODEL_STRAP = 36;
    static constexpr int MODEL_CHAIN_LINK = 40;
    static constexpr int MODEL_TENSIONER = 41;
    static constexpr int MODEL_CHAIN_HOOK = 42;
    static constexpr int MODEL_CHAIN_END_LINK = 43;
    static constexpr int MODEL_CHAIN_MIDDLE_LINK = 44;
    static constexpr int MODEL_LASHING_EYE = 52;
    static constexpr int MODEL_ATTACHMENT = 53;
    static constexpr int MODEL_MAT = 38;
    static constexpr int MODEL_UNIT_BODY = 49;
    static constexpr int MODEL_RAIL = 45;
    static constexpr int MODEL_POINT_USED = 39;
    static constexpr int MODEL_POINT_FREE = 51;
    // Anti-skid mats: their thickness and the share of the unit's length each of the two covers.
    static constexpr float MAT_THICKNESS = 0.05f;
    static constexpr float MAT_SHARE = 0.25f;
    // A lashing rail is at least this thick and this high.
    static constexpr float RAIL_MIN_THICKNESS = 0.05f;
    static constexpr float RAIL_HEIGHT = 0.02f;
    static constexpr float PALLET_HEIGHT = 0.144f;
    // A chain: tensioner and end link before the first link, the link pitch, and what follows the last.
    static constexpr float CHAIN_FIRST_LINK = 0.69f;
    static constexpr float CHAIN_PITCH = 0.06f;
    static constexpr float CHAIN_HOOK_LENGTH = 0.13f;
    static constexpr float CHAIN_HOOK_TIP = 0.035f;
    // Half the lashing-point marker along and across.
    static constexpr double MARKER_HALF_LENGTH = 0.05;
    static constexpr double MARKER_HALF_WIDTH = 0.04;
    static constexpr float WALL_HEIGHT = 1.2f;
    // The wall model's thickness and the share of it drawn.
    static constexpr float WALL_THICKNESS = 0.05f;
    static constexpr float WALL_THICKNESS_SCALE = 0.85f;

    explicit LoadDrawer(ModelCache& cache) : m_cache(cache) {}

    // Every placed load of `loads` in the passes asked for; 1 when a model cannot be had (the loads after
    // it are not drawn), else 0. Loads with a rotation other than 0, 90, 180 or 270 degrees or with
    // dimensions that are not finite are left out.
    int DrawLadungen(IRenderDevice& device, const std::list<tagLGINFO*>& loads, const LoadArea& area,
                     bool opaque, bool blended);
    // One placed load; 1 when a model cannot be had.
    int DrawLadung(IRenderDevice& device, const tagLGINFO& load, const LoadArea& area, bool opaque,
                   bool blended);

    // The four walls around the load area: front, the two sides, end; each 0.001 inside the floor edge.
    // A wall of no length (a width or length not above 0 or not finite) is not drawn. 1 when the model
    // cannot be had.
    int DrawLadeflaeche(IRenderDevice& device, const LoadArea& area, bool opaque, bool blended);

    // A lashing from a vehicle's lashing point to a load unit's attachment point, both in the scene.
    struct Lashing
    {
        tbVector3 from, to;
        float length = 0.0f;
        float slope = 0.0f; // radians above the horizontal, towards the load unit
        // Turns a model laid out from the origin towards -z onto the lashing line.
        tbMatrix rotation;
    };
    // The lashing between two points; none when they coincide or a coordinate is not finite.
    static std::optional<Lashing> MakeLashing(const tbVector3& from, const tbVector3& to);
    // Links of a chain of `length`: (length - 0.69 - 0.13 - 0.035) / 0.06 cut to a whole number, at least 0.
    static int ChainLinkCount(float length);
    // A lashing point's position kept inside a load area of `length` x `width` by half its marker.
    static void ClampZurrpunktPos(double length, double width, double x, double y, double z, double* outX,
                                  double* outY, double* outZ);
    // A strap: the strap stretched over the lashing, a hook at each end and the ratchet 0.01 inside the
    // vehicle's end. 1 when a model cannot be had.
    int DrawStrap(IRenderDevice& device, const Lashing& lashing, const LoadArea& area, bool opaque,
                  bool blended);
    // A chain: eye, tensioner, end link, the links, the middle link and the end hook on the attachment point.
    int DrawChain(IRenderDevice& device, const Lashing& lashing, const LoadArea& area, bool opaque,
                  bool blended);

    // The load units that have securing data: two anti-skid mats under each when its settings ask for
    // them (opaque pass), its see-through body (blended pass) and its lashing devices. Units without
    // securing data are left out. 1 when a model cannot be had.
    int DrawLadeeinheiten(IRenderDevice& device, const std::list<CLadeeinheit*>& units, const LoadArea& area,
                          bool opaque, bool blended);
    // The lashing devices of one unit, from each attachment point to its lashing point: chains when
    // `chains`, else straps. 1 when model 35, 36 or 41 cannot be had (nothing more is drawn).
    int DrawZurrmittel(IRenderDevice& device, const CLadeeinheit& unit, const LoadArea& area, bool chains,
                       bool opaque, bool blended);
    // The unit's footprint (x, y, length, width in plan metres) kept inside the load area; false when
    // nothing of it is left or a value is not finite.
    static bool UnitFootprint(const CLadeeinheit& unit, const LoadArea& area, double* x, double* y,
                              double* length, double* width);
    // The vehicle's lashing rails along the load area on the floor, and its lashing points (in use or
    // not), each kept inside the load area. 1 when a model cannot be had.
    int DrawZurrschienen(IRenderDevice& device, CFahrzeug& vehicle, const LoadArea& area);
    int DrawZurrpunkte(IRenderDevice& device, CFahrzeug& vehicle, const LoadArea& area);
    // A point of the plan (metres from the load area's front along, from its reference edge across, and
    // above the floor) in the scene.
    static tbVector3 PlanPoint(const LoadArea& area, double x, double y, double height);

    // The centre of the load's footprint on the floor, in the scene.
    static tbVector3 FootprintCentre(const tagLGINFO& load, const LoadArea& area);
    // Pallets under a row load of types 8 to 12 and their length (0 and 0 for other types).
    static int RowPalletCount(int type);
    static float RowPalletLength(int type);

private:
    // S × Ry × T of a model, ended by the area's matrices.
    static tbMatrix World(const tbVector3& scale, float yaw, const tbVector3& at, const LoadArea& area);
    // The lashing eye stands upright on the floor at `at`.
    static tbMatrix Eye(const tbVector3& at, const LoadArea& area);
    int Draw(IRenderDevice& device, int model, const tbMatrix& world, bool opaque, bool blended);

    ModelCache& m_cache;
};
