// The defect record of the load-securing check and its archive layouts.
#include "model/CLgsMangel.h"

#include "model/ArchiveReader.h"
#include "model/ArchiveWriter.h"

QOR_IMPLEMENT_SERIAL(CLgsMangel, 2, true)

namespace {

void SetzeInt(std::uint8_t* p, std::int32_t v)
{
    const auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>(u >> (8 * i));
}

} // namespace

CLgsMangel::CLgsMangel(int nCode, int nIndex, CLadeeinheit* pEinheit)
    : m_nCode(nCode), m_nIndex(nIndex), m_pEinheit(pEinheit)
{
}

void CLgsMangel::Write(ArchiveWriter& ar) const
{
    ar.WriteInt(m_nCode);
    ar.WriteInt(m_nIndex);
    ar.WriteString(m_strText);
    ar.WriteInt(32);
    ar.WriteBytes(m_abWerte, sizeof m_abWerte);
}

void CLgsMangel::Read(ArchiveReader& ar, unsigned schema)
{
    if (schema == 0)
        return;
    m_nCode = ar.ReadInt();
    m_nIndex = ar.ReadInt();
    m_strText = ar.ReadString();
    std::uint8_t* p = &m_abWerte[0][0];
    if (schema >= 2) {
        const std::size_t at = ar.Position();
        const std::int32_t n = ar.ReadInt();
        if (n < 0 || static_cast<std::size_t>(n) > ar.Remaining())
            ar.Fail(ArchiveError::Kind::Corrupt, at, "defect data longer than the file");
        for (std::int32_t i = 0; i < n; ++i) {
            const std::uint8_t b = ar.ReadByte();
            if (i < 32)
                p[i] = b;
        }
        return;
    }
    for (int i = 0; i < 4; ++i) {
        const std::uint32_t w = ar.ReadDword();
        SetzeInt(m_abWerte[i], static_cast<std::int32_t>((w & 0xFFFF) * 1000));
        SetzeInt(m_abWerte[i] + 4, static_cast<std::int32_t>((w >> 16) * 1000));
    }
}
