// The record of one vehicle in a vehicle or combination file (versionable, schema 9).
//
// Fields in file order (the members below keep this order):
//   1 int vehicle value; 2 text name; 3 int raw kind 0..4; 4 int axle count; 5 double load-area length;
//   6 double distance of axle record 0; 7 double permissible total mass; 8 double empty mass;
//   9, 10 ints minimum shares front and rear (percent); 11-20 doubles empty loads of axle records 0..9;
//   21-30 doubles permissible loads of records 0..9; 31-39 doubles distances of records 1..9;
//   40 double 0.0; 41-50 bools axle flags (50 is the sub-type flag); 51 bool coupling-load flag;
//   52-54 doubles coupling distance, first and second coupling load; 55 text; 56 double correction
//   length; 57 double 0.0; 58 bool false; 59 double; 60 double load-area width and 61 int (from schema 4);
//   62 int 0; 63 int 1; 64 int; 65 the usable-load-area object; 66 the overhang object (from schema 5);
//   lists of lashing points (from schema 6), lashing devices (from 7), lashing rails (from 8), ZL items
//   and plan records.
//
// How the vehicle's members map onto the fields (CopyFahrzeugToImpExp and the vehicle loader follow it):
//  - field 53, the first coupling load, is CFahrzeug::m_dKupplungslast1: the permissible support load of
//    a rigid truck and the permissible fifth-wheel load of a semi-trailer tractor;
//  - field 56, the correction length that the corrected wheelbase subtracts, is the fifth-wheel offset
//    CFahrzeug::m_dSattelVersatz that the calculations use; field 59 carries the other double of that
//    block, CFahrzeug::m_dRadstandKorrektur, which no calculation reads;
//  - field 55, the only stored free text of a vehicle, is CFahrzeug::m_strText2; the report shows it as
//    the vehicle's registration;
//  - field 1 is CFahrzeug::m_nKopfInt, field 61 CFahrzeug::m_nSeitenProzent, field 64
//    CFahrzeug::m_nAnhaengerInt2.
#pragma once

#include "model/vehicle/CZurrmittel.h"
#include "model/vehicle/CZurrschiene.h"
#include "model/archive/PersistentObject.h"
#include "model/files/SIMPEXP_QOR.h"
#include "model/files/SIMPEXP_ZL2.h"
#include "model/files/SIMPEXP_ZP.h"
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

    SIMPEXP_FZG() = default;
    SIMPEXP_FZG(const SIMPEXP_FZG&) = delete;
    SIMPEXP_FZG& operator=(const SIMPEXP_FZG&) = delete;

    void Write(ArchiveWriter& ar) const override;
    // Reads any schema 0..9 and converts the older ones (may set CImpExp::s_bReSave).
    void Read(ArchiveReader& ar, unsigned schema) override;

    // CFahrzeug::GetFahrzeugTyp of the vehicle the record holds.
    int GetFahrzeugTyp() const { return m_nArt == 0 && m_bAchsFlag[9] ? 5 : m_nArt; }

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
    double m_dAbstand[kAchsen] = {}; // record 0: field 6; records 1..9: fields 31..39
    double m_dLeerlast[kAchsen] = {};
    double m_dZulLast[kAchsen] = {};
    double m_d40 = 0.0;
    bool m_bAchsFlag[kAchsen] = {};
    bool m_bKupplungslast = false;
    double m_dKupplungsabstand = 0.0;
    double m_dKupplungslast1 = 0.0;
    double m_dKupplungslast2 = 0.0;
    std::string m_strText2;
    double m_dSattelVersatz = 0.0;
    double m_d57 = 0.0;
    bool m_b58 = false;
    double m_d59 = 0.0;
    double m_dLFBreite = 0.0;
    int m_nSeitenProzent = 4;
    int m_n62 = 0;
    int m_n63 = 1;
    int m_nAnhaengerInt2 = 1;
    std::unique_ptr<SNutzbareLF> m_pNutzLF;
    std::unique_ptr<SUeberstLG> m_pUeberstand;
    std::vector<std::unique_ptr<SIMPEXP_ZP>> m_Zurrpunkte;
    std::vector<std::unique_ptr<CZurrmittel>> m_Zurrmittel;
    std::vector<std::unique_ptr<CZurrschiene>> m_Zurrschienen;
    std::vector<std::unique_ptr<SIMPEXP_ZL2>> m_ZLInfos;
    std::vector<std::unique_ptr<SIMPEXP_QOR>> m_Qors;
};
