// One ZL item: equipment fitted to a vehicle that counts in its axle loads.
#pragma once

#include "model/archive/PersistentObject.h"

#include <string>

class tagZLINFO : public PersistentObject
{
    QOR_DECLARE_SERIAL(tagZLINFO)

public:
    tagZLINFO() = default;
    tagZLINFO(const tagZLINFO&) = default;
    tagZLINFO& operator=(const tagZLINFO&) = default;

    // int, text, int, 4 doubles, 2 ints, double, int, double, 3 ints, bool byte, text.
    void Write(ArchiveWriter& ar) const override;
    void Read(ArchiveReader& ar, unsigned schema) override;

    // The name of the item's type (resource texts 6, 629, 626, 630, 627, 622, 628 for types 0 to 6,
    // 69 for any other).
    std::string GetTypText() const;

    int m_nEigenWert = -1; // the item's own value; the vehicle record does not read it back
    std::string m_strName;
    int m_nTyp = -1;         // ZL type code; 1 and 5 are positioned by m_dAbstand
    double m_dLaenge = 0.0;  // length from the editor, metres
    double m_dBreite = 0.0;  // width from the editor, metres
    double m_dAbstand = 0.0; // distance used for positioning, metres
    double m_dMasse = 0.0;   // mass, added at m_dPosX into the axle loads
    int m_nWert = 0;         // value from the editor
    int m_nReserveWert = 0;  // reserved, stored as 0 in the vehicle record
    double m_dHoehe = 0.0;   // height from the editor (kind 0), metres
    int m_nReservePos = -1;  // reserved, -1 after reading a vehicle record
    double m_dPosX = 0.0;    // position on the vehicle, metres
    int m_nVomEnde = 0;      // position measured from the end of the load area
    int m_nTyp1 = 0;         // set for type 1 only
    int m_nWertKopie = 0;    // copy of m_nWert made when the item is created
    bool m_bFlag = false;
    std::string m_strText;
};
