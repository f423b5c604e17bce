// The overhang values of a vehicle (file layout, schema 1: the four doubles in member order).
#pragma once

#include "model/archive/PersistentObject.h"

class SUeberstLG : public PersistentObject
{
    QOR_DECLARE_SERIAL(SUeberstLG)

public:
    SUeberstLG() = default;
    SUeberstLG(const SUeberstLG&) = default;
    SUeberstLG& operator=(const SUeberstLG&) = default;

    void Write(ArchiveWriter& ar) const override;
    void Read(ArchiveReader& ar, unsigned schema) override;

    double m_dWert[4] = {0.0, 0.0, 0.0, 0.0};
};
