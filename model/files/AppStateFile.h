// The application states of the per-user file "AppParams.ser": a map from a name to a CAppStateParams,
// stored as a count followed by each name and its object.
#pragma once

#include "model/files/CAppStateParams.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

using AppStateMap = std::map<std::string, std::unique_ptr<CAppStateParams>>;

// Reads the file into `map` and makes sure it has an entry "default". A missing, unreadable or damaged
// file leaves the map empty before the default entry is added; the file itself is never changed.
// Answers whether the file was read.
bool LoadAppStateParams(const std::filesystem::path& path, AppStateMap& map);

// The state of that name; the "default" entry for a null or unknown name (null only when the map has no
// default, which LoadAppStateParams rules out).
CAppStateParams* GetAppStateParams(const AppStateMap& map, const char* name);

// The bytes of the map in the file's layout (the program itself never writes the file).
std::vector<std::uint8_t> StoreAppStateMap(const AppStateMap& map);
// Writes the map as the file at `path` all-or-nothing: a write that fails leaves the old file as it was.
bool SaveAppStateParams(const std::filesystem::path& path, const AppStateMap& map,
                        std::string* error = nullptr);
