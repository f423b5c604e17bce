// A lashing device type with its two ratings and a count.
#pragma once

#include "model/archive/PersistentObject.h"

#include <string>

// The text of a device type: strap, chain, third type; "unknown" for any other.
std::string GetZurrmittelTypText(int nTyp);

class CZurrmittel : public PersistentObject
{
    QOR_DECLARE_SERIAL(CZurrmittel)

public:
    CZurrmittel() = default;
    CZurrmittel(const CZurrmittel&) = default;
    CZurrmittel& operator=(const CZurrmittel&) = default;

    // int type, int, text name, doubles STF, LC and a third value, int count, int.
    void Write(ArchiveWriter& ar) const override;
    void Read(ArchiveReader& ar, unsigned schema) override;

    // The text of the device's type; empty for an unknown type.
    std::string GetTypText() const;

    // Not written to files.
    int m_nKennung = 0;
    // Device type 0, 1 or 2.
    int m_nTyp = 0;
    int m_nTypZusatz = 0;
    std::string m_strName;
    // The standard tension force STF in daN (0: not given) and the lashing capacity LC in daN, stored in
    // this order; STF lies below LC on every real device (250/2500 for a strap).
    double m_dVorspannkraft = 0.0;
    double m_dZurrkraft = 0.0;
    double m_dWert3 = 0.0;
    int m_nAnzahl = 1;
    int m_nReserve = 0;
};
