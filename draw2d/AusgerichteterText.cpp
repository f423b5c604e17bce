// Text placed by its top edge and its left edge, centre or right edge.
#include "draw2d/AusgerichteterText.h"

#include <QFontMetrics>
#include <QPainter>
#include <QString>

QRect ZeichneText(QPainter& p, int x, int y, const QString& text, Ausrichtung a)
{
    const QFontMetrics fm(p.font());
    const int w = fm.horizontalAdvance(text);
    const int left = a == Ausrichtung::Links ? x : (a == Ausrichtung::Mitte ? x - w / 2 : x - w);
    p.drawText(left, y + fm.ascent(), text);
    return QRect(left, y, w, fm.height());
}
