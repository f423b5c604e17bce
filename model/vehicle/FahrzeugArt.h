// The vehicle kinds: the raw kind a vehicle stores and its files carry (CFahrzeug::GetArt, m_nArt), one
// per vehicle class, and the vehicle type that CFahrzeug::GetFahrzeugTyp adds for a rigid truck with the
// sub-type flag.
#pragma once

namespace FahrzeugArt {

inline constexpr int kZugmaschine = 0;         // rigid truck (CZugmaschine)
inline constexpr int kAnhaenger = 1;           // drawbar trailer (CAnhaenger)
inline constexpr int kStarrdeichsel = 2;       // rigid-drawbar trailer (CStarrdeichsel)
inline constexpr int kAuflieger = 3;           // semi-trailer (CAuflieger)
inline constexpr int kSattelzugmaschine = 4;   // semi-trailer tractor (CSattelzugmaschine)
inline constexpr int kZugmaschineUntertyp = 5; // vehicle type only: a rigid truck with the sub-type flag

} // namespace FahrzeugArt
