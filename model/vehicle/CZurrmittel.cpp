// Lashing devices: type texts and the archive layout.
#include "model/vehicle/CZurrmittel.h"

#include "model/archive/ArchiveReader.h"
#include "model/archive/ArchiveWriter.h"
#include "model/text/TextFormat.h"

QOR_IMPLEMENT_SERIAL(CZurrmittel, 1, false)

namespace {

std::uint32_t TypTextId(int nTyp)
{
    switch (nTyp) {
    case 0:
        return 393;
    case 1:
        return 394;
    case 2:
        return 395;
    default:
        return 0;
    }
}

} // namespace

std::string GetZurrmittelTypText(int nTyp)
{
    const std::uint32_t id = TypTextId(nTyp);
    return FormatS("$S", 1, id ? id : 69u);
}

std::string CZurrmittel::GetTypText() const
{
    const std::uint32_t id = TypTextId(m_nTyp);
    return id ? FormatS("$S", 1, id) : std::string();
}

void CZurrmittel::Write(ArchiveWriter& ar) const
{
    ar.WriteInt(m_nTyp);
    ar.WriteInt(m_nTypZusatz);
    ar.WriteString(m_strName);
    ar.WriteDouble(m_dVorspannkraft);
    ar.WriteDouble(m_dZurrkraft);
    ar.WriteDouble(m_dWert3);
    ar.WriteInt(m_nAnzahl);
    ar.WriteInt(m_nReserve);
}

void CZurrmittel::Read(ArchiveReader& ar, unsigned)
{
    m_nTyp = ar.ReadInt();
    m_nTypZusatz = ar.ReadInt();
    m_strName = ar.ReadString();
    m_dVorspannkraft = ar.ReadDouble();
    m_dZurrkraft = ar.ReadDouble();
    m_dWert3 = ar.ReadDouble();
    m_nAnzahl = ar.ReadInt();
    m_nReserve = ar.ReadInt();
}
