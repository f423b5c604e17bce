// The ZL item record and its archive layout.
#include "model/vehicle/tagZLINFO.h"

#include "model/archive/ArchiveReader.h"
#include "model/archive/ArchiveWriter.h"
#include "model/text/TextFormat.h"

#include <cstdint>

QOR_IMPLEMENT_SERIAL(tagZLINFO, 4, true)

void tagZLINFO::Write(ArchiveWriter& ar) const
{
    ar.WriteInt(m_nEigenWert);
    ar.WriteString(m_strName);
    ar.WriteInt(m_nTyp);
    ar.WriteDouble(m_dLaenge);
    ar.WriteDouble(m_dBreite);
    ar.WriteDouble(m_dAbstand);
    ar.WriteDouble(m_dMasse);
    ar.WriteInt(m_nWert);
    ar.WriteInt(m_nReserveWert);
    ar.WriteDouble(m_dHoehe);
    ar.WriteInt(m_nReservePos);
    ar.WriteDouble(m_dPosX);
    ar.WriteInt(m_nVomEnde);
    ar.WriteInt(m_nTyp1);
    ar.WriteInt(m_nWertKopie);
    ar.WriteBool(m_bFlag);
    ar.WriteString(m_strText);
}

void tagZLINFO::Read(ArchiveReader& ar, unsigned)
{
    m_nEigenWert = ar.ReadInt();
    m_strName = ar.ReadString();
    m_nTyp = ar.ReadInt();
    m_dLaenge = ar.ReadDouble();
    m_dBreite = ar.ReadDouble();
    m_dAbstand = ar.ReadDouble();
    m_dMasse = ar.ReadDouble();
    m_nWert = ar.ReadInt();
    m_nReserveWert = ar.ReadInt();
    m_dHoehe = ar.ReadDouble();
    m_nReservePos = ar.ReadInt();
    m_dPosX = ar.ReadDouble();
    m_nVomEnde = ar.ReadInt();
    m_nTyp1 = ar.ReadInt();
    m_nWertKopie = ar.ReadInt();
    m_bFlag = ar.ReadBool();
    m_strText = ar.ReadString();
}

std::string tagZLINFO::GetTypText() const
{
    static const std::uint32_t kTexte[7] = {6, 629, 626, 630, 627, 622, 628};
    const std::uint32_t id = (m_nTyp >= 0 && m_nTyp < 7) ? kTexte[m_nTyp] : 69u;
    return FormatS("$S", 1, id);
}
