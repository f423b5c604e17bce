// A defect that the load-securing check found for a load unit.
#pragma once

#include "model/PersistentObject.h"

#include <cstdint>
#include <string>

class CLadeeinheit;

class CLgsMangel : public PersistentObject
{
    QOR_DECLARE_SERIAL(CLgsMangel)

public:
    CLgsMangel() = default;
    CLgsMangel(int nCode, int nIndex, CLadeeinheit* pEinheit);
    CLgsMangel(const CLgsMangel&) = default;
    CLgsMangel& operator=(const CLgsMangel&) = default;

    // int code, int index, text, int 32 and the 32 bytes of the slots. Schema 1 held four words.
    void Write(ArchiveWriter& ar) const override;
    void Read(ArchiveReader& ar, unsigned schema) override;

    int m_nCode = 0;
    int m_nIndex = -1;
    std::string m_strText;
    // Four 8-byte slots: a pair of ints (low first), a 64-bit mask or a double, by the code.
    std::uint8_t m_abWerte[4][8] = {};
    CLadeeinheit* m_pEinheit = nullptr; // not stored
};
