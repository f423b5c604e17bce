// Paths and folders of the application: splitting paths, creating and probing folders, scanning them.
#include "model/base/FolderHelpers.h"

#include "model/base/LockedFileLeftovers.h"
#include "model/text/TextProvider.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>

namespace fs = std::filesystem;

void SplitPath(const std::string& path, std::string* drive, std::string* folder, std::string* name,
               std::string* extension)
{
    const std::size_t slash = path.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot < nameStart)
        dot = path.size();
    if (drive)
        drive->clear();
    if (folder)
        *folder = path.substr(0, nameStart);
    if (name)
        *name = path.substr(nameStart, dot - nameStart);
    if (extension)
        *extension = path.substr(dot);
}

bool CreateFolderPath(const std::string& path, std::uint32_t subfolderTextId)
{
    std::string folder;
    std::string extension;
    SplitPath(path, nullptr, &folder, nullptr, &extension);
    if (extension.empty()) {
        folder = path;
        if (!folder.empty() && folder.back() != '/')
            folder += '/';
    }
    if (subfolderTextId != NO_SUBFOLDER) {
        const std::string sub = LoadResString(subfolderTextId);
        if (!sub.empty())
            folder += sub + '/';
    }
    if (folder.empty())
        return false;
    std::error_code ec;
    fs::create_directories(folder, ec);
    return fs::is_directory(folder, ec);
}

bool IsFolderWritable(const std::string& folder)
{
    std::error_code ec;
    if (folder.empty() || !fs::is_directory(folder, ec))
        return false;
    std::random_device random;
    for (int attempt = 0; attempt < 16; ++attempt) {
        char letters[20];
        std::snprintf(letters, sizeof letters, "%08x%08x", random(), random());
        // A probe a killed process leaves is removed by the next write in the folder (RemoveStaleNewFiles).
        const fs::path probe =
            fs::path(folder) / (std::string(kWriteProbePrefix) + letters + std::string(kWriteProbeSuffix));
        // "x": create exclusively, so an existing file of the same name is never opened or removed.
        std::FILE* file = std::fopen(probe.c_str(), "wbx");
        if (!file) {
            if (fs::exists(probe, ec))
                continue;
            return false;
        }
        std::fclose(file);
        fs::remove(probe, ec);
        return true;
    }
    return false;
}

namespace {

bool ScanOneFolder(const fs::path& folder, bool recurse, const ScanFolderFunction& callback, int mode,
                   std::vector<std::string>* list, const VehicleTypeReader& reader, int* flag)
{
    std::error_code ec;
    std::vector<fs::directory_entry> entries;
    fs::directory_iterator it(folder, ec);
    for (const fs::directory_iterator end; !ec && it != end; it.increment(ec))
        entries.push_back(*it);
    std::sort(entries.begin(), entries.end(),
              [](const fs::directory_entry& a, const fs::directory_entry& b) { return a.path() < b.path(); });
    for (const fs::directory_entry& entry : entries) {
        if (entry.is_directory(ec)) {
            const std::string name = entry.path().filename().string();
            if (!recurse || name.starts_with('.') || entry.is_symlink(ec))
                continue;
            if (!ScanOneFolder(entry.path(), recurse, callback, mode, list, reader, flag))
                return false;
        } else if (callback(entry.path().string(), mode, list, reader, flag) == 0) {
            return false;
        }
    }
    return true;
}

} // namespace

bool ScanFolder(const std::string& folder, bool recurse, const ScanFolderFunction& callback, int mode,
                std::vector<std::string>* list, const VehicleTypeReader& reader, int* flag)
{
    if (!callback)
        return true;
    return ScanOneFolder(folder, recurse, callback, mode, list, reader, flag);
}

int ScanFolderCallback(const std::string& path, int mode, std::vector<std::string>* list,
                       const VehicleTypeReader& reader, int* flag)
{
    switch (mode) {
    case 0:
    case 1: {
        if (path.size() < 4 || path.compare(path.size() - 4, 4, ".qor") != 0 || !reader)
            return 1;
        int count = 0;
        if (reader(path, 0, &count) == -1)
            return 1;
        if ((mode == 0) == (count == 0) && list)
            list->push_back(path);
        return 1;
    }
    case 2: {
        std::string name;
        std::string extension;
        SplitPath(path, nullptr, nullptr, &name, &extension);
        std::transform(extension.begin(), extension.end(), extension.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        static const std::string prefix = "Resource_";
        if (!name.starts_with(prefix) || extension != ".RCC" || name.size() < prefix.size() + 2)
            return 1;
        const std::string code = name.substr(prefix.size(), 2);
        if (list)
            list->push_back(code);
        if (flag && *flag == 0 && code == "EN")
            *flag = 1;
        return 1;
    }
    default:
        return 0;
    }
}

int EnsureLocalizedSubfolder(const std::string& folder, std::uint32_t nameTextId, bool moveStrayFiles)
{
    const std::string name = LoadResString(nameTextId);
    if (name.empty() || name.find('/') != std::string::npos || name == "." || name == "..")
        return -1;
    std::error_code ec;
    const fs::path target = fs::path(folder) / name;
    // A folder the user linked here holds the user's own arrangement: it gets the sub-folder when it
    // has none, and nothing in it is renamed or moved.
    if (fs::is_symlink(fs::symlink_status(folder, ec))) {
        if (!fs::is_directory(folder, ec))
            return -1;
        if (!fs::is_directory(target, ec) && !fs::create_directory(target, ec))
            return -1;
        return 0;
    }
    // A link to a folder counts as a sub-folder (its target is the sub-folder); every other entry,
    // a dangling link among them, is a file.
    std::vector<fs::path> subfolders;
    std::vector<fs::path> files;
    fs::directory_iterator it(folder, ec);
    if (ec)
        return -1;
    for (const fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
        std::error_code statusEc;
        if (fs::is_directory(fs::status(it->path(), statusEc)))
            subfolders.push_back(it->path());
        else
            files.push_back(it->path());
    }
    if (ec)
        return -1;
    if (subfolders.size() >= 2)
        return static_cast<int>(subfolders.size());
    if (subfolders.empty())
        fs::create_directory(target, ec);
    else if (subfolders.front().filename() != target.filename()) {
        // A file of the name would be replaced by a renamed link: refused as the folder's is.
        if (fs::exists(fs::symlink_status(target, ec)))
            return -1;
        // Renames the entry: a linked sub-folder keeps its target, which is not touched.
        fs::rename(subfolders.front(), target, ec);
    }
    if (ec)
        return -1;
    // Files go into a sub-folder of the program's own only, never into a linked one.
    if (!moveStrayFiles || fs::is_symlink(fs::symlink_status(target, ec)))
        return 0;
    // A file the user left directly in the folder goes into the subfolder; one whose name is taken
    // there stays where it is, so nothing is overwritten or lost.
    for (const fs::path& file : files) {
        const fs::path moved = target / file.filename();
        if (fs::exists(fs::symlink_status(moved, ec)))
            continue;
        fs::rename(file, moved, ec);
        ec.clear();
    }
    return 0;
}
