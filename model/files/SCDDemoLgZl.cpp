// A demo load record, read but never written by the program.
#include "model/files/SCDDemoLgZl.h"

#include "model/archive/ArchiveReader.h"
#include "model/archive/ArchiveWriter.h"

QOR_IMPLEMENT_SERIAL(SCDDemoLgZl, 4, false)

void SCDDemoLgZl::Write(ArchiveWriter& ar) const
{
    ar.WriteString(m_strName);
    ar.WriteInt(m_nWert);
    ar.WriteString(m_strText);
}

void SCDDemoLgZl::Read(ArchiveReader& ar, unsigned)
{
    m_strName = ar.ReadString();
    m_nWert = ar.ReadInt();
    m_strText = ar.ReadString();
}
