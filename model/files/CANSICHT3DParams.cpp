// One stored 3D-view state.
#include "model/files/CANSICHT3DParams.h"

#include "model/archive/ArchiveReader.h"
#include "model/archive/ArchiveWriter.h"

QOR_IMPLEMENT_SERIAL(CANSICHT3DParams, 1, false)

void CANSICHT3DParams::Write(ArchiveWriter& ar) const
{
    for (const tbVector3* v : {&m_v1, &m_v2}) {
        ar.WriteFloat(v->x);
        ar.WriteFloat(v->y);
        ar.WriteFloat(v->z);
    }
}

void CANSICHT3DParams::Read(ArchiveReader& ar, unsigned)
{
    for (tbVector3* v : {&m_v1, &m_v2}) {
        v->x = ar.ReadFloat();
        v->y = ar.ReadFloat();
        v->z = ar.ReadFloat();
    }
}
