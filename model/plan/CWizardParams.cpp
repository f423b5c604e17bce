// The load-securing settings of a load unit and their archive layout.
#include "model/plan/CWizardParams.h"

#include "model/archive/ArchiveReader.h"
#include "model/archive/ArchiveWriter.h"
#include "model/archive/EmbeddedRecord.h"

#include <ctime>

QOR_IMPLEMENT_SERIAL(CWizardParams, 2, true)

CWizardParams::CWizardParams() : m_tDatum(static_cast<std::int64_t>(std::time(nullptr))) {}

// int number, int, int norm; the four blocking records and the coefficients, each embedded; int mat,
// float friction with mat, int qualifier, float friction without, int, int method, int lateral source,
// int detailed value, int device type, text, int tension force, int capacity, int; schema 2: 64-bit date.
void CWizardParams::Write(ArchiveWriter& ar) const
{
    ar.WriteInt(m_nNummer);
    ar.WriteInt(m_bBlockiert);
    ar.WriteInt(m_nNorm);
    for (const sFSParam& fs : m_FS)
        SerializeEmbeddedStore(ar, fs);
    SerializeEmbeddedStore(ar, m_Norm);
    ar.WriteInt(m_bAntirutschmatte);
    ar.WriteFloat(m_fReibungMitMatte);
    ar.WriteInt(m_nMatteQualifier);
    ar.WriteFloat(m_fReibungOhneMatte);
    ar.WriteInt(m_bReibungUeber02);
    ar.WriteInt(m_nVerfahren);
    ar.WriteInt(m_nQuerQuelle);
    ar.WriteInt(m_nDetailWert);
    ar.WriteInt(m_nZurrmittelTyp);
    ar.WriteString(m_strText);
    ar.WriteInt(m_nVorspannkraft);
    ar.WriteInt(m_nZurrkraft);
    ar.WriteInt(m_nReserveKraft);
    const auto t = static_cast<std::uint64_t>(m_tDatum);
    ar.WriteDword(static_cast<std::uint32_t>(t));
    ar.WriteDword(static_cast<std::uint32_t>(t >> 32));
}

void CWizardParams::Read(ArchiveReader& ar, unsigned schema)
{
    m_nNummer = ar.ReadInt();
    m_bBlockiert = ar.ReadInt();
    m_nNorm = ar.ReadInt();
    for (sFSParam& fs : m_FS)
        SerializeEmbedded(ar, fs);
    SerializeEmbedded(ar, m_Norm);
    m_bAntirutschmatte = ar.ReadInt();
    m_fReibungMitMatte = ar.ReadFloat();
    m_nMatteQualifier = ar.ReadInt();
    m_fReibungOhneMatte = ar.ReadFloat();
    m_bReibungUeber02 = ar.ReadInt();
    m_nVerfahren = ar.ReadInt();
    m_nQuerQuelle = ar.ReadInt();
    m_nDetailWert = ar.ReadInt();
    m_nZurrmittelTyp = ar.ReadInt();
    m_strText = ar.ReadString();
    m_nVorspannkraft = ar.ReadInt();
    m_nZurrkraft = ar.ReadInt();
    m_nReserveKraft = ar.ReadInt();
    if (schema >= 2) {
        std::uint64_t t = ar.ReadDword();
        t |= static_cast<std::uint64_t>(ar.ReadDword()) << 32;
        m_tDatum = static_cast<std::int64_t>(t);
    }
}
