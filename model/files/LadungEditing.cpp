// The load-unit editor's checks, presets and save sequence.
#include "model/files/LadungEditing.h"

#include "model/files/LadungGrenzen.h"
#include "model/files/VehicleFiles.h"
#include "model/plan/LoadUnitTypes.h"
#include "model/text/NumberText.h"
#include "model/text/TextFormat.h"
#include "model/text/TextProvider.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>

namespace fs = std::filesystem;

namespace {
double FieldValue(const std::string& text)
{
    // Read as every number field reads (the interface language's decimal separator); a text that is
    // no number counts as missing.
    const NumberReading reading = ReadNumber(text);
    return reading.IsNumber() ? reading.value : -1.0;
}

double Millimetres(const std::string& text)
{
    return FieldValue(text);
}
} // namespace

std::string FormatLadungField(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.0f", value * 1000.0);
    return buffer;
}

LadungRefusal ValidateLadung(const LadungFieldTexts& fields, const std::string& name, tagItemData& item)
{
    // Per field: the text for a value that cannot be read, and the bounds with the text naming them. A
    // centre of gravity lies within its size, read before it.
    struct Regel
    {
        int textId;
        int grenzenTextId;
        bool bNurObergrenze; // the text names the upper bound only
        double min, max;
    };
    static constexpr Regel kRegeln[kFieldCount] = {
        {469, 290, false, LadungGrenzen::kMinGroesseMm, LadungGrenzen::kMaxLaengeMm},
        {470, 99, false, LadungGrenzen::kMinGroesseMm, LadungGrenzen::kMaxBreiteMm},
        {471, 340, true, LadungGrenzen::kMinGroesseMm, LadungGrenzen::kMaxHoeheMm}, // "above 0 and at most"
        {141, 291, false, LadungGrenzen::kMinMasseKg, LadungGrenzen::kMaxMasseKg},
        {472, 61990, true, 0.0, 0.0},
        {473, 61991, true, 0.0, 0.0},
        {474, 61992, true, 0.0, 0.0},
    };
    double werte[kFieldCount] = {};
    double* targets[kFieldCount] = {&item.m_dLaenge,   &item.m_dBreite,   &item.m_dHoehe,  &item.m_dMasse,
                                    &item.m_dSPLaenge, &item.m_dSPBreite, &item.m_dSPHoehe};
    for (int i = 0; i < kFieldCount; ++i) {
        const Regel& r = kRegeln[i];
        const NumberReading reading = ReadNumber(fields[static_cast<std::size_t>(i)]);
        if (!reading.IsNumber())
            return {i, r.textId, LoadResString(static_cast<std::uint32_t>(r.textId))};
        const double value = reading.value;
        const double max = i >= kFieldCogX ? werte[i - kFieldCogX] : r.max;
        if (value < r.min || value > max) {
            const auto id = static_cast<std::uint32_t>(r.grenzenTextId);
            const int bis = static_cast<int>(std::lround(max));
            const std::string text = r.bNurObergrenze ? FormatResChecked(id, {bis})
                                                      : FormatResChecked(id, {static_cast<int>(r.min), bis});
            return {i, r.grenzenTextId, text + "."};
        }
        werte[i] = value;
        *targets[i] = value / 1000.0;
    }
    if (name.empty())
        return {kFieldName, 219, LoadResString(219)};
    item.m_strName = name;
    return {};
}

bool ApplyLadungPreset(int preset, bool centred, LadungFieldTexts& fields)
{
    struct Preset
    {
        int length, width, height; // height 0: unchanged
    };
    static constexpr Preset kPresets[] = {{1200, 800, 0}, {1200, 1000, 0}, {1240, 835, 970}};
    if (preset < 0 || preset > 2)
        return false;
    const Preset& p = kPresets[preset];
    fields[kFieldLength] = std::to_string(p.length);
    fields[kFieldWidth] = std::to_string(p.width);
    if (p.height > 0)
        fields[kFieldHeight] = std::to_string(p.height);
    if (centred) {
        // Half of 835 shows as 418.
        char buffer[32];
        const int sizes[] = {p.length, p.width, p.height};
        for (int i = 0; i < 3; ++i) {
            if (sizes[i] == 0)
                continue;
            std::snprintf(buffer, sizeof buffer, "%.0f", sizes[i] / 2.0 + 1e-9);
            fields[static_cast<std::size_t>(kFieldCogX + i)] = buffer;
        }
    }
    return true;
}

void CentreLadungGravity(LadungFieldTexts& fields)
{
    for (int i = 0; i < 3; ++i) {
        const double size = Millimetres(fields[static_cast<std::size_t>(kFieldLength + i)]);
        if (size < 0.0)
            continue;
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.0f", size / 2.0 + 1e-9);
        fields[static_cast<std::size_t>(kFieldCogX + i)] = buffer;
    }
}

void CutLadungGravity(LadungFieldTexts& fields, int cogField)
{
    if (cogField < kFieldCogX || cogField > kFieldCogZ)
        return;
    const auto sizeField = static_cast<std::size_t>(kFieldLength + (cogField - kFieldCogX));
    const double size = Millimetres(fields[sizeField]);
    const double cog = Millimetres(fields[static_cast<std::size_t>(cogField)]);
    if (size >= 0.0 && cog > size)
        fields[static_cast<std::size_t>(cogField)] = fields[sizeField];
}

std::string NewUuidText()
{
    std::random_device rd;
    unsigned char bytes[16];
    for (unsigned char& b : bytes)
        b = static_cast<unsigned char>(rd() & 0xFF);
    bytes[6] = static_cast<unsigned char>((bytes[6] & 0x0F) | 0x40);
    bytes[8] = static_cast<unsigned char>((bytes[8] & 0x3F) | 0x80);
    std::string text;
    static const char* kHex = "0123456789abcdef";
    for (int i = 0; i < 16; ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10)
            text += '-';
        text += kHex[bytes[i] >> 4];
        text += kHex[bytes[i] & 0x0F];
    }
    return text;
}

bool SaveItemWithPicture(tagItemData& item, const fs::path& path, const fs::path& replacedPath,
                         bool pictureChanged, const fs::path& pictureFolder,
                         const PictureWriter& writePicture, bool* pictureKept)
{
    std::error_code ec;
    const std::string oldPicture = item.m_strBildDatei;
    const std::string oldSource = item.m_strBildQuelle;
    const std::string oldPath = item.m_strPfad;
    fs::path writtenPicture;
    if (item.m_pBild && (pictureChanged || oldPicture.empty())) {
        const std::string name = NewUuidText() + ".dat";
        const fs::path target = pictureFolder / name;
        fs::create_directories(pictureFolder, ec);
        if (writePicture && writePicture(*item.m_pBild, target)) {
            item.m_strBildDatei = name;
            writtenPicture = target;
        } else {
            fs::remove(target, ec);
            if (pictureKept)
                *pictureKept = true; // the record keeps the picture it had
        }
    } else if (!item.m_pBild) {
        item.m_strBildDatei.clear();
        item.m_strBildQuelle.clear();
    }

    fs::create_directories(path.parent_path(), ec);
    if (!SaveItemDataFile(path, item)) {
        if (!writtenPicture.empty())
            fs::remove(writtenPicture, ec);
        item.m_strBildDatei = oldPicture;
        item.m_strBildQuelle = oldSource;
        item.m_strPfad = oldPath;
        return false;
    }
    // The old file goes only once the new one is written.
    if (!replacedPath.empty() && replacedPath != path)
        fs::remove(replacedPath, ec);
    return true;
}

LadungSaveResult SaveLadung(int mode, tagItemData& item, const fs::path& currentPath, bool pictureChanged,
                            const CatalogueFolders& folders, const PictureWriter& writePicture)
{
    LadungSaveResult result;
    std::error_code ec;
    const fs::path folder = mode == 0 && !currentPath.empty() ? currentPath.parent_path() : folders.loadUnits;
    const fs::path path = folder / (item.m_strName + ".lgs");
    const bool renamed = mode != 0 || path != currentPath;
    if (renamed && fs::exists(path, ec)) {
        result.textId = 476;
        return result;
    }
    item.m_nArt = LADUNGTYP_USER;
    if (!SaveItemWithPicture(item, path, mode == 0 ? currentPath : fs::path(), pictureChanged,
                             folders.pictures, writePicture, &result.pictureKept))
        return result;
    result.saved = true;
    result.path = path;
    return result;
}

tagItemData FsmAusLadeeinheit(const tagItemData& ladeeinheit)
{
    tagItemData item = ladeeinheit;
    item.m_nArt = 6;
    item.m_dSPLaenge = item.m_dLaenge / 2.0;
    item.m_dSPBreite = item.m_dBreite / 2.0;
    item.m_dSPHoehe = item.m_dHoehe / 2.0;
    item.m_strPfad.clear();
    item.m_strBildDatei.clear();
    return item;
}
