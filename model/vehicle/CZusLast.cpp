// The additional-load record and its archive layout.
#include "model/vehicle/CZusLast.h"

#include "model/archive/ArchiveReader.h"
#include "model/archive/ArchiveWriter.h"

QOR_IMPLEMENT_SERIAL(CZusLast, 1, false)

void CZusLast::Write(ArchiveWriter& ar) const
{
    ar.WriteString(m_strName);
    ar.WriteDouble(m_dPosition);
    ar.WriteDouble(m_dMasse);
}

void CZusLast::Read(ArchiveReader& ar, unsigned)
{
    m_strName = ar.ReadString();
    m_dPosition = ar.ReadDouble();
    m_dMasse = ar.ReadDouble();
}
