// A vector of three 32-bit floats, as the 3D view states store it.
#pragma once

struct tbVector3
{
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};
