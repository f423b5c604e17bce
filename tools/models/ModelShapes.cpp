// The 54 models drawn from boxes, blocks, cylinders and tori with plain colours.
//
// Origins follow the placements of the scene: the cab and front parts at the front axle; chassis, strap
// and drawbar pieces are 1 m long from their origin towards -z and scaled along z; floors span x +-0.5,
// z 0 .. -1 with their top at 1.18; boxes scaled to a load are unit boxes standing on y = 0, centred in
// x and z.
#include "tools/models/ModelShapes.h"

#include "model/mesh/ModelTable.h"
#include "tools/models/MeshBuilder.h"

#include <numbers>

namespace {

using Pass = Q3dModel::Pass;
constexpr float PI = std::numbers::pi_v<float>;

const tbColor CAB{0.78f, 0.12f, 0.10f, 1.0f};
const tbColor GLASS{0.15f, 0.25f, 0.35f, 0.55f};
const tbColor FRAME{0.18f, 0.18f, 0.20f, 1.0f};
const tbColor TYRE{0.07f, 0.07f, 0.07f, 1.0f};
const tbColor RIM{0.70f, 0.70f, 0.72f, 1.0f};
const tbColor STEEL{0.55f, 0.57f, 0.60f, 1.0f};
const tbColor LAMP{0.90f, 0.10f, 0.05f, 1.0f};
const tbColor WOOD{0.62f, 0.46f, 0.28f, 1.0f};
const tbColor FLOOR{0.45f, 0.36f, 0.26f, 1.0f};
const tbColor YELLOW{0.95f, 0.75f, 0.10f, 1.0f};
const tbColor VAN{0.92f, 0.92f, 0.95f, 1.0f};

// Wheels of one axle at z = 0: tyres of `radius` and `width`, `twin` tyres per side, the outer edge at
// x = +-halfTrack, the axle beam between them.
void Axle(MeshBuilder& b, float radius, float width, bool twin, float halfTrack, float lift = 0.0f)
{
    const float y = radius + lift;
    b.Part("tyres", TYRE);
    for (float side : {-1.0f, 1.0f}) {
        const float outer = side * halfTrack;
        const float inner = outer - side * width * (twin ? 2.05f : 1.0f);
        b.Cylinder({inner, y, 0}, {outer, y, 0}, radius, 16);
    }
    b.Part("hubs", RIM);
    for (float side : {-1.0f, 1.0f})
        b.Cylinder({side * (halfTrack - 0.02f), y, 0}, {side * (halfTrack + 0.001f), y, 0}, radius * 0.55f,
                   10);
    b.Part("axle", FRAME);
    const float beam = halfTrack - width * (twin ? 2.0f : 1.0f);
    b.Box({-beam, y - 0.06f, -0.06f}, {beam, y + 0.06f, 0.06f});
}

// Two frame rails 1 m long from z = 0 to z = -1.
void Rails(MeshBuilder& b, float halfGauge, float bottom, float top, tbColor colour = FRAME)
{
    b.Part("frame", colour);
    for (float side : {-1.0f, 1.0f})
        b.Box({side * halfGauge - 0.05f, bottom, -1.0f}, {side * halfGauge + 0.05f, top, 0.0f});
    b.Box({-halfGauge, bottom + 0.05f, -0.55f}, {halfGauge, top - 0.05f, -0.45f});
}

// A box standing on y = 0, centred in x and z, one metre each way.
void UnitBox(MeshBuilder& b, const char* name, tbColor colour, Pass pass = Pass::Opaque)
{
    b.Part(name, colour, pass).Box({-0.5f, 0, -0.5f}, {0.5f, 1, 0.5f});
}

Q3dModel TruckCab()
{
    MeshBuilder b;
    b.Part("cab", CAB).Box({-1.24f, 1.05f, -0.95f}, {1.24f, 3.45f, 1.45f});
    b.Part("bumper", FRAME).Box({-1.25f, 0.35f, 1.15f}, {1.25f, 1.05f, 1.5f});
    b.Box({-0.5f, 0.7f, -0.95f}, {0.5f, 1.05f, 1.15f});
    b.Part("lamps", YELLOW)
        .Box({-1.15f, 0.7f, 1.5f}, {-0.8f, 0.85f, 1.52f})
        .Box({0.8f, 0.7f, 1.5f}, {1.15f, 0.85f, 1.52f});
    Axle(b, 0.5f, 0.32f, false, 1.25f);
    b.Part("windows", GLASS, Pass::Blended);
    b.Quad({-1.1f, 2.25f, 1.46f}, {-1.1f, 3.2f, 1.46f}, {1.1f, 3.2f, 1.46f}, {1.1f, 2.25f, 1.46f}, {0, 0, 1});
    for (float side : {-1.0f, 1.0f}) {
        const float x = side * 1.25f;
        b.Quad({x, 2.25f, 0.4f}, {x, 3.1f, 0.4f}, {x, 3.1f, 1.35f}, {x, 2.25f, 1.35f}, {side, 0, 0});
    }
    return b.Take();
}

Q3dModel VanCab()
{
    MeshBuilder b;
    b.Part("body", VAN);
    b.Box({-1.0f, 0.55f, -0.7f}, {1.0f, 2.6f, 0.75f});
    const tbVector3 bonnet[8] = {{-1.0f, 0.45f, 0.75f}, {-1.0f, 1.5f, 0.75f},   {1.0f, 1.5f, 0.75f},
                                 {1.0f, 0.45f, 0.75f},  {-0.95f, 0.45f, 1.55f}, {-0.95f, 1.1f, 1.55f},
                                 {0.95f, 1.1f, 1.55f},  {0.95f, 0.45f, 1.55f}};
    b.Block(bonnet);
    b.Part("lamps", YELLOW)
        .Box({-0.9f, 0.85f, 1.55f}, {-0.6f, 0.98f, 1.57f})
        .Box({0.6f, 0.85f, 1.55f}, {0.9f, 0.98f, 1.57f});
    Axle(b, 0.35f, 0.22f, false, 0.95f);
    b.Part("windows", GLASS, Pass::Blended);
    b.Quad({-0.9f, 1.55f, 0.8f}, {-0.9f, 2.45f, 0.8f}, {0.9f, 2.45f, 0.8f}, {0.9f, 1.55f, 0.8f}, {0, 0, 1});
    for (float side : {-1.0f, 1.0f}) {
        const float x = side * 1.01f;
        b.Quad({x, 1.5f, -0.4f}, {x, 2.35f, -0.4f}, {x, 2.35f, 0.65f}, {x, 1.5f, 0.65f}, {side, 0, 0});
    }
    return b.Take();
}

Q3dModel RearEnd(bool truck, bool guard)
{
    MeshBuilder b;
    if (truck) {
        // Behind the last axle: mudguard plate, bar and lamps; the origin on the rear face.
        b.Part("bar", FRAME).Box({-1.2f, 0.45f, -0.05f}, {1.2f, 0.62f, 0.05f});
        b.Box({-0.5f, 0.62f, -0.05f}, {-0.4f, 1.0f, 0.6f}).Box({0.4f, 0.62f, -0.05f}, {0.5f, 1.0f, 0.6f});
        b.Part("lamps", LAMP)
            .Box({-1.2f, 0.64f, -0.06f}, {-0.85f, 0.78f, 0.04f})
            .Box({0.85f, 0.64f, -0.06f}, {1.2f, 0.78f, 0.04f});
        return b.Take();
    }
    // At the load-area end: the lamp bar under the floor, with or without the underride guard.
    b.Part("bar", FRAME).Box({-1.2f, 0.86f, 0.0f}, {1.2f, 1.0f, 0.12f});
    b.Part("lamps", LAMP)
        .Box({-1.2f, 0.87f, -0.01f}, {-0.85f, 0.98f, 0.0f})
        .Box({0.85f, 0.87f, -0.01f}, {1.2f, 0.98f, 0.0f});
    if (guard) {
        b.Part("guard", STEEL).Box({-1.15f, 0.42f, -0.02f}, {1.15f, 0.56f, 0.1f});
        b.Box({-0.75f, 0.56f, 0.0f}, {-0.65f, 0.86f, 0.1f}).Box({0.65f, 0.56f, 0.0f}, {0.75f, 0.86f, 0.1f});
    }
    return b.Take();
}

// The front of a semi-trailer, origin at the load-area front: headboard, king-pin plate and the
// landing gear, down to the ground when the trailer stands alone.
Q3dModel SemiTrailerFront(bool coupled)
{
    MeshBuilder b;
    b.Part("frame", FRAME);
    for (float side : {-1.0f, 1.0f})
        b.Box({side * 0.45f - 0.05f, 0.8f, -4.0f}, {side * 0.45f + 0.05f, 1.0f, -2.2f});
    b.Box({-0.6f, 0.97f, -2.2f}, {0.6f, 1.0f, -0.3f});
    b.Part("headboard", STEEL).Box({-1.25f, 1.0f, -0.06f}, {1.25f, 1.18f, 0.0f});
    b.Part("landing gear", STEEL);
    const float foot = coupled ? 0.55f : 0.0f;
    for (float side : {-1.0f, 1.0f}) {
        b.Box({side * 0.9f - 0.06f, foot + 0.05f, -3.26f}, {side * 0.9f + 0.06f, 1.0f, -3.14f});
        b.Box({side * 0.9f - 0.12f, foot, -3.3f}, {side * 0.9f + 0.12f, foot + 0.05f, -3.1f});
    }
    b.Box({-0.9f, 0.8f, -3.22f}, {0.9f, 0.86f, -3.18f});
    return b.Take();
}

Q3dModel Floor(tbColor top)
{
    MeshBuilder b;
    b.Part("floor", top).Box({-0.5f, 1.0f, -1.0f}, {0.5f, 1.18f, 0.0f});
    return b.Take();
}

Q3dModel Model(int index)
{
    MeshBuilder b;
    switch (index) {
    case 0: // cab with the front axle
        return TruckCab();
    case 1: // tractor frame
        Rails(b, 0.42f, 0.7f, 1.0f);
        break;
    case 2: // trailer frame
        Rails(b, 0.45f, 0.75f, 1.0f, {0.25f, 0.25f, 0.3f, 1.0f});
        break;
    case 3: // truck frame
        Rails(b, 0.42f, 0.7f, 1.0f);
        break;
    case 4: // driven rear axle, twin tyres
        Axle(b, 0.5f, 0.28f, true, 1.25f);
        b.Part("differential", FRAME).Box({-0.2f, 0.35f, -0.2f}, {0.2f, 0.65f, 0.2f});
        break;
    case 5: // further axle of a motor vehicle
        Axle(b, 0.5f, 0.28f, true, 1.25f);
        break;
    case 6: // lifted axle of a motor vehicle
        Axle(b, 0.5f, 0.32f, false, 1.25f, 0.15f);
        break;
    case 7: // trailer axle
        Axle(b, 0.45f, 0.38f, false, 1.25f);
        break;
    case 8: // lifted trailer axle
        Axle(b, 0.45f, 0.38f, false, 1.25f, 0.15f);
        break;
    case 9:
        return RearEnd(true, false);
    case 10:
        return RearEnd(false, false);
    case 11:
        return RearEnd(false, true);
    case 12: // fifth wheel at the coupling point
        // With the stretch of frame it is mounted on: from under the cab (up to 3.4 m ahead, wheelbases
        // to 4.3 m) to the rear end (1.1 m behind), so a tractor whose frame piece is short still stands
        // whole. Just inside the tractor frame's rails, where that piece is longer it hides this one.
        b.Part("frame", FRAME);
        for (float side : {-1.0f, 1.0f})
            b.Box({side * 0.42f - 0.045f, 0.705f, -1.1f}, {side * 0.42f + 0.045f, 0.995f, 3.4f});
        b.Part("plate", FRAME).Box({-0.5f, 0.92f, -0.5f}, {0.5f, 1.0f, 0.5f});
        b.Part("coupling", {0.15f, 0.15f, 0.15f, 1.0f}).Cylinder({0, 1.0f, 0}, {0, 1.06f, 0}, 0.45f, 20);
        break;
    case 13:
        return SemiTrailerFront(true);
    case 14:
        return SemiTrailerFront(false);
    case 15:
        return Floor(FLOOR);
    case 16:
        return Floor(WOOD);
    case 17: // forklift carried at the rear: body, mast and forks
        b.Part("body", YELLOW).Box({-0.6f, 0.2f, -0.6f}, {0.6f, 1.3f, 0.6f});
        b.Part("mast", FRAME).Box({-0.5f, 0.1f, -0.75f}, {0.5f, 2.2f, -0.6f});
        b.Box({-0.4f, 0.05f, -1.6f}, {-0.3f, 0.1f, -0.75f}).Box({0.3f, 0.05f, -1.6f}, {0.4f, 0.1f, -0.75f});
        b.Part("wheels", TYRE).Cylinder({-0.65f, 0.25f, 0.3f}, {0.65f, 0.25f, 0.3f}, 0.25f, 12);
        break;
    case 18: // loader crane of a motor vehicle: column and boom
    case 19: // loader crane of a trailer
    {
        const float size = index == 18 ? 1.0f : 0.8f;
        b.Part("base", FRAME).Box({-1.2f * size, 1.0f, -0.3f}, {1.2f * size, 1.2f, 0.3f});
        b.Part("crane", YELLOW).Cylinder({0, 1.2f, 0}, {0, 2.6f * size, 0}, 0.2f * size, 12);
        b.Box({-0.12f * size, 2.3f * size, -0.15f}, {0.12f * size, 2.55f * size, -2.5f * size});
        break;
    }
    case 20: // tail lift platform
        b.Part("platform", STEEL).Box({-1.2f, 1.1f, -1.6f}, {1.2f, 1.18f, 0.0f});
        b.Part("arms", FRAME)
            .Box({-1.0f, 0.6f, -0.1f}, {-0.9f, 1.1f, 0.1f})
            .Box({0.9f, 0.6f, -0.1f}, {1.0f, 1.1f, 0.1f});
        break;
    case 21: // mesh box pallet
        b.Part("base", STEEL).Box({-0.4f, 0, -0.6f}, {0.4f, 0.15f, 0.6f});
        b.Part("mesh", {0.45f, 0.5f, 0.55f, 0.45f}, Pass::Blended)
            .Box({-0.4f, 0.15f, -0.6f}, {0.4f, 0.97f, 0.6f});
        break;
    case 22: // pallet 0.8 wide, 1.2 long, 0.144 high
        b.Part("boards", WOOD).Box({-0.4f, 0.122f, -0.6f}, {0.4f, 0.144f, 0.6f});
        b.Box({-0.4f, 0.0f, -0.6f}, {0.4f, 0.022f, 0.6f});
        b.Part("blocks", {0.52f, 0.38f, 0.22f, 1.0f});
        for (float x : {-0.35f, 0.0f, 0.35f})
            b.Box({x - 0.05f, 0.022f, -0.6f}, {x + 0.05f, 0.122f, 0.6f});
        break;
    case 23:
        return VanCab();
    case 24: // van frame
        Rails(b, 0.4f, 0.5f, 0.74f);
        break;
    case 25: // van rear axle
        Axle(b, 0.35f, 0.2f, true, 0.95f);
        break;
    case 26: // rigid drawbar, narrowing towards the eye at z = 0
    {
        b.Part("drawbar", FRAME);
        const tbVector3 bar[8] = {{-0.55f, 0.72f, -1.0f}, {-0.55f, 0.9f, -1.0f}, {0.55f, 0.9f, -1.0f},
                                  {0.55f, 0.72f, -1.0f},  {-0.08f, 0.74f, 0.0f}, {-0.08f, 0.86f, 0.0f},
                                  {0.08f, 0.86f, 0.0f},   {0.08f, 0.74f, 0.0f}};
        b.Block(bar);
        break;
    }
    case 27: // drawbar support at the load-area front, leg down to the ground
    case 28: // the same, leg folded up
    {
        b.Part("bracket", FRAME).Box({-0.5f, 0.85f, -0.2f}, {0.5f, 1.0f, 0.2f});
        const float foot = index == 27 ? 0.0f : 0.55f;
        b.Part("leg", STEEL).Box({-0.05f, foot, 0.7f}, {0.05f, 0.74f, 0.8f});
        b.Box({-0.12f, foot, 0.65f}, {0.12f, foot + 0.04f, 0.85f});
        break;
    }
    case 29: // towing eye at the coupling point
        b.Part("eye", STEEL).Torus({0, 0.8f, 0}, {0, 1, 0}, 0.07f, 0.025f, 12, 6);
        b.Box({-0.04f, 0.77f, -0.25f}, {0.04f, 0.83f, -0.07f});
        break;
    case 30: // turntable with the front axle and the drawbar of a drawbar trailer
    {
        Axle(b, 0.45f, 0.38f, false, 1.25f);
        b.Part("turntable", FRAME).Cylinder({0, 0.88f, 0}, {0, 1.0f, 0}, 0.8f, 20);
        const tbVector3 bar[8] = {{-0.6f, 0.72f, 0.3f}, {-0.6f, 0.84f, 0.3f},  {0.6f, 0.84f, 0.3f},
                                  {0.6f, 0.72f, 0.3f},  {-0.06f, 0.76f, 2.2f}, {-0.06f, 0.84f, 2.2f},
                                  {0.06f, 0.84f, 2.2f}, {0.06f, 0.76f, 2.2f}};
        b.Part("drawbar", FRAME).Block(bar);
        b.Part("eye", STEEL).Torus({0, 0.8f, 2.28f}, {0, 1, 0}, 0.07f, 0.025f, 12, 6);
        break;
    }
    case 31: // loading yard: paved ground and a loading dock beside the vehicle
        b.Part("ground", {0.85f, 0.85f, 0.85f, 1.0f}, Pass::Opaque, "Pflaster.png");
        b.Quad({-30, -0.005f, 20}, {30, -0.005f, 20}, {30, -0.005f, -60}, {-30, -0.005f, -60}, {0, 1, 0}, 30,
               40);
        b.Part("dock", {0.62f, 0.6f, 0.56f, 1.0f}).Box({-14, 0, -40}, {-6, 1.2f, -25});
        b.Part("hall", {0.75f, 0.72f, 0.66f, 1.0f}).Box({-24, 0, -44}, {-14, 7, -20});
        break;
    case 32: // permitted range of the centre of gravity, a see-through unit box
        b.Part("range", {0.3f, 0.85f, 0.3f, 0.5f}, Pass::Blended, "Bereich.png")
            .Box({-0.5f, 0, -0.5f}, {0.5f, 1, 0.5f});
        break;
    case 33: // centre-of-gravity marker: a ring and a cross-hair disc
        b.Part("ring", {0, 0.4f, 0, 1}).Torus({0, 0, 0}, {0, 0, 1}, 0.5f, 0.06f, 24, 8);
        b.Part("disc", {0, 0.4f, 0, 0.5f}, Pass::Blended, "Kreuz.png");
        b.Quad({-0.45f, -0.45f, 0}, {-0.45f, 0.45f, 0}, {0.45f, 0.45f, 0}, {0.45f, -0.45f, 0}, {0, 0, -1});
        b.Quad({-0.45f, -0.45f, 0}, {-0.45f, 0.45f, 0}, {0.45f, 0.45f, 0}, {0.45f, -0.45f, 0}, {0, 0, 1});
        break;
    case 34: // ratchet, 0.2 long towards -z
        b.Part("body", {0.8f, 0.1f, 0.1f, 1.0f}).Box({-0.035f, -0.03f, -0.2f}, {0.035f, 0.03f, 0.0f});
        b.Part("handle", STEEL).Box({-0.02f, 0.03f, -0.18f}, {0.02f, 0.05f, -0.04f});
        break;
    case 35: // hook of a strap
        b.Part("hook", STEEL).Torus({0, 0, 0}, {1, 0, 0}, 0.035f, 0.008f, 12, 5);
        break;
    case 36: // strap, 1 m towards -z
        b.Part("strap", {1.0f, 0.55f, 0.0f, 1.0f}).Box({-0.025f, -0.002f, -1.0f}, {0.025f, 0.002f, 0.0f});
        break;
    case 37: // crate
        b.Part("boards", WOOD).Box({-0.5f, 0, -0.5f}, {0.5f, 1, 0.5f});
        b.Part("bands", {0.45f, 0.32f, 0.18f, 1.0f});
        b.Box({-0.505f, 0.0f, -0.505f}, {0.505f, 0.08f, 0.505f})
            .Box({-0.505f, 0.92f, -0.505f}, {0.505f, 1.0f, 0.505f});
        break;
    case 38: // anti-skid mat
        UnitBox(b, "mat", {0.12f, 0.12f, 0.12f, 1.0f});
        break;
    case 39: // lashing point in use
    case 51: // lashing point not in use
        b.Part("plate", index == 39 ? tbColor{0.95f, 0.45f, 0.0f, 1.0f} : tbColor{0.5f, 0.5f, 0.5f, 1.0f});
        b.Box({-0.04f, 0.0f, -0.05f}, {0.04f, 0.015f, 0.05f});
        break;
    case 40: // chain link, 0.06 long towards -z
        b.Part("link", STEEL).Torus({0, 0, -0.03f}, {1, 0, 0}, 0.012f, 0.004f, 10, 4, {0, 0, 1}, 0.03f);
        break;
    case 41: // chain tensioner, 0.6 long towards -z
        b.Part("spindle", STEEL).Cylinder({0, 0, -0.1f}, {0, 0, -0.5f}, 0.025f, 10);
        b.Part("hooks", {0.3f, 0.3f, 0.32f, 1.0f});
        b.Torus({0, 0, -0.05f}, {1, 0, 0}, 0.04f, 0.01f, 10, 5)
            .Torus({0, 0, -0.55f}, {1, 0, 0}, 0.04f, 0.01f, 10, 5);
        break;
    case 42: // end hook of a chain
        b.Part("hook", {0.3f, 0.3f, 0.32f, 1.0f}).Torus({0, 0, -0.05f}, {1, 0, 0}, 0.05f, 0.012f, 12, 5);
        b.Box({-0.012f, -0.012f, 0.0f}, {0.012f, 0.012f, 0.02f});
        break;
    case 43: // end link of a chain
        b.Part("link", STEEL).Torus({0, 0, -0.04f}, {1, 0, 0}, 0.016f, 0.005f, 10, 4, {0, 0, 1}, 0.04f);
        break;
    case 44: // middle link of a chain
        b.Part("link", STEEL).Torus({0, 0, -0.04f}, {0, 1, 0}, 0.016f, 0.005f, 10, 4, {0, 0, 1}, 0.04f);
        break;
    case 45: // lashing rail, 1 m towards -z, unit cross-section standing on y = 0
        b.Part("rail", {0.35f, 0.35f, 0.38f, 1.0f}).Box({-0.5f, 0, -1.0f}, {0.5f, 1, 0.0f});
        break;
    case 46: // form-fit securing item
        UnitBox(b, "item", {0.2f, 0.45f, 0.9f, 0.5f}, Pass::Blended);
        break;
    case 47: // carton with a strip of tape on top
        b.Part("carton", {0.78f, 0.62f, 0.42f, 1.0f}).Box({-0.5f, 0, -0.5f}, {0.5f, 1, 0.5f});
        b.Part("tape", {0.9f, 0.85f, 0.7f, 1.0f}).Box({-0.06f, 1.0f, -0.5f}, {0.06f, 1.002f, 0.5f});
        break;
    case 48: // load-area wall: unit length across x, unit height, 0.05 thick
        b.Part("wall", {0.55f, 0.6f, 0.75f, 0.5f}, Pass::Blended).Box({-0.5f, 0, -0.025f}, {0.5f, 1, 0.025f});
        break;
    case 49: // see-through body of a load unit
        UnitBox(b, "body", {0.3f, 0.6f, 1.0f, 0.45f}, Pass::Blended);
        break;
    case 50: // variable form-fit item
        UnitBox(b, "item", {0.95f, 0.6f, 0.1f, 0.5f}, Pass::Blended);
        break;
    case 52: // lashing eye on the vehicle
        b.Part("base", FRAME).Box({-0.03f, 0, -0.03f}, {0.03f, 0.01f, 0.03f});
        b.Part("eye", STEEL).Torus({0, 0.035f, 0}, {1, 0, 0}, 0.025f, 0.007f, 10, 5);
        break;
    case 53: // attachment point on the load unit
        b.Part("base", YELLOW).Box({-0.03f, -0.03f, -0.01f}, {0.03f, 0.03f, 0.0f});
        b.Part("ring", STEEL).Torus({0, 0, -0.03f}, {0, 1, 0}, 0.022f, 0.006f, 10, 5);
        break;
    default:
        break;
    }
    return b.Take();
}

} // namespace

Q3dModel ModelShapes::Make(int index)
{
    return ModelTable::Find(index) ? Model(index) : Q3dModel{};
}
