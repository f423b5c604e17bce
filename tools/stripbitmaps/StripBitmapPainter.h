// Draws the pictures of the button strips by bitmap number.
#pragma once

#include <QImage>
#include <QList>

class StripBitmapPainter
{
public:
    // Every bitmap number the painter draws.
    static QList<int> Ids();
    // The picture of a bitmap number; a null image for a number it does not draw.
    static QImage Draw(int id);

private:
    static QImage Background(int mode, bool hover);
    static QImage Separator(int mode);
    static QImage StateImage(int kind, bool iconBesideText);
    static QImage OkIcon();
    static QImage CancelIcon();
};
