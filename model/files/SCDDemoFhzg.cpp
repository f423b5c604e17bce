// A demo vehicle record, read but never written by the program.
#include "model/files/SCDDemoFhzg.h"

#include "model/archive/ArchiveReader.h"
#include "model/archive/ArchiveWriter.h"

QOR_IMPLEMENT_SERIAL(SCDDemoFhzg, 4, false)

void SCDDemoFhzg::Write(ArchiveWriter& ar) const
{
    ar.WriteString(m_str1);
    ar.WriteInt(m_n1);
    ar.WriteString(m_str2);
    ar.WriteInt(m_n2);
    ar.WriteObjectList(m_Kinder);
}

void SCDDemoFhzg::Read(ArchiveReader& ar, unsigned)
{
    m_str1 = ar.ReadString();
    m_n1 = ar.ReadInt();
    m_str2 = ar.ReadString();
    m_n2 = ar.ReadInt();
    ar.ReadObjectList(m_Kinder);
}
