// One placed load of a plan record.
#include "model/files/SIMPEXP_LADUNG2QOR2.h"

#include "model/archive/ArchiveReader.h"
#include "model/archive/ArchiveWriter.h"
#include "model/files/LadungGrenzen.h"
#include "model/plan/tagLGINFO.h"

#include <cstdint>

QOR_IMPLEMENT_SERIAL(SIMPEXP_LADUNG2QOR2, 9, true)

namespace {
// The file-name part of a Windows or POSIX path: what follows the last '\', '/' or drive colon.
std::string FileNamePart(const std::string& path)
{
    const auto at = path.find_last_of("\\/:");
    return at == std::string::npos ? path : path.substr(at + 1);
}
} // namespace

void SIMPEXP_LADUNG2QOR2::Write(ArchiveWriter& ar) const
{
    ar.WriteInt(m_nIndex);
    ar.WriteInt(m_nZusatzInt);
    ar.WriteWord(static_cast<std::uint16_t>(m_nTyp & 0xFFFF));
    ar.WriteString(m_strName);
    for (double d : {m_dLaenge, m_dBreite, m_dHoehe, m_dSPLaenge, m_dSPBreite, m_dSPHoehe, m_dSPMasse,
                     m_dPosX, m_dPosY, m_dPosZ})
        ar.WriteDouble(d);
    ar.WriteInt(m_nDrehung);
    ar.WriteWord(static_cast<std::uint16_t>(m_nZusatzWort & 0xFFFF));
    ar.WriteString(m_strZusatzText);
    ar.WriteInt(m_nReserve);
    ar.WriteInt(m_nNummer);
    ar.WriteInt(m_nState);
    ar.WriteString(m_strBildDatei);
    ar.WriteString(m_strBildQuelle);
}

void SIMPEXP_LADUNG2QOR2::Read(ArchiveReader& ar, unsigned schema)
{
    const std::size_t at = ar.Position();
    if (schema > classInfo.schema)
        ar.Fail(ArchiveError::Kind::BadSchema, at,
                "placed load stored with schema " + std::to_string(schema) +
                    ", newer than this program reads");
    m_nIndex = ar.ReadInt();
    m_nZusatzInt = ar.ReadInt();
    m_nTyp = static_cast<std::int16_t>(ar.ReadWord());
    m_strName = ar.ReadString();
    for (double* d : {&m_dLaenge, &m_dBreite, &m_dHoehe, &m_dSPLaenge, &m_dSPBreite, &m_dSPHoehe, &m_dSPMasse,
                      &m_dPosX, &m_dPosY, &m_dPosZ})
        *d = ar.ReadDouble();
    // A load that no editor could have made (a size of 1e305 m, a mass that is not a number) is damage:
    // taken in, it would reach the plan's calculations, its drawing and the 3D view.
    bool bGueltig = LadungGrenzen::DateiPositionGueltig(m_dPosX) &&
                    LadungGrenzen::DateiPositionGueltig(m_dPosY) &&
                    LadungGrenzen::DateiPositionGueltig(m_dPosZ);
    for (double d : {m_dLaenge, m_dBreite, m_dHoehe, m_dSPLaenge, m_dSPBreite, m_dSPHoehe, m_dSPMasse})
        bGueltig = bGueltig && LadungGrenzen::DateiWertGueltig(d);
    if (!bGueltig)
        ar.Fail(ArchiveError::Kind::Corrupt, at,
                "placed load with a size, mass or position that no load can have");
    m_nDrehung = ar.ReadInt();
    m_nZusatzWort = static_cast<std::int16_t>(ar.ReadWord());
    m_strZusatzText = ar.ReadString();
    m_nReserve = ar.ReadInt();
    if (schema >= 5)
        m_nNummer = ar.ReadInt();
    if (schema >= 7)
        m_nState = ar.ReadInt();
    if (schema >= 8) {
        m_strBildDatei = ar.ReadString();
        m_strBildQuelle = ar.ReadString();
    }
    if (schema == 8 && !m_strBildDatei.empty()) {
        m_strBildDatei = FileNamePart(m_strBildDatei);
        ar.MarkNeedsRewriting();
    }
    if (schema < 6) {
        switch (m_nTyp) {
        case 1:
            m_nTyp = 2;
            break;
        case 2:
            m_nTyp = 4;
            break;
        case 4:
            m_nTyp = 1;
            break;
        default:
            break;
        }
    }
}

void SIMPEXP_LADUNG2QOR2::SetFrom(const tagLGINFO& lg)
{
    m_nIndex = lg.m_nIndex;
    m_nZusatzInt = lg.m_nZusatzInt;
    m_nTyp = lg.m_nTyp;
    m_strName = lg.m_strName;
    m_dLaenge = lg.m_dLaenge;
    m_dBreite = lg.m_dBreite;
    m_dHoehe = lg.m_dHoehe;
    m_dSPLaenge = lg.m_dSPLaenge;
    m_dSPBreite = lg.m_dSPBreite;
    m_dSPHoehe = lg.m_dSPHoehe;
    m_dSPMasse = lg.m_dSPMasse;
    m_dPosX = lg.m_dPosX;
    m_dPosY = lg.m_dPosY;
    m_dPosZ = lg.m_dPosZ;
    m_nDrehung = lg.m_nDrehung;
    m_nZusatzWort = lg.m_nZusatzWort;
    m_strZusatzText = lg.m_strZusatzText;
    m_nReserve = 0;
    m_nNummer = lg.m_nNummer;
    m_nState = lg.m_nState;
    m_strBildDatei = lg.m_strBildDatei;
    m_strBildQuelle = lg.m_strBildQuelle;
}

void SIMPEXP_LADUNG2QOR2::CopyTo(tagLGINFO& lg) const
{
    lg.m_nIndex = -1;
    lg.m_nZusatzInt = m_nZusatzInt;
    lg.m_nTyp = m_nTyp;
    lg.m_strName = m_strName;
    lg.m_dLaenge = m_dLaenge;
    lg.m_dBreite = m_dBreite;
    lg.m_dHoehe = m_dHoehe;
    lg.m_dSPLaenge = m_dSPLaenge;
    lg.m_dSPBreite = m_dSPBreite;
    lg.m_dSPHoehe = m_dSPHoehe;
    lg.m_dMasse = m_dSPMasse;
    lg.m_dSPMasse = m_dSPMasse;
    lg.m_dPosX = m_dPosX;
    lg.m_dPosY = m_dPosY;
    lg.m_dPosZ = m_dPosZ;
    lg.m_nDrehung = m_nDrehung;
    lg.m_nZusatzWort = m_nZusatzWort;
    lg.m_strText = m_strZusatzText;
    lg.m_strZusatzText = m_strZusatzText;
    lg.m_nNummer = m_nNummer;
    lg.m_nState = m_nState;
    lg.m_strBildDatei = m_strBildDatei;
    lg.m_strBildQuelle = m_strBildQuelle;
}
