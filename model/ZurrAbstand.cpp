// Spacing of lashings along a load unit.
#include "model/ZurrAbstand.h"

#include "model/CLadeeinheit.h"

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
    const double dStufen = dNutzbar > 0.0 ? std::clamp(std::floor(n / dNutzbar), 0.0, 1e6) : 0.0;
    const int nAnzahl = static_cast<int>(dStufen + 1.0) * nFaktor;
    if (pCount)
        *pCount = nAnzahl;
    if (pAbstand)
        *pAbstand = dAbstand;
    return nAnzahl > nLimit;
}
