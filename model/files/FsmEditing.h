// What the FSM item editor does without a window: the values it exchanges, checking its fields, the
// number its cell field starts with, the file an entry is saved under, and saving an entry.
#pragma once

#include "model/files/LadungEditing.h"
#include "model/files/tagItemData.h"

#include <filesystem>
#include <optional>
#include <string>

// The values the editor exchanges with its caller. Lengths in metres, the mass in tonnes.
// In placed mode (an item on a loading plan) the side code, contact kind and cell count are chosen;
// the catalogue side, contact kind and cells are what the plan found where the item lies.
struct FsmEditorWerte
{
    int nModus = -1; // 0 edit, 1 new, 2 copy
    bool bPlatziert = false;
    bool bGesperrt = false;      // placed mode: side, contact kind, cells and the text stay as they are
    bool bNameGeaendert = false; // set by a save: an edited entry got a new name
    std::string strName;
    std::string strStartName; // the name an edited entry had
    double dLaenge = 0.0;
    double dBreite = 0.0;
    double dHoehe = 0.0;
    double dMasse = 0.0;
    std::string strText;
    int nTyp = -1;
    int nKraft = 0; // daN
    int nKatSeite = 0;
    int nKatKontakt = 0;
    int nKatZellen = 0;
    int nSeite = 0;   // 0..4, texts by FormatFsmEnumText
    int nKontakt = 0; // 0 none, 1 against the load-area edge, 2 against a neighbour
    int nZellen = 0;
};

// The fields in the order they are checked.
enum FsmFeld
{
    kFsmFeldKeines = -1,
    kFsmFeldName,
    kFsmFeldLaenge,
    kFsmFeldBreite,
    kFsmFeldHoehe,
    kFsmFeldMasse,
    kFsmFeldText,
    kFsmFeldSeite,
    kFsmFeldZellen,
    kFsmFeldKontakt,
};

// What the fields hold: numbers in mm and kg, nullopt for an empty field; the side as the chosen index,
// the contact kind as the checked radio (-1 none).
struct FsmEingabe
{
    std::string strName;
    std::optional<double> dLaengeMm;
    std::optional<double> dBreiteMm;
    std::optional<double> dHoeheMm;
    std::optional<double> dMasseKg;
    std::string strText;
    int nSeiteIndex = 0;
    int nZellen = 0;
    int nKontaktIndex = -1;
};

struct FsmAblehnung
{
    FsmFeld feld = kFsmFeldKeines;
    int textId = 0;
};

// Checks the fields in order and stores each value as it is read, also when a later one is refused:
// an empty name (219); a length of 0, an empty field being 0 (469); a width below 0, an empty field
// being -1 (470); a height of 0 unless the type is 5 (471); a mass below 0, an empty field being -1
// (141); in placed mode side index 0 (570) and a cell count of 0 (448). Answers the first refusal.
FsmAblehnung ValidateFsm(const FsmEingabe& eingabe, FsmEditorWerte& werte);

// The cell count the placed-mode field starts with: the chosen count when the found side differs from
// the chosen one, else the found count when the found contact kind is the chosen one, else the chosen
// count.
int FsmStartZellen(const FsmEditorWerte& werte);

// Whether a save has to check that no entry of the name exists: a new or copied entry, or an edited
// one whose name changed (placed mode never renames).
bool FsmNameZuPruefen(const FsmEditorWerte& werte);

// The file a new or renamed FSM entry is written to: the FSM folder, the sub-folder of text 518, the
// name and ".fsm".
std::filesystem::path FsmItemPath(const std::filesystem::path& fsmFolder, const std::string& name);

// Takes the editor's values into the record (name, sizes, mass, text); the type stays.
void FsmWerteInItem(const FsmEditorWerte& werte, tagItemData& item);
// The record's values as the editor starts with them.
void FsmItemInWerte(const tagItemData& item, FsmEditorWerte& werte);

// Writes an FSM entry: to `newPath` when given (new, copied or renamed; an edited entry's old file at
// `currentPath` goes once the new one is written), else over `currentPath`. The picture as
// SaveItemWithPicture writes it. Answers whether the record was written.
bool SaveFsmItem(tagItemData& item, const std::filesystem::path& currentPath,
                 const std::filesystem::path& newPath, bool pictureChanged,
                 const std::filesystem::path& pictureFolder, const PictureWriter& writePicture,
                 bool* pictureKept = nullptr);
