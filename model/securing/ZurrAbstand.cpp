// Spacing of lashings along a load unit.
#include "model/securing/ZurrAbstand.h"

#include "model/plan/CLadeeinheit.h"

#include <algorithm>
#include <cmath>

bool CalcZurrAbstand(const CLadeeinheit* pEinheit, int nLimit, int n, int nFaktor, double dRandabstand,
                     int* pCount, double* pAbstand)
{
    double dLaenge = 0.0;
    if (pEinheit)
        pEinheit->GetRechteck(nullptr, nullptr, &dLaenge, nullptr);
    double dAbstand = 0.0, dNutzbar = 0.0;
    if (std::fabs(dRandabstand) <= 1e-4) {
        dAbstand = n + 1 > 0 ? dLaenge / (n + 1) : 0.0;
        dNutzbar = dLaenge - 2.0 * dAbstand;
    } else {
        dNutzbar = dLaenge - 2.0 * dRandabstand;
        dAbstand = n > 1 ? dNutzbar / (n - 1) : 0.0;
    }
    // A quotient that is whole on paper (3 over 0.6 m) may come out a hair below it in binary; the
    // small allowance keeps it whole, so the count does not drop by one.
    const double dStufen = dNutzbar > 0.0 ? std::clamp(std::floor(n / dNutzbar + 1e-9), 0.0, 1e6) : 0.0;
    const int nAnzahl = static_cast<int>(dStufen + 1.0) * nFaktor;
    if (pCount)
        *pCount = nAnzahl;
    if (pAbstand)
        *pAbstand = dAbstand;
    return nAnzahl > nLimit;
}
