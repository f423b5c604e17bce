// One lashing point in a vehicle record.
#include "model/SIMPEXP_ZP.h"

#include "model/ArchiveReader.h"
#include "model/ArchiveWriter.h"

QOR_IMPLEMENT_SERIAL(SIMPEXP_ZP, 1, false)

void SIMPEXP_ZP::Write(ArchiveWriter& ar) const
{
    ar.WriteInt(m_nFlags);
    for (double d : m_dWert)
        ar.WriteDouble(d);
}

void SIMPEXP_ZP::Read(ArchiveReader& ar, unsigned)
{
    m_nFlags = ar.ReadInt();
    for (double& d : m_dWert)
        d = ar.ReadDouble();
}
