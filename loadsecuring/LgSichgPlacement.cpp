// Placing the wizard beside the load area and the unit it secures.
#include "loadsecuring/LgSichgPlacement.h"

#include <algorithm>
#include <array>

namespace {

// `r` moved into `bereich` as far as it fits (its top-left corner wins when it is larger).
QRect InBereich(QRect r, const QRect& bereich)
{
    if (r.right() > bereich.right())
        r.moveRight(bereich.right());
    if (r.bottom() > bereich.bottom())
        r.moveBottom(bereich.bottom());
    if (r.left() < bereich.left())
        r.moveLeft(bereich.left());
    if (r.top() < bereich.top())
        r.moveTop(bereich.top());
    return r;
}

// A sheet of `groesse` beside `ziel` within `bereich`, on the right, left, below or above it, whichever
// fits first without covering `ziel` and its gap; false when none does.
bool Daneben(const QRect& ziel, const QRect& bereich, const QSize& groesse, QRect* pBlatt)
{
    const int a = LgSichgPlacement::kAbstand;
    const QRect frei = ziel.adjusted(-a, -a, a, a);
    const std::array<QPoint, 4> ecken = {
        QPoint(ziel.right() + 1 + a, ziel.top()),
        QPoint(ziel.left() - a - groesse.width(), ziel.top()),
        QPoint(ziel.left(), ziel.bottom() + 1 + a),
        QPoint(ziel.left(), ziel.top() - a - groesse.height()),
    };
    for (const QPoint& ecke : ecken) {
        const QRect r = InBereich(QRect(ecke, groesse), bereich);
        if (bereich.contains(r) && !r.intersects(frei)) {
            *pBlatt = r;
            return true;
        }
    }
    return false;
}

} // namespace

LgSichgPlacement::Ergebnis LgSichgPlacement::Platziere(const Lage& lage, const QSize& groesse)
{
    Ergebnis e;
    const QRect& b = lage.bereich;
    if (b.isEmpty()) {
        e.blatt = QRect(lage.ansicht.topLeft(), groesse);
        return e;
    }
    for (const QRect& ziel : {lage.ladeflaeche, lage.einheit})
        if (!ziel.isEmpty() && Daneben(ziel, b, groesse, &e.blatt))
            return e;
    // No room beside it: the sheet at the edge of the window that leaves the unit the smaller way to go,
    // level with the view's top; the drawing moves the unit into the free part beside the sheet.
    const QRect rechts =
        InBereich(QRect(QPoint(b.right() + 1 - groesse.width(), lage.ansicht.top()), groesse), b);
    const QRect links = InBereich(QRect(QPoint(b.left(), lage.ansicht.top()), groesse), b);
    const QRect& einheit = lage.einheit.isEmpty() ? lage.ladeflaeche : lage.einheit;
    if (einheit.isEmpty()) {
        e.blatt = rechts;
        return e;
    }
    // The move that puts the unit beside each sheet (its near edge first when it is the wider).
    const int nNachLinks =
        std::max(rechts.left() - kAbstand - 1 - einheit.right(), -(einheit.left() - lage.ansicht.left()));
    const int nNachRechts = std::max(0, links.right() + 1 + kAbstand - einheit.left());
    const int dxRechts = std::min(0, nNachLinks);
    const int dxLinks = nNachRechts;
    if (-dxRechts <= dxLinks) {
        e.blatt = rechts;
        e.verschiebung = QPoint(dxRechts, 0);
    } else {
        e.blatt = links;
        e.verschiebung = QPoint(dxLinks, 0);
    }
    return e;
}

QSize LgSichgPlacement::MitRahmen(const QRect& fenster, const QRect& rahmen, const QRect& haupt,
                                  const QRect& hauptRahmen)
{
    if (rahmen != fenster)
        return rahmen.size();
    const int oben = std::max(30, haupt.top() - hauptRahmen.top());
    const int unten = std::max(1, hauptRahmen.bottom() - haupt.bottom());
    const int links = std::max(1, haupt.left() - hauptRahmen.left());
    const int rechts = std::max(1, hauptRahmen.right() - haupt.right());
    return fenster.size() + QSize(links + rechts, oben + unten);
}
