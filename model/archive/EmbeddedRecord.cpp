// Records embedded in another record.
#include "model/archive/EmbeddedRecord.h"

#include "model/archive/ArchiveReader.h"
#include "model/archive/ArchiveWriter.h"

void SerializeEmbeddedStore(ArchiveWriter& ar, const PersistentObject& o)
{
    ar.WriteClass(o.GetRuntimeClass());
    o.Write(ar);
}

void SerializeEmbedded(ArchiveReader& ar, PersistentObject& o)
{
    unsigned schema = 0;
    ar.ReadClass(&o.GetRuntimeClass(), &schema);
    o.Read(ar, schema);
}
