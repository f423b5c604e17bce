// Member loads of a load unit and their archive layout.
#include "model/plan/sLg.h"

#include "model/archive/ArchiveReader.h"
#include "model/archive/ArchiveWriter.h"

#include <cstdio>

QOR_IMPLEMENT_SERIAL(sLg, 1, true)

std::string FormatLgKey(const std::string& name, int nNr)
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "%02i", nNr);
    return name + digits;
}

void sLg::Write(ArchiveWriter& ar) const
{
    ar.WriteString(m_strName);
    ar.WriteInt(m_nNummer);
}

void sLg::Read(ArchiveReader& ar, unsigned)
{
    m_strName = ar.ReadString();
    m_nNummer = ar.ReadInt();
}
