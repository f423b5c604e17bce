// Lashing rails: side distance, extent and the archive layout.
#include "model/vehicle/CZurrschiene.h"

#include "model/archive/ArchiveReader.h"
#include "model/archive/ArchiveWriter.h"

QOR_IMPLEMENT_SERIAL(CZurrschiene, 1, false)

CZurrschiene::CZurrschiene(const CZurrschiene& o) : PersistentObject(o)
{
    *this = o;
}

CZurrschiene& CZurrschiene::operator=(const CZurrschiene& o)
{
    m_nSeite = o.m_nSeite;
    m_dPosition = o.m_dPosition;
    m_dWeitereWerte[0] = o.m_dWeitereWerte[0];
    m_dWeitereWerte[1] = o.m_dWeitereWerte[1];
    m_dWeitereWerte[2] = o.m_dWeitereWerte[2];
    m_nReserve = o.m_nReserve;
    m_nZulKraft = o.m_nZulKraft;
    return *this;
}

void CZurrschiene::Write(ArchiveWriter& ar) const
{
    ar.WriteInt(m_nSeite);
    ar.WriteDouble(m_dPosition);
    ar.WriteDouble(m_dWeitereWerte[0]);
    ar.WriteInt(m_nReserve);
    ar.WriteInt(m_nZulKraft);
    ar.WriteDouble(m_dWeitereWerte[1]);
    ar.WriteDouble(m_dWeitereWerte[2]);
}

void CZurrschiene::Read(ArchiveReader& ar, unsigned)
{
    m_nSeite = ar.ReadInt();
    m_dPosition = ar.ReadDouble();
    m_dWeitereWerte[0] = ar.ReadDouble();
    m_nReserve = ar.ReadInt();
    m_nZulKraft = ar.ReadInt();
    m_dWeitereWerte[1] = ar.ReadDouble();
    m_dWeitereWerte[2] = ar.ReadDouble();
}

double CZurrschiene::GetSeitenAbstand(double dBreite) const
{
    if (m_nSeite == 0)
        return dBreite - m_dPosition;
    if (m_nSeite == 2)
        return m_dPosition;
    return -1.0;
}

bool CZurrschiene::GetBereich(double* pVon, double* pBis) const
{
    if (pVon)
        *pVon = m_dVon;
    if (pBis)
        *pBis = m_dBis;
    return m_dVon > 0.0 || m_dBis > 0.0;
}
