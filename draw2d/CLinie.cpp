// One horizontal dimension line with arrowheads and its millimetre label.
#include "draw2d/CLinie.h"

#include "draw2d/IPlanDrawView.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

int Trunc(double d)
{
    return static_cast<int>(d);
}

} // namespace

void CLinie::Draw(QPainter& painter, const QPoint& from, const QPoint& to, const QString& text, double dZoom,
                  bool bOutside, IPlanDrawView* pView, int nLabelId, bool bMelden)
{
    painter.save();
    painter.setPen(QPen(Qt::black, 1));
    int a = Trunc(25 * dZoom);
    const int h = Trunc(8 * dZoom);
    const QFontMetrics fm(painter.font());
    const int w = fm.horizontalAdvance(text), hText = fm.height();
    const bool bKurz = to.x() - from.x() <= w - Trunc(w * -0.4);
    const bool bAussen = bKurz && bOutside;
    if (bAussen)
        a = -a;
    painter.drawLine(from, QPoint(from.x() + a, from.y() + h));
    painter.drawLine(from, QPoint(from.x() + a, from.y() - h));
    painter.drawLine(to, QPoint(to.x() - a, to.y() + h));
    painter.drawLine(to, QPoint(to.x() - a, to.y() - h));
    if (bAussen) {
        painter.drawLine(from.x() + a, from.y(), from.x() + a - Trunc(50 * dZoom), from.y());
        painter.drawLine(to.x() - a, to.y(), to.x() - a + Trunc(50 * dZoom), to.y());
    } else {
        painter.drawLine(from, to);
    }
    int left = 0;
    if (!bKurz || (nLabelId >= 3 && nLabelId <= 12)) {
        left = from.x() + (to.x() - from.x()) / 2 + 1 - w / 2;
    } else if (!bOutside) {
        left = to.x() + Trunc(20 * dZoom);
    } else if (pView && pView->IsBildExport()) {
        left = to.x() + 1;
    } else {
        left = to.x() + Trunc(40 * dZoom) - 1;
    }
    int top = 0;
    if (bKurz && nLabelId == 3)
        top = from.y() + 2;
    else if (nLabelId >= 4 && nLabelId <= 12)
        top = from.y() - hText;
    else
        top = from.y() - Trunc(hText * 0.5) - 1;
    const QRect rc(left, top, w, hText);
    // An opaque background interrupts the shaft.
    painter.fillRect(rc, Qt::white);
    painter.drawText(rc, Qt::AlignLeft | Qt::AlignTop, text);
    if (pView)
        pView->AddTextRect(painter.worldTransform().mapRect(rc));
    if (pView && bMelden)
        pView->SetLabelRect(nLabelId, painter.worldTransform().mapRect(rc));
    painter.restore();
}
