// The scale record handed to the drawing code: two factors and an int.
#pragma once

struct STupel
{
    STupel(double dFaktorX, double dFaktorY, int n) : m_dFaktorX(dFaktorX), m_dFaktorY(dFaktorY), m_n(n) {}

    double m_dFaktorX; // horizontal factor
    double m_dFaktorY; // vertical factor
    int m_n;
};
