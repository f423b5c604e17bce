// Coefficient sets of the load-securing standards and their archive layout.
#include "model/securing/SNormParams.h"

#include "model/archive/ArchiveReader.h"
#include "model/archive/ArchiveWriter.h"
#include "model/text/TextFormat.h"

QOR_IMPLEMENT_SERIAL(SNormParams, 3, true)

bool SNormParams::GetStandard(int nNorm, SNormParams* pOut)
{
    static const float sets[3][kAnzahl] = {
        {0.8f, 0.5f, 0.5f, 0.7f, 0.0f, 1.5f, 1.0f, 1.0f, 1.0f, 0.0f},
        {0.8f, 0.5f, 0.5f, 0.5f, 0.6f, 2.0f, 1.25f, 1.1f, 0.75f, 0.6f},
        {0.8f, 0.5f, 0.5f, 0.6f, 0.0f, 2.0f, 1.25f, 1.1f, 1.0f, 0.0f},
    };
    if (nNorm < 0 || nNorm > 2 || !pOut)
        return false;
    pOut->SetKoeffizienten(sets[nNorm]);
    return true;
}

std::string SNormParams::GetNormName(int nNorm)
{
    const std::uint32_t id = (nNorm >= 0 && nNorm <= 2) ? 561u + static_cast<std::uint32_t>(nNorm) : 69u;
    return FormatS("$S", 1, id);
}

void SNormParams::SetKoeffizienten(const float* p)
{
    for (int i = 0; i < kAnzahl; ++i)
        m_fKoeff[i] = p[i];
}

void SNormParams::Write(ArchiveWriter& ar) const
{
    for (int i : {0, 1, 2, 3, 5, 6, 7, 4, 8, 9})
        ar.WriteFloat(m_fKoeff[i]);
}

void SNormParams::Read(ArchiveReader& ar, unsigned schema)
{
    if (schema < 1)
        return;
    for (int i : {0, 1, 2, 3, 5, 6, 7})
        m_fKoeff[i] = ar.ReadFloat();
    if (schema >= 2) {
        m_fKoeff[4] = ar.ReadFloat();
        m_fKoeff[8] = ar.ReadFloat();
    } else {
        m_fKoeff[4] = 0.0f;
        m_fKoeff[8] = 1.0f;
    }
    m_fKoeff[9] = schema >= 3 ? ar.ReadFloat() : 0.0f;
}
