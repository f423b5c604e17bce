// Reading and writing the user's coefficient set.
#include "model/files/CustomNormParamsFile.h"

#include "model/archive/ArchiveError.h"
#include "model/archive/ArchiveReader.h"
#include "model/archive/ArchiveWriter.h"
#include "model/base/LockedFile.h"
#include "model/securing/SNormParams.h"
#include "model/securing/SicherungsEingaben.h"

#include <cmath>
#include <iterator>

namespace {

// The user's set is the third: its limits are those of an entry under standard 2.
constexpr int kEigeneNorm = 2;
// The longest file taken for a set; a set takes a few hundred bytes.
constexpr std::size_t kGroesstesSet = 64 * 1024;

} // namespace

CustomNormParamsFile::Status CustomNormParamsFile::Load(const std::filesystem::path& path, SNormParams* pOut)
{
    if (!pOut)
        return Status::kFehlt;
    std::vector<std::uint8_t> data;
    if (!LockedFile::ReadFile(path, data, kGroesstesSet)) {
        SNormParams::GetStandard(0, pOut);
        return Status::kFehlt;
    }
    SNormParams gelesen;
    try {
        ArchiveReader ar(data, path.string());
        unsigned schema = 0;
        ar.ReadClass(&SNormParams::classInfo, &schema);
        // A set of a later program may hold what this one cannot tell apart from damage.
        if (schema > SNormParams::classInfo.schema)
            throw ArchiveError(ArchiveError::Kind::Corrupt, ar.Position(), "a later schema", path.string());
        gelesen.Read(ar, schema);
        if (!ar.AtEnd())
            throw ArchiveError(ArchiveError::Kind::Corrupt, ar.Position(), "data after the set",
                               path.string());
    } catch (const ArchiveError&) {
        SNormParams::GetStandard(0, pOut);
        return Status::kBeschaedigt;
    }
    for (int i = 0; i < SNormParams::kAnzahl; ++i) {
        float& c = gelesen.m_fKoeff[i];
        if (!std::isfinite(c))
            c = 0.0f;
        c = float(SicherungsEingaben::KlemmeKoeffizient(i, c, kEigeneNorm));
    }
    *pOut = gelesen;
    return Status::kGelesen;
}

std::vector<std::uint8_t> CustomNormParamsFile::Store(const SNormParams& set)
{
    ArchiveWriter ar;
    ar.WriteClass(SNormParams::classInfo);
    SNormParams neu;
    neu.SetKoeffizienten(set.m_fKoeff);
    neu.Write(ar);
    return ar.TakeData();
}

bool CustomNormParamsFile::Save(const std::filesystem::path& path, const SNormParams& set,
                                std::string* pError)
{
    return LockedFile::WriteFile(path, Store(set), pError);
}
