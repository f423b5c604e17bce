// Draws the load-securing view's pictures by number.
#include "SecuringPicturePainter.h"

#include <QPainter>
#include <QPolygon>

namespace {

// A pattern of diagonal stripes `n` pixels square.
QImage Stripes(int n, const QColor& line, const QColor& ground)
{
    QImage image(n, n, QImage::Format_RGB32);
    image.fill(ground);
    for (int i = 0; i < n; ++i) {
        image.setPixelColor(i, n - 1 - i, line);
        image.setPixelColor((i + 1) % n, n - 1 - i, line);
    }
    return image;
}

// A lashing ring seen from above: a steel plate with a ring bolted through it.
QImage LashingPoint()
{
    QImage image(32, 32, QImage::Format_RGB32);
    image.fill(QColor(84, 106, 6));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(40, 48, 2), 2));
    p.setBrush(QColor(120, 142, 30));
    p.drawRect(QRectF(2, 2, 28, 28));
    p.setPen(QPen(QColor(30, 30, 30), 4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(16, 16), 8, 8);
    p.setPen(QPen(QColor(210, 210, 200), 1.5));
    p.drawEllipse(QPointF(16, 16), 8, 8);
    return image;
}

// A piece of lashing rail: a grey profile with the oval slots of its anchors, 8 pixels apart.
QImage LashingRail()
{
    QImage image(48, 12, QImage::Format_RGB32);
    image.fill(QColor(120, 120, 120));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(80, 80, 80), 1));
    p.drawLine(0, 0, 47, 0);
    p.drawLine(0, 11, 47, 11);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 40));
    for (int x = 1; x < 48; x += 8)
        p.drawRoundedRect(QRectF(x, 3.5, 6, 5), 2.5, 2.5);
    return image;
}

// The mark of a secured load unit: a green disc with a white tick on a transparent ground.
QImage SecuredMark()
{
    QImage image(40, 40, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(20, 90, 20), 2));
    p.setBrush(QColor(60, 170, 60, 220));
    p.drawEllipse(QPointF(20, 20), 17, 17);
    p.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygon({{11, 21}, {18, 28}, {30, 13}}));
    return image;
}

// The lashing-rail editor's picture: the load area seen from above at its side wall with a rail along
// it, and the distance from the side marked by an arrow.
QImage RailSketch()
{
    QImage image(180, 140, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    // The floor and the side wall at the top.
    p.fillRect(QRect(0, 20, 180, 120), QColor(235, 235, 225));
    p.fillRect(QRect(0, 12, 180, 8), QColor(90, 90, 90));
    // The rail with its slots.
    p.fillRect(QRect(0, 58, 180, 14), QColor(120, 120, 120));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 40));
    for (int x = 4; x < 180; x += 18)
        p.drawRoundedRect(QRectF(x, 61.5, 10, 7), 3, 3);
    // The distance from the side wall to the rail's middle.
    p.setPen(QPen(QColor(200, 40, 40), 2));
    p.drawLine(150, 22, 150, 63);
    p.setBrush(QColor(200, 40, 40));
    p.drawPolygon(QPolygon({{150, 20}, {145, 29}, {155, 29}}));
    p.drawPolygon(QPolygon({{150, 65}, {145, 56}, {155, 56}}));
    // A load standing on the floor.
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(QColor(237, 244, 147));
    p.drawRect(QRect(20, 88, 90, 44));
    return image;
}

// The lashing-point editor's picture of a kind of point: the load area from above (front to the left),
// the point in the corner its distances are measured from, and the two distances as arrows.
QImage PointSketch(bool bVonVorn, bool bAndereSeite)
{
    QImage image(200, 150, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRect area(20, 25, 160, 100);
    p.setPen(QPen(QColor(40, 40, 40), 2));
    p.setBrush(QColor(235, 235, 225));
    p.drawRect(area);
    // The front wall.
    p.fillRect(QRect(area.left() - 6, area.top(), 6, area.height() + 1), QColor(90, 90, 90));
    const int px = bVonVorn ? area.left() + 45 : area.right() - 45;
    const int py = bAndereSeite ? area.bottom() - 18 : area.top() + 18;
    p.setPen(QPen(QColor(40, 48, 2), 1));
    p.setBrush(QColor(84, 106, 6));
    p.drawRect(QRect(px - 5, py - 5, 11, 11));
    p.setPen(QPen(QColor(200, 40, 40), 2));
    const int ex = bVonVorn ? area.left() : area.right();
    const int ey = bAndereSeite ? area.bottom() : area.top();
    p.drawLine(ex, py, px - (bVonVorn ? 7 : -7), py);
    p.drawLine(px, ey, px, py - (bAndereSeite ? -7 : 7));
    return image;
}

} // namespace

QList<int> SecuringPicturePainter::Ids()
{
    return {598, 599, 600, 601, 672, 754, 765, 767, 808};
}

QImage SecuringPicturePainter::Draw(int id)
{
    switch (id) {
    case 672: // hatch over the marked loads
        return Stripes(8, QColor(200, 40, 40), QColor(255, 220, 220));
    case 598: // from the front, on the other side
        return PointSketch(true, true);
    case 599: // from the rear, on the other side
        return PointSketch(false, true);
    case 600: // from the front
        return PointSketch(true, false);
    case 601: // from the rear
        return PointSketch(false, false);
    case 754: // the lashing-rail editor's sketch
        return RailSketch();
    case 765: // a lashing point of the vehicle
        return LashingPoint();
    case 767: // a lashing rail
        return LashingRail();
    case 808: // overlay of a secured load unit
        return SecuredMark();
    default:
        return QImage();
    }
}
