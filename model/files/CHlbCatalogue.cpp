// The shared catalogue: scans, built-in entries, group order and matching.
#include "model/files/CHlbCatalogue.h"

#include "model/archive/AnsiText.h"
#include "model/base/FileHelpers.h"
#include "model/files/VehicleFiles.h"
#include "model/plan/LoadUnitTypes.h"
#include "model/text/TextProvider.h"

#include <algorithm>

namespace fs = std::filesystem;

namespace {
unsigned char UpperByte(unsigned char c)
{
    if (c >= 'a' && c <= 'z')
        return static_cast<unsigned char>(c - 0x20);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return static_cast<unsigned char>(c - 0x20);
    switch (c) {
    case 0x9A:
        return 0x8A; // s caron
    case 0x9C:
        return 0x8C; // oe
    case 0x9E:
        return 0x8E; // z caron
    case 0xFF:
        return 0x9F; // y diaeresis
    default:
        return c;
    }
}

bool IsUpperLetter(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) || c == 0x8A || c == 0x8C ||
           c == 0x8E || c == 0x9F;
}

// The name in the files' code page; a name without one keeps its bytes (only ASCII letters fold).
std::string ToAnsi(const std::string& utf8)
{
    if (auto ansi = Utf8ToAnsi(utf8))
        return *ansi;
    return utf8;
}

std::string UpperAnsi(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(UpperByte(static_cast<unsigned char>(c)));
    return text;
}

bool HasExtension(const fs::path& path, const char* extension)
{
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == extension;
}
} // namespace

std::string CHlbCatalogue::FoldUpper(const std::string& utf8)
{
    if (auto ansi = Utf8ToAnsi(utf8))
        return AnsiToUtf8(UpperAnsi(*ansi));
    return UpperAnsi(utf8);
}

bool CHlbCatalogue::MatchesSearch(const std::string& name, const std::string& search)
{
    if (search.empty())
        return true;
    const std::string key = ToAnsi(search);
    const std::string upperName = UpperAnsi(ToAnsi(name));
    const std::string upperKey = UpperAnsi(key);
    if (IsUpperLetter(static_cast<unsigned char>(key[0])))
        return upperName.starts_with(upperKey);
    return upperName.find(upperKey) != std::string::npos;
}

bool CHlbCatalogue::InCategory(const tagItemData& item, int category)
{
    return category == 0 ? item.m_nArt < LADUNGTYP_FSM_FIRST : item.m_nArt >= LADUNGTYP_FSM_FIRST;
}

std::string CHlbCatalogue::DisplayName(const tagItemData& item)
{
    const int type = item.m_nArt;
    if (type == 5 || (type >= 8 && type <= 12))
        return GetLadungTypText(type, 0);
    return item.m_strName;
}

bool CHlbCatalogue::CanCopy(const sHLBItemData* entry)
{
    if (entry == nullptr)
        return false;
    const int type = entry->item.m_nArt;
    return type < 5 || type == 6 || type > 12;
}

int CHlbCatalogue::Group(const sHLBItemData& entry)
{
    if (entry.standard)
        return 3;
    if (entry.item.m_nArt < LADUNGTYP_FSM_FIRST)
        return 0;
    return entry.item.m_nArt == LADUNGTYP_FSM_USER ? 1 : 2;
}

void CHlbCatalogue::Build()
{
    m_entries.clear();
    Scan(m_folders.loadUnits, ".lgs", false, false);
    Scan(m_folders.samples, ".lgs", true, true);
    Scan(m_folders.fsmItems, ".fsm", true, false);
    AppendBuiltIns();
}

void CHlbCatalogue::Scan(const fs::path& folder, const char* extension, bool recurse, bool standard)
{
    if (folder.empty())
        return;
    const bool loadUnits = std::string(extension) == ".lgs";
    WalkDirectory(
        folder,
        [&](const fs::path& path) {
            if (!HasExtension(path, extension))
                return true;
            auto entry = std::make_shared<sHLBItemData>();
            if (!LoadItemDataFile(path, entry->item))
                return true;
            UpdateItemDataFilePath(path, entry->item);
            if (loadUnits != (entry->item.m_nArt >= 0 && entry->item.m_nArt < LADUNGTYP_FSM_FIRST))
                return true;
            entry->standard = standard;
            entry->path = path.string();
            m_entries.push_back(std::move(entry));
            return true;
        },
        recurse, false);
}

void CHlbCatalogue::AppendBuiltIns()
{
    struct BuiltIn
    {
        int type;
        float length, width, height, mass;
    };
    static constexpr BuiltIn kBuiltIns[] = {
        {5, 0.0f, 0.0f, 0.0f, 0.0f},      {8, 0.144f, 0.8f, 1.2f, 0.024f}, {11, 0.144f, 1.6f, 1.2f, 0.048f},
        {12, 0.144f, 2.4f, 1.2f, 0.072f}, {9, 0.144f, 1.2f, 0.8f, 0.024f}, {10, 0.144f, 2.4f, 0.8f, 0.048f},
    };
    for (const BuiltIn& b : kBuiltIns) {
        auto entry = std::make_shared<sHLBItemData>();
        entry->standard = true;
        tagItemData& item = entry->item;
        item.m_nArt = b.type;
        item.m_strName = LoadResString(447);
        item.m_dLaenge = b.length;
        item.m_dBreite = b.width;
        item.m_dHoehe = b.height;
        item.m_dMasse = b.mass;
        item.m_dSPLaenge = item.m_dLaenge / 2;
        item.m_dSPBreite = item.m_dBreite / 2;
        item.m_dSPHoehe = item.m_dHoehe / 2;
        m_entries.push_back(std::move(entry));
    }
}

int CHlbCatalogue::Insert(Entry entry)
{
    const int group = Group(*entry);
    const std::string key = UpperAnsi(ToAnsi(DisplayName(entry->item)));
    std::size_t at = m_entries.size();
    std::size_t afterGroup = m_entries.size();
    bool seen = false;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (Group(*m_entries[i]) != group)
            continue;
        seen = true;
        afterGroup = i + 1;
        if (UpperAnsi(ToAnsi(DisplayName(m_entries[i]->item))) > key) {
            at = i;
            break;
        }
    }
    if (at == m_entries.size() && seen)
        at = afterGroup;
    if (!seen) {
        // The first entry of its group stands where a new scan puts that group: user load units before
        // everything, user FSM items before the built-in ones.
        if (group == 0) {
            at = 0;
        } else if (group != 3) {
            for (std::size_t i = 0; i < m_entries.size(); ++i)
                if (m_entries[i]->standard && m_entries[i]->item.m_nArt >= LADUNGTYP_FSM_FIRST) {
                    at = i;
                    break;
                }
        }
    }
    m_entries.insert(m_entries.begin() + static_cast<std::ptrdiff_t>(at), std::move(entry));
    return static_cast<int>(at);
}

int CHlbCatalogue::Replace(const sHLBItemData* old, Entry entry)
{
    if (!Remove(old))
        return -1;
    return Insert(std::move(entry));
}

bool CHlbCatalogue::Remove(const sHLBItemData* entry)
{
    const int index = IndexOf(entry);
    if (index < 0)
        return false;
    m_entries.erase(m_entries.begin() + index);
    return true;
}

int CHlbCatalogue::IndexOf(const sHLBItemData* entry) const
{
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].get() == entry)
            return static_cast<int>(i);
    return -1;
}

std::vector<CHlbCatalogue::Entry> CHlbCatalogue::Filter(int category, const std::string& search) const
{
    std::vector<Entry> out;
    for (const Entry& entry : m_entries)
        if (InCategory(entry->item, category) && MatchesSearch(DisplayName(entry->item), search))
            out.push_back(entry);
    return out;
}
