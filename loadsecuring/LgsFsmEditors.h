// The FSM item editor and the catalogue browser as the rest of the program opens them.
#pragma once

#include "catalogue/CHlbAdapter.h"
#include "views/IPlanDialogs.h"

#include <QPoint>
#include <QString>

#include <functional>
#include <memory>

class CDlgFSM;
class CHlbCatalogue;
class IHlbAdapterOwner;
class ProgramRun;
class QWidget;

// Install() puts the editor where the catalogue adapter (new, edit and copy of FSM entries) and the
// loading-plan view (an FSM item on the plan) look for it.
class LgsFsmEditors
{
public:
    // The placed item's editor keeps its answers in `run`, which must outlive the installation.
    static void Install(ProgramRun& run);
    static void Uninstall();

    // Edits a catalogue entry: the request's record in, the values, picture and new path out.
    static bool EditCatalogueEntry(CHlbAdapter::FsmEditRequest& request);
    // Edits an FSM item of a plan in placed mode; on 714 the chosen values come back.
    static bool EditPlacedItem(QWidget* parent, IPlanDialogs::FsmValues& values, ProgramRun* pRun = nullptr);
    // The catalogue browser of the main frame's command, on the program's catalogue. A tile dragged out
    // of its strip goes to `pZiehZiel` (the loading ramp of the plan on show), as a tile of the ramp's
    // own strip does; without one the strip keeps its tiles.
    static void OpenBrowser(QWidget* parent, std::shared_ptr<CHlbCatalogue> catalogue,
                            IHlbAdapterOwner* pZiehZiel = nullptr);
    // The browser as a strip opens it: with the strip's category and search text, its bottom-left corner
    // at `start` (screen coordinates).
    static void OpenBrowserAt(QWidget* parent, std::shared_ptr<CHlbCatalogue> catalogue, QPoint start,
                              int category, const QString& search);

    // How the editor runs (exec() unless replaced); answers the dialog's result.
    using Runner = std::function<int(CDlgFSM& dialog)>;
    static void SetRunner(Runner runner);
};
