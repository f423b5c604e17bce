// What writes of LockedFile leave behind when their process is killed before the end.
#pragma once

#include <filesystem>

// Removes the new files that writes of processes no longer running left in `folder` (killed before
// their new file took its name): files named as LockedFile names them (".<name>.new-<process>-<n>"),
// whose process is gone and whose write lock nobody holds (a writer on another machine sharing the
// folder may). Every write does it for its own folder. Answers how many went. (In LockedFile.cpp, the
// one place of the model that uses the operating system's calls.)
int RemoveStaleNewFiles(const std::filesystem::path& folder);
