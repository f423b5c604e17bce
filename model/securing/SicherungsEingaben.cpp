// Limits of the coefficients and friction values entered in the wizard.
#include "model/securing/SicherungsEingaben.h"

#include <algorithm>

double SicherungsEingaben::KlemmeKoeffizient(int nIndex, double dWert, int nNorm)
{
    switch (nIndex) {
    case 0:
    case 1:
    case 2:
    case 3:
        return std::clamp(dWert, 0.1, 1.0);
    case 5:
        if (nNorm == 2 && dWert < 1.0)
            return 1.0;
        if (nNorm == 0 && dWert < 1.5)
            return 1.5;
        return std::min(dWert, 2.0);
    case 6:
    case 7:
        return std::max(dWert, 1.0);
    default:
        return dWert;
    }
}

double SicherungsEingaben::GroessteReibung(int nNorm, bool bHoeherErlaubt)
{
    return nNorm == 1 && !bHoeherErlaubt ? 0.2 : 0.99;
}

double SicherungsEingaben::KlemmeReibung(double dWert, int nNorm, bool bHoeherErlaubt)
{
    const double dMax = GroessteReibung(nNorm, bHoeherErlaubt);
    if (!(dWert >= 0.0))
        return 0.0; // negative, or not a number at all
    return std::clamp(dWert, 0.0, dMax);
}
