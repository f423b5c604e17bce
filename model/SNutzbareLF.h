// Margins and grid counts of a vehicle's load area, per side (front, left, rear, right).
#pragma once

struct SNutzbareLF
{
    // Index 0..3 = side 1..4: front, left, rear, right.
    double m_dRand[4] = {0.0, 0.0, 0.0, 0.0};
    float m_fWert[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    int m_nRaster[4] = {0, 0, 0, 0};
};
