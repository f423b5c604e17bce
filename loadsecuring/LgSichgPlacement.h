// Where the load-securing wizard opens: beside its view rather than over it.
#pragma once

#include <QRect>

class LgSichgPlacement
{
public:
    // The margin the view keeps free on its left and right.
    static constexpr int kAbstand = 30;

    // The sheet's rectangle after placing it: when it overlaps the view's client rectangle (screen
    // coordinates) widened by kAbstand left and right, it moves to the left of it when there is room
    // there, else to its right when there is room, else by the smaller of the two shifts; then it is
    // kept within 0 .. nScreenWidth - 1.
    static QRect Place(const QRect& view, const QRect& sheet, int nScreenWidth);
};
