// The verdict on where a plan's centre of gravity lies against its vehicle's limits, and the lateral limit
// it is judged by.
#pragma once

class CFahrzeug;

enum class SchwerpunktLage
{
    // Within the payload curve and within the lateral limit.
    kInnerhalb,
    // Within the payload curve, but too far off the middle of the load area.
    kQuerAusserhalb,
    // Outside the payload curve (over its mass there, or under the least load there), without a curve
    // or without a plan.
    kAusserhalb
};

// The vehicle's plan judged: its mass at its centre of gravity against the payload curve, then the
// lateral offset by CFahrzeug::CheckQuerSchwerpunkt. Asks the vehicle and changes nothing it keeps.
SchwerpunktLage BeurteileSchwerpunkt(CFahrzeug& f);

// The lateral limit curve m(y) = K / (C + y) of a load area fBreite wide with the side difference
// fProzent, at the axle-group loads of `pFahrzeug` unladen (with none, fLimit1 and fLimit2), and what it
// is worked out from. CFahrzeugDiagramm::SetParams keeps these values.
struct SQuerParameter
{
    float fLimit1 = 0.0f, fLimit2 = 0.0f, fLast = 0.0f, fSpur = 0.0f, fAnteil = 0.0f, fK = 0.0f, fC = 0.0f;
};
SQuerParameter BerechneQuerParameter(CFahrzeug* pFahrzeug, float fBreite, float fProzent, float fLimit1,
                                     float fLimit2);

// How far (m) the centre of gravity of a load of fMasse tonnes may lie off the middle of the load area of
// `f`, by its width and side difference; not finite for no mass.
float QuerAbstand(CFahrzeug& f, float fMasse);
