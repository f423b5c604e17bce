// What writes of LockedFile leave behind when their process is killed before the end.
#pragma once

#include <filesystem>

// The name of a file that IsFolderWritable (model/base/FolderHelpers.h) creates and removes at once to
// see whether a folder takes new files: the prefix, some letters and digits, the suffix.
inline constexpr char kWriteProbePrefix[] = ".qor-write-probe-";
inline constexpr char kWriteProbeSuffix[] = ".tmp";

// Removes the new files that writes of processes no longer running left in `folder` (killed before
// their new file took its name): files named as LockedFile names them (".<name>.new-<process>-<n>"),
// whose process is gone and whose write lock nobody holds (a writer on another machine sharing the
// folder may). Also removes the empty write probes named as above that a process killed during the
// probe left: a probe's file is never read, so taking one away harms no probe going on. Every write does
// it for its own folder. Answers how many went. (In LockedFile.cpp, the one place of the model that uses
// the operating system's calls.)
int RemoveStaleNewFiles(const std::filesystem::path& folder);
