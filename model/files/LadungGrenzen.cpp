// The bounds of a load's values in the editor and in files.
#include "model/files/LadungGrenzen.h"

#include <cmath>

bool LadungGrenzen::DateiWertGueltig(double wert)
{
    return std::isfinite(wert) && wert >= 0.0 && wert <= kMaxDateiWert;
}

bool LadungGrenzen::DateiPositionGueltig(double wert)
{
    return std::isfinite(wert) && std::fabs(wert) <= kMaxDateiWert;
}
