// A vehicle to its file record and back: CopyFahrzeugToImpExp for every writer of vehicle and
// combination files, LoadFahrzeugFromFile for every opener. The field mapping is described in
// SIMPEXP_FZG.h.
#pragma once

#include "model/base/LockedFile.h"

#include <filesystem>
#include <memory>
#include <string>

class CFahrzeug;
class SIMPEXP_FZG;

// A new, empty vehicle of the class of a kind code (0 truck, 1 drawbar trailer, 2 centre-axle trailer,
// 3 semi-trailer, 4 semi-trailer tractor); null for any other code.
std::unique_ptr<CFahrzeug> ErzeugeFahrzeug(int nArt);

// Fills a fresh record from the vehicle; always answers 1. The plan record lists the plan's load units
// themselves and does not own them.
int CopyFahrzeugToImpExp(CFahrzeug* pFahrzeug, SIMPEXP_FZG* pRecord);

// Opens the vehicle or combination file at `path` and builds the vehicle of directory entry `index`
// (the caller owns it), or answers null: file not openable, unreadable, version-1 or newer file, empty
// root, missing entry, unknown kind. A file in an older layout is rewritten in the current one before
// the vehicle is built. With `bOffenHalten` the file stays open and is handed out through `pFile`:
// for reading and writing with a write lock when no one else holds it, else for reading only. `pWert`
// receives the root's value, `pName` the entry's title (empty for files of schema 5 and below). The
// vehicle is not recalculated.
std::unique_ptr<CFahrzeug> LoadFahrzeugFromFile(const std::filesystem::path& path, int index,
                                                std::unique_ptr<LockedFile>* pFile, int* pWert,
                                                bool bOffenHalten, std::string* pName);
