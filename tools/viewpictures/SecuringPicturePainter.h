// Draws the load-securing view's pictures by number: the hatch of marked loads, the lashing-point and
// lashing-rail pictures and the overlay of load units.
#pragma once

#include <QImage>
#include <QList>

class SecuringPicturePainter
{
public:
    // The picture numbers drawn: bitmaps kept as "bitmaps/<id>.png".
    static QList<int> Ids();
    // The picture of a number; a null image for a number the painter does not draw.
    static QImage Draw(int id);
};
