// Where the catalogue dialogs open: beside an item on the screen, or at a start point, kept on the screen.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// The top-left corner of a dialog of `size` beside `anchor`: to its right with the bottom edges
// aligned, or to its left when the right edge would pass the screen's; never above the screen's top
// nor left of its left edge.
QPoint PlaceBesideAnchor(QSize size, const QRect& anchor, const QRect& screen);

// The top-left corner of a dialog of `size` whose left edge is start.x + 4 and whose bottom edge is
// start.y, shifted left when it would leave the screen's width; never above the screen's top.
QPoint PlaceAtStartPoint(QSize size, QPoint start, const QRect& screen);

// The available geometry of the screen the point lies on, else of the primary screen.
QRect AvailableScreenAt(QPoint point);
