// Draws the pictures of the editing dialogs: one per ZL kind, the two placement choices and the lashing
// devices.
#include "DialogPicturePainter.h"

#include <QLineF>
#include <QPainter>
#include <QPolygon>

#include <utility>

namespace {

const QColor kInk(30, 30, 30);
const QColor kBody(90, 120, 170);
const QColor kCab(200, 40, 40);
const QColor kGlass(170, 210, 235);
const QColor kTyre(40, 40, 40);
const QColor kItem(240, 160, 30);
const QColor kSteel(110, 110, 120);

constexpr int kBreite = 200;
constexpr int kHoehe = 110;

QImage Blank(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// A rigid truck seen from the side, facing left; the load area spans x 60 to 190 at floor y 62.
void Lkw(QPainter& p)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(kCab);
    p.drawPolygon(QPolygon({{12, 74}, {12, 40}, {22, 22}, {54, 22}, {54, 74}}));
    p.setBrush(kGlass);
    p.drawPolygon(QPolygon({{17, 42}, {25, 27}, {48, 27}, {48, 42}}));
    p.setBrush(kBody);
    p.drawRect(QRect(58, 62, 134, 12));
    p.setBrush(kTyre);
    for (int x : {34, 142, 168})
        p.drawEllipse(QPoint(x, 84), 10, 10);
}

QImage Art(int id)
{
    QImage image = Blank(kBreite, kHoehe);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    Lkw(p);
    p.setPen(QPen(kInk, 1));
    p.setBrush(kItem);
    switch (id) {
    case 214: // body part: a box standing on the load area
        p.drawRect(QRect(70, 26, 80, 36));
        break;
    case 213: // tail lift: the platform folded behind the load area
        p.drawRect(QRect(192, 58, 5, 26));
        p.drawLine(190, 74, 197, 74);
        break;
    case 215: // roof attachment: a spoiler on the cab roof
        p.drawPolygon(QPolygon({{24, 21}, {54, 8}, {58, 8}, {58, 21}}));
        break;
    case 212: // tank: a cylinder under the frame
        p.drawRoundedRect(QRect(78, 74, 44, 16), 7, 7);
        break;
    case 211: // toolbox: a small box under the frame
        p.drawRect(QRect(100, 74, 26, 14));
        p.drawLine(106, 81, 120, 81);
        break;
    case 216: // forklift carrier: the forklift hung behind the load area
        p.setBrush(kSteel);
        p.drawRect(QRect(192, 30, 4, 56));
        p.setBrush(kItem);
        p.drawRect(QRect(160, 40, 30, 22));
        p.drawLine(196, 84, 199, 84);
        break;
    case 219: // other equipment: a crate with crossed straps
        p.drawRect(QRect(150, 36, 36, 26));
        p.drawLine(150, 36, 186, 62);
        p.drawLine(150, 62, 186, 36);
        break;
    default:
        break;
    }
    return image;
}

// The item marked at the front or at the rear of the load area.
QImage Wahl(bool bVorn)
{
    QImage image = Blank(kBreite, kHoehe);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    Lkw(p);
    p.setPen(QPen(kInk, 1));
    p.setBrush(kItem);
    const int x = bVorn ? 62 : 158;
    p.drawRect(QRect(x, 34, 30, 28));
    p.setPen(QPen(kCab, 3));
    const int mitte = x + 15;
    p.drawLine(mitte, 6, mitte, 26);
    p.drawLine(mitte - 6, 19, mitte, 26);
    p.drawLine(mitte + 6, 19, mitte, 26);
    return image;
}

const QColor kStrap(230, 150, 20);

// A crate on the load floor seen from the end, lashed over the top; the device's tensioner on the right.
void Zurrung(QPainter& p, const QColor& farbe, bool bKette)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(kBody);
    p.drawRect(QRect(8, 80, 134, 8));
    p.setBrush(QColor(190, 150, 100));
    p.drawRect(QRect(45, 30, 60, 50));
    if (bKette) {
        p.setPen(QPen(farbe, 1.5));
        p.setBrush(Qt::NoBrush);
        const QPolygon weg({{16, 80}, {45, 30}, {105, 30}, {134, 80}});
        for (int i = 0; i + 1 < weg.size(); ++i) {
            const QPointF a = weg[i], b = weg[i + 1];
            const int n = int(QLineF(a, b).length() / 7);
            for (int k = 0; k < n; ++k) {
                const QPointF m = a + (b - a) * ((k + 0.5) / n);
                p.drawEllipse(m, k % 2 ? 2.0 : 3.5, k % 2 ? 3.5 : 2.0);
            }
        }
    } else {
        p.setPen(QPen(farbe, 4, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        p.drawPolyline(QPolygon({{16, 80}, {45, 30}, {105, 30}, {134, 80}}));
    }
    // The tensioner: a ratchet on the strap, a lever on the chain.
    p.setPen(QPen(kInk, 1));
    p.setBrush(kSteel);
    p.drawRect(QRect(114, 48, 14, 10));
    p.drawLine(121, 48, 132, 38);
}

QImage Zurrmittel(int id)
{
    QImage image = Blank(150, 100);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    Zurrung(p, id == 615 ? kStrap : kSteel, id == 616);
    return image;
}

// The forces of a lashing device: the lashing capacity LC along the device and the standard tension force
// STF that the tensioner puts in.
QImage Zurrkraefte()
{
    QImage image = Blank(150, 95);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kStrap, 5, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(10, 47, 140, 47);
    p.setPen(QPen(kInk, 1));
    p.setBrush(kSteel);
    p.drawRect(QRect(66, 40, 18, 14));
    p.setPen(QPen(kCab, 2));
    p.setBrush(kCab);
    for (const auto& [x, dx] : {std::pair{30, -1}, std::pair{120, 1}}) {
        p.drawLine(x, 25, x + dx * 18, 25);
        p.drawPolygon(QPolygon({{x + dx * 18, 21}, {x + dx * 24, 25}, {x + dx * 18, 29}}));
    }
    p.setPen(QPen(kBody, 2));
    p.setBrush(kBody);
    for (const auto& [x, dx] : {std::pair{66, -1}, std::pair{84, 1}}) {
        p.drawLine(x, 70, x + dx * 14, 70);
        p.drawPolygon(QPolygon({{x + dx * 14, 66}, {x + dx * 20, 70}, {x + dx * 14, 74}}));
    }
    return image;
}

} // namespace

QList<int> DialogPicturePainter::Ids()
{
    return {211, 212, 213, 214, 215, 216, 219, 222, 223, 612, 615, 616};
}

QImage DialogPicturePainter::Draw(int id)
{
    switch (id) {
    case 612:
        return Zurrkraefte();
    case 615:
    case 616:
        return Zurrmittel(id);
    case 222:
        return Wahl(true);
    case 223:
        return Wahl(false);
    case 211:
    case 212:
    case 213:
    case 214:
    case 215:
    case 216:
    case 219:
        return Art(id);
    default:
        return QImage();
    }
}
