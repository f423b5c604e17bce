// The notifications the load-securing view sends its wizard and the wizard its pages, and the values
// these and the view's questions about its actions carry.
#pragma once

#include <cstdint>
#include <list>
#include <memory>
#include <variant>

class CLadeeinheit;
class CZurrpunkt;
class CZurrschiene;
struct SZurrschienenKlick;
struct tagLGINFO;

// Each code keeps the number it has always had: relayed page events carry it as a number.
enum class LgSichgMeldung : int
{
    kLadungMarkiert = 1,           // a placed load was marked (tagLGINFO*)
    kLadungEntmarkiert = 2,        // a placed load was unmarked (tagLGINFO*)
    kEinheitGewaehlt = 3,          // another unit became active (CLadeeinheit*, null: none)
    kFahrzeugGewechselt = 4,       // the document switched to another vehicle
    kTabGewechselt = 5,            // the tabbed view selected a tab (number: the tab)
    kAnsichtAktiviert = 7,         // a view of the document was activated (number: its kind)
    kLadeflaecheGeaendert = 12,    // the vehicle's load area changed
    kZurrpunktGewaehlt = 17,       // a lashing point was clicked (CZurrpunkt*)
    kEckeGeklickt = 18,            // a corner of the active unit was clicked (number: 0 to 3)
    kSchieneGeklickt = 28,         // a lashing rail was clicked (SZurrschienenKlick*)
    kSchienenpunktGeklickt = 29,   // a point on a lashing rail was clicked (CZurrpunkt*)
    kSchienenGeaendert = 31,       // lashing rails were edited (the list of them)
    kSchienenGeloescht = 32,       // every lashing rail was deleted
    kZurrpunktVerschoben = 37,     // a vehicle's lashing point was edited (CZurrpunkt*)
    kZurrpunkteHinzugefuegt = 38,  // lashing points were added to the vehicle
    kZurrpunktGeloescht = 39,      // a vehicle's lashing point is being deleted (CZurrpunkt*)
    kAlleZurrpunkteGeloescht = 40, // every lashing point of the vehicle was deleted
    kWizardSchliesst = 43,         // the wizard closes
    kSchienenHinzugefuegt = 45,    // lashing rails were added
    kVerfahrenGeaendert = 46,      // the securing method of the working settings changed
    kZurrmittelGeaendert = 51,     // the vehicle's lashing devices changed in their editor
    kNutzflaecheBearbeitet = 52,   // the usable area was edited (number: the editing mode)
    kDateiWirdGeschrieben = 65,    // the document is about to be written
    kDateiGeschrieben = 66,        // the document was written
};

// A notification's value: a number, or the object it is about.
using LgSichgWert = std::variant<std::intptr_t, tagLGINFO*, CLadeeinheit*, CZurrpunkt*, CZurrschiene*,
                                 const SZurrschienenKlick*, const std::list<std::unique_ptr<CZurrschiene>>*>;

// The object a value names; null when it holds something else.
template <class T> T LgSichgZeiger(const LgSichgWert& wert)
{
    const T* p = std::get_if<T>(&wert);
    return p ? *p : nullptr;
}

// The number a value holds; 0 when it holds an object.
inline std::intptr_t LgSichgZahl(const LgSichgWert& wert)
{
    const std::intptr_t* p = std::get_if<std::intptr_t>(&wert);
    return p ? *p : 0;
}
