// A point of the permissible-payload curve, also the working record of one limit.
#pragma once

struct SYs2X
{
    SYs2X() = default;
    SYs2X(double dX, double dMaxLast, int nGrenze, double dMinLast, int nMinGrenze)
        : m_dX(dX), m_dMaxLast(dMaxLast), m_dMinLast(dMinLast), m_nGrenze(nGrenze), m_nMinGrenze(nMinGrenze)
    {
    }

    // Position of the payload's centre of gravity, metres from the load-area front.
    double m_dX = 0.0;
    // Largest permissible payload at x, tonnes; -1.0 = none.
    double m_dMaxLast = -1.0;
    // Smallest payload demanded at x, tonnes; -1.0 = none.
    double m_dMinLast = -1.0;
    // Codes of the limits that set them; -1 = none.
    int m_nGrenze = -1;
    int m_nMinGrenze = -1;
};
