// The shared catalogue of load units and FSM items: built from the folders, kept in group order.
//
// Entries are shared pointers, so a tile, a loader or a selection that still holds one never reaches a
// freed entry. Names are UTF-8 in memory; case is folded over the letters of the files' single-byte
// code page, so sorting and matching agree for names such as "Ölfass".
#pragma once

#include "model/files/CatalogueFolders.h"
#include "model/files/sHLBItemData.h"

#include <memory>
#include <string>
#include <vector>

class CHlbCatalogue
{
public:
    using Entry = std::shared_ptr<sHLBItemData>;

    explicit CHlbCatalogue(CatalogueFolders folders) : m_folders(std::move(folders)) {}

    const CatalogueFolders& Folders() const { return m_folders; }
    const std::vector<Entry>& Entries() const { return m_entries; }

    // Drops every entry, scans the user's load units, the samples and the FSM items in name order and
    // appends the six built-in FSM entries. Files that do not load or whose type does not fit their
    // extension are skipped.
    void Build();
    // Drops every entry (the last adapter lets go of the catalogue).
    void Clear() { m_entries.clear(); }

    // Puts the entry into its group, before the first entry of that group whose upper-cased name
    // compares greater; answers its index.
    int Insert(Entry entry);
    // Replaces `old` by `entry`, moving it when its sorted place changed; answers the new index or -1.
    int Replace(const sHLBItemData* old, Entry entry);
    // Removes the entry from the list only; answers whether it was there.
    bool Remove(const sHLBItemData* entry);
    int IndexOf(const sHLBItemData* entry) const;

    // The entries of a category (0 load units, else FSM items) that match the search text, in order.
    std::vector<Entry> Filter(int category, const std::string& search) const;

    // Category 0 holds types below 5, any other category types 5 and above.
    static bool InCategory(const tagItemData& item, int category);
    // The type's text for the fixed FSM types 5 and 8 to 12, otherwise the entry's name.
    static std::string DisplayName(const tagItemData& item);
    // A text starting with an upper-case letter matches names that start with it, any other text names
    // that contain it; case is ignored. An empty text matches everything.
    static bool MatchesSearch(const std::string& name, const std::string& search);
    // Upper-cases a UTF-8 name over the letters of the code page of the files.
    static std::string FoldUpper(const std::string& utf8);
    static bool CanCopy(const sHLBItemData* entry);
    static bool CanDelete(const sHLBItemData* entry) { return entry != nullptr && !entry->standard; }
    // 0 user load units, 1 user FSM items (type 6), 2 the other FSM types, 3 standard entries.
    static int Group(const sHLBItemData& entry);

private:
    void Scan(const std::filesystem::path& folder, const char* extension, bool recurse, bool standard);
    void AppendBuiltIns();

    CatalogueFolders m_folders;
    std::vector<Entry> m_entries;
};
