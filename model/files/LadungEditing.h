// What the load-unit editor does without a window: reading and checking its fields, the type presets,
// the centre of gravity, and saving a unit with its picture.
#pragma once

#include "model/files/CatalogueFolders.h"
#include "model/files/tagItemData.h"

#include <array>
#include <filesystem>
#include <functional>
#include <string>

// The editor's number fields in the order they are checked: length, width, height, mass, centre of
// gravity along, across, in height. Shown in millimetres and kilograms.
enum LadungField
{
    kFieldLength,
    kFieldWidth,
    kFieldHeight,
    kFieldMass,
    kFieldCogX,
    kFieldCogY,
    kFieldCogZ,
    kFieldName,
    kFieldCount = kFieldName,
};
using LadungFieldTexts = std::array<std::string, kFieldCount>;

struct LadungRefusal
{
    int field = -1;   // LadungField of the first refused value, -1 when all are accepted
    int textId = 0;   // the text of the message
    std::string text; // the message, with the bounds it names filled in
};

// Reads the fields into the record (value / 1000) and answers the first refusal in field order: a field
// that is empty or no number (texts 469-471, 141, 472-474), a value outside the bounds of a real load
// unit (LadungGrenzen: a size from 1 mm to its largest, texts 290, 99 and 340; a mass from 0 to
// 99,990 kg, text 291; a centre of gravity from 0 to its size, texts 61990-61992), then an empty name.
LadungRefusal ValidateLadung(const LadungFieldTexts& fields, const std::string& name, tagItemData& item);

// A value of the record as a field shows it: "%.0f" of value x 1000.
std::string FormatLadungField(double value);

// Preset 0 euro pallet, 1 industrial pallet, 2 mesh box pallet: sets the sizes the preset fixes and,
// when `centred`, the centre of gravity at their middle. Answers false for an unknown preset.
bool ApplyLadungPreset(int preset, bool centred, LadungFieldTexts& fields);
// Puts the centre of gravity at half of each size.
void CentreLadungGravity(LadungFieldTexts& fields);
// Cuts a centre-of-gravity field to its size when it is larger.
void CutLadungGravity(LadungFieldTexts& fields, int cogField);

// Writes a picture as PNG to a path; the user-interface side supplies it.
using PictureWriter = std::function<bool(const ItemPicture& picture, const std::filesystem::path& path)>;

// Writes the record to `path`, its picture first under a new "<uuid>.dat" in `pictureFolder` when it
// changed or has no file yet (a picture that cannot be written leaves the record's old picture name and
// sets *pictureKept). A failed record write removes the picture just written and restores the record's
// picture names and path. After a successful write `replacedPath`, when given and different, is removed.
bool SaveItemWithPicture(tagItemData& item, const std::filesystem::path& path,
                         const std::filesystem::path& replacedPath, bool pictureChanged,
                         const std::filesystem::path& pictureFolder, const PictureWriter& writePicture,
                         bool* pictureKept);

struct LadungSaveResult
{
    bool saved = false;
    int textId = 0;           // the message to show (476 name taken, ...), 0 for none
    bool pictureKept = false; // a new picture could not be written; the old one was kept
    std::filesystem::path path;
};

// Saves the unit. Mode 0 edits the unit at `currentPath` (renaming when the name changed), modes 1 and
// 2 write a new one into the load-unit folder. The picture is written under a new "<uuid>.dat" only
// when it changed or has no file yet; a failed record write deletes a picture written just now and
// restores the record's picture names.
LadungSaveResult SaveLadung(int mode, tagItemData& item, const std::filesystem::path& currentPath,
                            bool pictureChanged, const CatalogueFolders& folders,
                            const PictureWriter& writePicture);

// A new random UUID in text form, lower case with hyphens.
std::string NewUuidText();

// A new FSM item of type 6 made from a load unit: its sizes, mass, name, text and picture, the centre
// of gravity at half of each size. The picture gets a file of its own when the item is saved.
tagItemData FsmAusLadeeinheit(const tagItemData& ladeeinheit);
