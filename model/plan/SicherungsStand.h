// The one verdict on a load unit's securing that every view, sketch, report and dialog marks it by.
#pragma once

class CLadeeinheit;

enum class SicherungsStand
{
    kKeine,          // not in the plan's securing: no mark
    kNichtBerechnet, // in the securing, but nothing calculated yet
    kMaengel,        // calculated, with defects
    kGesichert,      // calculated, without defects: the green mark
};

// The verdict of `le`: defects count only from a calculation; a unit whose securing was started but
// never calculated is not secured, whatever its (empty) defect list says.
SicherungsStand GetSicherungsStand(const CLadeeinheit& le);

// A unit of this verdict has figures of a calculation to report (secured, or with defects).
inline bool HatSicherungsBericht(SicherungsStand stand)
{
    return stand == SicherungsStand::kGesichert || stand == SicherungsStand::kMaengel;
}
