// The loading plan in a vehicle record.
#include "model/files/SIMPEXP_QOR.h"

#include "model/archive/ArchiveReader.h"
#include "model/archive/ArchiveWriter.h"

QOR_IMPLEMENT_SERIAL(SIMPEXP_QOR, 2, false)

void SIMPEXP_QOR::Write(ArchiveWriter& ar) const
{
    ar.WriteInt(m_nFahrzeugWert);
    ar.WriteInt(m_nNummer);
    ar.WriteString(m_strName);
    ar.WriteDouble(m_dReserve);
    ar.WriteInt(m_nSeitenProzent);
    ar.WriteInt(m_nReserve[0]);
    ar.WriteInt(m_nReserve[1]);
    ar.WriteObject(m_pNutzLF.get());
    ar.WriteObjectList(m_Ladungen);
    ar.WriteCount(m_Ladeeinheiten.size() + m_GelieheneLadeeinheiten.size());
    for (const auto& le : m_Ladeeinheiten)
        ar.WriteObject(le.get());
    for (const CLadeeinheit* le : m_GelieheneLadeeinheiten)
        ar.WriteObject(le);
}

void SIMPEXP_QOR::Read(ArchiveReader& ar, unsigned)
{
    m_nFahrzeugWert = ar.ReadInt();
    m_nNummer = ar.ReadInt();
    m_strName = ar.ReadString();
    m_dReserve = ar.ReadDouble();
    m_nSeitenProzent = ar.ReadInt();
    m_nReserve[0] = ar.ReadInt();
    m_nReserve[1] = ar.ReadInt();
    m_pNutzLF = ar.ReadOwnedObject<SNutzbareLF>();
    ar.ReadObjectList(m_Ladungen);
    ar.ReadObjectList(m_Ladeeinheiten);
}
