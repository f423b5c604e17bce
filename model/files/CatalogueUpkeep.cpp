// Upkeep of the user's catalogue folders: load units out of sub-folders, unused pictures deleted.
#include "model/files/CatalogueUpkeep.h"

#include "model/base/LockedFile.h"
#include "model/files/CImpExp.h"
#include "model/files/SIMPEXP_FZG.h"
#include "model/files/SIMPEXP_LADUNG2QOR2.h"
#include "model/files/SIMPEXP_QOR.h"
#include "model/files/VehicleFiles.h"
#include "model/files/tagItemData.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <set>

namespace fs = std::filesystem;

namespace {

bool HasExtension(const fs::path& path, const char* extension)
{
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext == extension;
}

// The regular files below `folder` (with sub-folders when `recursive`) that end in `extension`; false
// when the folder or one of its sub-folders cannot be read. A missing folder holds nothing.
bool ListFiles(const fs::path& folder, const char* extension, bool recursive, std::vector<fs::path>& files)
{
    std::error_code ec;
    if (folder.empty() || !fs::exists(folder, ec))
        return !ec;
    if (recursive) {
        fs::recursive_directory_iterator it(folder, ec);
        for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
            if (it->is_regular_file(ec) && HasExtension(it->path(), extension))
                files.push_back(it->path());
    } else {
        fs::directory_iterator it(folder, ec);
        for (; !ec && it != fs::directory_iterator(); it.increment(ec))
            if (it->is_regular_file(ec) && HasExtension(it->path(), extension))
                files.push_back(it->path());
    }
    return !ec;
}

// "a\b" of a file's folder below `root` as "a-b".
std::string SubFolderText(const fs::path& root, const fs::path& file)
{
    std::string text;
    for (const auto& part : file.parent_path().lexically_relative(root)) {
        if (!text.empty())
            text += '-';
        text += part.string();
    }
    return text;
}

// A free name in `folder` for a load unit called `stem` that came from `sub`.
fs::path FreeTarget(const fs::path& folder, const std::string& stem, const std::string& sub)
{
    std::error_code ec;
    fs::path target = folder / (stem + ".lgs");
    if (!fs::exists(target, ec) && !ec)
        return target;
    const std::string base = stem + " (" + sub + ")";
    target = folder / (base + ".lgs");
    for (int n = 2; fs::exists(target, ec) || ec; ++n) {
        if (n > 10000)
            return {};
        target = folder / (base + " (" + std::to_string(n) + ").lgs");
    }
    return target;
}

} // namespace

LoadUnitMigration MigrateLoadUnitSubfolders(const fs::path& folder)
{
    LoadUnitMigration result;
    std::vector<fs::path> files;
    if (!ListFiles(folder, ".lgs", true, files))
        return result;
    result.complete = true;
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
        if (file.parent_path() == folder)
            continue;
        tagItemData item;
        const fs::path target = FreeTarget(folder, file.stem().string(), SubFolderText(folder, file));
        if (target.empty() || !LoadItemDataFile(file, item)) {
            result.complete = false;
            continue;
        }
        item.m_strName = target.stem().string();
        if (!SaveItemDataFile(target, item)) {
            result.complete = false;
            continue;
        }
        std::error_code ec;
        if (!fs::remove(file, ec)) {
            // Both copies would show; keep the unit where it was.
            fs::remove(target, ec);
            result.complete = false;
            continue;
        }
        ++result.moved;
    }
    return result;
}

namespace {

// A stored picture name cut to its file name, emptied when the picture folder lacks it.
std::string Normalised(const std::string& name, const std::set<std::string>& pictures)
{
    const auto at = name.find_last_of("\\/");
    std::string file = at == std::string::npos ? name : name.substr(at + 1);
    return pictures.count(file) ? file : std::string();
}

} // namespace

int DeleteUnusedPictureFiles(bool countOnly, const PictureUpkeepFolders& folders)
{
    // Read everything first: a folder or file that cannot be read leaves every file as it is.
    std::error_code ec;
    // A picture folder that is a link points at files this program did not make: it is never cleaned.
    if (folders.pictures.empty() || !fs::is_directory(folders.pictures, ec) ||
        fs::is_symlink(folders.pictures, ec))
        return -1;
    std::vector<fs::path> pictureFiles;
    std::set<std::string> pictures;
    {
        fs::directory_iterator it(folders.pictures, ec);
        for (; !ec && it != fs::directory_iterator(); it.increment(ec))
            if (it->is_regular_file(ec)) {
                pictureFiles.push_back(it->path());
                pictures.insert(it->path().filename().string());
            }
        if (ec)
            return -1;
    }

    std::vector<fs::path> itemFiles, vehicleFiles;
    if (!ListFiles(folders.loadUnits, ".lgs", true, itemFiles) ||
        !ListFiles(folders.fsmItems, ".fsm", true, itemFiles) ||
        !ListFiles(folders.vehicles, ".qor", true, vehicleFiles) ||
        !ListFiles(folders.combinations, ".kmb", true, vehicleFiles))
        return -1;
    // A file of the recent-file list that is gone refers to nothing; one that is there must be read.
    for (const fs::path& other : folders.otherVehicleFiles) {
        const bool there = fs::exists(other, ec);
        if (ec)
            return -1;
        if (there && std::find(vehicleFiles.begin(), vehicleFiles.end(), other) == vehicleFiles.end())
            vehicleFiles.push_back(other);
    }

    std::set<std::string> used;
    std::vector<std::pair<fs::path, tagItemData>> changedItems;
    for (const fs::path& path : itemFiles) {
        tagItemData item;
        if (!LoadItemDataFile(path, item))
            return -1;
        if (item.m_strBildDatei.empty())
            continue;
        const std::string name = Normalised(item.m_strBildDatei, pictures);
        if (!name.empty())
            used.insert(name);
        if (name != item.m_strBildDatei) {
            item.m_strBildDatei = name;
            changedItems.emplace_back(path, std::move(item));
        }
    }
    std::vector<std::pair<fs::path, std::unique_ptr<CImpExp>>> changedRoots;
    for (const fs::path& path : vehicleFiles) {
        auto root = std::make_unique<CImpExp>();
        const auto file = LockedFile::Open(path, LockedFile::Mode::Read);
        if (!file || !ReadRoot(*file, *root))
            return -1;
        bool changed = false;
        for (const auto& record : root->m_Records) {
            if (!record)
                return -1;
            if (record->m_Qors.empty())
                continue;
            for (const auto& lg : record->m_Qors.front()->m_Ladungen) {
                if (lg->m_strBildDatei.empty())
                    continue;
                const std::string name = Normalised(lg->m_strBildDatei, pictures);
                if (!name.empty())
                    used.insert(name);
                if (name != lg->m_strBildDatei) {
                    lg->m_strBildDatei = name;
                    changed = true;
                }
            }
        }
        if (changed)
            changedRoots.emplace_back(path, std::move(root));
    }

    int count = 0;
    for (const fs::path& picture : pictureFiles)
        if (!used.count(picture.filename().string()))
            ++count;
    if (countOnly)
        return count;

    for (auto& [path, item] : changedItems)
        SaveItemDataFile(path, item);
    for (const auto& [path, root] : changedRoots)
        SaveImpExpFile(path, *root);
    for (const fs::path& picture : pictureFiles)
        if (!used.count(picture.filename().string()))
            fs::remove(picture, ec);
    return count;
}
