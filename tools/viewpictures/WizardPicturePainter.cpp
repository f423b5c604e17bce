// Draws the load-securing wizard's header banners and button icons with QPainter.
#include "WizardPicturePainter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace {

const QColor kInk(40, 70, 120);
const QColor kLight(200, 216, 237);
const QColor kFrame(154, 184, 222);
const QColor kPale(235, 242, 251);
const QColor kAccent(70, 140, 60);
const QColor kWood(196, 150, 90);

// The step banners in wizard order; 649 is the wizard's own, 648 a page without its own.
constexpr int kSteps[] = {682, 720, 717, 691, 718, 805, 810, 804, 723};

int StepOf(int id)
{
    for (int i = 0; i < 9; ++i)
        if (kSteps[i] == id)
            return i;
    return -1;
}

void Crate(QPainter& p, const QRectF& r, double pen = 2)
{
    p.setPen(QPen(kInk, pen));
    p.setBrush(kWood);
    p.drawRect(r);
    p.drawLine(r.topLeft(), r.bottomRight());
    p.drawLine(r.bottomLeft(), r.topRight());
}

void Arrow(QPainter& p, QPointF from, QPointF to)
{
    p.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    const QPointF d = to - from;
    const double len = std::max(1.0, std::hypot(d.x(), d.y()));
    const QPointF u(d.x() / len, d.y() / len), n(-u.y(), u.x());
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawPolygon(QPolygonF({to + u * 4, to - u * 7 + n * 6, to - u * 7 - n * 6}));
}

void Tick(QPainter& p, QPointF at, double s, const QColor& c)
{
    p.setPen(QPen(c, s / 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath path(at + QPointF(-s / 2, 0));
    path.lineTo(at + QPointF(-s / 6, s / 3));
    path.lineTo(at + QPointF(s / 2, -s / 3));
    p.drawPath(path);
}

// The pictogram of a banner inside a 60 x 60 square centred at c.
void Pictogram(QPainter& p, int id, QPointF c)
{
    const double x = c.x() - 30, y = c.y() - 30;
    switch (id) {
    case 682: // the load unit: three crates
        Crate(p, QRectF(x + 4, y + 30, 26, 26));
        Crate(p, QRectF(x + 30, y + 30, 26, 26));
        Crate(p, QRectF(x + 17, y + 4, 26, 26));
        break;
    case 720: // blocking: a crate against a wall
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        p.drawRect(QRectF(x + 48, y + 6, 8, 50));
        Crate(p, QRectF(x + 14, y + 22, 34, 34));
        Arrow(p, QPointF(x + 2, y + 14), QPointF(x + 40, y + 14));
        break;
    case 717: // the accelerations: arrows out of a crate
        Crate(p, QRectF(x + 20, y + 20, 20, 20));
        Arrow(p, QPointF(x + 42, y + 30), QPointF(x + 60, y + 30));
        Arrow(p, QPointF(x + 18, y + 30), QPointF(x, y + 30));
        Arrow(p, QPointF(x + 30, y + 18), QPointF(x + 30, y + 1));
        Arrow(p, QPointF(x + 30, y + 42), QPointF(x + 30, y + 59));
        break;
    case 691: // friction: a crate on a rough floor
        Crate(p, QRectF(x + 12, y + 16, 36, 30));
        p.setPen(QPen(kInk, 2));
        p.drawLine(QPointF(x, y + 47), QPointF(x + 60, y + 47));
        for (int i = 0; i < 8; ++i)
            p.drawLine(QPointF(x + 4 + 7 * i, y + 48), QPointF(x + 0 + 7 * i, y + 56));
        Arrow(p, QPointF(x + 16, y + 8), QPointF(x + 58, y + 8));
        break;
    case 718: // the method: a crate with straps over its top and to its corners
        Crate(p, QRectF(x + 16, y + 18, 28, 30));
        p.setPen(QPen(kAccent, 3));
        p.drawLine(QPointF(x + 2, y + 56), QPointF(x + 20, y + 16));
        p.drawLine(QPointF(x + 20, y + 16), QPointF(x + 40, y + 16));
        p.drawLine(QPointF(x + 40, y + 16), QPointF(x + 58, y + 56));
        break;
    case 805: // the kind of securing: a crate with a tick
        Crate(p, QRectF(x + 6, y + 20, 34, 34));
        Tick(p, QPointF(x + 42, y + 18), 30, kAccent);
        break;
    case 810: // lashing points along the floor
        p.setPen(QPen(kInk, 2));
        p.drawLine(QPointF(x, y + 44), QPointF(x + 60, y + 44));
        p.setBrush(Qt::NoBrush);
        for (int i = 0; i < 4; ++i)
            p.drawEllipse(QPointF(x + 8 + 15 * i, y + 36), 5, 7);
        p.setPen(QPen(kAccent, 3));
        p.drawLine(QPointF(x + 23, y + 30), QPointF(x + 36, y + 6));
        break;
    case 804: // the lashing device: a strap with its ratchet
        p.setPen(QPen(kAccent, 5, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(x, y + 30), QPointF(x + 60, y + 30));
        p.setPen(QPen(kInk, 2));
        p.setBrush(kLight);
        p.drawRoundedRect(QRectF(x + 20, y + 18, 22, 24), 4, 4);
        p.drawLine(QPointF(x + 31, y + 18), QPointF(x + 31, y + 6));
        p.drawEllipse(QPointF(x + 31, y + 6), 3, 3);
        break;
    case 723: // the result: a sheet with a tick
        p.setPen(QPen(kInk, 2));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(x + 12, y + 4, 36, 50));
        for (int i = 0; i < 4; ++i)
            p.drawLine(QPointF(x + 18, y + 14 + 8 * i), QPointF(x + 42, y + 14 + 8 * i));
        Tick(p, QPointF(x + 42, y + 44), 24, kAccent);
        break;
    case 649: { // the wizard: a crate lashed on a truck's floor
        p.setPen(QPen(kInk, 2));
        p.setBrush(kLight);
        p.drawRect(QRectF(x, y + 40, 60, 8));
        p.setBrush(kInk);
        p.drawEllipse(QPointF(x + 12, y + 52), 6, 6);
        p.drawEllipse(QPointF(x + 48, y + 52), 6, 6);
        Crate(p, QRectF(x + 18, y + 14, 26, 26));
        p.setPen(QPen(kAccent, 3));
        p.drawLine(QPointF(x + 4, y + 40), QPointF(x + 20, y + 12));
        p.drawLine(QPointF(x + 20, y + 12), QPointF(x + 42, y + 12));
        p.drawLine(QPointF(x + 42, y + 12), QPointF(x + 56, y + 40));
        break;
    }
    default: // a page without a picture of its own
        Crate(p, QRectF(x + 15, y + 15, 30, 30));
        break;
    }
}

QImage Banner(int id)
{
    QImage image(WizardPicturePainter::kBannerWidth, WizardPicturePainter::kBannerHeight,
                 QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    QLinearGradient g(0, 0, image.width(), 0);
    g.setColorAt(0.0, Qt::white);
    g.setColorAt(1.0, kPale);
    p.fillRect(image.rect(), g);
    p.setPen(QPen(kFrame, 1));
    p.drawLine(0, image.height() - 1, image.width(), image.height() - 1);
    p.setPen(Qt::NoPen);
    p.setBrush(kLight);
    p.drawEllipse(QPointF(60, 50), 42, 42);
    Pictogram(p, id, QPointF(60, 50));
    // The steps as a row of dots on the right, the banner's own step filled.
    const int step = StepOf(id);
    for (int i = 0; i < 9; ++i) {
        const QPointF at(image.width() - 200 + 20 * i, 50);
        p.setPen(QPen(kFrame, 1.5));
        p.setBrush(i == step ? kInk : i < step ? kFrame : Qt::white);
        p.drawEllipse(at, i == step ? 7 : 5, i == step ? 7 : 5);
    }
    return image;
}

// The coefficients' picture of the second standard: a crate with its accelerations, 100 x 80.
QImage Koeffizienten()
{
    QImage image(100, 80, QImage::Format_RGB32);
    image.fill(kLight);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    Pictogram(p, 717, QPointF(50, 40));
    return image;
}

QImage Icon(int id)
{
    const int size = id == 820 ? 48 : id == 685 || id == 687 ? 16 : 32;
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    switch (id) {
    case 12323:
    case 12324: {
        const double s = id == 12323 ? -1 : 1;
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        QPolygonF arrow({{16 - 10 * s, 12},
                         {16 + 2 * s, 12},
                         {16 + 2 * s, 5},
                         {16 + 12 * s, 16},
                         {16 + 2 * s, 27},
                         {16 + 2 * s, 20},
                         {16 - 10 * s, 20}});
        p.drawPolygon(arrow);
        break;
    }
    case 714: // save: a disk with a tick
        p.setPen(QPen(kInk, 2));
        p.setBrush(kLight);
        p.drawRoundedRect(QRectF(4, 4, 22, 24), 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 5, 12, 8));
        Tick(p, QPointF(22, 22), 14, kAccent);
        break;
    case 406: // forming a unit: three crates inside a frame
        p.setPen(QPen(kAccent, 2, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(2, 2, 28, 28), 3, 3);
        Crate(p, QRectF(6, 16, 10, 10), 1.2);
        Crate(p, QRectF(16, 16, 10, 10), 1.2);
        Crate(p, QRectF(11, 6, 10, 10), 1.2);
        break;
    case 407: { // starting over: a circular arrow
        p.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(6, 6, 20, 20), 90 * 16, 270 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        p.drawPolygon(QPolygonF({{16, 1}, {23, 6}, {16, 11}}));
        break;
    }
    case 722: // an explanation: an "i" in a circle
        p.setPen(QPen(kInk, 2));
        p.setBrush(kLight);
        p.drawEllipse(QPointF(16, 16), 13, 13);
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        p.drawEllipse(QPointF(16, 9.5), 2.2, 2.2);
        p.drawRoundedRect(QRectF(14, 13, 4, 11), 1, 1);
        break;
    case 685: // blocked by a wall: a hatched wall with a crate against it
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        p.drawRect(QRectF(11, 1, 4, 14));
        Crate(p, QRectF(2.5, 5.5, 8, 9), 1);
        break;
    case 687: // blocked by a form-fit item: a wedge in front of a crate
        p.setPen(QPen(kInk, 1));
        p.setBrush(kAccent);
        p.drawPolygon(QPolygonF({{10, 14}, {15, 14}, {10, 7}}));
        Crate(p, QRectF(1.5, 5.5, 8, 9), 1);
        break;
    case 770: // the result sheet
        p.setPen(QPen(kInk, 2));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(7, 3, 18, 26));
        for (int i = 0; i < 3; ++i)
            p.drawLine(QPointF(11, 10 + 5 * i), QPointF(21, 10 + 5 * i));
        Tick(p, QPointF(21, 24), 10, kAccent);
        break;
    case 821: // discard: a crossed-out tick
        Tick(p, QPointF(16, 16), 22, kAccent);
        p.setPen(QPen(QColor(200, 40, 40), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(6, 6), QPointF(26, 26));
        break;
    case 820: // the question of the message box
        p.setPen(QPen(kInk, 2));
        p.setBrush(kLight);
        p.drawEllipse(QPointF(24, 24), 21, 21);
        p.setPen(QPen(kInk, 4, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(16, 10, 16, 14), 180 * 16, -225 * 16);
        p.drawLine(QPointF(24, 25), QPointF(24, 29));
        p.drawPoint(QPointF(24, 36));
        break;
    default:
        return QImage();
    }
    return image;
}

} // namespace

// The pictures of the securing choices 0..4 and the ideal bearing of each corner's lashing in degrees
// (0 towards the right side, 90 rearward, 180 towards the left side, 270 forward).
constexpr int kWahlBilder[] = {734, 790, 735, 737, 736};
constexpr double kIdeal[5][4] = {
    {225, 135, 315, 45}, {45, 315, 135, 225}, {315, 45, 225, 135}, {0, 0, 180, 180}, {270, 90, 270, 90}};

// A load unit from above as the load-securing view shows it, front to the left and its right side at the
// top, with the lashing of each corner in the direction the choice aims at, ending at a lashing point.
QImage Wahl(int nWahl)
{
    QImage image(160, 140, QImage::Format_RGB32);
    image.fill(kPale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    // The load area's edges at the top and the bottom, the front wall on the left.
    p.setPen(QPen(kFrame, 3));
    p.drawLine(QPointF(6, 6), QPointF(154, 6));
    p.drawLine(QPointF(6, 134), QPointF(154, 134));
    p.setPen(QPen(kInk, 3));
    p.drawLine(QPointF(6, 6), QPointF(6, 134));
    const QRectF unit(55, 45, 50, 50);
    Crate(p, unit);
    const QPointF ecken[4] = {unit.topLeft(), unit.topRight(), unit.bottomLeft(), unit.bottomRight()};
    for (int i = 0; i < 4; ++i) {
        const double b = kIdeal[nWahl][i] * 3.14159265358979323846 / 180.0;
        const QPointF richtung(std::sin(b), -std::cos(b));
        // Straight lashings run to the edge or the wall; diagonal ones far enough to show where they cross.
        const double l = nWahl == 3 ? 33.0 : nWahl == 4 ? 43.0 : 50.0;
        const QPointF ende = ecken[i] + richtung * l;
        p.setPen(QPen(kAccent, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(ecken[i], ende);
        p.setPen(QPen(kInk, 1.5));
        p.setBrush(QColor(84, 106, 6));
        p.drawRect(QRectF(ende - QPointF(4, 4), QSizeF(8, 8)));
        p.setBrush(kInk);
        p.setPen(Qt::NoPen);
        p.drawEllipse(ecken[i], 3.5, 3.5);
    }
    return image;
}

// The lashing page's sketch: a lashing from the unit's top corner down to a lashing point, with its
// vertical angle (left, seen from the side) and its horizontal angle (right, seen from above).
QImage Skizze()
{
    QImage image(384, 148, QImage::Format_RGB32);
    image.fill(kPale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    // From the side: the floor, the unit and the lashing with the arc of its vertical angle.
    p.setPen(QPen(kInk, 3));
    p.drawLine(QPointF(10, 130), QPointF(180, 130));
    Crate(p, QRectF(100, 40, 70, 90));
    const QPointF oben(100, 40), punkt(30, 130);
    p.setPen(QPen(kAccent, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(oben, punkt);
    p.setPen(QPen(kInk, 2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(punkt.x() - 30, punkt.y() - 30, 60, 60), 0, int(52 * 16));
    p.setBrush(QColor(84, 106, 6));
    p.drawRect(QRectF(punkt - QPointF(5, 5), QSizeF(10, 10)));
    // From above: the unit's corner, the lashing and the arc of its horizontal angle to the load's axis.
    p.setPen(QPen(kFrame, 2, Qt::DashLine));
    p.drawLine(QPointF(214, 100), QPointF(374, 100));
    Crate(p, QRectF(290, 30, 70, 70));
    const QPointF ecke(290, 100), boden(220, 134);
    p.setPen(QPen(kAccent, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(ecke, boden);
    p.setPen(QPen(kInk, 2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(ecke.x() - 36, ecke.y() - 36, 72, 72), 180 * 16, int(26 * 16));
    p.setBrush(QColor(84, 106, 6));
    p.drawRect(QRectF(boden - QPointF(5, 5), QSizeF(10, 10)));
    return image;
}

QList<int> WizardPicturePainter::Ids()
{
    QList<int> ids{649, 648};
    for (int id : kSteps)
        ids << id;
    ids << 12323 << 12324 << 714 << 770 << 820 << 821 << 772 << 406 << 407 << 722 << 685 << 687;
    for (int id : kWahlBilder)
        ids << id;
    ids << 764;
    return ids;
}

QImage WizardPicturePainter::Draw(int id)
{
    if (id == 649 || id == 648 || StepOf(id) >= 0)
        return Banner(id);
    if (id == 772)
        return Koeffizienten();
    for (int i = 0; i < 5; ++i)
        if (kWahlBilder[i] == id)
            return Wahl(i);
    if (id == 764)
        return Skizze();
    return Icon(id);
}
