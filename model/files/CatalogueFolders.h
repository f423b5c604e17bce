// The folders the shared catalogue reads from and writes to, filled once at start-up.
#pragma once

#include <filesystem>

struct CatalogueFolders
{
    std::filesystem::path loadUnits; // the user's ".lgs" files, no sub-folders
    std::filesystem::path fsmItems;  // the user's ".fsm" files, with sub-folders
    std::filesystem::path pictures;  // "<uuid>.dat" pictures of the entries
    std::filesystem::path samples;   // the sample ".lgs" files, with sub-folders
};
