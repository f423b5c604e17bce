// Form-fit blocking records and their archive layouts.
#include "model/plan/sFSParam.h"

#include "model/archive/ArchiveReader.h"
#include "model/archive/ArchiveWriter.h"
#include "model/plan/tagLGINFO.h"

QOR_IMPLEMENT_SERIAL(sFSParam, 3, true)

void sFSParam::Write(ArchiveWriter& ar) const
{
    ar.WriteInt(m_nArt);
    ar.WriteInt(m_nKapazitaet);
    ar.WriteInt(m_nNummer);
}

void sFSParam::Read(ArchiveReader& ar, unsigned schema)
{
    m_nArt = ar.ReadInt();
    m_nKapazitaet = ar.ReadInt();
    if (schema == 2)
        ar.ReadString(); // a text of the old layout, not kept
    if (schema >= 2)
        m_nNummer = ar.ReadInt();
}

void sFSParam::SetLg(tagLGINFO* p)
{
    m_pLg = p;
    if (p)
        m_nNummer = p->m_nNummer;
}
