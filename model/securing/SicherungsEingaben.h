// The limits the wizard puts on entered coefficients and friction values.
#pragma once

class SicherungsEingaben
{
public:
    // A committed coefficient c<nIndex> under standard nNorm: c0..c3 within 0.1 .. 1.0; c5 at least
    // 1.0 with standard 2 and at least 1.5 with standard 0, otherwise at most 2.0; c6 and c7 at least
    // 1.0; the others as entered.
    static double KlemmeKoeffizient(int nIndex, double dWert, int nNorm);
    // A committed friction: at most 0.99, or at most 0.2 under standard 1 unless higher values are
    // allowed; a negative value becomes 0.
    static double KlemmeReibung(double dWert, int nNorm, bool bHoeherErlaubt);
    // The largest friction a field takes: 0.2 under standard 1 unless higher values are allowed, else
    // 0.99 (the smallest is 0).
    static double GroessteReibung(int nNorm, bool bHoeherErlaubt);
};
