// A serialisable tree entry with its owned children.
#pragma once

#include "model/archive/PersistentObject.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

class STVEEntry : public PersistentObject
{
    QOR_DECLARE_SERIAL(STVEEntry)

public:
    STVEEntry() = default;

    // int, int, text, nine ints, text, int, then the children as a list of objects.
    void Write(ArchiveWriter& ar) const override;
    void Read(ArchiveReader& ar, unsigned schema) override;

    int m_nKopfWert = 0;
    int m_nKopfIndex = -1;
    std::string m_strName;
    std::array<int, 9> m_anWerte{0, 0, 0, 0, 1, 0, 0, 0, 1};
    std::string m_strText;
    int m_nSchlussWert = 0;
    std::vector<std::unique_ptr<STVEEntry>> m_Children;
};
