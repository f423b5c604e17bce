// The bounds of a load's values: what the load-unit editor takes, and what a catalogue item or a
// placed load read from a file may hold before it counts as damaged.
#pragma once

class LadungGrenzen
{
public:
    // The editor's bounds in its units (millimetres, kilograms): no real load unit lies outside them.
    // Sizes from 1 mm, the mass from 0 kg; the largest mass is the most the plan's mass slider takes.
    static constexpr int kMinGroesseMm = 1;
    static constexpr int kMaxLaengeMm = 25000;
    static constexpr int kMaxBreiteMm = 5000;
    static constexpr int kMaxHoeheMm = 5000;
    static constexpr int kMinMasseKg = 0;
    static constexpr int kMaxMasseKg = 99990;

    // The largest size, centre-of-gravity distance or mass (metres, tonnes) that a file may hold for a
    // load. Generous: it refuses only what no load of any editor could be (not a number, infinite,
    // negative, or absurdly large), so that no file written by an earlier version is lost to it.
    static constexpr double kMaxDateiWert = 1000.0;

    // Whether a size, centre-of-gravity distance or mass read from a file can be a load's: a finite
    // number from 0 to kMaxDateiWert.
    static bool DateiWertGueltig(double wert);
    // Whether a position on the plan read from a file can be a load's: a finite number of at most
    // kMaxDateiWert either way.
    static bool DateiPositionGueltig(double wert);
};
