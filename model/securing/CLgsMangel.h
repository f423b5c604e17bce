// A defect that the load-securing check found for a load unit.
#pragma once

#include "model/archive/PersistentObject.h"

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

    // The defect's title.
    std::string GetText() const;
    // The defect's body as HTML: the stored text when there is one, else made from code and slots.
    std::string GetHtml() const;

    // Slot i (0..3): its low int (-1 for another i), a pointer to its 8 bytes (null for another i), or
    // set from 8 bytes (ignored for another i).
    int GetWert(int i) const;
    std::uint8_t* GetWertPtr(int i);
    const std::uint8_t* GetWertPtr(int i) const;
    void SetWert(int i, const void* p);
    // Slot i as a pair of ints (low first) or as a double.
    void SetPaar(int i, int nLow, int nHigh);
    int GetHigh(int i) const;
    void SetDouble(int i, double d);
    double GetDouble(int i) const;

    int m_nCode = 0;
    int m_nIndex = -1;
    std::string m_strText;
    // Four 8-byte slots: a pair of ints (low first), a 64-bit mask or a double, by the code.
    std::uint8_t m_abWerte[4][8] = {};
    CLadeeinheit* m_pEinheit = nullptr; // not stored
};

// Bit n (0..63) of a 64-bit mask slot: set (n outside 0..63 is ignored) and test (-1 for n outside).
void SetMaskenBit(std::uint8_t* pSlot, int n);
int TestMaskenBit(const std::uint8_t* pSlot, int n);
