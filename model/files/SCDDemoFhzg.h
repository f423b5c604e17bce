// A demo vehicle record (schema 4) that the reader knows by name; the program never writes it.
#pragma once

#include "model/archive/PersistentObject.h"

#include <memory>
#include <string>
#include <vector>

class SCDDemoFhzg : public PersistentObject
{
    QOR_DECLARE_SERIAL(SCDDemoFhzg)

public:
    // text, int, text, int, list of SCDDemoFhzg (owned).
    void Write(ArchiveWriter& ar) const override;
    void Read(ArchiveReader& ar, unsigned schema) override;

    std::string m_strName;
    int m_nWert = 0;
    std::string m_strText;
    int m_nSchlussWert = 0;
    std::vector<std::unique_ptr<SCDDemoFhzg>> m_Kinder;
};
