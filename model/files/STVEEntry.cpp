// The tree entry's archive layout.
#include "model/files/STVEEntry.h"

#include "model/archive/ArchiveReader.h"
#include "model/archive/ArchiveWriter.h"

QOR_IMPLEMENT_SERIAL(STVEEntry, 4, true)

void STVEEntry::Write(ArchiveWriter& ar) const
{
    ar.WriteInt(m_n1);
    ar.WriteInt(m_n2);
    ar.WriteString(m_str1);
    for (int v : m_anWerte)
        ar.WriteInt(v);
    ar.WriteString(m_str2);
    ar.WriteInt(m_n3);
    ar.WriteObjectList(m_Children);
}

void STVEEntry::Read(ArchiveReader& ar, unsigned)
{
    m_n1 = ar.ReadInt();
    m_n2 = ar.ReadInt();
    m_str1 = ar.ReadString();
    for (int& v : m_anWerte)
        v = ar.ReadInt();
    m_str2 = ar.ReadString();
    m_n3 = ar.ReadInt();
    m_Children.clear();
    ar.ReadObjectList(m_Children);
}
