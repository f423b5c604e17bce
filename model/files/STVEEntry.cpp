// The tree entry's archive layout.
#include "model/files/STVEEntry.h"

#include "model/archive/ArchiveReader.h"
#include "model/archive/ArchiveWriter.h"

QOR_IMPLEMENT_SERIAL(STVEEntry, 4, true)

void STVEEntry::Write(ArchiveWriter& ar) const
{
    ar.WriteInt(m_nKopfWert);
    ar.WriteInt(m_nKopfIndex);
    ar.WriteString(m_strName);
    for (int v : m_anWerte)
        ar.WriteInt(v);
    ar.WriteString(m_strText);
    ar.WriteInt(m_nSchlussWert);
    ar.WriteObjectList(m_Children);
}

void STVEEntry::Read(ArchiveReader& ar, unsigned)
{
    m_nKopfWert = ar.ReadInt();
    m_nKopfIndex = ar.ReadInt();
    m_strName = ar.ReadString();
    for (int& v : m_anWerte)
        v = ar.ReadInt();
    m_strText = ar.ReadString();
    m_nSchlussWert = ar.ReadInt();
    m_Children.clear();
    ar.ReadObjectList(m_Children);
}
