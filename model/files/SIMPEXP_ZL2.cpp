// One ZL item in a vehicle record.
#include "model/files/SIMPEXP_ZL2.h"

#include "model/archive/ArchiveReader.h"
#include "model/archive/ArchiveWriter.h"
#include "model/vehicle/tagZLINFO.h"

#include <cstdint>

QOR_IMPLEMENT_SERIAL(SIMPEXP_ZL2, 4, false)

namespace {
int ReadSignedWord(ArchiveReader& ar)
{
    return static_cast<std::int16_t>(ar.ReadWord());
}
void WriteLowWord(ArchiveWriter& ar, int v)
{
    ar.WriteWord(static_cast<std::uint16_t>(v & 0xFFFF));
}
} // namespace

void SIMPEXP_ZL2::Write(ArchiveWriter& ar) const
{
    ar.WriteInt(m_nEigenWert);
    WriteLowWord(ar, m_nTyp);
    ar.WriteInt(m_nFahrzeugWert);
    ar.WriteString(m_strName);
    ar.WriteDouble(m_dLaenge);
    ar.WriteDouble(m_dBreite);
    ar.WriteDouble(m_dAbstand);
    ar.WriteDouble(m_dMasse);
    WriteLowWord(ar, m_nWert);
    ar.WriteInt(m_nReserveWert);
    ar.WriteDouble(m_dHoehe);
    ar.WriteDouble(m_dPosX);
    WriteLowWord(ar, m_nVomEnde);
    WriteLowWord(ar, m_nTyp1);
    WriteLowWord(ar, m_nWertKopie);
    ar.WriteInt(m_nReserve[0]);
    ar.WriteInt(m_nReserve[1]);
    ar.WriteDouble(m_dReserve);
}

void SIMPEXP_ZL2::Read(ArchiveReader& ar, unsigned)
{
    m_nEigenWert = ar.ReadInt();
    m_nTyp = ReadSignedWord(ar);
    m_nFahrzeugWert = ar.ReadInt();
    m_strName = ar.ReadString();
    m_dLaenge = ar.ReadDouble();
    m_dBreite = ar.ReadDouble();
    m_dAbstand = ar.ReadDouble();
    m_dMasse = ar.ReadDouble();
    m_nWert = ReadSignedWord(ar);
    m_nReserveWert = ar.ReadInt();
    m_dHoehe = ar.ReadDouble();
    m_dPosX = ar.ReadDouble();
    m_nVomEnde = ReadSignedWord(ar);
    m_nTyp1 = ReadSignedWord(ar);
    m_nWertKopie = ReadSignedWord(ar);
    m_nReserve[0] = ar.ReadInt();
    m_nReserve[1] = ar.ReadInt();
    m_dReserve = ar.ReadDouble();
}

void SIMPEXP_ZL2::SetFrom(const tagZLINFO& zl, int nFahrzeugWert)
{
    m_nEigenWert = zl.m_nEigenWert;
    m_nTyp = zl.m_nTyp;
    m_nFahrzeugWert = nFahrzeugWert;
    m_strName = zl.m_strName;
    m_dLaenge = zl.m_dLaenge;
    m_dBreite = zl.m_dBreite;
    m_dAbstand = zl.m_dAbstand;
    m_dMasse = zl.m_dMasse;
    m_nWert = zl.m_nWert;
    m_nReserveWert = 0;
    m_dHoehe = zl.m_dHoehe;
    m_dPosX = zl.m_dPosX;
    m_nVomEnde = zl.m_nVomEnde;
    m_nTyp1 = zl.m_nTyp1;
    m_nWertKopie = zl.m_nWertKopie;
}

void SIMPEXP_ZL2::CopyTo(tagZLINFO& zl) const
{
    zl.m_nEigenWert = -1;
    zl.m_nTyp = m_nTyp;
    zl.m_strName = m_strName;
    zl.m_dLaenge = m_dLaenge;
    zl.m_dBreite = m_dBreite;
    zl.m_dAbstand = m_dAbstand;
    zl.m_dMasse = m_dMasse;
    zl.m_nWert = m_nWert;
    zl.m_nReserveWert = 0;
    zl.m_dHoehe = m_dHoehe;
    zl.m_nReservePos = -1;
    zl.m_dPosX = m_dPosX;
    zl.m_nVomEnde = m_nVomEnde;
    zl.m_nTyp1 = m_nTyp1;
    zl.m_nWertKopie = m_nWertKopie;
}
