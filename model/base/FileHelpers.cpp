// Recursive folder delete and folder walk on std::filesystem.
#include "model/base/FileHelpers.h"

#include <algorithm>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The entries of a folder sorted by name, so walks are the same on every file system. Answers false
// when the folder cannot be listed.
bool ListFolder(const fs::path& folder, std::vector<fs::directory_entry>& entries)
{
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec)
        return false;
    for (const fs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec)
            return false;
        entries.push_back(*it);
    }
    if (ec)
        return false;
    std::sort(entries.begin(), entries.end(),
              [](const fs::directory_entry& a, const fs::directory_entry& b) { return a.path() < b.path(); });
    return true;
}

bool IsRealFolder(const fs::directory_entry& entry)
{
    std::error_code ec;
    // A symbolic link to a folder is removed as a link, never followed: deleting through it would
    // reach files outside the tree.
    return entry.is_directory(ec) && !entry.is_symlink(ec);
}

} // namespace

bool DeleteDirectoryTree(const fs::path& folder)
{
    std::error_code ec;
    // A link given as the folder goes as a link too: what it points to was never part of the tree.
    if (fs::is_symlink(folder, ec))
        return fs::remove(folder, ec) && !ec;
    std::vector<fs::directory_entry> entries;
    if (!ListFolder(folder, entries))
        return false;
    for (const fs::directory_entry& entry : entries) {
        if (IsRealFolder(entry)) {
            if (!DeleteDirectoryTree(entry.path()))
                return false;
            continue;
        }
        if (!entry.is_symlink(ec)) {
            const fs::perms perms = entry.status(ec).permissions();
            if (!ec && (perms & fs::perms::owner_write) == fs::perms::none)
                fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add, ec);
        }
        if (!fs::remove(entry.path(), ec) || ec)
            return false;
    }
    return fs::remove(folder, ec) && !ec;
}

bool WalkDirectory(const fs::path& folder, const WalkCallback& callback, bool recurse, bool reportFolders)
{
    std::vector<fs::directory_entry> entries;
    if (!ListFolder(folder, entries))
        return true;
    for (const fs::directory_entry& entry : entries) {
        if (IsRealFolder(entry)) {
            if (reportFolders && !callback(entry.path()))
                return false;
            if (recurse && !WalkDirectory(entry.path(), callback, recurse, reportFolders))
                return false;
        } else if (!callback(entry.path())) {
            return false;
        }
    }
    return true;
}
