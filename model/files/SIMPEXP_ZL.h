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

    int m_nKopf[2] = {0, 0};
    double m_dKopf = 0.0;
    std::uint16_t m_wKopf[3] = {0, 0, 0};
    double m_dWert = 0.0;
    std::string m_strText;
    std::uint16_t m_wNachText = 0;
    double m_dWerte[4] = {0.0, 0.0, 0.0, 0.0};
    std::uint16_t m_wNachWerten = 0;
    int m_nNachWerten = 0;
    double m_dNachWerten = 0.0;
    int m_nReserve[2] = {0, 0};
    double m_dReserve = -1.0;
};
