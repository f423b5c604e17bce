// Paths and folders of the application: splitting paths, creating and probing folders, scanning them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The parts of a path: `folder` up to and including the last "/", `name` without its extension and
// `extension` from the last "." of the name part on (with the dot). `drive` is always empty here; each
// output may be null.
void SplitPath(const std::string& path, std::string* drive, std::string* folder, std::string* name,
               std::string* extension);

// Creates the folder of `path` with every missing parent: the path itself when it has no extension,
// else the part up to its last "/". With a `subfolderTextId` other than NO_SUBFOLDER the text of that
// id is added as one more folder level (nothing is added when the text does not load). Answers whether
// the folder exists afterwards.
inline constexpr std::uint32_t NO_SUBFOLDER = 0xFFFFFFFFu;
bool CreateFolderPath(const std::string& path, std::uint32_t subfolderTextId = NO_SUBFOLDER);

// True when a file can be created in `folder`. The probe creates a file of a new, unique name and
// removes it again, so no file of the user is ever touched.
bool IsFolderWritable(const std::string& folder);

// Reads the vehicle type of entry `index` of a vehicle file and the highest entry index into `count`;
// -1 when the file cannot be read. ScanFolderCallback uses it for the vehicle modes.
using VehicleTypeReader = std::function<int(const std::string& path, int index, int* count)>;

// Offered every file that ScanFolder finds; answering 0 ends the scan.
using ScanFolderFunction =
    std::function<int(const std::string& path, int mode, std::vector<std::string>* list,
                      const VehicleTypeReader& reader, int* flag)>;

// Offers every file of `folder` (in name order) to `callback`; with `recurse` the sub-folders are
// walked in turn, except hidden ones (name beginning with ".") and links to folders. Answers false when
// a callback ended the scan, true otherwise, also when the folder cannot be read.
bool ScanFolder(const std::string& folder, bool recurse, const ScanFolderFunction& callback, int mode,
                std::vector<std::string>* list, const VehicleTypeReader& reader, int* flag);

// The callback of the program's scans.
// Modes 0 and 1: a ".qor" file whose entry 0 can be read is listed in mode 0 when it holds one vehicle,
// in mode 1 when it holds several.
// Mode 2: a language module "Resource_" + code + ".rcc" (extension in any case) lists its two-letter
// code; `flag` becomes 1 when that code is "EN".
// Answers 1 for modes 0 to 2 and 0 for any other mode.
int ScanFolderCallback(const std::string& path, int mode, std::vector<std::string>* list,
                       const VehicleTypeReader& reader, int* flag);

// Gives `folder` exactly one sub-folder, named with the text of `nameTextId` in the current language:
// with no sub-folder it is created, a single one is renamed to the name; then, with `moveStrayFiles`,
// every file lying directly in the folder is moved into the sub-folder (a file whose name the sub-folder
// already holds stays where it is). A link to a folder counts as a sub-folder: a linked one is renamed
// as an entry (its target untouched) and gets no files moved into it. In a folder that is itself a link
// nothing is renamed or moved: the sub-folder is created when it is missing. Answers 0 on success, the
// number of sub-folders when there are two or more (and changes nothing), and -1 when the name does not
// load or the file system refuses.
int EnsureLocalizedSubfolder(const std::string& folder, std::uint32_t nameTextId, bool moveStrayFiles = true);
