// One lashing point in a vehicle record: its flag word and its four position values.
#pragma once

#include "model/archive/PersistentObject.h"

class CZurrpunkt;

class SIMPEXP_ZP : public PersistentObject
{
    QOR_DECLARE_SERIAL(SIMPEXP_ZP)

public:
    // int, 4 doubles (schema 1).
    void Write(ArchiveWriter& ar) const override;
    void Read(ArchiveReader& ar, unsigned schema) override;

    void SetFrom(const CZurrpunkt& zp);
    // The flag word and the four values (longitudinal and lateral distance, third value, permissible
    // force) go to the point.
    void CopyTo(CZurrpunkt& zp) const;

    int m_nFlags = -1;
    double m_dWert[4] = {0.0, 0.0, 0.0, 0.0};
};
