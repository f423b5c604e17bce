// The tables of load-unit type texts and pictures.
#include "model/plan/LoadUnitTypes.h"

#include "model/text/TextFormat.h"

#include <cstdint>

namespace {

std::string Text(std::uint32_t id)
{
    return FormatS("$S", 1, id);
}

struct TypeRow
{
    const char* picture;
    std::uint32_t longText;
    std::uint32_t shortText;
};

constexpr std::uint32_t kTextOther = 61;

constexpr TypeRow kTypes[] = {
    {"ep.dat", 57, 57},           // 0
    {"ip.dat", 59, 59},           // 1
    {"gb.dat", 58, 58},           // 2
    {"ni.dat", 60, 60},           // 3: the record's own picture, else this one
    {"", kTextOther, kTextOther}, // 4
    {"luva.dat", 673, 450},       // 5
    {"ni.dat", 512, 512},         // 6: the record's own picture, else this one
    {"", kTextOther, kTextOther}, // 7
    {"ephk1.dat", 661, 510},      // 8
    {"epqu1.dat", 665, 511},      // 9
    {"epqu2.dat", 670, 517},      // 10
    {"ephk2.dat", 663, 515},      // 11
    {"ephk3.dat", 664, 516},      // 12
};

const TypeRow* Row(int typ)
{
    if (typ < 0 || typ >= static_cast<int>(std::size(kTypes)))
        return nullptr;
    return &kTypes[typ];
}

} // namespace

std::string GetLadungTypText(int typ, int textSet)
{
    const TypeRow* row = Row(typ);
    if (!row)
        return Text(kTextOther);
    return Text(textSet == 0 ? row->longText : row->shortText);
}

const char* GetLadungTypBild(int typ)
{
    const TypeRow* row = Row(typ);
    return row ? row->picture : "";
}

std::string FormatFsmEnumText(int value)
{
    switch (value) {
    case 1:
        return Text(427);
    case 2:
        return Text(376);
    case 3:
        return Text(426);
    case 4:
        return Text(377);
    default:
        return Text(374);
    }
}

std::string FormatFsmStateText(int value, int textSet)
{
    if (value == 1)
        return Text(textSet == 0 ? 524 : 565);
    if (value == 2)
        return Text(textSet == 0 ? 447 : 566);
    return Text(69);
}
