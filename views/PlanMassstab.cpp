// The scale of the loading plan: the conversions between metres and pixels.
#include "views/PlanMassstab.h"

#include <cmath>

int PlanMassstab::Pixel(double dMeter) const
{
    return static_cast<int>(std::floor(dMeter * dZoom * nPixelProMeter + kRundung));
}

int PlanMassstab::Abgeschnitten(double dMeter) const
{
    return static_cast<int>(dMeter * Faktor());
}

int PlanMassstab::Versatz(double dMeter) const
{
    return static_cast<int>(nPixelProMeter * dMeter * dZoom);
}
