// Margins and grid counts of a vehicle's load area.
#include "model/vehicle/SNutzbareLF.h"

#include "model/archive/ArchiveReader.h"
#include "model/archive/ArchiveWriter.h"

QOR_IMPLEMENT_SERIAL(SNutzbareLF, 2, false)

namespace {
// Sides in file order: front, left, right, rear.
constexpr int kFileOrder[4] = {0, 1, 3, 2};
} // namespace

void SNutzbareLF::Write(ArchiveWriter& ar) const
{
    for (int i : kFileOrder)
        ar.WriteDouble(m_dRand[i]);
    for (int i : kFileOrder)
        ar.WriteFloat(m_fWert[i]);
    for (int i : kFileOrder)
        ar.WriteInt(m_nRaster[i]);
}

void SNutzbareLF::Read(ArchiveReader& ar, unsigned)
{
    for (int i : kFileOrder)
        m_dRand[i] = ar.ReadDouble();
    for (int i : kFileOrder)
        m_fWert[i] = ar.ReadFloat();
    for (int i : kFileOrder)
        m_nRaster[i] = ar.ReadInt();
}

bool SNutzbareLF::operator==(const SNutzbareLF& o) const
{
    for (int i = 0; i < 4; ++i)
        if (m_dRand[i] != o.m_dRand[i] || m_fWert[i] != o.m_fWert[i] || m_nRaster[i] != o.m_nRaster[i])
            return false;
    return true;
}
