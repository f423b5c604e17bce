// A straight line of the 3D scene, solid or dashed, its colour running from one end to the other.
#pragma once

#include "model/base/tbColor.h"
#include "model/base/tbVector3.h"

#include <cstdint>
#include <vector>

class IRenderDevice;

struct SGitter3D
{
    // Position and 32-bit colour, 16 bytes, as the device's line lists take them.
    struct Vertex
    {
        float x = 0.0f;
        float y = 0.0f;
        float z = 0.0f;
        std::uint32_t colour = 0;
    };

    int created = 0;
    int dashed = 0;
    int nShort = 1;
    int nLong = 4;
    float period = 0.5f;
    float maxLength = 1.0f;
    std::vector<Vertex> vertices;
    int used = 0; // segments filled by the last line
    int capacity = 0;

    // Lines up to `fMaxLength`, dashes repeating every `fPeriod`; room for int(max / period) x 4 + 4
    // vertices. Always true; a period or length that is not above 0 (or not finite) makes no room, and
    // nothing is drawn then.
    bool Create(float fMaxLength, float fPeriod);
    bool SetOptions(int bDashed, int nShortDash, int nLongDash);
    // Fills the segments of the line from a to b; false (and no segment) before Create, for a line longer
    // than the maximum length or with a coordinate that is not finite. The last incomplete dash is dropped.
    bool Fill(const tbVector3& a, const tbVector3& b, const tbColor& from, const tbColor& to);
    // Fills and draws the line as a line list without lighting, in its vertex colours; the device's
    // lighting and vertex-colour states are put back. False when nothing was drawn.
    bool Render(IRenderDevice& device, const tbVector3& a, const tbVector3& b, const tbColor& from,
                const tbColor& to);
};
