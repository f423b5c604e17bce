// One load placed on a loading plan.
#pragma once

#include <string>

struct tagLGINFO
{
    tagLGINFO() = default;
    tagLGINFO(const tagLGINFO&) = default;
    tagLGINFO& operator=(const tagLGINFO&) = default;

    // The load's name: for FSM types 5 and 8 to 12 the type text of `textSet`, else the display name.
    void GetName(std::string& name, int textSet) const;
    // The name, followed by the running number as two digits when it is 1 or more.
    std::string GetDisplayName() const;
    // The text of the blocked side held in bits 9 to 11 of the state word.
    std::string GetEnum9Text() const;
    // The text of the filler kind held in bits 12 to 14 of the state word.
    std::string GetEnum12Text() const;
    // The picture path of the load's type: a standard picture in the program folder, or for types 3 and
    // 6 the record's own picture in the picture folder ("ni.dat" when it has none); for a type without a
    // picture `path` is left as it is. With `width` or `height` given, the picture's pixel size is read
    // (0 x 0 when it does not load). Always answers true.
    bool GetBildDatei(std::string& path, int* width = nullptr, int* height = nullptr) const;

    // Extent along x (length at 0 and 180 degrees, width at 90 and 270) and across (the other one);
    // -1.0 at any other rotation.
    double GetDimX() const;
    double GetDimY() const;
    // The far ends along x and across.
    double GetEndX() const { return m_dPosX + GetDimX(); }
    double GetEndY() const { return m_dPosY + GetDimY(); }

    // Type codes from this one on are FSM (form-fit) items, which the plan numbers program-wide.
    static constexpr int kFsmTyp = 5;
    bool IsFsm() const { return m_nTyp >= kFsmTyp; }

    // State-word fields.
    static constexpr int kStateMarked = 0x1;
    int GetLeId() const { return (m_nState >> 1) & 0x3F; }
    void SetLeId(int id) { m_nState = (m_nState & ~(0x3F << 1)) | ((id & 0x3F) << 1); }
    // The side of a load unit that an FSM item blocks (direction code + 1, 0 none).
    int GetFsmSeite() const { return (m_nState >> 9) & 0x7; }
    // The filler kind: 1 air bag, 2 filler piece, anything else none.
    int GetFuellmittel() const { return (m_nState >> 12) & 0x7; }

    int m_nStatus = 0; // 1 for a load placed from the catalogue
    int m_nIndex = -1; // kept at -1
    std::string m_strName;
    int m_nTyp = -1;        // load-unit type code
    double m_dLaenge = 0.0; // metres
    double m_dBreite = 0.0;
    double m_dHoehe = 0.0;
    double m_dSPLaenge = 0.0; // centre of gravity along length, width, height
    double m_dSPBreite = 0.0;
    double m_dSPHoehe = 0.0;
    double m_dMasse = 0.0; // tonnes
    std::string m_strText; // text taken over from the catalogue
    int m_nKatalog = 0;    // -1 once placed from the catalogue
    double m_dPosX = 0.0;  // along the vehicle
    double m_dPosY = 0.0;  // across the vehicle
    double m_dPosZ = 0.0;
    int m_nDrehung = 0;      // 0, 90, 180 or 270 degrees
    double m_dSPMasse = 0.0; // mass counted into the plan's centre of gravity
    // Extra values carried through the plan record of a vehicle file, read by no calculation.
    int m_nZusatzWort = 0; // stored as a 16-bit word
    std::string m_strZusatzText;
    int m_nZusatzInt = 0;
    // Free values, neither stored nor read.
    int m_nFreiInt = -1;
    std::string m_strFreiText;
    double m_dFreiWert = 0.0;
    int m_nFreiWert = 0;
    int m_nNummer = -1; // running number, -1 = none yet
    unsigned char m_bSelected = 0;
    unsigned char m_bSavedSelected = 0;
    // bit 0 mark; bits 1-6 load-unit id; bits 7-8 wall-search marks; bits 9-11 blocked side of an FSM
    // item (direction code + 1); bits 12-14 the filler kind (1 air bag, 2 filler piece).
    int m_nState = 0;
    std::string m_strBildDatei;  // picture file name in the picture folder
    std::string m_strBildQuelle; // source path of the picture
};
