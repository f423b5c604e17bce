// Where the load-securing wizard opens: beside the load area it asks about, and where there is no room
// for that, with the view's drawing moved so that the unit stays in sight.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class LgSichgPlacement
{
public:
    // The gap the sheet keeps from what it leaves in sight.
    static constexpr int kAbstand = 30;

    // All rectangles in screen coordinates.
    struct Lage
    {
        QRect bereich;     // where the sheet may stand: the main window within its screen's free area
        QRect ansicht;     // the view's client rectangle
        QRect ladeflaeche; // the load area as drawn (empty: unknown)
        QRect einheit;     // the load unit worked on as drawn (empty: none yet)
    };
    struct Ergebnis
    {
        QRect blatt;         // the sheet's rectangle
        QPoint verschiebung; // how far the view moves its drawing so the unit lies beside the sheet
    };

    // The sheet of `groesse` goes beside the load area (right, left, below, above, the first that fits
    // within `bereich`), else beside the unit alone; where neither fits it stands at the edge of
    // `bereich` nearer to room for the unit, and the view's drawing is moved so the unit lies beside
    // it. The sheet always stays within `bereich` (at its top-left when it is larger).
    static Ergebnis Platziere(const Lage& lage, const QSize& groesse);

    // The sheet's size with its window frame. `rahmen` is the frame the window system reports around the
    // sheet's `fenster`; before the sheet is first mapped it knows none (the two are equal), and the frame
    // of the main window (`hauptRahmen` around `haupt`, framed by the same window manager) stands in, at
    // least a title bar of 30 pixels and a pixel on each other side.
    static QSize MitRahmen(const QRect& fenster, const QRect& rahmen, const QRect& haupt,
                           const QRect& hauptRahmen);
};
