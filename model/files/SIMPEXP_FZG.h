// The record of one vehicle in a vehicle or combination file (versionable, schema 9).
//
// The members below stand in file order: the scalar fields up to m_nArtZusatz, then the usable-load-area
// and overhang objects (the overhang from schema 5), then the lists of lashing points (from schema 6),
// lashing devices (from 7), lashing rails (from 8), ZL items and plan records. The load-area width and
// m_nSeitenProzent are stored from schema 4. m_dAchsReserve, m_nReserveNull and m_nReserveEins are
// written as 0.0, 0 and 1 and ignored on reading; m_dKombiWert and m_bKombiFlag are written as 0.0 and
// false and give the vehicle's combination value and flag 0 on reading.
//
// How the vehicle's members map onto the fields (CopyFahrzeugToImpExp and the vehicle loader follow it):
//  - m_dKupplungslast1 is CFahrzeug::m_dKupplungslast1: the permissible support load of a rigid truck and
//    the permissible fifth-wheel load of a semi-trailer tractor;
//  - m_dSattelVersatz, the correction length that the corrected wheelbase subtracts, is the fifth-wheel
//    offset CFahrzeug::m_dSattelVersatz that the calculations use; m_dRadstandKorrektur carries the other
//    double of that block, which no calculation reads, and for a semi-trailer (kind 3) its corner
//    diameter CAuflieger::m_dAufliegerMass (0 to kGroessterAufliegerMass metres; anything else reads as 0);
//  - m_strBemerkung, the only free text a vehicle keeps in both file formats (the first-version record
//    holds it at the same place, after axle record 0), carries the remarks on the vehicle;
//  - m_nKopfInt, m_nSeitenProzent and m_nArtZusatz are the vehicle's members of the same names.
#pragma once

#include "model/archive/PersistentObject.h"
#include "model/files/SIMPEXP_QOR.h"
#include "model/files/SIMPEXP_ZL2.h"
#include "model/files/SIMPEXP_ZP.h"
#include "model/vehicle/CZurrmittel.h"
#include "model/vehicle/CZurrschiene.h"
#include "model/vehicle/FahrzeugArt.h"
#include "model/vehicle/SNutzbareLF.h"
#include "model/vehicle/SUeberstLG.h"

#include <memory>
#include <string>
#include <vector>

class SIMPEXP_FZG : public PersistentObject
{
    QOR_DECLARE_SERIAL(SIMPEXP_FZG)

public:
    static constexpr int kAchsen = 10;
    static constexpr double kGroessterAufliegerMass = 0.5;

    SIMPEXP_FZG() = default;
    SIMPEXP_FZG(const SIMPEXP_FZG&) = delete;
    SIMPEXP_FZG& operator=(const SIMPEXP_FZG&) = delete;

    void Write(ArchiveWriter& ar) const override;
    // Reads any schema 0..9 and converts the older ones (marks the read as needing rewriting).
    void Read(ArchiveReader& ar, unsigned schema) override;

    // CFahrzeug::GetFahrzeugTyp of the vehicle the record holds.
    int GetFahrzeugTyp() const
    {
        return m_nArt == FahrzeugArt::kZugmaschine && m_bAchsFlag[9] ? FahrzeugArt::kZugmaschineUntertyp
                                                                     : m_nArt;
    }

    // The program's language code (upper case), set by the application. Records of kinds 0 and 4 older
    // than schema 9 get their axle-record-9 empty load by it.
    static std::string s_strSprache;

    int m_nKopfInt = -1;
    std::string m_strName;
    int m_nArt = -1;
    int m_nAchsanzahl = 0;
    double m_dLFLaenge = 0.0;
    double m_dZulGesamtgewicht = 0.0;
    double m_dLeergewicht = 0.0;
    int m_nMinAnteilVorn = 0;
    int m_nMinAnteilHinten = 0;
    double m_dAbstand[kAchsen] = {}; // record 0 after the load-area length, records 1..9 after the loads
    double m_dLeerlast[kAchsen] = {};
    double m_dZulLast[kAchsen] = {};
    double m_dAchsReserve = 0.0;
    bool m_bAchsFlag[kAchsen] = {};
    bool m_bKupplungslast = false;
    double m_dKupplungsabstand = 0.0;
    double m_dKupplungslast1 = 0.0;
    double m_dKupplungslast2 = 0.0;
    std::string m_strBemerkung;
    double m_dSattelVersatz = 0.0;
    double m_dKombiWert = 0.0;
    bool m_bKombiFlag = false;
    double m_dRadstandKorrektur = 0.0;
    double m_dLFBreite = 0.0;
    int m_nSeitenProzent = 4;
    int m_nReserveNull = 0;
    int m_nReserveEins = 1;
    int m_nArtZusatz = 1;
    std::unique_ptr<SNutzbareLF> m_pNutzLF;
    std::unique_ptr<SUeberstLG> m_pUeberstand;
    std::vector<std::unique_ptr<SIMPEXP_ZP>> m_Zurrpunkte;
    std::vector<std::unique_ptr<CZurrmittel>> m_Zurrmittel;
    std::vector<std::unique_ptr<CZurrschiene>> m_Zurrschienen;
    std::vector<std::unique_ptr<SIMPEXP_ZL2>> m_ZLInfos;
    std::vector<std::unique_ptr<SIMPEXP_QOR>> m_Qors;
};
