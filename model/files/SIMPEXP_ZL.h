// An older ZL item record (schema 1). The program reads it where it stands but never writes it.
#pragma once

#include "model/archive/PersistentObject.h"

#include <cstdint>
#include <string>

class SIMPEXP_ZL : public PersistentObject
{
    QOR_DECLARE_SERIAL(SIMPEXP_ZL)

public:
    // int, int, double, 3 WORDs, double, text, WORD, 4 doubles, WORD, int, double, int, int, double.
    void Write(ArchiveWriter& ar) const override;
    void Read(ArchiveReader& ar, unsigned schema) override;

    int m_n1 = 0;
    int m_n2 = 0;
    double m_d3 = 0.0;
    std::uint16_t m_w4[3] = {0, 0, 0};
    double m_d7 = 0.0;
    std::string m_strText;
    std::uint16_t m_w9 = 0;
    double m_d10[4] = {0.0, 0.0, 0.0, 0.0};
    std::uint16_t m_w14 = 0;
    int m_n15 = 0;
    double m_d16 = 0.0;
    int m_n17 = 0;
    int m_n18 = 0;
    double m_d19 = -1.0;
};
