// Centre-of-gravity marker, permissible area and axle-load label colour of the vehicle scene, worked out
// before anything is drawn; an item whose numbers cannot be had is left out rather than drawn with them.
#pragma once

#include "model/base/tbColor.h"
#include "model/base/tbMatrix.h"

#include <optional>

class DeviceModel;
class IRenderDevice;

class SceneMarkers
{
public:
    // Height of the marker and the area above the floor at the full scene payload.
    static float FullHeight(bool van) { return van ? 1.5f : 3.5f; }

    // The marker's height above the load floor, h × m / M; none when the scene payload scale M is not
    // above 0 or a value is not finite.
    static std::optional<float> MarkerLift(float m, float M, bool van);

    // The lateral limit (c1 - c2 × m) / m, at most half the width W and at least 0; half the width when m
    // is not above 0.
    static float LateralLimit(float W, float c1, float c2, float m);

    // The marker's colour: red when overloaded, else green while its distance from the middle across is
    // below the lateral limit, yellow-green beyond it.
    static tbColor MarkerColour(bool overloaded, float distanceAcross, float W, float c1, float c2, float m);

    // The marker model at `position` in `colour`: its ring turned a quarter about the vertical at half
    // size, then unturned at 0.51 with its see-through disc, so two rings cross at the centre of gravity.
    static void DrawMarker(IRenderDevice& device, const DeviceModel& model, const tbVector3& position,
                           const tbColor& colour);

    // World matrix of the permissible area, S(w, h, l) × T(0, y, z), for a load mass m between 0 and the
    // maximum payload, the range [start, end] along the load area, O.z and p1. None when it would have no
    // width, height or length, or a value is not finite.
    static std::optional<tbMatrix> AreaWorld(float m, float M, float W, float c1, float c2, float start,
                                             float end, float originZ, float p1, bool van);

    // An axle-group label's colour for a group load against its permissible load: green below 95 %, red
    // from 100 %, through yellow-green at 97.5 %. None when the permissible load is not above 0.
    static std::optional<tbColor> LabelColour(float load, float permissible);
};
