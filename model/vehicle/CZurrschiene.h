// A lashing rail along one side of a vehicle's load area.
#pragma once

#include "model/archive/PersistentObject.h"

class CZurrschiene : public PersistentObject
{
    QOR_DECLARE_SERIAL(CZurrschiene)

public:
    CZurrschiene() = default;
    // Copies everything but the extent, which the copy leaves unset.
    CZurrschiene(const CZurrschiene& o);
    CZurrschiene& operator=(const CZurrschiene& o);

    // int side; double position; double; int; int permissible force; double; double.
    void Write(ArchiveWriter& ar) const override;
    void Read(ArchiveReader& ar, unsigned schema) override;

    // Side 0: dBreite - position; side 2: position; otherwise -1.0.
    double GetSeitenAbstand(double dBreite) const;
    // The extent of the rail (either pointer may be null); true when either value is above 0.
    bool GetBereich(double* pVon, double* pBis) const;
    // Where the rail begins, measured from the load-area front, and how far before the load-area end
    // it stops (the second and third of the further values), in metres.
    double GetAnfang() const { return m_dWeitereWerte[0]; }
    double GetEndAbstand() const { return m_dWeitereWerte[1]; }

    int m_nSeite = -1; // 0 or 2; -1 unset
    double m_dPosition = 0.0;
    double m_dWeitereWerte[3] = {0.0, 0.0, 0.0}; // start, end distance and a third value (stored)
    int m_nReserve = 0;
    int m_nZulKraft = -1; // daN
    // Extent of the rail; neither written nor copied.
    double m_dVon = 0.0;
    double m_dBis = 0.0;
};
