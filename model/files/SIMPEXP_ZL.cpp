// An older ZL item record, read but never written by the program.
#include "model/files/SIMPEXP_ZL.h"

#include "model/archive/ArchiveReader.h"
#include "model/archive/ArchiveWriter.h"

QOR_IMPLEMENT_SERIAL(SIMPEXP_ZL, 1, false)

void SIMPEXP_ZL::Write(ArchiveWriter& ar) const
{
    ar.WriteInt(m_nKopf[0]);
    ar.WriteInt(m_nKopf[1]);
    ar.WriteDouble(m_dKopf);
    for (auto w : m_wKopf)
        ar.WriteWord(w);
    ar.WriteDouble(m_dWert);
    ar.WriteString(m_strText);
    ar.WriteWord(m_wNachText);
    for (double d : m_dWerte)
        ar.WriteDouble(d);
    ar.WriteWord(m_wNachWerten);
    ar.WriteInt(m_nNachWerten);
    ar.WriteDouble(m_dNachWerten);
    ar.WriteInt(m_nReserve[0]);
    ar.WriteInt(m_nReserve[1]);
    ar.WriteDouble(m_dReserve);
}

void SIMPEXP_ZL::Read(ArchiveReader& ar, unsigned)
{
    m_nKopf[0] = ar.ReadInt();
    m_nKopf[1] = ar.ReadInt();
    m_dKopf = ar.ReadDouble();
    for (auto& w : m_wKopf)
        w = ar.ReadWord();
    m_dWert = ar.ReadDouble();
    m_strText = ar.ReadString();
    m_wNachText = ar.ReadWord();
    for (double& d : m_dWerte)
        d = ar.ReadDouble();
    m_wNachWerten = ar.ReadWord();
    m_nNachWerten = ar.ReadInt();
    m_dNachWerten = ar.ReadDouble();
    m_nReserve[0] = ar.ReadInt();
    m_nReserve[1] = ar.ReadInt();
    m_dReserve = ar.ReadDouble();
}
