// Opening, reading and writing the model's files: vehicle (".qor") and combination (".kmb") files, whose
// content is a CImpExp root, and catalogue item files (".lgs", ".fsm"), whose content is one tagItemData.
//
// Every reader turns a file that cannot be opened and every fault of its content into its failure
// result; nothing is shown here. A file read in an older layout is written again at once in the current
// one. Writing replaces a file's whole content all-or-nothing (LockedFile). Files that the program
// keeps open for writing (a document's vehicle file) hold an advisory write lock (LockedFile).
#pragma once

#include "model/archive/LoadAnswer.h"
#include "model/base/LockedFile.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

class CFahrzeug;
class CImpExp;
class tagItemData;

// Told when a vehicle write begins and when it ends, written or not; the application forwards it to the
// views of the active document.
class IFahrzeugSpeicherMeldung
{
public:
    virtual ~IFahrzeugSpeicherMeldung() = default;
    virtual void SpeichernBeginnt() = 0;
    virtual void SpeichernEndet(bool bGeschrieben) = 0;
};
void SetFahrzeugSpeicherMeldung(IFahrzeugSpeicherMeldung* pMeldung);
// The notice installed; null when none is.
IFahrzeugSpeicherMeldung* GetFahrzeugSpeicherMeldung();

// The longest vehicle or combination file the readers take; a combination with full plans takes a few
// megabytes.
inline constexpr std::size_t kGroessteFahrzeugDatei = std::size_t{64} << 20;

// Reads a whole vehicle or combination file into `root` and answers whether it is to be written again in
// the current layout. Throws what CImpExp::Load throws; a file that cannot be opened or read throws
// ArchiveError (end of file).
LoadAnswer ReadImpExpFile(const LockedFile& file, CImpExp& root);
// The same, answering nothing for any file that cannot be read as a vehicle or combination file
// (damaged, of a newer schema, of the version-1 layout, or another kind of file).
std::optional<LoadAnswer> ReadRoot(const LockedFile& file, CImpExp& root);

// The vehicle type (0..5) of directory entry `index`, -1 on any failure. `pCount` receives the highest
// entry index (0 for files of schema 5 and below). A converted file of schema 6 is saved again unless
// `bWriteBack` is false (a file in use is only read).
int ReadFileFahrzeugTyp(const std::filesystem::path& path, int index, int* pCount, bool bWriteBack = true);

// Writes `root` over the existing file at `path` (which no other writer may hold open).
bool SaveImpExpFile(const std::filesystem::path& path, const CImpExp& root);

// The only writer of vehicle and combination files.
//  - `fileName` not empty: a new file `folder`/`fileName` (failing when it exists); the new file stays
//    open and is handed out through `pFile`, whose path is the new file's.
//  - `fileName` empty: `*pFile` is the caller's open file; its root is read back and the vehicle
//    replaces the record of entry `*pIndex`, or is appended as a new entry when `*pIndex` is -1.
// `*pIndex` receives the entry of an appended vehicle. `nWert` becomes the root's value, `text` the new
// entry's title. Fails for a file not open for writing and for a file whose content cannot be read.
bool WriteFahrzeugToFile(CFahrzeug* pFahrzeug, const std::filesystem::path& folder, int* pIndex,
                         const std::string& fileName, std::unique_ptr<LockedFile>* pFile, int nWert,
                         const std::string& text);

// One vehicle of a write: its entry (-1 for a new one, whose index comes back) and the new entry's title.
struct FahrzeugEintrag
{
    CFahrzeug* pFahrzeug = nullptr;
    int* pIndex = nullptr;
    std::string text;
};
// Writes several vehicles (the towing vehicle and the trailer of a combination) in one all-or-nothing
// write, in the order given, as WriteFahrzeugToFile writes one; the file gets either all of them or none.
// The first vehicle names a new file. The indices come back only when the write succeeded.
bool WriteFahrzeugeToFile(std::span<const FahrzeugEintrag> fahrzeuge, const std::filesystem::path& folder,
                          const std::string& fileName, std::unique_ptr<LockedFile>* pFile, int nWert);

// Appends to `list` the load-unit picture names of the first plan record of each vehicle of the file,
// each reduced to its file name (emptied when the picture folder has no such file). When a stored name
// changed, the file is saved again; answers whether it did.
bool CollectReferencedFiles(const std::filesystem::path& path, std::vector<std::string>& list);

// The file name of a picture when the picture folder holds it, else empty.
std::string NormalizePictureFileName(const std::string& name);

// The kind field of a catalogue item file, -1 on failure; a file in an older layout is saved again.
int ReadFileItemDataKind(const std::filesystem::path& path);
// Reads a catalogue item file into `item`; a file in an older layout is saved again.
bool LoadItemDataFile(const std::filesystem::path& path, tagItemData& item);
// Writes `item` as the file at `path` (created or replaced), storing the path in the item first.
bool SaveItemDataFile(const std::filesystem::path& path, tagItemData& item);
// Gives the item the file's title as its name and the path as its stored path and saves it when either
// changed. Answers true.
bool UpdateItemDataFilePath(const std::filesystem::path& path, tagItemData& item);
