// The verdict on a load unit's securing.
#include "model/plan/SicherungsStand.h"

#include "model/plan/CLadeeinheit.h"

SicherungsStand GetSicherungsStand(const CLadeeinheit& le)
{
    if (le.m_bVorhanden == 0)
        return SicherungsStand::kKeine;
    if (le.CountMaengel(1) > 0)
        return SicherungsStand::kMaengel;
    // The calculation writes its result into the first lashing parameter (-1 until then).
    if (le.GetZurrParameter(nullptr, nullptr, nullptr) < 0)
        return SicherungsStand::kNichtBerechnet;
    return SicherungsStand::kGesichert;
}
