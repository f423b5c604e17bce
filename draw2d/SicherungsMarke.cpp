// The mark of a load unit's securing verdict.
#include "draw2d/SicherungsMarke.h"

#include <QPainter>
#include <QPen>

#include <algorithm>

QRect SicherungsMarke::Ziel(const QRect& einheit, const QSize& voll)
{
    const QSize s = voll.scaled(einheit.size() - QSize(6, 6), Qt::KeepAspectRatio).boundedTo(voll);
    if (s.isEmpty())
        return {};
    return QRect(einheit.center() - QPoint(s.width() / 2, s.height() / 2), s);
}

void SicherungsMarke::Zeichne(QPainter& p, const QRect& ziel, SicherungsStand stand, const QImage& haken)
{
    if (stand == SicherungsStand::kKeine || ziel.isEmpty())
        return;
    if (stand == SicherungsStand::kGesichert) {
        if (!haken.isNull())
            p.drawImage(ziel, haken);
        return;
    }
    const bool bMaengel = stand == SicherungsStand::kMaengel;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor::fromRgba(bMaengel ? kFarbeMaengel : kFarbeOffen));
    const int d = std::min(ziel.width(), ziel.height());
    const QRectF kreis(ziel.center().x() - d / 2.0 + 0.5, ziel.center().y() - d / 2.0 + 0.5, d, d);
    p.drawEllipse(kreis);
    const double st = std::max(1.5, d / 8.0);
    p.setPen(QPen(Qt::white, st, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    const double cx = kreis.center().x();
    if (bMaengel) {
        p.drawLine(QPointF(cx, kreis.top() + d * 0.22), QPointF(cx, kreis.top() + d * 0.58));
    } else {
        // A question mark: an arc over a short stem.
        const double r = d * 0.16;
        p.drawArc(QRectF(cx - r, kreis.top() + d * 0.2, 2 * r, 2 * r), 180 * 16, -270 * 16);
        p.drawLine(QPointF(cx, kreis.top() + d * 0.2 + 2 * r), QPointF(cx, kreis.top() + d * 0.6));
    }
    p.drawPoint(QPointF(cx, kreis.top() + d * 0.76));
    p.restore();
}
