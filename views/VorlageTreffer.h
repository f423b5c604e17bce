// The kinds of the object under the pointer in the template view, shared by its hit test and its drags.
#pragma once

namespace VorlageTreffer {

// Kinds of the object under the pointer: 3 + n is axle n + 1 (n = 0..9).
enum Art
{
    kHitNichts = 0,
    kHitAchse1Vorn = 1, // front end of the axle-1 offset
    kHitLFEnde = 2,     // end of the load area
    kHitAchse1 = 3,
    kHitKoerper = 18, // the body: click only
    kHitKupplung = 19,
    kHitPick = 20, // the load dialog's pick area
    kHitZL = 21,
    kHitBemerkung = 22,
    kHitSattel = 24, // a tractor's coupling
};

} // namespace VorlageTreffer
