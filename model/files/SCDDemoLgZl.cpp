// A demo load record, read but never written by the program.
#include "model/files/SCDDemoLgZl.h"

#include "model/archive/ArchiveReader.h"
#include "model/archive/ArchiveWriter.h"

QOR_IMPLEMENT_SERIAL(SCDDemoLgZl, 4, false)

void SCDDemoLgZl::Write(ArchiveWriter& ar) const
{
    ar.WriteString(m_str1);
    ar.WriteInt(m_n);
    ar.WriteString(m_str2);
}

void SCDDemoLgZl::Read(ArchiveReader& ar, unsigned)
{
    m_str1 = ar.ReadString();
    m_n = ar.ReadInt();
    m_str2 = ar.ReadString();
}
