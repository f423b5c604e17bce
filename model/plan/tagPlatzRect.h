// A placement rectangle of the loading plan: a load's rectangle in whole centimetres with the load it
// stands for and its rotation; border strips carry no load.
#pragma once

#include "model/plan/PlanGrid.h"

struct tagLGINFO;

struct tagPlatzRect : PlanGridRect
{
    tagLGINFO* pLg = nullptr; // null for a border strip
    int nRotation = 0;        // degrees, filled for moving rectangles

    // The same rectangle moved by (dx, dy) centimetres.
    PlanGridRect Verschoben(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
};
