// What a document needs of the application around it: its views, its frame caption, message boxes,
// the file dialog and the print dialog.
#pragma once

#include "model/document/DokumentMeldung.h"

#include <string>

class CFahrzeug;
class CQOR1Doc;

// Every operation has a neutral default, so a document without a window (a batch run, a test) can
// use the plain class.
class DocumentHost
{
public:
    virtual ~DocumentHost() = default;

    // The framework's view update with `eHinweis`; with `bOhneErstenPlanView` the document's first plan
    // view is the sender and is skipped.
    virtual void UpdateAllViews(UpdateHinweis /*eHinweis*/, bool /*bOhneErstenPlanView*/) {}
    // The leave query of the plan view, the multi view and the load-securing view, in that order: true
    // when one of them refuses; each view's message part is appended to `message`.
    virtual bool QueryLeaveViews(VerlassenGrund /*eGrund*/, int /*nArg*/, std::string& /*message*/)
    {
        return false;
    }
    // The notification of the plan, multi, 3D and load-securing views; the last answer.
    virtual int NotifyViews(DokumentMeldung /*eMeldung*/, int /*nValue*/) { return 0; }
    // Offers a command to the views; true when one handled it.
    virtual bool RouteCommandToViews(int /*nCommand*/, int /*nArg*/) { return false; }
    // A file was opened into the document: its window shows again the tab it showed when it was last
    // closed.
    virtual void ZeigeLetztenTab() {}
    // Repaints the views at once and has the 3D view rebuild its scene.
    virtual void RedrawViews() {}
    // Repaints the load-securing view.
    virtual void InvalidateLgSicherungView() {}
    // The caption of the document's active child window.
    virtual void SetFrameTitle(const std::string& /*title*/) {}
    // True when the main frame's active view mode is set (the plan view's toggle mode or the 3D view's
    // view flag).
    virtual bool IsActiveViewModeSet() { return false; }

    // The button that confirms a message box or the save dialog.
    static constexpr int kButtonOk = 668;

    // The HTML message box with one button.
    virtual void ShowMessage(const std::string& /*caption*/, const std::string& /*htmlBody*/, int /*nButton*/)
    {
    }
    // The save dialog for a vehicle (".qor") or combination (".kmb") file, the name preset. Answers the
    // button that closed it (kButtonOk to save) and fills the folder (ending in "/") and name.
    virtual int AskFileName(bool /*bKombination*/, const std::string& /*extension*/,
                            const std::string& /*presetName*/, std::string& /*folder*/, std::string& /*name*/)
    {
        return 0;
    }
    // The modal print dialog with the front vehicle, the trailer (or null) and the document.
    virtual void OpenPrintDialog(CFahrzeug* /*pVorn*/, CFahrzeug* /*pAnhaenger*/, CQOR1Doc* /*pDoc*/) {}
    // Adds a closed document's file to the recent-file list.
    virtual void AddToRecentFileList(const std::string& /*path*/) {}
};
