// Draws the loading plan's pictures by number.
#include "PlanPicturePainter.h"

#include <QPainter>
#include <QPolygon>

namespace {

QImage White(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// A round marker on white (white is the transparent colour where it is drawn): a disc of `fill` with a
// dark rim and a cross through the centre.
QImage Marker(int size, const QColor& fill)
{
    QImage image = White(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(QColor(30, 30, 30), 1));
    p.setBrush(fill);
    p.drawEllipse(1, 1, size - 3, size - 3);
    const int c = size / 2;
    p.drawLine(c, 3, c, size - 4);
    p.drawLine(3, c, size - 4, c);
    return image;
}

// A cab seen from above, its front to the left, on white (drawn with SRCAND).
QImage Cab(int w, int h)
{
    QImage image = White(w, h);
    QPainter p(&image);
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(QColor(196, 206, 220));
    p.drawRoundedRect(2, 2, w - 5, h - 5, 6, 6);
    p.setBrush(QColor(150, 170, 195));
    p.drawRect(6, 6, w / 4, h - 13);
    p.setBrush(QColor(60, 60, 60));
    p.drawRect(w / 3, 0, w / 6, 2);
    p.drawRect(w / 3, h - 3, w / 6, 2);
    return image;
}

// A drawbar seen from above: a triangle ending in the coupling eye at the left.
QImage Drawbar(int w, int h)
{
    QImage image = White(w, h);
    QPainter p(&image);
    p.setPen(QPen(QColor(40, 40, 40), 2));
    p.drawLine(6, h / 2, w - 2, 2);
    p.drawLine(6, h / 2, w - 2, h - 3);
    p.setBrush(Qt::white);
    p.drawEllipse(1, h / 2 - 4, 8, 8);
    return image;
}

// A small pattern of diagonal lines.
QImage Hatch(int n, const QColor& line, const QColor& ground)
{
    QImage image(n, n, QImage::Format_RGB32);
    image.fill(ground);
    for (int i = 0; i < n; ++i)
        image.setPixelColor((i + n / 2) % n, n - 1 - i, line);
    return image;
}

// A filler item seen from the side on white: a grey-blue air bag with its seams and valve, resting on a
// wooden wedge, as the FSM editor shows it while an item has no picture of its own.
QImage FillerItem(int w, int h)
{
    QImage image = White(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(60, 60, 60), 1.5));
    p.setBrush(QColor(150, 175, 205));
    const QRectF bag(w * 0.12, h * 0.10, w * 0.46, h * 0.72);
    p.drawRoundedRect(bag, 14, 14);
    p.setPen(QPen(QColor(95, 120, 150), 1));
    for (int i = 1; i < 4; ++i) {
        const double y = bag.top() + bag.height() * i / 4.0;
        p.drawLine(QPointF(bag.left() + 6, y), QPointF(bag.right() - 6, y));
    }
    p.setPen(QPen(QColor(60, 60, 60), 1.5));
    p.setBrush(QColor(230, 60, 40));
    p.drawEllipse(QPointF(bag.center().x(), bag.top() + 10), 5, 5);
    p.setBrush(QColor(205, 160, 95));
    p.drawPolygon(
        QPolygonF({QPointF(w * 0.64, h * 0.82), QPointF(w * 0.90, h * 0.82), QPointF(w * 0.90, h * 0.40)}));
    p.setPen(QPen(QColor(60, 60, 60), 2));
    p.drawLine(QPointF(w * 0.04, h * 0.84), QPointF(w * 0.96, h * 0.84));
    return image;
}

// The end stop of the loading ramp: a dark post with yellow and black warning stripes.
QImage RampenEnde(int w, int h)
{
    QImage image = White(w, h);
    QPainter p(&image);
    p.fillRect(0, 0, w, h, QColor(70, 70, 70));
    for (int y = 0; y < h; y += 8)
        p.fillRect(2, y, w - 4, 4, QColor(240, 200, 30));
    return image;
}

// A warning triangle with an exclamation mark on a transparent ground: a load unit with defects.
QImage DefectMark(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(QColor(120, 20, 10), 1));
    p.setBrush(QColor(235, 60, 30));
    p.drawPolygon(QPolygon({{size / 2, 0}, {size - 1, size - 1}, {0, size - 1}}));
    p.fillRect(QRect(size / 2 - 1, size / 3, 2, size / 3), Qt::white);
    p.fillRect(QRect(size / 2 - 1, size - 4, 2, 2), Qt::white);
    return image;
}

} // namespace

QList<int> PlanPicturePainter::Ids()
{
    return {260, 266, 267, 268, 418, 459, 461, 466, 468, 571, 572, 675, 868, 1410};
}

QImage PlanPicturePainter::Draw(int id)
{
    switch (id) {
    case 260: // centre of gravity inside the permissible range
        return Marker(23, QColor(40, 190, 40));
    case 268: // inside the range along the vehicle, outside across it
        return Marker(23, QColor(250, 200, 20));
    case 267: // outside the range
        return Marker(23, QColor(230, 40, 30));
    case 266: // a load's own centre of gravity
        return Marker(11, QColor(90, 90, 90));
    case 418: // hatching of the load area outside the usable area
        return Hatch(8, QColor(150, 150, 150), Qt::white);
    case 571: // surface of the loading ramp
        return Hatch(8, QColor(170, 160, 150), QColor(228, 224, 216));
    case 572: // ends of the loading ramp
        return RampenEnde(8, 40);
    case 675: // boxes of load units
        return Hatch(6, QColor(40, 90, 160), QColor(200, 220, 245));
    case 459: // cab of a truck or tractor
        return Cab(60, 140);
    case 461: // cab of a long truck
        return Cab(80, 200);
    case 466: // drawbar of a rigid-drawbar trailer
        return Drawbar(60, 40);
    case 468: // drawbar of a trailer
        return Drawbar(70, 50);
    case 868: // the FSM editor's picture of an item without its own
        return FillerItem(120, 90);
    case 1410: // a load unit with defects
        return DefectMark(15);
    default:
        return QImage();
    }
}
