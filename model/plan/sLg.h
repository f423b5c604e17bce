// A member load of a load unit, by name and running number.
#pragma once

#include "model/archive/PersistentObject.h"

#include <string>

// "%s%02i" of a name and a running number: the key of a member load and of a placed load.
std::string FormatLgKey(const std::string& name, int nNr);

class sLg : public PersistentObject
{
    QOR_DECLARE_SERIAL(sLg)

public:
    sLg() = default;
    sLg(std::string name, int nNr) : m_strName(std::move(name)), m_nNummer(nNr) {}

    // text name, int running number.
    void Write(ArchiveWriter& ar) const override;
    void Read(ArchiveReader& ar, unsigned schema) override;

    std::string FormatKey() const { return FormatLgKey(m_strName, m_nNummer); }

    std::string m_strName;
    int m_nNummer = -1;
};
