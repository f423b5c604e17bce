// The shapes of the 54 models of the 3D scene, at real size in metres (x across, y up, z forward).
#pragma once

#include "model/mesh/Q3dModel.h"

class ModelShapes
{
public:
    // The model of table index 0 .. 53; an empty model outside.
    static Q3dModel Make(int index);
};
