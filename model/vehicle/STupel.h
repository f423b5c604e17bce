// The scale record handed to the drawing code: two factors and an int.
#pragma once

struct STupel
{
    STupel(double d1, double d2, int n) : m_d1(d1), m_d2(d2), m_n(n) {}

    double m_d1; // horizontal factor
    double m_d2; // vertical factor
    int m_n;
};
