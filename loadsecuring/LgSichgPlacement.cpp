// Placing the wizard beside its view.
#include "loadsecuring/LgSichgPlacement.h"

#include <cstdlib>

QRect LgSichgPlacement::Place(const QRect& view, const QRect& sheet, int nScreenWidth)
{
    const QRect frei = view.adjusted(-kAbstand, 0, kAbstand, 0);
    QRect r = sheet;
    if (r.intersects(frei)) {
        const int nLinks = frei.left() - r.width(); // the left edge beside the view on its left
        const int nRechts = frei.right() + 1;       // the left edge beside the view on its right
        if (nLinks >= 0)
            r.moveLeft(nLinks);
        else if (nRechts + r.width() <= nScreenWidth)
            r.moveLeft(nRechts);
        else
            r.moveLeft(std::abs(nLinks - r.left()) <= std::abs(nRechts - r.left()) ? nLinks : nRechts);
    }
    if (r.right() > nScreenWidth - 1)
        r.moveRight(nScreenWidth - 1);
    if (r.left() < 0)
        r.moveLeft(0);
    return r;
}
