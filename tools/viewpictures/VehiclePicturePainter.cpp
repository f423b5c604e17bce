// Draws the pictures of the vehicle drawings by number.
#include "VehiclePicturePainter.h"

#include <QPainter>
#include <QPolygon>

#include <algorithm>

namespace {

const QColor kInk(30, 30, 30);
const QColor kCab(200, 40, 40);
const QColor kCabDark(140, 20, 20);
const QColor kGlass(170, 210, 235);
const QColor kTyre(40, 40, 40);
const QColor kRim(190, 190, 190);
const QColor kSteel(110, 110, 120);
const QColor kWarn(230, 30, 30);

QImage Blank(int w, int h, QColor key = Qt::white)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(key);
    return image;
}

// A wheel filling the picture: tyre, rim and hub. A lifted wheel shows a hollow grey tyre.
QImage Wheel(int d, bool lifted)
{
    QImage image = Blank(d, d);
    QPainter p(&image);
    p.setPen(Qt::NoPen);
    p.setBrush(lifted ? QColor(150, 150, 150) : kTyre);
    p.drawEllipse(QRect(0, 0, d - 1, d - 1));
    p.setBrush(lifted ? QColor(235, 235, 235) : kRim);
    const int r = d / 4;
    p.drawEllipse(QRect(r, r, d - 1 - 2 * r, d - 1 - 2 * r));
    p.setBrush(kInk);
    p.drawEllipse(QRect(d / 2 - 2, d / 2 - 2, 4, 4));
    if (lifted) {
        p.setPen(QPen(kInk, 2));
        p.drawLine(d / 2, 1, d / 2, d / 4);
    }
    return image;
}

// A cab seen from the side, its front at the left; the front wheel, centred at wheelX, sits under it.
QImage Cab(int w, int h, int wheel, int wheelX)
{
    QImage image = Blank(w, h);
    QPainter p(&image);
    const int floor = h - wheel;
    p.setPen(QPen(kInk, 1));
    p.setBrush(kCab);
    p.drawPolygon(
        QPolygon({{4, floor + wheel / 3}, {4, h / 6}, {w / 6, 2}, {w - 6, 2}, {w - 6, floor + wheel / 3}}));
    p.setBrush(kGlass);
    p.drawPolygon(QPolygon({{8, h / 6 + 4}, {w / 6 + 2, 8}, {w / 2, 8}, {w / 2, h / 3}, {8, h / 3}}));
    p.setBrush(kCabDark);
    p.drawRect(QRect(2, floor - 4, w - 8, 6));
    p.drawRect(QRect(w / 2 + 6, h / 3 + 6, 4, 12));
    // The front wheel.
    const int x = wheelX - wheel / 2;
    p.setPen(Qt::NoPen);
    p.setBrush(kTyre);
    p.drawEllipse(QRect(x, h - wheel, wheel - 1, wheel - 1));
    p.setBrush(kRim);
    p.drawEllipse(QRect(x + wheel / 4, h - wheel + wheel / 4, wheel / 2, wheel / 2));
    return image;
}

// A coupling jaw under the frame's rear end.
QImage Coupling(int w, int h, bool overloaded)
{
    QImage image = Blank(w, h);
    QPainter p(&image);
    p.setPen(QPen(kInk, 1));
    p.setBrush(overloaded ? kWarn : kSteel);
    p.drawRect(QRect(0, 0, w / 2, h / 2));
    p.drawRect(QRect(w / 2, h / 4, w / 2 - 1, h / 2));
    p.setBrush(kInk);
    p.drawEllipse(QRect(w - h / 2 - 1, h / 4, h / 2 - 1, h / 2 - 1));
    return image;
}

// The fifth-wheel plate on its mounting.
QImage FifthWheel(bool overloaded)
{
    QImage image = Blank(40, 14);
    QPainter p(&image);
    p.setPen(QPen(kInk, 1));
    p.setBrush(overloaded ? kWarn : kSteel);
    p.drawRect(QRect(0, 0, 39, 4));
    p.drawPolygon(QPolygon({{6, 5}, {33, 5}, {28, 13}, {11, 13}}));
    return image;
}

// The kingpin under the front of a semi-trailer: a plate and the pin.
QImage Kingpin()
{
    QImage image = Blank(40, 60);
    QPainter p(&image);
    p.setPen(QPen(kInk, 1));
    p.setBrush(kSteel);
    p.drawRect(QRect(0, 0, 39, 12));
    p.setBrush(kInk);
    p.drawRect(QRect(15, 13, 10, 40));
    p.drawRect(QRect(11, 50, 18, 9));
    return image;
}

// The front axle of a drawbar trailer with its drawbar reaching forward to the left.
QImage DrawbarAxle()
{
    QImage image = Blank(140, 40);
    QPainter p(&image);
    p.setPen(QPen(kInk, 1));
    p.setBrush(kSteel);
    p.drawPolygon(QPolygon({{0, 8}, {100, 4}, {100, 10}, {0, 12}}));
    p.drawEllipse(QRect(0, 6, 8, 8));
    p.setPen(Qt::NoPen);
    p.setBrush(kTyre);
    p.drawEllipse(QRect(100, 0, 39, 39));
    p.setBrush(kRim);
    p.drawEllipse(QRect(110, 10, 19, 19));
    return image;
}

// A pattern tile: diagonal hatch lines or brick courses.
QImage Hatch(QColor line, int step)
{
    QImage image = Blank(8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            if ((x + y) % step == 0)
                image.setPixel(x, y, line.rgb());
    return image;
}

// An additional item as a simple symbol on white, square unless asked otherwise.
QImage Item(int id)
{
    const int s = 130;
    QImage image = Blank(s, s);
    QPainter p(&image);
    p.setPen(QPen(kInk, 3));
    switch (id) {
    case 226: // a body part hung under the floor: a box
        p.setBrush(QColor(120, 160, 200));
        p.drawRect(QRect(10, 20, s - 20, s - 40));
        break;
    case 228: // a roof part: a spoiler
        p.setBrush(QColor(200, 200, 200));
        p.drawPolygon(QPolygon({{10, s - 10}, {s - 10, s - 10}, {s - 10, 20}}));
        break;
    case 335: // a tank
        p.setBrush(QColor(170, 170, 190));
        p.drawRoundedRect(QRect(10, 30, s - 20, s - 60), 20, 20);
        break;
    case 230: // a toolbox
        p.setBrush(QColor(60, 120, 60));
        p.drawRect(QRect(15, 35, s - 30, s - 55));
        p.drawLine(s / 2 - 15, 25, s / 2 + 15, 25);
        break;
    case 232: // any other item: a pallet box
        p.setBrush(QColor(200, 160, 110));
        p.drawRect(QRect(10, 20, s - 20, s - 40));
        p.drawLine(10, 20, s - 10, s - 20);
        p.drawLine(10, s - 20, s - 10, 20);
        break;
    default:
        break;
    }
    return image;
}

// The load-check marker on blue: a green tick (passes) or a red cross (fails).
QImage Marker(bool good)
{
    QImage image = Blank(24, 24, QColor(0, 0, 255));
    QPainter p(&image);
    p.setPen(QPen(kInk, 1));
    p.setBrush(Qt::white);
    p.drawEllipse(QRect(1, 1, 21, 21));
    p.setPen(QPen(good ? QColor(0, 150, 0) : kWarn, 3));
    if (good) {
        p.drawLine(6, 12, 10, 16);
        p.drawLine(10, 16, 17, 7);
    } else {
        p.drawLine(7, 7, 16, 16);
        p.drawLine(16, 7, 7, 16);
    }
    return image;
}

// The place of a missing curve: a grey curve crossed out in red.
QImage KeineKurve()
{
    QImage image = Blank(96, 48);
    QPainter p(&image);
    p.setPen(QPen(QColor(150, 150, 150), 1));
    p.drawRect(QRect(0, 0, 95, 47));
    p.setPen(QPen(QColor(120, 120, 220), 3));
    p.drawPolyline(QPolygon({{8, 40}, {24, 12}, {70, 12}, {88, 40}}));
    p.setPen(QPen(kWarn, 4));
    p.drawLine(30, 6, 66, 42);
    p.drawLine(66, 6, 30, 42);
    return image;
}

// A tail lift's mechanism under the rear end of the floor, drawn at 49 pixels per metre (the van's at its
// own fixed size).
QImage TailLift(int w, int h)
{
    QImage image = Blank(w, h);
    QPainter p(&image);
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(120, 120, 120));
    p.drawRect(QRect(w / 4, 0, w / 2, h / 3));
    p.drawLine(w / 4, h / 3, w - 2, h - 2);
    p.drawLine(w / 2, h / 3, w - 2, h - 2);
    p.setBrush(QColor(240, 190, 30));
    p.drawRect(QRect(w - w / 5, h / 4, w / 5 - 1, h - h / 4 - 1));
    return image;
}

// The tail lift's platform folded up beside the rear end.
QImage LiftPlatform()
{
    QImage image = Blank(10, 60);
    QPainter p(&image);
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(240, 190, 30));
    p.drawRect(QRect(1, 0, 7, 59));
    return image;
}

// A forklift carried at the rear, drawn at 49 pixels per metre: mast at the left, seat and wheels.
QImage Forklift()
{
    QImage image = Blank(70, 98);
    QPainter p(&image);
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(240, 150, 20));
    p.drawRect(QRect(14, 40, 50, 40));
    p.drawRect(QRect(30, 20, 4, 20));
    p.drawLine(30, 20, 60, 20);
    p.drawLine(60, 20, 60, 40);
    p.setBrush(QColor(90, 90, 90));
    p.drawRect(QRect(4, 2, 6, 90));
    p.drawRect(QRect(0, 88, 14, 4));
    p.setBrush(kTyre);
    p.drawEllipse(QRect(16, 76, 18, 18));
    p.drawEllipse(QRect(48, 80, 14, 14));
    return image;
}

// A frame of the hint animation beside an axle group's load: an "i" in a circle that lights up from
// frame 0 (grey, at rest) to frame 7 (full blue).
QImage HinweisBild(int nFrame)
{
    QImage image = Blank(20, 20);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    const int t = std::clamp(nFrame, 0, 7);
    const QColor ring(150 - t * 18, 150 - t * 12, 150 + t * 13);
    p.setPen(QPen(ring, 2));
    p.setBrush(QColor(255 - t * 20, 255 - t * 12, 255));
    p.drawEllipse(QRect(1, 1, 17, 17));
    p.setPen(Qt::NoPen);
    p.setBrush(ring);
    p.drawRect(QRect(9, 5, 2, 2));
    p.drawRect(QRect(9, 8, 2, 7));
    return image;
}

} // namespace

QList<int> VehiclePicturePainter::Ids()
{
    return {169, 200, 226, 227, 228, 230, 232, 264, 265, 270, 334, 335, 340, 391, 408, 409, 410, 412,
            413, 414, 416, 417, 419, 424, 434, 435, 452, 453, 454, 455, 456, 458, 462, 464, 469, 556};
}

QImage VehiclePicturePainter::Draw(int id)
{
    switch (id) {
    // The hint animation's frames in playing order 417, 408, 409, 410, 416, 414, 413, 412.
    case 417:
        return HinweisBild(0);
    case 408:
        return HinweisBild(1);
    case 409:
        return HinweisBild(2);
    case 410:
        return HinweisBild(3);
    case 416:
        return HinweisBild(4);
    case 414:
        return HinweisBild(5);
    case 413:
        return HinweisBild(6);
    case 412:
        return HinweisBild(7);
    case 452: // truck and tractor cab
        return Cab(110, 153, 40, 59);
    case 462: // van cab
        return Cab(190, 207, 60, 72);
    case 453:
    case 455:
        return Wheel(40, false);
    case 454:
    case 456:
        return Wheel(40, true);
    case 464:
        return Wheel(60, false);
    case 469:
        return DrawbarAxle();
    case 169:
        return Kingpin();
    case 200:
        return Coupling(60, 30, false);
    case 434:
        return Coupling(60, 30, true);
    case 424:
        return Coupling(40, 20, false);
    case 435:
        return Coupling(40, 20, true);
    case 340:
        return FifthWheel(false);
    case 391:
        return FifthWheel(true);
    case 419:
        return Hatch(QColor(170, 170, 170), 4);
    case 264:
        return Marker(true);
    case 265:
        return Marker(false);
    case 270:
        return KeineKurve();
    case 334:
        return LiftPlatform();
    case 227:
        return TailLift(40, 24);
    case 556:
        return TailLift(100, 80);
    case 458:
        return Forklift();
    case 226:
    case 228:
    case 230:
    case 232:
    case 335:
        return Item(id);
    default:
        return QImage();
    }
}
