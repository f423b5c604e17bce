// The built-in English texts of the format texts of the language module.
#include "model/text/BuiltInTexts.h"

#include <algorithm>
#include <iterator>

namespace {

struct BuiltInText
{
    std::uint32_t id;
    const char* text;
};

// In the order of their numbers.
constexpr BuiltInText kTexts[] = {
    {46, "%sThe load distribution cannot be calculated: check the vehicle data"},
    {47, "%sPermissible axle load exceeded"},
    {48, "%sPermissible drawbar load exceeded"},
    {49, "%sPermissible fifth-wheel load exceeded"},
    {50, "%sMinimum axle-load share not reached"},
    {51, "%sPermissible total mass exceeded"},
    {52, "%sLoad too uneven across the vehicle: more than %d %% side difference"},
    {188, "The folder %s cannot be created or used. Check that you may write to it, then start the program "
          "again."},
    {292, "The folder %s holds %d subfolders, but it may hold only one: the folder of the language in use. "
          "Move the files you want to keep into one of them, remove the others, then start the program "
          "again."},
    {320, "Combination overloaded: more than %.0f kg"},
    {410, "Load unit %i (active)"},
    {411, "Load unit %i"},
    {609, "The securing of load unit %i has these defects:<ul>%s</ul>"},
    {61971, "%s could not be used: it is not a regular file of a sensible size. It was moved to %s, and the "
            "program goes on without it."},
    {61972, "%s cannot be used: it is not a regular file of a sensible size, and it could not be moved "
            "aside. Remove or rename it, then start the program again."},
};

} // namespace

const char* BuiltInEnglishText(std::uint32_t id)
{
    const auto* found = std::lower_bound(std::begin(kTexts), std::end(kTexts), id,
                                         [](const BuiltInText& t, std::uint32_t n) { return t.id < n; });
    return found != std::end(kTexts) && found->id == id ? found->text : nullptr;
}

std::vector<std::uint32_t> BuiltInEnglishTextIds()
{
    std::vector<std::uint32_t> ids;
    for (const BuiltInText& t : kTexts)
        ids.push_back(t.id);
    return ids;
}
