// The overhang values of a vehicle.
#pragma once

struct SUeberstLG
{
    double m_dWert[4] = {0.0, 0.0, 0.0, 0.0};
};
