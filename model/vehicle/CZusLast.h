// An additional load of a vehicle: a name and two values.
#pragma once

#include "model/archive/PersistentObject.h"

#include <string>

class CZusLast : public PersistentObject
{
    QOR_DECLARE_SERIAL(CZusLast)

public:
    CZusLast() = default;

    // Layout shared with SLadung: text name, double, double.
    void Write(ArchiveWriter& ar) const override;
    void Read(ArchiveReader& ar, unsigned schema) override;

    std::string m_strName;
    // The vehicle code decides what the two values hold and sets both before the record is written.
    double m_dPosition = 0.0;
    double m_dMasse = 0.0;
};
