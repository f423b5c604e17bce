// The findings of a vehicle's limit check (CFahrzeug::CheckGrenzwerte), one bit each, as the model sets
// them and the status bar reads them.
#pragma once

namespace Grenzwert {

// Asked for the whole combination, a check that finds nothing answers kAllesHaelt.
inline constexpr int kAllesHaelt = 0x1;
inline constexpr int kKurveUngueltig = 0x2; // no valid payload curve, or the vehicle cannot be calculated
inline constexpr int kKeinPlan = 0x4;       // a trailer without a loading plan
inline constexpr int kAchsgruppeUeberlastet = 0x8; // a group's axle load above its permissible sum
inline constexpr int kMindestanteil = 0x10;        // a group's share of the mass below its minimum
inline constexpr int kQuerSchwerpunkt = 0x80;      // the load's lateral centre of gravity out of range
inline constexpr int kGesamtgewicht = 0x100;       // the axle loads above the permissible total mass
inline constexpr int kStuetzlast = 0x2000;         // the trailer's support load above the truck's coupling
inline constexpr int kSattellast = 0x4000;         // the semi-trailer's kingpin load above the fifth wheel's
// Whose fault the findings are when the whole combination was asked.
inline constexpr int kBeimAnhaenger = 0x20000;
inline constexpr int kBeimZugfahrzeug = 0x40000;

} // namespace Grenzwert
