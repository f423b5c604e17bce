// What the document says to its views: why it asks them to let go, what it tells them afterwards,
// and the hints of an update.
#pragma once

// Why the document asks its views whether they let go of what they show (CQOR1Doc::CanLeaveViews). A
// view refuses while it holds work the change would lose (the load-securing view's wizard). The
// numbers are the ones the views' logs and the wizard's records have always carried.
enum class VerlassenGrund
{
    kFahrzeugWechseln = 1,      // another vehicle of the combination is to be worked on (argument 0)
    kTabWechseln = 2,           // the tab host is to show another tab (argument: the tab asked for)
    kDokumentOeffnen = 5,       // another file is to be opened
    kNeuesDokument = 6,         // a new vehicle or combination is to replace the document
    kFensterSchliessen = 7,     // the document's window is to close
    kAbkoppeln = 8,             // the trailer is to be uncoupled
    kNutzflaecheBearbeiten = 9, // the usable load area is to be edited
    kProgrammBeenden = 15,      // the program is to end (argument 0)
};

// What the document tells its views after a change (CQOR1Doc::NotifyViews), with one number beside it.
enum class DokumentMeldung
{
    kFahrzeugGewechselt = 1,   // another vehicle is worked on (number 0)
    kTabGewechselt = 2,        // the tab host shows another tab (number: the tab)
    kAnsichtAktiviert = 4,     // a view became the active one (number: its kind in the tab host)
    kAbgekoppelt = 8,          // the trailer was uncoupled (number: its former kind)
    kLadeflaecheGeaendert = 9, // the usable load area was edited (number 0)
};

// What changed, sent with a view update (CQOR1Doc::UpdateOtherViews, DocumentHost::UpdateAllViews).
enum class UpdateHinweis
{
    kNeuZeichnen = 0,   // draw again, nothing else changed
    kLadeflaeche = 1,   // only the load area and the band of the curve labels changed
    kLadungen = 44,     // loads were placed, moved or removed
    kNeuBerechnet = 55, // the model was recalculated
    kBearbeitet = 66,   // a vehicle was edited (axles, masses, load area, coupling, the loading ramp)
};
