// An older ZL item record, read but never written by the program.
#include "model/files/SIMPEXP_ZL.h"

#include "model/archive/ArchiveReader.h"
#include "model/archive/ArchiveWriter.h"

QOR_IMPLEMENT_SERIAL(SIMPEXP_ZL, 1, false)

void SIMPEXP_ZL::Write(ArchiveWriter& ar) const
{
    ar.WriteInt(m_n1);
    ar.WriteInt(m_n2);
    ar.WriteDouble(m_d3);
    for (auto w : m_w4)
        ar.WriteWord(w);
    ar.WriteDouble(m_d7);
    ar.WriteString(m_strText);
    ar.WriteWord(m_w9);
    for (double d : m_d10)
        ar.WriteDouble(d);
    ar.WriteWord(m_w14);
    ar.WriteInt(m_n15);
    ar.WriteDouble(m_d16);
    ar.WriteInt(m_n17);
    ar.WriteInt(m_n18);
    ar.WriteDouble(m_d19);
}

void SIMPEXP_ZL::Read(ArchiveReader& ar, unsigned)
{
    m_n1 = ar.ReadInt();
    m_n2 = ar.ReadInt();
    m_d3 = ar.ReadDouble();
    for (auto& w : m_w4)
        w = ar.ReadWord();
    m_d7 = ar.ReadDouble();
    m_strText = ar.ReadString();
    m_w9 = ar.ReadWord();
    for (double& d : m_d10)
        d = ar.ReadDouble();
    m_w14 = ar.ReadWord();
    m_n15 = ar.ReadInt();
    m_d16 = ar.ReadDouble();
    m_n17 = ar.ReadInt();
    m_n18 = ar.ReadInt();
    m_d19 = ar.ReadDouble();
}
