// Draws the catalogue strip's tile pictures by number.
#include "CataloguePicturePainter.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace {

const QColor kInk(40, 40, 40);
const QColor kUserBlue(57, 107, 181);
const QColor kStandardGreen(50, 111, 47);

QImage Clear(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

// A 16-pixel mark: a disc of `fill` with a white rim, so it reads on the coloured title band and on the
// light tile grounds alike. The painter is left ready for the mark's symbol.
void Disc(QPainter& p, const QColor& fill)
{
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(Qt::white, 1.5));
    p.setBrush(fill);
    p.drawEllipse(QPointF(8, 8), 7.0, 7.0);
}

// A standard entry, which cannot be deleted: a padlock.
QImage Lock()
{
    QImage image = Clear(16, 16);
    QPainter p(&image);
    Disc(p, Qt::white);
    p.setPen(QPen(kStandardGreen, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(5.2, 3.2, 5.6, 6.0), 0, 180 * 16);
    p.drawLine(QPointF(5.2, 6.2), QPointF(5.2, 7.5));
    p.drawLine(QPointF(10.8, 6.2), QPointF(10.8, 7.5));
    p.setPen(Qt::NoPen);
    p.setBrush(kStandardGreen);
    p.drawRoundedRect(QRectF(4.0, 7.2, 8.0, 5.6), 1.0, 1.0);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(8, 9.6), 1.0, 1.0);
    return image;
}

// A user entry, which the user may edit: a pencil.
QImage Pencil()
{
    QImage image = Clear(16, 16);
    QPainter p(&image);
    Disc(p, Qt::white);
    p.translate(8, 8);
    p.rotate(-45);
    p.setPen(QPen(kInk, 0.8));
    p.setBrush(QColor(240, 170, 40));
    p.drawRect(QRectF(-3.5, -1.6, 7.0, 3.2));
    p.setBrush(QColor(230, 120, 130));
    p.drawRect(QRectF(3.5, -1.6, 1.6, 3.2));
    p.setBrush(QColor(235, 215, 175));
    p.drawPolygon(QPolygonF({QPointF(-3.5, -1.6), QPointF(-6.0, 0), QPointF(-3.5, 1.6)}));
    p.setBrush(kInk);
    p.drawPolygon(QPolygonF({QPointF(-5.0, -0.6), QPointF(-6.0, 0), QPointF(-5.0, 0.6)}));
    return image;
}

// The selected tile: a tick on the band colour of its entry.
QImage Tick(const QColor& fill)
{
    QImage image = Clear(16, 16);
    QPainter p(&image);
    Disc(p, fill);
    p.setPen(QPen(Qt::white, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(4.6, 8.2), QPointF(7.0, 10.6), QPointF(11.4, 5.4)}));
    return image;
}

// The hovered tile with a picture: a magnifying glass.
QImage Magnifier()
{
    QImage image = Clear(16, 16);
    QPainter p(&image);
    Disc(p, Qt::white);
    p.setPen(QPen(kInk, 1.6));
    p.setBrush(QColor(200, 225, 250));
    p.drawEllipse(QPointF(7, 7), 3.2, 3.2);
    p.setPen(QPen(kInk, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9.6, 9.6), QPointF(12.0, 12.0));
    return image;
}

// A picture still loading: an hourglass.
QImage Hourglass()
{
    QImage image = Clear(16, 16);
    QPainter p(&image);
    Disc(p, Qt::white);
    p.setPen(QPen(kInk, 1.0));
    p.setBrush(QColor(235, 235, 235));
    p.drawPolygon(QPolygonF({QPointF(4.5, 3.5), QPointF(11.5, 3.5), QPointF(8.6, 8.0), QPointF(11.5, 12.5),
                             QPointF(4.5, 12.5), QPointF(7.4, 8.0)}));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 140, 30));
    p.drawPolygon(QPolygonF({QPointF(6.2, 5.0), QPointF(9.8, 5.0), QPointF(8.0, 7.4)}));
    p.drawPolygon(QPolygonF({QPointF(5.6, 12.0), QPointF(10.4, 12.0), QPointF(8.0, 9.8)}));
    return image;
}

// An entry whose picture cannot be read: a picture struck through in red.
QImage BrokenPicture()
{
    QImage image = Clear(16, 16);
    QPainter p(&image);
    Disc(p, Qt::white);
    p.setPen(QPen(kInk, 1.0));
    p.setBrush(QColor(190, 215, 240));
    p.drawRect(QRectF(3.5, 4.5, 9.0, 7.0));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 150, 70));
    p.drawPolygon(QPolygonF({QPointF(4.0, 11.0), QPointF(7.0, 7.5), QPointF(9.5, 11.0)}));
    p.setPen(QPen(QColor(210, 30, 30), 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(3.5, 12.5), QPointF(12.5, 3.5));
    return image;
}

// A crate on a pallet seen from the side, `size` pixels square: the type picture of a load unit.
QImage Crate(int size)
{
    QImage image = Clear(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.scale(size / 32.0, size / 32.0);
    const QColor wood(205, 160, 95), dark(120, 80, 40);
    p.setPen(QPen(dark, 1.2));
    p.setBrush(wood);
    p.drawRect(QRectF(4.5, 5.5, 23, 18));
    p.drawLine(QPointF(4.5, 11.5), QPointF(27.5, 11.5));
    p.drawLine(QPointF(4.5, 17.5), QPointF(27.5, 17.5));
    p.drawLine(QPointF(4.5, 5.5), QPointF(27.5, 23.5));
    p.setBrush(QColor(170, 125, 70));
    p.drawRect(QRectF(2.5, 23.5, 27, 3));
    for (double x : {3.0, 14.0, 25.0})
        p.drawRect(QRectF(x, 26.5, 4, 3));
    return image;
}

// A dunnage air bag standing upright, 32 pixels square: the type picture of an FSM item.
QImage AirBag()
{
    QImage image = Clear(32, 32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(60, 60, 60), 1.2));
    p.setBrush(QColor(150, 175, 205));
    const QRectF bag(7.5, 3.5, 17, 24);
    p.drawRoundedRect(bag, 5, 5);
    p.setPen(QPen(QColor(95, 120, 150), 1));
    for (int i = 1; i < 4; ++i) {
        const double y = bag.top() + bag.height() * i / 4.0;
        p.drawLine(QPointF(bag.left() + 3, y), QPointF(bag.right() - 3, y));
    }
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(QColor(230, 60, 40));
    p.drawEllipse(QPointF(16, 7.5), 2.2, 2.2);
    p.setPen(QPen(QColor(60, 60, 60), 1.5));
    p.drawLine(QPointF(3, 29), QPointF(29, 29));
    return image;
}

} // namespace

QList<int> CataloguePicturePainter::Ids()
{
    return {776, 777, 778, 779, 780, 781, 782, 783, 869, 870};
}

QImage CataloguePicturePainter::Draw(int id)
{
    switch (id) {
    case 776: // a standard entry (built-in or sample): cannot be deleted
        return Lock();
    case 777: // the compact tiles' type picture of an entry without a picture
        return Crate(16);
    case 778: // a user entry: the user's own, to edit and delete
        return Pencil();
    case 779: // the hovered tile of an entry with a picture
        return Magnifier();
    case 780: // the selected tile of a user entry
        return Tick(kUserBlue);
    case 781: // the selected tile of a standard entry
        return Tick(kStandardGreen);
    case 782: // the tile's picture is still loading
        return Hourglass();
    case 783: // the entry names a picture that cannot be read
        return BrokenPicture();
    case 869: // the large tiles' type picture of an FSM item without a picture
        return AirBag();
    case 870: // the large tiles' type picture of a load unit without a picture
        return Crate(32);
    default:
        return QImage();
    }
}
