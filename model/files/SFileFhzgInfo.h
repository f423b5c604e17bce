// One directory entry of a vehicle or combination file: which record holds which vehicle.
#pragma once

#include "model/archive/PersistentObject.h"

#include <string>

class SFileFhzgInfo : public PersistentObject
{
    QOR_DECLARE_SERIAL(SFileFhzgInfo)

public:
    // type, name, title, record index, path (schema 1).
    void Write(ArchiveWriter& ar) const override;
    void Read(ArchiveReader& ar, unsigned schema) override;

    int m_nTyp = -1; // CFahrzeug::GetFahrzeugTyp: kind 0..4, or 5 for a kind-0 vehicle with the sub-type flag
    std::string m_strName;
    std::string m_strTitel; // a text the caller stores with the entry
    int m_nIndex = -2;      // position of the entry's record in the root's record list
    std::string m_strPfad;  // full path when the entry was made together with a new file, else empty
};
