// Attachment points of a load unit and their archive layout.
#include "model/plan/CAnschlagpunkt.h"

#include "model/archive/ArchiveReader.h"
#include "model/archive/ArchiveWriter.h"
#include "model/vehicle/CZurrpunkt.h"

QOR_IMPLEMENT_SERIAL(CAnschlagpunkt, 1, false)

CAnschlagpunkt::CAnschlagpunkt() = default;

CAnschlagpunkt::CAnschlagpunkt(int nEcke) : m_nEcke(nEcke) {}

CAnschlagpunkt::~CAnschlagpunkt() = default;

void CAnschlagpunkt::Write(ArchiveWriter& ar) const
{
    ar.WriteInt(m_nEcke);
    ar.WriteDouble(m_dVersatz1);
    ar.WriteDouble(m_dVersatz2);
    ar.WriteDouble(m_dVersatz3);
    ar.WriteInt(m_nReserve);
    ar.WriteObject(m_pZurrpunkt.get());
}

void CAnschlagpunkt::Read(ArchiveReader& ar, unsigned)
{
    m_nEcke = ar.ReadInt();
    m_dVersatz1 = ar.ReadDouble();
    m_dVersatz2 = ar.ReadDouble();
    m_dVersatz3 = ar.ReadDouble();
    m_nReserve = ar.ReadInt();
    // The point belongs to this corner alone, so a reference to an object read before is refused.
    m_pZurrpunkt = ar.ReadOwnedObject<CZurrpunkt>();
}

CZurrpunkt* CAnschlagpunkt::GetZurrpunkt(int nSub) const
{
    return nSub == 0 ? m_pZurrpunkt.get() : nullptr;
}

void CAnschlagpunkt::SetZurrpunkt(int nSub, const CZurrpunkt* p)
{
    if (nSub != 0)
        return;
    m_pZurrpunkt.reset(p ? new CZurrpunkt(*p) : nullptr);
}
