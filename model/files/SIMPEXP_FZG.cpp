// The record of one vehicle in a vehicle or combination file.
#include "model/files/SIMPEXP_FZG.h"

#include "model/archive/ArchiveReader.h"
#include "model/archive/ArchiveWriter.h"

#include <cctype>

QOR_IMPLEMENT_SERIAL(SIMPEXP_FZG, 9, true)

std::string SIMPEXP_FZG::s_strSprache;

void SIMPEXP_FZG::Write(ArchiveWriter& ar) const
{
    ar.WriteInt(m_nKopfInt);
    ar.WriteString(m_strName);
    ar.WriteInt(m_nArt);
    ar.WriteInt(m_nAchsanzahl);
    ar.WriteDouble(m_dLFLaenge);
    ar.WriteDouble(m_dAbstand[0]);
    ar.WriteDouble(m_dZulGesamtgewicht);
    ar.WriteDouble(m_dLeergewicht);
    ar.WriteInt(m_nMinAnteilVorn);
    ar.WriteInt(m_nMinAnteilHinten);
    for (double d : m_dLeerlast)
        ar.WriteDouble(d);
    for (double d : m_dZulLast)
        ar.WriteDouble(d);
    for (int i = 1; i < kAchsen; ++i)
        ar.WriteDouble(m_dAbstand[i]);
    ar.WriteDouble(m_dAchsReserve);
    for (bool b : m_bAchsFlag)
        ar.WriteBool(b);
    ar.WriteBool(m_bKupplungslast);
    ar.WriteDouble(m_dKupplungsabstand);
    ar.WriteDouble(m_dKupplungslast1);
    ar.WriteDouble(m_dKupplungslast2);
    ar.WriteString(m_strBemerkung);
    ar.WriteDouble(m_dSattelVersatz);
    ar.WriteDouble(m_dKombiWert);
    ar.WriteBool(m_bKombiFlag);
    ar.WriteDouble(m_dRadstandKorrektur);
    ar.WriteDouble(m_dLFBreite);
    ar.WriteInt(m_nSeitenProzent);
    ar.WriteInt(m_nReserveNull);
    ar.WriteInt(m_nReserveEins);
    ar.WriteInt(m_nArtZusatz);
    ar.WriteObject(m_pNutzLF.get());
    ar.WriteObject(m_pUeberstand.get());
    ar.WriteObjectList(m_Zurrpunkte);
    ar.WriteObjectList(m_Zurrmittel);
    ar.WriteObjectList(m_Zurrschienen);
    ar.WriteObjectList(m_ZLInfos);
    ar.WriteObjectList(m_Qors);
}

void SIMPEXP_FZG::Read(ArchiveReader& ar, unsigned schema)
{
    if (schema > classInfo.schema)
        ar.Fail(ArchiveError::Kind::BadSchema, ar.Position(),
                "vehicle record stored with schema " + std::to_string(schema) +
                    ", newer than this program reads");
    m_nKopfInt = ar.ReadInt();
    m_strName = ar.ReadString();
    m_nArt = ar.ReadInt();
    m_nAchsanzahl = ar.ReadInt();
    m_dLFLaenge = ar.ReadDouble();
    m_dAbstand[0] = ar.ReadDouble();
    m_dZulGesamtgewicht = ar.ReadDouble();
    m_dLeergewicht = ar.ReadDouble();
    m_nMinAnteilVorn = ar.ReadInt();
    m_nMinAnteilHinten = ar.ReadInt();
    for (double& d : m_dLeerlast)
        d = ar.ReadDouble();
    for (double& d : m_dZulLast)
        d = ar.ReadDouble();
    for (int i = 1; i < kAchsen; ++i)
        m_dAbstand[i] = ar.ReadDouble();
    m_dAchsReserve = ar.ReadDouble();
    for (bool& b : m_bAchsFlag)
        b = ar.ReadBool();
    m_bKupplungslast = ar.ReadBool();
    m_dKupplungsabstand = ar.ReadDouble();
    m_dKupplungslast1 = ar.ReadDouble();
    m_dKupplungslast2 = ar.ReadDouble();
    m_strBemerkung = ar.ReadString();
    m_dSattelVersatz = ar.ReadDouble();
    m_dKombiWert = ar.ReadDouble();
    m_bKombiFlag = ar.ReadBool();
    m_dRadstandKorrektur = ar.ReadDouble();
    if (schema >= 4) {
        m_dLFBreite = ar.ReadDouble();
        m_nSeitenProzent = ar.ReadInt();
    } else {
        m_dLFBreite = 2.5;
        m_nSeitenProzent = 4;
    }
    m_nReserveNull = ar.ReadInt();
    m_nReserveEins = ar.ReadInt();
    m_nArtZusatz = ar.ReadInt();
    if (m_nArt == FahrzeugArt::kZugmaschine && m_dZulGesamtgewicht <= 3.5 && schema < 3)
        m_bAchsFlag[9] = true;
    m_pNutzLF = ar.ReadOwnedObject<SNutzbareLF>();
    if (schema >= 5)
        m_pUeberstand = ar.ReadOwnedObject<SUeberstLG>();
    else
        m_pUeberstand = std::make_unique<SUeberstLG>();
    if (schema >= 6)
        ar.ReadObjectList(m_Zurrpunkte);
    if (schema >= 7)
        ar.ReadObjectList(m_Zurrmittel);
    if (schema >= 8)
        ar.ReadObjectList(m_Zurrschienen);
    if (schema < 9 && (m_nArt == FahrzeugArt::kZugmaschine || m_nArt == FahrzeugArt::kSattelzugmaschine)) {
        std::string sprache = s_strSprache;
        for (char& c : sprache)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        m_dLeerlast[9] = sprache == "DE" ? 40.0 : 44.0;
        ar.MarkNeedsRewriting();
    }
    ar.ReadObjectList(m_ZLInfos);
    ar.ReadObjectList(m_Qors);
}
