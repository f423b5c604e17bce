// What the views of a document are told besides the document's own messages: by another view, the
// frame or the writing of the document's file (CGetAnsView::OnViewNotify).
#pragma once

#include <QPoint>

#include <optional>

// Each code keeps the number it has always had; the load-securing view hands the last three on to its
// wizard with their number.
enum class AnsichtMeldung
{
    kFahrzeugGewechselt = 1,     // another vehicle of the document is worked on: the views are drawn again
    kRaender = 2,                // the view's strips follow its insets (AnsichtWert::raender)
    kDateiWirdGeschrieben = 3,   // the document's file is about to be written
    kDateiGeschrieben = 4,       // the file was written (number 1) or not (0)
    kNutzflaecheBearbeitet = 52, // the usable load area was edited (number: the editing mode)
};

// What a message carries beside its code.
struct AnsichtWert
{
    int nZahl = 0;
    // kRaender: the insets of the view's picture in pixels; none: each view works out its own from its
    // place (CGetAnsView::ResolveInsets).
    std::optional<QPoint> raender;

    static AnsichtWert Zahl(int n)
    {
        AnsichtWert w;
        w.nZahl = n;
        return w;
    }
    static AnsichtWert Raender(std::optional<QPoint> p)
    {
        AnsichtWert w;
        w.raender = p;
        return w;
    }
};
