// One lashing point in a vehicle record: its flag word and its four position values.
#pragma once

#include "model/PersistentObject.h"

class SIMPEXP_ZP : public PersistentObject
{
    QOR_DECLARE_SERIAL(SIMPEXP_ZP)

public:
    // int, 4 doubles (schema 1).
    void Write(ArchiveWriter& ar) const override;
    void Read(ArchiveReader& ar, unsigned schema) override;

    int m_nFlags = -1;
    double m_dWert[4] = {0.0, 0.0, 0.0, 0.0};
};
