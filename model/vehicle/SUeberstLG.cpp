// The overhang values of a vehicle.
#include "model/vehicle/SUeberstLG.h"

#include "model/archive/ArchiveReader.h"
#include "model/archive/ArchiveWriter.h"

QOR_IMPLEMENT_SERIAL(SUeberstLG, 1, false)

void SUeberstLG::Write(ArchiveWriter& ar) const
{
    for (double d : m_dWert)
        ar.WriteDouble(d);
}

void SUeberstLG::Read(ArchiveReader& ar, unsigned)
{
    for (double& d : m_dWert)
        d = ar.ReadDouble();
}
