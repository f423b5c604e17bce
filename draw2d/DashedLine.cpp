// Dashed lines cut off by the picture's edge with their dashes in place.
#include "draw2d/DashedLine.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QRect>
#include <QTransform>

#include <algorithm>
#include <cmath>

void DrawDashedLine(QPainter& p, QPoint a, QPoint b)
{
    const QPen pen = p.pen();
    const QTransform t = p.combinedTransform();
    const QPaintDevice* device = p.device();
    const bool bGerade = a.x() == b.x() || a.y() == b.y();
    if (pen.style() == Qt::SolidLine || pen.style() == Qt::NoPen || !device || !bGerade || a == b ||
        t.type() > QTransform::TxTranslate || t.dx() != std::floor(t.dx()) || t.dy() != std::floor(t.dy()) ||
        pen.dashOffset() != 0.0) {
        p.drawLine(a, b);
        return;
    }
    double dMuster = 0.0;
    for (const qreal d : pen.dashPattern())
        dMuster += d;
    dMuster *= std::max(1.0, pen.widthF());
    const int nMuster = static_cast<int>(std::lround(dMuster));
    if (nMuster <= 0 || std::abs(dMuster - nMuster) > 1e-9) {
        p.drawLine(a, b);
        return;
    }
    // The device in the painter's coordinates.
    QRect sicht = QRect(0, 0, device->width(), device->height())
                      .translated(-static_cast<int>(t.dx()), -static_cast<int>(t.dy()));
    if (p.hasClipping())
        sicht &= p.clipBoundingRect().toAlignedRect();
    const bool bSenkrecht = a.x() == b.x();
    int s = bSenkrecht ? a.y() : a.x();
    const int e = bSenkrecht ? b.y() : b.x();
    const int lo = bSenkrecht ? sicht.top() : sicht.left();
    const int hi = bSenkrecht ? sicht.bottom() : sicht.right();
    // A start that would move past the end leaves the line as it is: it does not reach the device.
    if (e < s && s > hi) {
        const int k = (s - hi + nMuster - 1) / nMuster;
        if (s - k * nMuster >= e)
            s -= k * nMuster;
    } else if (e > s && s < lo) {
        const int k = (lo - s + nMuster - 1) / nMuster;
        if (s + k * nMuster <= e)
            s += k * nMuster;
    }
    p.drawLine(bSenkrecht ? QPoint(a.x(), s) : QPoint(s, a.y()), b);
}
