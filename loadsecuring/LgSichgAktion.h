// The actions of the load-securing view that the view asks its wizard and the wizard its pages about
// before it performs them, and the kind of value each action carries.
#pragma once

#include "loadsecuring/LgSichgMeldung.h"

#include <array>
#include <cstdint>
#include <optional>

// Each code keeps the number it has always had: a page's query event carries it as a number.
enum class LgSichgAktion : int
{
    // Placed loads (the load, tagLGINFO*).
    kLadungMarkieren = 1,    // mark a placed load
    kLadungEntmarkieren = 2, // unmark a placed load
    kLadungAnklickbar = 44,  // a placed load under the pointer may be clicked

    // Leaving the view's state (the argument of the leave question, a number).
    kFahrzeugWechseln = 4,       // switch the vehicle worked on of a combination
    kTabWechseln = 5,            // select another tab (number: the tab asked for)
    kDokumentOeffnen = 8,        // open another document
    kNeuesDokument = 9,          // make a new vehicle or combination
    kFensterSchliessen = 10,     // close the document's window
    kAbkoppeln = 11,             // uncouple the trailer
    kNutzflaecheBearbeiten = 12, // edit the usable load area
    kVerlassenGrund10 = 13,      // leave reasons no command gives at present
    kVerlassenGrund11 = 14,
    kVerlassenGrund12 = 62,
    kVerlassenGrund13 = 63,
    kProgrammBeenden = 64, // close the main window

    // The load units of the plan (number: the unit's id).
    kModusEckeZeigen = 15,      // mark the corner of the unit's securing mode
    kModusEckeSeite = 16,       // the page shows the securing-mode corner
    kEinheitPunkteZeigen = 19,  // draw the lashing points of a unit secured in detail
    kZurrungenZeigen = 20,      // draw the lashings of a unit secured the simple way
    kEckeWaehlbar = 24,         // the corners of the active unit may be clicked
    kEinheitAbwaehlen = 53,     // the active unit stops being active
    kEinheitWaehlen = 54,       // a unit becomes the active one
    kEinheitMenue = 55,         // the context menu of a unit
    kEinheitKennzeichen = 56,   // a unit shows its secured or defects mark
    kZurrungZaehler = 57,       // a unit shows its used/required lashings (extra: the used count)
    kGesichertKennzeichen = 58, // like kEinheitKennzeichen, asked first
    kEinheitBearbeitbar = 59,   // a unit may be worked on outside the wizard
    kEinheitAnklickbar = 60,    // a unit under the pointer may be clicked

    // The corners of the active unit (number: the corner, 0 to 3).
    kEckeZurrungHervorheben = 21, // draw the lashing of a corner highlighted
    kEckePunktZeigen = 48,        // draw the lashing point of a corner

    // The vehicle's lashing points and rails.
    kSchieneWaehlbar = 22,        // rails may be clicked (no value)
    kZurrpunktWaehlbar = 23,      // the vehicle's lashing points may be clicked (no value)
    kSchienenpunktWaehlbar = 25,  // the rail points of the active unit may be clicked (no value)
    kZurrpunkteBlass = 26,        // the lashing points are drawn faded (no value)
    kSchienenBlass = 27,          // the rails are drawn faded (no value)
    kSchienenAendern = 30,        // edit or delete the rails (no value)
    kZurrpunktBearbeiten = 33,    // edit a lashing point (CZurrpunkt*)
    kZurrpunktLoeschen = 35,      // delete a lashing point (CZurrpunkt*)
    kAlleZurrpunkteLoeschen = 36, // delete every lashing point (no value)
    kZurrpunktZuordnen = 41,      // a vehicle's lashing point under the pointer is the corner's (CZurrpunkt*)
    kSchienenpunktZuordnen = 42,  // a rail point under the pointer is the corner's (CZurrpunkt*)
    kSichgWahl = 47,              // the securing choice is being made (no value; out: the choice)
    kZurrpunktWahlPruefen = 49,   // a clicked lashing point must be selectable (CZurrpunkt*)
    kSchienenBereichPruefen = 50, // a click on a rail must lie in its usable range (CZurrschiene*)
    kFreieFlaeche = 61,           // the free load area under the pointer may be clicked (no value)
};

// Every action, in the order of its number.
inline constexpr auto kAlleLgSichgAktionen = std::to_array<LgSichgAktion>({
    LgSichgAktion::kLadungMarkieren,        LgSichgAktion::kLadungEntmarkieren,
    LgSichgAktion::kFahrzeugWechseln,       LgSichgAktion::kTabWechseln,
    LgSichgAktion::kDokumentOeffnen,        LgSichgAktion::kNeuesDokument,
    LgSichgAktion::kFensterSchliessen,      LgSichgAktion::kAbkoppeln,
    LgSichgAktion::kNutzflaecheBearbeiten,  LgSichgAktion::kVerlassenGrund10,
    LgSichgAktion::kVerlassenGrund11,       LgSichgAktion::kModusEckeZeigen,
    LgSichgAktion::kModusEckeSeite,         LgSichgAktion::kEinheitPunkteZeigen,
    LgSichgAktion::kZurrungenZeigen,        LgSichgAktion::kEckeZurrungHervorheben,
    LgSichgAktion::kSchieneWaehlbar,        LgSichgAktion::kZurrpunktWaehlbar,
    LgSichgAktion::kEckeWaehlbar,           LgSichgAktion::kSchienenpunktWaehlbar,
    LgSichgAktion::kZurrpunkteBlass,        LgSichgAktion::kSchienenBlass,
    LgSichgAktion::kSchienenAendern,        LgSichgAktion::kZurrpunktBearbeiten,
    LgSichgAktion::kZurrpunktLoeschen,      LgSichgAktion::kAlleZurrpunkteLoeschen,
    LgSichgAktion::kZurrpunktZuordnen,      LgSichgAktion::kSchienenpunktZuordnen,
    LgSichgAktion::kLadungAnklickbar,       LgSichgAktion::kSichgWahl,
    LgSichgAktion::kEckePunktZeigen,        LgSichgAktion::kZurrpunktWahlPruefen,
    LgSichgAktion::kSchienenBereichPruefen, LgSichgAktion::kEinheitAbwaehlen,
    LgSichgAktion::kEinheitWaehlen,         LgSichgAktion::kEinheitMenue,
    LgSichgAktion::kEinheitKennzeichen,     LgSichgAktion::kZurrungZaehler,
    LgSichgAktion::kGesichertKennzeichen,   LgSichgAktion::kEinheitBearbeitbar,
    LgSichgAktion::kEinheitAnklickbar,      LgSichgAktion::kFreieFlaeche,
    LgSichgAktion::kVerlassenGrund12,       LgSichgAktion::kVerlassenGrund13,
    LgSichgAktion::kProgrammBeenden,
});

// What an action's value holds.
enum class LgSichgWertArt
{
    kZahl,      // a number (0 where the action has no value)
    kLadung,    // tagLGINFO*
    kZurrpunkt, // CZurrpunkt*
    kSchiene,   // CZurrschiene*
};

constexpr LgSichgWertArt LgSichgAktionWertArt(LgSichgAktion eAktion)
{
    switch (eAktion) {
    case LgSichgAktion::kLadungMarkieren:
    case LgSichgAktion::kLadungEntmarkieren:
    case LgSichgAktion::kLadungAnklickbar:
        return LgSichgWertArt::kLadung;
    case LgSichgAktion::kZurrpunktBearbeiten:
    case LgSichgAktion::kZurrpunktLoeschen:
    case LgSichgAktion::kZurrpunktZuordnen:
    case LgSichgAktion::kSchienenpunktZuordnen:
    case LgSichgAktion::kZurrpunktWahlPruefen:
        return LgSichgWertArt::kZurrpunkt;
    case LgSichgAktion::kSchienenBereichPruefen:
        return LgSichgWertArt::kSchiene;
    default:
        return LgSichgWertArt::kZahl;
    }
}

// True when `wert` holds what the action takes; an action with any other value is refused.
inline bool LgSichgWertPasst(LgSichgAktion eAktion, const LgSichgWert& wert)
{
    switch (LgSichgAktionWertArt(eAktion)) {
    case LgSichgWertArt::kZahl:
        return std::holds_alternative<std::intptr_t>(wert);
    case LgSichgWertArt::kLadung:
        return std::holds_alternative<tagLGINFO*>(wert);
    case LgSichgWertArt::kZurrpunkt:
        return std::holds_alternative<CZurrpunkt*>(wert);
    case LgSichgWertArt::kSchiene:
        return std::holds_alternative<CZurrschiene*>(wert);
    }
    return false;
}

// The action with the number `nCode`; none for a number that names no action.
inline std::optional<LgSichgAktion> LgSichgAktionAusZahl(std::intptr_t nCode)
{
    for (LgSichgAktion e : kAlleLgSichgAktionen)
        if (static_cast<std::intptr_t>(e) == nCode)
            return e;
    return std::nullopt;
}
