// One named application state.
#include "model/files/CAppStateParams.h"

#include "model/archive/ArchiveReader.h"
#include "model/archive/ArchiveWriter.h"

QOR_IMPLEMENT_SERIAL(CAppStateParams, 1, false)

void CAppStateParams::Write(ArchiveWriter& ar) const
{
    ar.WriteCount(m_Werte.size());
    for (unsigned v : m_Werte)
        ar.WriteDword(v);
    for (int v : m_nWert)
        ar.WriteInt(v);
    ar.WriteObjectList(m_Ansichten);
}

void CAppStateParams::Read(ArchiveReader& ar, unsigned)
{
    const std::uint32_t n = ar.ReadCount(4);
    m_Werte.clear();
    for (std::uint32_t i = 0; i < n; ++i)
        m_Werte.push_back(ar.ReadDword());
    for (int& v : m_nWert)
        v = ar.ReadInt();
    ar.ReadObjectList(m_Ansichten);
}
