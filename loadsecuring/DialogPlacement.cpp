// Placement of the catalogue dialogs beside an anchor or at a start point.
#include "loadsecuring/DialogPlacement.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

QPoint PlaceBesideAnchor(QSize size, const QRect& anchor, const QRect& screen)
{
    int x = anchor.right() + 1;
    if (x + size.width() - 1 > screen.right())
        x = anchor.left() - size.width();
    x = std::max(x, screen.left());
    const int y = std::max(anchor.bottom() + 1 - size.height(), screen.top());
    return {x, y};
}

QPoint PlaceAtStartPoint(QSize size, QPoint start, const QRect& screen)
{
    int x = start.x() + 4;
    if (x + size.width() - 1 > screen.right())
        x = screen.right() + 1 - size.width();
    x = std::max(x, screen.left());
    const int y = std::max(start.y() + 1 - size.height(), screen.top());
    return {x, y};
}

QRect AvailableScreenAt(QPoint point)
{
    QScreen* screen = QGuiApplication::screenAt(point);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}
