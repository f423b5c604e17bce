// A demo vehicle record, read but never written by the program.
#include "model/files/SCDDemoFhzg.h"

#include "model/archive/ArchiveReader.h"
#include "model/archive/ArchiveWriter.h"

QOR_IMPLEMENT_SERIAL(SCDDemoFhzg, 4, false)

void SCDDemoFhzg::Write(ArchiveWriter& ar) const
{
    ar.WriteString(m_strName);
    ar.WriteInt(m_nWert);
    ar.WriteString(m_strText);
    ar.WriteInt(m_nSchlussWert);
    ar.WriteObjectList(m_Kinder);
}

void SCDDemoFhzg::Read(ArchiveReader& ar, unsigned)
{
    m_strName = ar.ReadString();
    m_nWert = ar.ReadInt();
    m_strText = ar.ReadString();
    m_nSchlussWert = ar.ReadInt();
    ar.ReadObjectList(m_Kinder);
}
