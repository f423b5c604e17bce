// Small look-ups of the application: index search, data-folder versions, languages, choice texts.
#include "model/base/AppHelpers.h"

#include "model/text/TextFormat.h"

#include <algorithm>
#include <array>

int FindUIntIndex(const unsigned* array, unsigned count, unsigned value)
{
    if (!array)
        return -1;
    for (unsigned i = 0; i < count; ++i) {
        if (array[i] == value)
            return static_cast<int>(i);
    }
    return -1;
}

namespace {

// The names of the data folders' versions, in order of position.
constexpr std::array<const char*, 2> kVersionTable = {"QOR v4.0", "QOR v3D.1"};

int VersionPosition(const std::string& name)
{
    for (std::size_t i = 0; i < kVersionTable.size(); ++i) {
        if (name == kVersionTable[i])
            return static_cast<int>(i);
    }
    return 0;
}

} // namespace

bool IsVersionAtLeast(const std::string& first, const std::string& second)
{
    return VersionPosition(second) >= VersionPosition(first);
}

bool IsLanguageAvailable(const std::string& code, const std::vector<std::string>& languages)
{
    return std::find(languages.begin(), languages.end(), code) != languages.end();
}

std::uint32_t AuswahlTextId(unsigned index, bool variant)
{
    static constexpr std::uint32_t withVariant[] = {152, 151, 153, 618, 617};
    static constexpr std::uint32_t withoutVariant[] = {544, 545, 546, 547, 548};
    if (index >= 5)
        return 69;
    return variant ? withVariant[index] : withoutVariant[index];
}

std::string FormatAuswahlText(unsigned index, bool variant)
{
    return FormatS("$S", 1, AuswahlTextId(index, variant));
}
