// Fuzz target: the reader of the user's coefficient set on any content. Whatever it answers, the set
// holds finite coefficients; a set that reads stores as a file that reads to the same set.
#include "FuzzFile.h"
#include "model/files/CustomNormParamsFile.h"
#include "model/securing/SNormParams.h"

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    SNormParams set;
    const auto status = CustomNormParamsFile::Load(WriteFuzzFile("CustomNormParams.ser", data, size), &set);
    for (float c : set.m_fKoeff)
        if (!std::isfinite(c))
            std::abort();
    if (status != CustomNormParamsFile::Status::kGelesen)
        return 0;
    const std::vector<std::uint8_t> stored = CustomNormParamsFile::Store(set);
    SNormParams again;
    if (CustomNormParamsFile::Load(WriteFuzzFile("CustomNormParams.ser", stored.data(), stored.size()),
                                   &again) != CustomNormParamsFile::Status::kGelesen ||
        CustomNormParamsFile::Store(again) != stored)
        std::abort();
    return 0;
}
