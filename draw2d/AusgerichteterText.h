// Text placed by its top edge and its left edge, centre or right edge.
#pragma once

#include <QRect>

class QPainter;
class QString;

enum class Ausrichtung
{
    Links,
    Mitte,
    Rechts,
};

// Draws `text` in the painter's font with the top of its cell at y and its left edge, centre or right
// edge at x; answers the cell (the text's advance by the font's height).
QRect ZeichneText(QPainter& p, int x, int y, const QString& text, Ausrichtung a);
