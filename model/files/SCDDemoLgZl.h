// A demo load record (schema 4) that the reader knows by name; the program never writes it.
#pragma once

#include "model/archive/PersistentObject.h"

#include <string>

class SCDDemoLgZl : public PersistentObject
{
    QOR_DECLARE_SERIAL(SCDDemoLgZl)

public:
    // text, int, text.
    void Write(ArchiveWriter& ar) const override;
    void Read(ArchiveReader& ar, unsigned schema) override;

    std::string m_strName;
    int m_nWert = 0;
    std::string m_strText;
};
