// Builders for vehicles and plans in the model tests, and the invariant checker of a recalculated vehicle.
#pragma once

#include "model/plan/CQOR.h"
#include "model/vehicle/CFahrzeug.h"

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace fahrzeugtest {

struct Achse
{
    double dAbstand, dLeer, dZul;
};

struct Daten
{
    int nArt = 0;
    std::vector<Achse> achsen; // the records in use, record 0 first
    double dZulGesamt = 0.0;
    double dLFLaenge = 0.0;
    float fLFBreite = 2.5f;
    unsigned nMinVorn = 0;
    unsigned nMinHinten = 0;
};

// Fills the entered data of `f` the way a loader does; the axle count leaves out the coupling point of
// kinds 2 and 3.
void Setze(CFahrzeug& f, const Daten& d);

// Makes a vehicle of the class that belongs to the kind.
std::unique_ptr<CFahrzeug> Erzeuge(const Daten& d);

// Gives `f` a plan with one load of mass m whose centre of gravity lies at (x, y) on the usable area.
CQOR* GibLast(CFahrzeug& f, double m, double x, double y);

// Links a motor vehicle and its trailer and recalculates them once, as the document does.
void Kopple(CFahrzeug& motor, CFahrzeug& anhaenger);
void Berechne(CFahrzeug& f);

// Everything a recalculation leaves on one vehicle: group loads, masses, limits, curve and usable range.
std::vector<double> Ergebnis(CFahrzeug& f);
// The values in which two results differ to the bit (a value that is not a number matches one that is
// not either); empty when they are equal.
std::vector<std::string> Unterschiede(const std::vector<double>& a, const std::vector<double>& b);

// The rules a recalculated vehicle must keep; empty when it keeps them all.
std::vector<std::string> Invariantenverletzungen(CFahrzeug& f);

// The rules of a plan's list: loads of one name stand together, the loads of a repeated name and the
// FSM items carry distinct running numbers from 1, and a single load of a name carries none (0).
std::vector<std::string> PlanInvariantenverletzungen(const CQOR& q);

} // namespace fahrzeugtest

// Asserts the invariants of a vehicle in a test.
#define EXPECT_FAHRZEUG_INVARIANTEN(f)                                                                       \
    do {                                                                                                     \
        const auto verletzt = ::fahrzeugtest::Invariantenverletzungen(f);                                    \
        for (const auto& s : verletzt)                                                                       \
            ADD_FAILURE() << s;                                                                              \
    } while (0)

// Asserts that two results of a vehicle are equal to the bit.
#define EXPECT_ERGEBNIS_GLEICH(a, b, was)                                                                    \
    do {                                                                                                     \
        for (const auto& s : ::fahrzeugtest::Unterschiede(a, b))                                             \
            ADD_FAILURE() << (was) << ": " << s;                                                             \
    } while (0)

#define EXPECT_PLAN_INVARIANTEN(q)                                                                           \
    do {                                                                                                     \
        for (const auto& s : ::fahrzeugtest::PlanInvariantenverletzungen(q))                                 \
            ADD_FAILURE() << s;                                                                              \
    } while (0)
