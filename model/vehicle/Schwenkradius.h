// The front swing of a semi-trailer: how far behind its front the kingpin may lie.
#pragma once

#include <string>

class CFahrzeug;

// No point of a semi-trailer's front may lie farther than kRadius from the kingpin when it swings. With
// the corners of the front at half the width to each side, the kingpin may lie up to
// sqrt(kRadius^2 - (width / 2)^2) behind the front; rounded corners add their radius, half the
// semi-trailer's length value CAuflieger::GetAufliegerMass (their diameter).
class Schwenkradius
{
public:
    static constexpr double kRadius = 2.04;
    // The distance the drawing allows for a semi-trailer without a loading plan.
    static constexpr double kOhnePlan = 1.61;
    // The tooltip's heading and figures (texts 207 and 208).
    static constexpr unsigned kTipTextId = 207;
    static constexpr unsigned kTipFormatId = 208;

    // The kingpin distance allowed for a width and a length value (metres); a width beyond twice the
    // radius leaves only the corners' share.
    static double Grenze(double dBreite, double dAufliegerMass);
    // The distance the drawing checks a vehicle against: from its width value and its semi-trailer
    // length value, kOhnePlan without a plan.
    static double Grenze(const CFahrzeug& f);
    // Whether the vehicle's kingpin lies farther behind its front than Grenze allows.
    static bool IsUeberschritten(const CFahrzeug& f);
    // "$S. " with text 207, then format text 208 with the width, the corner radius and the allowed
    // distance in millimetres.
    static std::string TipText(double dBreite, double dAufliegerMass);
};
