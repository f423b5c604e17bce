// A load entry of a vehicle: a name and two values, stored like an additional load.
#pragma once

#include "model/archive/PersistentObject.h"

#include <string>

class SLadung : public PersistentObject
{
    QOR_DECLARE_SERIAL(SLadung)

public:
    SLadung() = default;

    // text name, double, double (the layout of CZusLast).
    void Write(ArchiveWriter& ar) const override;
    void Read(ArchiveReader& ar, unsigned schema) override;

    std::string m_strName;
    double m_dPosition = 0.0;
    double m_dMasse = 0.0;
};
