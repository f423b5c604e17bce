// Rules of a vehicle's lashing-point list and its lashing rails as the editors of the load-securing
// view apply them: sorted insertion with numbering per group, near points, rows, presets and strengths.
#pragma once

#include <list>
#include <memory>
#include <vector>

class CZurrpunkt;

// Points closer than this to another one are near points (metres, in the plane).
constexpr double kZurrpunktNah = 0.25;

// Inserts p into the ordered list before the first point Q for which, in this order: p has flag 4 and
// Q has not; both have flag 4 and Q's centre offset exceeds p's; p lacks flag 2 and Q has it; both
// agree in flag 2 and Q's x exceeds p's by more than 0.005 m; both agree in flag 2, their x differ by at
// most 0.005 m and Q's stored lateral distance exceeds p's. Otherwise p is appended. Then renumbers.
// The list takes the point over; answers it.
CZurrpunkt* InsertZurrpunktSorted(std::list<std::unique_ptr<CZurrpunkt>>& liste,
                                  std::unique_ptr<CZurrpunkt> p);
// Numbers the points from 1 in list order, separately in the four groups of flags 2 and 4.
void RenumberZurrpunkte(const std::list<std::unique_ptr<CZurrpunkt>>& liste);
// The points of the list other than `pAusser` lying closer than kZurrpunktNah to p in the plane.
std::vector<CZurrpunkt*> FindNearZurrpunkte(const std::list<std::unique_ptr<CZurrpunkt>>& liste,
                                            CZurrpunkt& p, const CZurrpunkt* pAusser);
// The number of points of a row from `dErste` every `dAbstand` metres up to the load-area length:
// floor((L - first) / spacing + 0.01) + 1, cut to nMax unless bOhneGrenze; never more than one point
// per centimetre of load area. 0 for a spacing of 0 or less or a first position beyond the length.
int ZurrpunktReiheAnzahl(double dLaenge, double dErste, double dAbstand, int nMax, bool bOhneGrenze);
// The default strength of a new lashing point (daN) by the vehicle's mass in tonnes: above 12 t 2000,
// above 7.5 t 1000, above 3.5 t 800, else 400.
double StandardZurrkraft(double dMasse);

// The presets of a new lashing point at a place (x along, y across, metres from the load area's front
// left corner) of a load area L x W on a vehicle of mass dMasse (t).
struct SZurrpunktVorgabe
{
    int nFlags = 0;       // bit 0 measured from the front, bit 1 the side at y = W
    double dLaengs = 0.0; // from the front, or from the rear end
    double dQuer = 0.0;   // from the point's side edge
    double dDritte = 0.0; // 1.0 for a point at the front wall of a vehicle above 3.5 t
    double dKraft = 0.0;  // daN
};
SZurrpunktVorgabe ZurrpunktVorgabe(double x, double y, double dLaenge, double dBreite, double dMasse);
// A front point (flag 4) whose lateral value exceeds half the width changes side: flag 2 toggles and
// the value becomes width - value.
void KorrigiereVornPunkt(int& nFlags, double& dQuer, double dBreite);
// a lies within 5 mm of b, both bounds open (lengths in metres).
bool EqualsWithin5mm(double a, double b);
