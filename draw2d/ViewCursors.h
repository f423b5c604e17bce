// The cursors of the views by number: a picture of the language module and a hot spot from this table.
#pragma once

#include <QCursor>
#include <QList>
#include <QPoint>

#include <optional>

class ViewCursors
{
public:
    // Every cursor number the views use.
    static QList<int> Ids();
    // The hot spot of a cursor number in its 32 x 32 picture; none for an unknown number.
    static std::optional<QPoint> HotSpot(int id);
    // The cursor of a number from "cursors/<id>.png" of the current module; the arrow when the number
    // or its picture is missing.
    static QCursor Load(int id);
};
