// The load-entry record; its archive layout is that of CZusLast.
#include "model/plan/SLadung.h"

#include "model/archive/ArchiveReader.h"
#include "model/archive/ArchiveWriter.h"

QOR_IMPLEMENT_SERIAL(SLadung, 1, false)

void SLadung::Write(ArchiveWriter& ar) const
{
    ar.WriteString(m_strName);
    ar.WriteDouble(m_d1);
    ar.WriteDouble(m_d2);
}

void SLadung::Read(ArchiveReader& ar, unsigned)
{
    m_strName = ar.ReadString();
    m_d1 = ar.ReadDouble();
    m_d2 = ar.ReadDouble();
}
