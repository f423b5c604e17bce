// Draws the catalogue strip's tile pictures by number: the marks of user and standard entries, of the
// selected and the hovered tile and of a picture still loading or missing, and the type pictures of
// entries without a picture of their own.
#pragma once

#include <QImage>
#include <QList>

class CataloguePicturePainter
{
public:
    // The picture numbers drawn: bitmaps kept as "bitmaps/<id>.png".
    static QList<int> Ids();
    // The picture of a number; a null image for a number the painter does not draw.
    static QImage Draw(int id);
};
