// One ZL item in a vehicle record (schema 4).
//
// Fields: int item value, WORD type code, int vehicle value, name, 4 doubles (the two editor values, the
// positioning distance, the mass), WORD editor value, int 0, double third editor value, double x
// position, 3 WORDs (from-the-end flag, type-1 flag, copy of the editor value), int 0, int 0,
// double -1.0. The WORD fields hold the low 16 bits of their ints and are read back sign-extended.
#pragma once

#include "model/archive/PersistentObject.h"

#include <string>

class tagZLINFO;

class SIMPEXP_ZL2 : public PersistentObject
{
    QOR_DECLARE_SERIAL(SIMPEXP_ZL2)

public:
    void Write(ArchiveWriter& ar) const override;
    void Read(ArchiveReader& ar, unsigned schema) override;

    // Takes the stored fields from an item; `nFahrzeugWert` is the vehicle record's first field.
    void SetFrom(const tagZLINFO& zl, int nFahrzeugWert);
    // Fills a new item from the record the way the vehicle loader does.
    void CopyTo(tagZLINFO& zl) const;

    int m_nEigenWert = -1;
    int m_nTyp = -1;
    int m_nFahrzeugWert = -1;
    std::string m_strName;
    double m_dLaenge = 0.0;
    double m_dBreite = 0.0;
    double m_dAbstand = 0.0;
    double m_dMasse = 0.0;
    int m_nWert = 0;
    int m_nReserveWert = 0;
    double m_dHoehe = 0.0;
    double m_dPosX = 0.0;
    int m_nVomEnde = 0;
    int m_nTyp1 = 0;
    int m_nWertKopie = 0;
    int m_nReserve[2] = {0, 0};
    double m_dReserve = -1.0;
};
