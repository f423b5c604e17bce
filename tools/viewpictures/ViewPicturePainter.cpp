// Draws the views' pictures by number: the cursors and the tab icons.
#include "ViewPicturePainter.h"

#include "CataloguePicturePainter.h"
#include "DialogPicturePainter.h"
#include "PlanPicturePainter.h"
#include "SecuringPicturePainter.h"
#include "VehiclePicturePainter.h"
#include "WizardPicturePainter.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

namespace {

constexpr int kTabIconId = 542;
const QColor kInk(20, 20, 20);

QImage Blank(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

// The arrow with its tip at (1, 1).
void Arrow(QPainter& p)
{
    const QPolygon arrow({{1, 1}, {1, 18}, {5, 14}, {8, 21}, {11, 20}, {8, 13}, {13, 13}});
    p.setPen(QPen(Qt::white, 1));
    p.setBrush(kInk);
    p.drawPolygon(arrow);
}

// A small badge at the arrow's lower right.
void Badge(QPainter& p, const QColor& fill)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(fill);
    p.drawRect(QRect(17, 17, 12, 12));
}

// Arrows from the centre (16, 16) in the given directions.
void CentreArrows(QPainter& p, bool horizontal, bool vertical)
{
    p.setRenderHint(QPainter::Antialiasing, false);
    QPen outline(Qt::white, 4);
    QPen ink(kInk, 2);
    auto shaft = [&](QPoint a, QPoint b) {
        for (const QPen& pen : {outline, ink}) {
            p.setPen(pen);
            p.drawLine(a, b);
        }
    };
    auto head = [&](QPolygon tri) {
        p.setPen(QPen(Qt::white, 1));
        p.setBrush(kInk);
        p.drawPolygon(tri);
    };
    if (horizontal) {
        shaft({5, 16}, {27, 16});
        head(QPolygon({{2, 16}, {8, 10}, {8, 22}}));
        head(QPolygon({{30, 16}, {24, 10}, {24, 22}}));
    }
    if (vertical) {
        shaft({16, 5}, {16, 27});
        head(QPolygon({{16, 2}, {10, 8}, {22, 8}}));
        head(QPolygon({{16, 30}, {10, 24}, {22, 24}}));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawRect(QRect(15, 15, 3, 3));
}

// An open or closed hand centred at (16, 16).
void Hand(QPainter& p, bool closed)
{
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(8, 13, 16, 13), 5, 5);
    const int fingerTop = closed ? 11 : 5;
    for (int i = 0; i < 4; ++i)
        p.drawRoundedRect(QRectF(8.5 + i * 4, fingerTop, 3.5, 16 - fingerTop), 1.7, 1.7);
    p.drawRoundedRect(QRectF(4, 15, 6, 4), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(QPointF(16, 16), 1.2, 1.2);
}

// A pointing hand with the fingertip at (11, 1).
void PointingHand(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(9, 1, 5, 16), 2.5, 2.5);
    p.drawRoundedRect(QRectF(7, 12, 17, 14), 5, 5);
}

} // namespace

QList<int> ViewPicturePainter::CursorIds()
{
    return {175, 192, 194, 196, 197, 203, 251,  252,   253,   254,
            274, 337, 555, 768, 769, 893, 1032, 33310, 33311, 33312};
}

QImage ViewPicturePainter::Cursor(int id)
{
    if (!CursorIds().contains(id))
        return QImage();
    QImage image = Blank(32, 32);
    QPainter p(&image);
    switch (id) {
    case 175:
        CentreArrows(p, true, false);
        break;
    case 203:
        CentreArrows(p, false, true);
        break;
    case 194: // an edge that moves up and down: the arrows across a bar
        CentreArrows(p, false, true);
        p.setPen(QPen(Qt::white, 1));
        p.setBrush(kInk);
        p.drawRect(QRect(6, 14, 20, 4));
        break;
    case 197:
    case 251:
        CentreArrows(p, true, true);
        break;
    case 192:
        Hand(p, true);
        break;
    case 196:
        Hand(p, false);
        break;
    case 337:
        PointingHand(p);
        break;
    case 252: // placement free: green badge
        Arrow(p);
        Badge(p, QColor(60, 170, 60));
        break;
    case 274: // shifted to the nearest free spot: orange badge with an arrow
        Arrow(p);
        Badge(p, QColor(240, 150, 30));
        p.setPen(QPen(Qt::white, 2));
        p.drawLine(20, 23, 26, 23);
        p.drawLine(24, 20, 26, 23);
        p.drawLine(24, 26, 26, 23);
        break;
    case 253: { // refused: red circle with a bar
        Arrow(p);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(QColor(200, 30, 30), 2.5));
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(23, 23), 6.5, 6.5);
        p.drawLine(QPointF(18.5, 27.5), QPointF(27.5, 18.5));
        break;
    }
    case 555: // free while copying: plus badge
        Arrow(p);
        Badge(p, Qt::white);
        p.setPen(QPen(kInk, 2));
        p.drawLine(23, 19, 23, 27);
        p.drawLine(19, 23, 27, 23);
        break;
    case 893: // marking: blue badge
        Arrow(p);
        Badge(p, QColor(40, 110, 210));
        break;
    case 254: // another object that can be chosen: arrow with a white box
        Arrow(p);
        Badge(p, Qt::white);
        p.setPen(QPen(kInk, 1));
        p.drawRect(QRect(20, 20, 6, 6));
        break;
    case 768: // a place on a lashing rail: arrow with a grey rail badge
        Arrow(p);
        Badge(p, QColor(150, 150, 150));
        p.setPen(QPen(kInk, 2));
        p.drawLine(19, 23, 27, 23);
        break;
    case 769: // a lashing point that can be chosen: arrow with a ring badge
        Arrow(p);
        Badge(p, QColor(84, 106, 6));
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(Qt::white, 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(23, 23), 3.5, 3.5);
        break;
    case 1032: // an editable value: arrow with a text caret
        Arrow(p);
        p.setPen(QPen(kInk, 2));
        p.drawLine(24, 16, 24, 30);
        p.drawLine(21, 16, 27, 16);
        p.drawLine(21, 30, 27, 30);
        break;
    case 33310: { // dragging where nothing can be dropped: a grey badge with a "no" sign
        Arrow(p);
        Badge(p, QColor(235, 235, 235));
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(QColor(200, 30, 30), 1.8));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(23, 23), 4, 4);
        p.drawLine(QPointF(20.2, 25.8), QPointF(25.8, 20.2));
        break;
    }
    case 33311: // dropping copies: a plus badge
        Arrow(p);
        Badge(p, Qt::white);
        p.setPen(QPen(QColor(40, 110, 210), 2));
        p.drawLine(23, 19, 23, 27);
        p.drawLine(19, 23, 27, 23);
        break;
    case 33312: // dropping moves: a badge with an arrow into it
        Arrow(p);
        Badge(p, Qt::white);
        p.setPen(QPen(QColor(40, 110, 210), 2));
        p.drawLine(19, 23, 26, 23);
        p.drawLine(23, 20, 26, 23);
        p.drawLine(23, 26, 26, 23);
        break;
    default:
        break;
    }
    return image;
}

QImage ViewPicturePainter::TabIcons()
{
    QImage image(16 * 5, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QColor blue(40, 100, 190), green(60, 150, 60), grey(110, 110, 110), orange(230, 140, 30);
    // Vehicle: a truck side view.
    p.setPen(Qt::NoPen);
    p.setBrush(blue);
    p.drawRect(1, 4, 9, 7);
    p.drawRect(10, 6, 4, 5);
    p.setBrush(kInk);
    p.drawEllipse(QRect(2, 10, 4, 4));
    p.drawEllipse(QRect(10, 10, 4, 4));
    // Loading plan: a load area seen from above with two loads.
    p.translate(16, 0);
    p.setPen(grey);
    p.setBrush(Qt::white);
    p.drawRect(1, 3, 13, 9);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(237, 244, 147));
    p.drawRect(3, 5, 4, 5);
    p.setBrush(QColor(126, 196, 252));
    p.drawRect(8, 5, 4, 5);
    // Load securing: a load with a strap over it.
    p.translate(16, 0);
    p.setBrush(orange);
    p.drawRect(3, 5, 10, 8);
    p.setPen(QPen(green, 2));
    p.drawLine(1, 14, 8, 3);
    p.drawLine(8, 3, 15, 14);
    // Split view: two panes one above the other.
    p.translate(16, 0);
    p.setPen(grey);
    p.setBrush(Qt::white);
    p.drawRect(1, 1, 13, 6);
    p.drawRect(1, 8, 13, 6);
    // 3D: a box in perspective.
    p.translate(16, 0);
    p.setPen(blue);
    p.setBrush(QColor(190, 210, 240));
    p.drawPolygon(QPolygon({{2, 5}, {10, 5}, {10, 14}, {2, 14}}));
    p.drawPolygon(QPolygon({{2, 5}, {6, 1}, {14, 1}, {10, 5}}));
    p.drawPolygon(QPolygon({{10, 5}, {14, 1}, {14, 10}, {10, 14}}));
    return image;
}

QList<QString> ViewPicturePainter::Paths()
{
    QList<QString> paths;
    for (int id : CursorIds())
        paths.append(QStringLiteral("cursors/%1.png").arg(id));
    paths.append(QStringLiteral("bitmaps/%1.png").arg(kTabIconId));
    for (int id : PlanPicturePainter::Ids())
        paths.append(QStringLiteral("bitmaps/%1.png").arg(id));
    for (int id : VehiclePicturePainter::Ids())
        paths.append(QStringLiteral("bitmaps/%1.png").arg(id));
    for (int id : WizardPicturePainter::Ids())
        paths.append(QStringLiteral("bitmaps/%1.png").arg(id));
    for (int id : SecuringPicturePainter::Ids())
        paths.append(QStringLiteral("bitmaps/%1.png").arg(id));
    for (int id : DialogPicturePainter::Ids())
        paths.append(QStringLiteral("bitmaps/%1.png").arg(id));
    for (int id : CataloguePicturePainter::Ids())
        paths.append(QStringLiteral("bitmaps/%1.png").arg(id));
    return paths;
}

QImage ViewPicturePainter::Draw(const QString& path)
{
    if (path == QStringLiteral("bitmaps/%1.png").arg(kTabIconId))
        return TabIcons();
    for (int id : PlanPicturePainter::Ids())
        if (path == QStringLiteral("bitmaps/%1.png").arg(id))
            return PlanPicturePainter::Draw(id);
    for (int id : VehiclePicturePainter::Ids())
        if (path == QStringLiteral("bitmaps/%1.png").arg(id))
            return VehiclePicturePainter::Draw(id);
    for (int id : DialogPicturePainter::Ids())
        if (path == QStringLiteral("bitmaps/%1.png").arg(id))
            return DialogPicturePainter::Draw(id);
    for (int id : WizardPicturePainter::Ids())
        if (path == QStringLiteral("bitmaps/%1.png").arg(id))
            return WizardPicturePainter::Draw(id);
    for (int id : SecuringPicturePainter::Ids())
        if (path == QStringLiteral("bitmaps/%1.png").arg(id))
            return SecuringPicturePainter::Draw(id);
    for (int id : CataloguePicturePainter::Ids())
        if (path == QStringLiteral("bitmaps/%1.png").arg(id))
            return CataloguePicturePainter::Draw(id);
    if (path.startsWith(QStringLiteral("cursors/")) && path.endsWith(QStringLiteral(".png"))) {
        bool ok = false;
        const int id = path.mid(8, path.size() - 12).toInt(&ok);
        return ok ? Cursor(id) : QImage();
    }
    return QImage();
}
