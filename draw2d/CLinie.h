// One horizontal dimension line with arrowheads and its millimetre label.
#pragma once

#include <QPoint>
#include <QString>

class IPlanDrawView;
class QPainter;

class CLinie
{
public:
    // Draws the line from `from` to `to` with `text` as its label and reports the label's rectangle to
    // the view under `nLabelId` (unless bMelden is false). A short line with bOutside turns its arrows
    // round and puts its label beside it.
    void Draw(QPainter& painter, const QPoint& from, const QPoint& to, const QString& text, double dZoom,
              bool bOutside, IPlanDrawView* pView, int nLabelId, bool bMelden = true);
};
