// The front swing of a semi-trailer: the allowed kingpin distance and the tooltip that explains it.
#include "model/vehicle/Schwenkradius.h"

#include "model/text/TextFormat.h"
#include "model/vehicle/CAuflieger.h"

#include <algorithm>
#include <cmath>

double Schwenkradius::Grenze(double dBreite, double dAufliegerMass)
{
    const double h = dBreite / 2.0;
    return std::sqrt(std::max(0.0, kRadius * kRadius - h * h)) + dAufliegerMass / 2.0;
}

double Schwenkradius::Grenze(const CFahrzeug& f)
{
    if (!f.GetQor())
        return kOhnePlan;
    return Grenze(f.m_fLFBreite, CAuflieger::GetAufliegerMass(f));
}

bool Schwenkradius::IsUeberschritten(const CFahrzeug& f)
{
    return Grenze(f) < f.GetAchse1Abstand();
}

std::string Schwenkradius::TipText(double dBreite, double dAufliegerMass)
{
    return FormatS("$S. ", 1, kTipTextId) +
           FormatResChecked(kTipFormatId, {dBreite * 1000.0, dAufliegerMass * 500.0,
                                           Grenze(dBreite, dAufliegerMass) * 1000.0});
}
