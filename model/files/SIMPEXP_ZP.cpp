// One lashing point in a vehicle record.
#include "model/files/SIMPEXP_ZP.h"

#include "model/archive/ArchiveReader.h"
#include "model/archive/ArchiveWriter.h"
#include "model/vehicle/CZurrpunkt.h"

QOR_IMPLEMENT_SERIAL(SIMPEXP_ZP, 1, false)

void SIMPEXP_ZP::Write(ArchiveWriter& ar) const
{
    ar.WriteInt(m_nFlags);
    for (double d : m_dWert)
        ar.WriteDouble(d);
}

void SIMPEXP_ZP::Read(ArchiveReader& ar, unsigned)
{
    m_nFlags = ar.ReadInt();
    for (double& d : m_dWert)
        d = ar.ReadDouble();
}

void SIMPEXP_ZP::SetFrom(const CZurrpunkt& zp)
{
    m_nFlags = zp.m_nFlags;
    m_dWert[0] = zp.m_dAbstandLaengs;
    m_dWert[1] = zp.m_dAbstandQuer;
    m_dWert[2] = zp.m_dHoehe;
    m_dWert[3] = zp.m_dZulKraft;
}

void SIMPEXP_ZP::CopyTo(CZurrpunkt& zp) const
{
    zp.m_nFlags = m_nFlags;
    zp.m_dAbstandLaengs = m_dWert[0];
    zp.m_dAbstandQuer = m_dWert[1];
    zp.m_dHoehe = m_dWert[2];
    zp.m_dZulKraft = m_dWert[3];
}
