// Upkeep of the user's catalogue folders: moving load units out of sub-folders, and deleting the
// pictures that no file refers to any more. Both change nothing when a folder cannot be read.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct LoadUnitMigration
{
    int moved = 0;         // files now in the load-unit folder itself
    bool complete = false; // every folder was read and every file moved
};

// Moves every ".lgs" file kept in a sub-folder of `folder` into `folder` under its own name, or, when
// that name is taken, as "<name> (<sub-folder path, separators as '-'>).lgs", counting on with " (2)",
// " (3)", ... rather than replacing a file. The record is saved at its new place before the old file
// is removed; a file that cannot be read or moved stays where it is. Nothing moves when a folder
// cannot be read.
LoadUnitMigration MigrateLoadUnitSubfolders(const std::filesystem::path& folder);

struct PictureUpkeepFolders
{
    std::filesystem::path loadUnits;    // ".lgs" files, with sub-folders
    std::filesystem::path fsmItems;     // ".fsm" files, with sub-folders
    std::filesystem::path vehicles;     // ".qor" files, with sub-folders
    std::filesystem::path combinations; // ".kmb" files, with sub-folders
    std::filesystem::path pictures;
    std::vector<std::filesystem::path> otherVehicleFiles; // e.g. the recent files; a missing one is skipped
};

// Counts, and unless `countOnly` deletes, the files of the picture folder that no item, vehicle or
// combination file refers to. While collecting, a stored picture name is cut to its file name and
// emptied when the picture folder lacks it; a file so changed is saved again (not when only counting).
// Answers -1 and changes nothing when a folder or one of the files cannot be read.
int DeleteUnusedPictureFiles(bool countOnly, const PictureUpkeepFolders& folders);
