// Draws the command icons of the ribbon and the menus by bitmap number, 32 x 32 with transparency.
#pragma once

#include <QImage>
#include <QList>

class RibbonIconPainter
{
public:
    // Every bitmap number the painter draws.
    static QList<int> Ids();
    // The icon of a bitmap number; a null image for a number it does not draw.
    static QImage Draw(int id);
};
