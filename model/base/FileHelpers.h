// Folder helpers: recursive delete and a recursive walk with a callback.
#pragma once

#include <filesystem>
#include <functional>

// Deletes a folder with everything in it. Write-protected files are made writable first. Answers false
// when the folder cannot be listed or any entry or the folder itself cannot be removed; the walk stops
// at the first failure.
bool DeleteDirectoryTree(const std::filesystem::path& folder);

// Called for each file (and, when asked, each folder) found; answering false ends the walk.
using WalkCallback = std::function<bool(const std::filesystem::path& path)>;

// Walks the entries of `folder` in name order. Files are passed to the callback; folders are passed
// too when `reportFolders` is set, and walked in turn when `recurse` is set. Answers false when a
// callback ended the walk, true otherwise, also for a folder that cannot be listed.
bool WalkDirectory(const std::filesystem::path& folder, const WalkCallback& callback, bool recurse,
                   bool reportFolders);
