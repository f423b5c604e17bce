// One directory entry of a vehicle or combination file.
#include "model/files/SFileFhzgInfo.h"

#include "model/archive/ArchiveReader.h"
#include "model/archive/ArchiveWriter.h"

QOR_IMPLEMENT_SERIAL(SFileFhzgInfo, 1, false)

void SFileFhzgInfo::Write(ArchiveWriter& ar) const
{
    ar.WriteInt(m_nTyp);
    ar.WriteString(m_strName);
    ar.WriteString(m_strTitel);
    ar.WriteInt(m_nIndex);
    ar.WriteString(m_strPfad);
}

void SFileFhzgInfo::Read(ArchiveReader& ar, unsigned)
{
    m_nTyp = ar.ReadInt();
    m_strName = ar.ReadString();
    m_strTitel = ar.ReadString();
    m_nIndex = ar.ReadInt();
    m_strPfad = ar.ReadString();
}
