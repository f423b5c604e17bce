// A two-component vector of floats.
#pragma once

struct tbVector2
{
    float x = 0.0f;
    float y = 0.0f;
};
