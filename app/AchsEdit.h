// Adding an axle behind the last one and removing a selected axle of a vehicle, with the rules that
// say when either is offered.
#pragma once

class CFahrzeug;

class AchsEdit
{
public:
    static constexpr double kNeuerAbstand = 1.31;  // distance of a new axle to the one before
    static constexpr double kFreiHinten = 1.3;     // length kept free behind the last axle
    static constexpr double kMindestAbstand = 1.0; // no axle distance becomes shorter

    // The most axles a vehicle of a kind may have: 4 for rigid trucks and drawbar trailers, else 3.
    static int GetMaxAchsen(int nArt);
    // An axle may be added below the kind's maximum, never to a vehicle of reported type 5.
    static bool CanAdd(const CFahrzeug& f);
    // One more axle record behind the last (distance 1.31 m, loads of the record before). When less
    // than 1.3 m of the vehicle stays free behind it, the axle at the group split gives up the
    // shortfall, down to 1.0 m, and the vehicle grows by the rest. False when no record is left.
    static bool AddAchse(CFahrzeug& f);
    // Axle record `nSelected` may be removed when it is not the first and either more than two axles
    // count apart from their groups or it is itself grouped.
    static bool CanRemove(const CFahrzeug& f, int nSelected);
    // The records behind `nSelected` move one place forward; with two records left the second one's
    // group flag is cleared.
    static bool RemoveAchse(CFahrzeug& f, int nSelected);

private:
    static int Versatz(const CFahrzeug& f);
};
