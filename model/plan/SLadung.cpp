// The load-entry record; its archive layout is that of CZusLast.
#include "model/plan/SLadung.h"

#include "model/archive/ArchiveReader.h"
#include "model/archive/ArchiveWriter.h"

QOR_IMPLEMENT_SERIAL(SLadung, 1, false)

void SLadung::Write(ArchiveWriter& ar) const
{
    ar.WriteString(m_strName);
    ar.WriteDouble(m_dPosition);
    ar.WriteDouble(m_dMasse);
}

void SLadung::Read(ArchiveReader& ar, unsigned)
{
    m_strName = ar.ReadString();
    m_dPosition = ar.ReadDouble();
    m_dMasse = ar.ReadDouble();
}
