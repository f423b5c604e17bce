// The ribbon's command icons: vehicles, documents, folders, printers and small badges, in the strips'
// blues with green for adding and red for removing, bold enough to read at 16 pixels.
#include "RibbonIconPainter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

const QColor kInk(0x24, 0x3F, 0x6B);       // outlines
const QColor kBlue(0x3A, 0x6B, 0xB4);      // cabs, accents
const QColor kLightBlue(0xC8, 0xD8, 0xED); // bodies
const QColor kPaper(0xFF, 0xFF, 0xFF);
const QColor kGreen(0x3E, 0xA0, 0x32);
const QColor kRed(0xD0, 0x32, 0x28);
const QColor kYellow(0xF2, 0xC1, 0x4E);
const QColor kWheel(0x33, 0x33, 0x33);

QImage Blank()
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

struct Canvas
{
    QImage image = Blank();
    QPainter p{&image};
    Canvas() { p.setRenderHint(QPainter::Antialiasing); }
    QImage Done()
    {
        p.end();
        return image;
    }
};

QPen Outline(qreal width = 1.5, const QColor& color = kInk)
{
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void Wheel(QPainter& p, QPointF centre, qreal r = 3.2)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kWheel);
    p.drawEllipse(centre, r, r);
    p.setBrush(QColor(0xB0, 0xB0, 0xB0));
    p.drawEllipse(centre, r * 0.4, r * 0.4);
}

// A rigid truck seen from the side, facing left, in the box (x, y, w, h).
void Truck(QPainter& p, qreal x, qreal y, qreal w, qreal h, const QColor& body = kLightBlue)
{
    const qreal cab = w * 0.3;
    const qreal wheelY = y + h - 3.2;
    p.setPen(Outline());
    p.setBrush(body);
    p.drawRect(QRectF(x + cab + 1, y, w - cab - 1, h - 5)); // load box
    QPainterPath cabin;
    cabin.moveTo(x + cab, y + h * 0.25);
    cabin.lineTo(x + cab * 0.35, y + h * 0.25);
    cabin.lineTo(x, y + h * 0.5);
    cabin.lineTo(x, y + h - 5);
    cabin.lineTo(x + cab, y + h - 5);
    cabin.closeSubpath();
    p.setBrush(kBlue);
    p.drawPath(cabin);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xDD, 0xEE, 0xFF));
    p.drawRect(QRectF(x + cab * 0.35, y + h * 0.33, cab * 0.5, h * 0.17)); // window
    Wheel(p, QPointF(x + cab * 0.5, wheelY));
    Wheel(p, QPointF(x + w - 5, wheelY));
}

// A trailer on two axles, drawbar to the left.
void Trailer(QPainter& p, qreal x, qreal y, qreal w, qreal h, const QColor& body = kLightBlue)
{
    p.setPen(Outline());
    p.setBrush(body);
    p.drawRect(QRectF(x + 4, y, w - 4, h - 5));
    p.drawLine(QPointF(x, y + h - 6), QPointF(x + 4, y + h - 6));
    Wheel(p, QPointF(x + w * 0.45, y + h - 3.2));
    Wheel(p, QPointF(x + w - 5, y + h - 3.2));
}

void Badge(QPainter& p, const QColor& colour, bool plus, bool minus, bool cross)
{
    const QPointF c(24.5, 24.5);
    p.setPen(QPen(Qt::white, 1.5));
    p.setBrush(colour);
    p.drawEllipse(c, 6.8, 6.8);
    p.setPen(QPen(Qt::white, 2.4, Qt::SolidLine, Qt::RoundCap));
    if (plus || minus)
        p.drawLine(QPointF(c.x() - 3.6, c.y()), QPointF(c.x() + 3.6, c.y()));
    if (plus)
        p.drawLine(QPointF(c.x(), c.y() - 3.6), QPointF(c.x(), c.y() + 3.6));
    if (cross) {
        p.drawLine(QPointF(c.x() - 2.8, c.y() - 2.8), QPointF(c.x() + 2.8, c.y() + 2.8));
        p.drawLine(QPointF(c.x() + 2.8, c.y() - 2.8), QPointF(c.x() - 2.8, c.y() + 2.8));
    }
}

void Document(QPainter& p, QRectF r, bool lines = true)
{
    QPainterPath page;
    const qreal fold = 6;
    page.moveTo(r.left(), r.top());
    page.lineTo(r.right() - fold, r.top());
    page.lineTo(r.right(), r.top() + fold);
    page.lineTo(r.right(), r.bottom());
    page.lineTo(r.left(), r.bottom());
    page.closeSubpath();
    p.setPen(Outline(1.3, QColor(0x5A, 0x6E, 0x8C)));
    p.setBrush(kPaper);
    p.drawPath(page);
    p.drawLine(QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold));
    p.drawLine(QPointF(r.right() - fold, r.top() + fold), QPointF(r.right(), r.top() + fold));
    if (lines) {
        p.setPen(QPen(QColor(0x8D, 0xAE, 0xD9), 1.4));
        for (qreal y = r.top() + fold + 3; y < r.bottom() - 2; y += 3.5)
            p.drawLine(QPointF(r.left() + 3, y), QPointF(r.right() - 3, y));
    }
}

void Folder(QPainter& p, bool open)
{
    p.setPen(Outline(1.4, QColor(0x9A, 0x6A, 0x10)));
    p.setBrush(QColor(0xE0, 0xA8, 0x30));
    QPainterPath back;
    back.moveTo(2, 8);
    back.lineTo(11, 8);
    back.lineTo(14, 11);
    back.lineTo(28, 11);
    back.lineTo(28, 27);
    back.lineTo(2, 27);
    back.closeSubpath();
    p.drawPath(back);
    p.setBrush(kYellow);
    if (open) {
        QPainterPath front;
        front.moveTo(6, 15);
        front.lineTo(31, 15);
        front.lineTo(27, 27);
        front.lineTo(2, 27);
        front.closeSubpath();
        p.drawPath(front);
    } else {
        p.drawRect(QRectF(2, 14, 26, 13));
    }
}

void Printer(QPainter& p, qreal dy = 0)
{
    Document(p, QRectF(9, 3 + dy, 14, 10), false);
    p.setPen(Outline(1.4));
    QLinearGradient body(0, 12 + dy, 0, 24 + dy);
    body.setColorAt(0, QColor(0xE4, 0xEA, 0xF2));
    body.setColorAt(1, QColor(0x9C, 0xA8, 0xBA));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(3, 12 + dy, 26, 12), 2, 2);
    p.setBrush(kPaper);
    p.drawRect(QRectF(8, 20 + dy, 16, 9));
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawEllipse(QPointF(25, 15.5 + dy), 1.4, 1.4);
}

void Gear(QPainter& p, QPointF c, qreal r)
{
    QPainterPath gear;
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        const qreal a = i * M_PI / teeth;
        const qreal radius = (i % 2 == 0) ? r : r * 0.72;
        const QPointF pt(c.x() + radius * std::cos(a), c.y() + radius * std::sin(a));
        if (i == 0)
            gear.moveTo(pt);
        else
            gear.lineTo(pt);
    }
    gear.closeSubpath();
    gear.addEllipse(c, r * 0.3, r * 0.3);
    gear.setFillRule(Qt::OddEvenFill);
    p.setPen(Outline(1.0, QColor(0x40, 0x40, 0x40)));
    p.setBrush(QColor(0x8A, 0x96, 0xA8));
    p.drawPath(gear);
}

void Cube(QPainter& p, QPointF o, qreal s)
{
    const qreal d = s * 0.45;
    QPolygonF front({o, o + QPointF(s, 0), o + QPointF(s, s), o + QPointF(0, s)});
    QPolygonF top({o, o + QPointF(d, -d), o + QPointF(s + d, -d), o + QPointF(s, 0)});
    QPolygonF side({o + QPointF(s, 0), o + QPointF(s + d, -d), o + QPointF(s + d, s - d), o + QPointF(s, s)});
    p.setPen(Outline(1.3));
    p.setBrush(QColor(0x7F, 0xA6, 0xDA));
    p.drawPolygon(front);
    p.setBrush(QColor(0xC8, 0xD8, 0xED));
    p.drawPolygon(top);
    p.setBrush(kBlue);
    p.drawPolygon(side);
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour)
{
    p.setPen(QPen(colour, 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(from, to);
    const QPointF d = to - from;
    const qreal len = std::hypot(d.x(), d.y());
    const QPointF u = d / len;
    const QPointF n(-u.y(), u.x());
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(QPolygonF({to + u * 3.5, to - u * 2.5 + n * 4.5, to - u * 2.5 - n * 4.5}));
}

void Disc(QPainter& p, const QColor& colour)
{
    QRadialGradient fill(QPointF(12, 10), 18);
    fill.setColorAt(0, colour.lighter(150));
    fill.setColorAt(1, colour);
    p.setPen(Outline(1.3, colour.darker(150)));
    p.setBrush(fill);
    p.drawEllipse(QPointF(16, 16), 13.5, 13.5);
}

// A load area seen from above with its outline.
void LoadArea(QPainter& p)
{
    p.setPen(Outline(1.4));
    p.setBrush(QColor(0xE8, 0xEE, 0xF7));
    p.drawRect(QRectF(3, 6, 26, 20));
}

void Boxes(QPainter& p)
{
    p.setPen(Outline(1.1, QColor(0x8A, 0x5A, 0x1E)));
    p.setBrush(QColor(0xE3, 0xB0, 0x6A));
    p.drawRect(QRectF(6, 9, 8, 7));
    p.drawRect(QRectF(15, 9, 8, 7));
    p.drawRect(QRectF(6, 17, 8, 6));
}

QImage Icon(int id)
{
    Canvas c;
    QPainter& p = c.p;
    switch (id) {
    case 742: { // the program: a white truck on the system button
        Truck(p, 2, 8, 28, 17, QColor(0xF4, 0xF8, 0xFD));
        break;
    }
    case 531: // the towing vehicle
        Truck(p, 1, 7, 30, 19);
        break;
    case 532: // the trailer
        Trailer(p, 1, 7, 30, 19);
        break;
    case 33124: // new vehicle
        Truck(p, 1, 3, 24, 16);
        Badge(p, kGreen, true, false, false);
        break;
    case 644: // new combination
        Truck(p, 0, 4, 15, 14);
        Trailer(p, 15, 4, 16, 14);
        Badge(p, kGreen, true, false, false);
        break;
    case 33101: // open
        Folder(p, true);
        break;
    case 33070: { // coupling check: two links
        p.setPen(QPen(kBlue, 3.5, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(3, 10, 15, 9), 4.5, 4.5);
        p.setPen(QPen(kInk, 3.5, Qt::SolidLine, Qt::RoundCap));
        p.drawRoundedRect(QRectF(13, 13, 15, 9), 4.5, 4.5);
        break;
    }
    case 33071: { // vehicle check: a list with a tick
        Document(p, QRectF(5, 2, 20, 27));
        p.setPen(QPen(kGreen, 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(14, 21), QPointF(19, 26), QPointF(29, 13)}));
        break;
    }
    case 33112: // close
        Document(p, QRectF(4, 2, 19, 25));
        Badge(p, kRed, false, false, true);
        break;
    case 33095: // print
        Printer(p, 1);
        break;
    case 57606: // printer set-up
        Printer(p, -1);
        Gear(p, QPointF(24, 24), 7);
        break;
    case 892: // print report
        Document(p, QRectF(3, 2, 18, 24));
        p.save();
        p.translate(12, 13);
        p.scale(0.6, 0.6);
        Printer(p);
        p.restore();
        break;
    case 655: // import
        Document(p, QRectF(11, 3, 18, 25));
        Arrow(p, QPointF(2, 8), QPointF(14, 18), kGreen);
        break;
    case 656: // export
        Document(p, QRectF(3, 3, 18, 25));
        Arrow(p, QPointF(14, 16), QPointF(27, 7), kGreen);
        break;
    case 564: // add an axle
    case 565: // remove the selected axle
        p.setPen(Outline(2.0));
        p.drawLine(QPointF(2, 12), QPointF(22, 12));
        Wheel(p, QPointF(12, 13), 7.5);
        Badge(p, id == 564 ? kGreen : kRed, id == 564, id == 565, false);
        break;
    case 566: // axle group: two wheels under one bar
        p.setPen(Outline(2.2, kBlue));
        p.drawLine(QPointF(4, 11), QPointF(28, 11));
        Wheel(p, QPointF(9, 19), 6.5);
        Wheel(p, QPointF(23, 19), 6.5);
        break;
    case 33148: { // usable load area: the area with its usable part dashed
        LoadArea(p);
        p.setPen(QPen(kGreen, 1.8, Qt::DashLine));
        p.setBrush(QColor(0x3E, 0xA0, 0x32, 0x40));
        p.drawRect(QRectF(7, 10, 18, 12));
        break;
    }
    case 732: { // load-unit extensions: a crate with a pencil
        p.setPen(Outline(1.3, QColor(0x8A, 0x5A, 0x1E)));
        p.setBrush(QColor(0xE3, 0xB0, 0x6A));
        p.drawRect(QRectF(3, 10, 18, 18));
        p.drawLine(QPointF(3, 16), QPointF(21, 16));
        p.drawLine(QPointF(12, 10), QPointF(12, 28));
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(kYellow);
        p.drawPolygon(
            QPolygonF({QPointF(26, 2), QPointF(30, 6), QPointF(17, 19), QPointF(12, 21), QPointF(14, 15)}));
        break;
    }
    case 831: { // add an item of equipment: a small box with a handle
        p.setPen(Outline(1.3));
        p.setBrush(QColor(0x9C, 0xA8, 0xBA));
        p.drawRoundedRect(QRectF(2, 9, 20, 15), 2, 2);
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(8, 5, 8, 5), 1.5, 1.5);
        Badge(p, kGreen, true, false, false);
        break;
    }
    case 559: { // percentage: two rings and a slash
        p.setPen(QPen(kBlue, 2.6));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(9, 9), 4.5, 4.5);
        p.drawEllipse(QPointF(23, 23), 4.5, 4.5);
        p.setPen(QPen(kInk, 2.8, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(25, 5), QPointF(7, 27));
        break;
    }
    case 560: { // load position: the load area with a marked centre of gravity
        LoadArea(p);
        Boxes(p);
        p.setPen(QPen(kRed, 1.8));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(19, 19), 5, 5);
        p.drawLine(QPointF(19, 12), QPointF(19, 26));
        p.drawLine(QPointF(12, 19), QPointF(26, 19));
        break;
    }
    case 119: { // template view: a truck on a grid
        p.setPen(QPen(QColor(0xA8, 0xC2, 0xE4), 1));
        for (int x = 2; x <= 30; x += 4)
            p.drawLine(x, 2, x, 30);
        for (int y = 2; y <= 30; y += 4)
            p.drawLine(2, y, 30, y);
        Truck(p, 2, 9, 28, 16);
        break;
    }
    case 120: // loading plan: the area seen from above with loads
        LoadArea(p);
        Boxes(p);
        break;
    case 121: // 3D view
        Cube(p, QPointF(5, 12), 16);
        break;
    case 33288: { // load securing: a crate with straps
        p.setPen(Outline(1.3, QColor(0x8A, 0x5A, 0x1E)));
        p.setBrush(QColor(0xE3, 0xB0, 0x6A));
        p.drawRect(QRectF(7, 9, 18, 17));
        p.setPen(QPen(kRed, 2.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(2, 29), QPointF(12, 7));
        p.drawLine(QPointF(30, 29), QPointF(20, 7));
        p.setPen(Outline(1.5));
        p.drawLine(QPointF(1, 29), QPointF(31, 29));
        break;
    }
    case 122: // exchange the two rows of views
        p.setPen(Outline(1.3));
        p.setBrush(kLightBlue);
        p.drawRect(QRectF(3, 3, 14, 11));
        p.drawRect(QRectF(3, 18, 14, 11));
        Arrow(p, QPointF(24, 25), QPointF(24, 6), kBlue);
        break;
    case 825: { // loading view: a truck with a load on its bed
        p.setPen(Outline(1.3));
        p.setBrush(QColor(0xE0, 0x30, 0x30));
        p.drawRect(QRectF(2, 10, 8, 12));
        p.setBrush(QColor(0xC8, 0x96, 0x5A));
        p.drawRect(QRectF(10, 19, 20, 3));
        p.setBrush(QColor(0xE3, 0xB0, 0x6A));
        p.drawRect(QRectF(14, 9, 10, 10));
        p.setBrush(kInk);
        p.drawEllipse(QPointF(7, 25), 3, 3);
        p.drawEllipse(QPointF(24, 25), 3, 3);
        break;
    }
    case 826: { // lashing view: a crate held down by a strap
        p.setPen(Outline(1.3));
        p.setBrush(QColor(0xC8, 0x96, 0x5A));
        p.drawRect(QRectF(2, 24, 28, 4));
        p.setBrush(QColor(0xE3, 0xB0, 0x6A));
        p.drawRect(QRectF(9, 10, 14, 14));
        p.setPen(QPen(QColor(0xF0, 0xA0, 0x00), 2.4));
        p.drawLine(QPointF(3, 24), QPointF(9, 10));
        p.drawLine(QPointF(9, 10), QPointF(23, 10));
        p.drawLine(QPointF(23, 10), QPointF(29, 24));
        break;
    }
    case 638: { // view settings: check boxes
        p.setPen(Outline(1.3));
        for (int row = 0; row < 3; ++row) {
            p.setBrush(Qt::white);
            p.drawRect(QRectF(3, 3 + row * 10, 7, 7));
            p.drawLine(QPointF(14, 6.5 + row * 10), QPointF(29, 6.5 + row * 10));
        }
        p.setPen(QPen(kGreen, 2.2));
        p.drawLine(QPointF(4, 7), QPointF(6, 9));
        p.drawLine(QPointF(6, 9), QPointF(10, 3));
        p.drawLine(QPointF(4, 27), QPointF(6, 29));
        p.drawLine(QPointF(6, 29), QPointF(10, 23));
        break;
    }
    case 828: { // screenshot: a camera
        p.setPen(Outline(1.3));
        p.setBrush(QColor(0x60, 0x6A, 0x78));
        p.drawRoundedRect(QRectF(2, 9, 28, 19), 3, 3);
        p.drawRect(QRectF(10, 5, 10, 4));
        p.setBrush(QColor(0xDD, 0xEE, 0xFF));
        p.drawEllipse(QPointF(16, 18.5), 6, 6);
        p.setBrush(kBlue);
        p.drawEllipse(QPointF(16, 18.5), 2.5, 2.5);
        break;
    }
    case 633: { // help: a question mark on a blue disc
        Disc(p, kBlue);
        QPainterPath q;
        q.moveTo(11.5, 12.5);
        q.cubicTo(11.5, 6.5, 21, 6.5, 21, 12);
        q.cubicTo(21, 15.5, 16, 15.5, 16, 19.5);
        p.setPen(QPen(Qt::white, 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(q);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(16, 24.5), 2, 2);
        break;
    }
    case 33333: // about: an "i" on a blue disc
        Disc(p, kBlue);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(16, 9.5), 2.3, 2.3);
        p.drawRoundedRect(QRectF(13.8, 13.5, 4.4, 11.5), 1.5, 1.5);
        break;
    case 33269: // 3D settings
        Cube(p, QPointF(3, 10), 14);
        Gear(p, QPointF(23, 23), 7.5);
        break;
    case 33338: // delete the 3D settings
        Cube(p, QPointF(3, 10), 14);
        Badge(p, kRed, false, false, true);
        break;
    case 57665: { // exit: a door and an arrow out
        p.setPen(Outline(1.4));
        p.setBrush(QColor(0xB8, 0x8A, 0x50));
        p.drawRect(QRectF(4, 3, 14, 26));
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        p.drawEllipse(QPointF(15, 17), 1.3, 1.3);
        Arrow(p, QPointF(13, 16), QPointF(27, 16), kRed);
        break;
    }
    case 1400: { // languages: a globe
        p.setPen(Outline(1.5, kBlue));
        p.setBrush(QColor(0xDD, 0xEE, 0xFF));
        p.drawEllipse(QPointF(16, 16), 13, 13);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(16, 16), 5.5, 13);
        p.drawLine(QPointF(3, 16), QPointF(29, 16));
        p.drawLine(QPointF(16, 3), QPointF(16, 29));
        p.drawLine(QPointF(5.5, 9.5), QPointF(26.5, 9.5));
        p.drawLine(QPointF(5.5, 22.5), QPointF(26.5, 22.5));
        break;
    }
    default:
        return {};
    }
    return c.Done();
}

} // namespace

QList<int> RibbonIconPainter::Ids()
{
    return {119,   120,   121,   122,   531,   532,   559,   560,   564,   565,   566,  633,   638,
            644,   655,   656,   732,   742,   825,   826,   828,   831,   892,   1400, 33070, 33071,
            33095, 33101, 33112, 33124, 33148, 33269, 33288, 33333, 33338, 57606, 57665};
}

QImage RibbonIconPainter::Draw(int id)
{
    return Icon(id);
}
