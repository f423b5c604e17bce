// Draws the application's own pictures: the splash picture and the catalogue icons.
#include "AppBitmapPainter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

// Colours shared with the dialogs and strip pictures.
const QColor kDialogBlue(0xC8, 0xD8, 0xED);
const QColor kOutline(0x2B, 0x3A, 0x55);
const QColor kCab(0x2F, 0x6D, 0xB5);
const QColor kBody(0xF4, 0xF6, 0xFA);
const QColor kChassis(0x4A, 0x52, 0x60);
const QColor kWheel(0x22, 0x22, 0x22);
const QColor kWood(0xC8, 0x8E, 0x4E);
const QColor kWoodDark(0x8A, 0x5A, 0x2B);
const QColor kFolder(0xF2, 0xC2, 0x4B);
const QColor kFolderDark(0xB9, 0x86, 0x1C);
const QColor kInUse(0xC6, 0x28, 0x28);

QImage Blank(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

// A filled rectangle with a one-pixel outline, pixel-exact.
void Box(QPainter& p, int x, int y, int w, int h, const QColor& fill, const QColor& line)
{
    p.fillRect(x, y, w, h, line);
    if (w > 2 && h > 2)
        p.fillRect(x + 1, y + 1, w - 2, h - 2, fill);
}

void Wheel(QPainter& p, int cx, int y)
{
    p.fillRect(cx - 1, y, 3, 3, kWheel);
    p.fillRect(cx - 2, y + 1, 5, 1, kWheel);
    p.fillRect(cx, y + 1, 1, 1, QColor(0xA0, 0xA0, 0xA0));
}

// Greys a picture out and puts the in-use mark (a red bar with a white dash) in its lower right.
void MarkInUse(QImage& image)
{
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int gray = qGray(line[x]);
            const int light = 96 + gray * 5 / 8;
            line[x] = qRgba(light, light, light, qAlpha(line[x]));
        }
    }
    QPainter p(&image);
    p.fillRect(9, 9, 7, 7, Qt::white);
    p.fillRect(10, 10, 5, 5, kInUse);
    p.fillRect(11, 12, 3, 1, Qt::white);
}

// Side views facing left, 16 x 16, ground line at y = 13.
void DrawTruck(QPainter& p, int dx, int length)
{
    Box(p, dx + 0, 5, 5, 7, kCab, kOutline);
    p.fillRect(dx + 1, 6, 2, 2, QColor(0xCF, 0xE4, 0xF7)); // window
    Box(p, dx + 5, 2, length, 9, kBody, kOutline);
    p.fillRect(dx + 1, 11, 4 + length, 2, kChassis);
    Wheel(p, dx + 2, 12);
    Wheel(p, dx + 3 + length, 12);
}

void DrawTractor(QPainter& p, int dx)
{
    Box(p, dx + 0, 4, 6, 8, kCab, kOutline);
    p.fillRect(dx + 1, 5, 3, 2, QColor(0xCF, 0xE4, 0xF7));
    p.fillRect(dx + 1, 11, 10, 2, kChassis);
    p.fillRect(dx + 7, 9, 4, 2, kOutline); // fifth wheel
    Wheel(p, dx + 2, 12);
    Wheel(p, dx + 8, 12);
}

} // namespace

QList<int> AppBitmapPainter::Ids()
{
    return {133,    136, 134, 135, 341, 510, 176, 177, 178, 179, 342, 511,
            550,    551, 552, 553, 276, 278, 235, 325, 236, 237, 256, kCatalogueMask,
            kSplash};
}

QImage AppBitmapPainter::Draw(int id)
{
    switch (id) {
    case 133:
        return Vehicle(0, false);
    case 136:
        return Vehicle(1, false);
    case 134:
        return Vehicle(2, false);
    case 135:
        return Vehicle(3, false);
    case 341:
        return Vehicle(4, false);
    case 510:
        return Vehicle(5, false);
    case 176:
        return Vehicle(0, true);
    case 177:
        return Vehicle(1, true);
    case 178:
        return Vehicle(2, true);
    case 179:
        return Vehicle(3, true);
    case 342:
        return Vehicle(4, true);
    case 511:
        return Vehicle(5, true);
    case 550:
        return Combination(false, false);
    case 551:
        return Combination(true, false);
    case 552:
        return Combination(false, true);
    case 553:
        return Combination(true, true);
    case 276:
        return Folder(false);
    case 278:
        return Folder(true);
    case 235:
        return LoadUnit(0);
    case 325:
        return LoadUnit(1);
    case 236:
        return LoadUnit(2);
    case 237:
        return LoadUnit(3);
    case 256:
        return LoadUnit(4);
    case kCatalogueMask: {
        // The icons carry their own transparency: the mask keeps every pixel.
        QImage mask(16, 16, QImage::Format_RGB32);
        mask.fill(Qt::black);
        return mask;
    }
    case kSplash:
        return Splash();
    default:
        return QImage();
    }
}

QImage AppBitmapPainter::Vehicle(int kind, bool inUse)
{
    QImage image = Blank(16, 16);
    {
        QPainter p(&image);
        switch (kind) {
        case 0: // rigid truck
            DrawTruck(p, 0, 10);
            break;
        case 1: // drawbar trailer: axles front and rear, drawbar forward
            p.fillRect(0, 10, 4, 1, kOutline);
            Box(p, 3, 2, 13, 9, kBody, kOutline);
            p.fillRect(4, 11, 11, 2, kChassis);
            Wheel(p, 5, 12);
            Wheel(p, 13, 12);
            break;
        case 2: // rigid-drawbar trailer: axles in the middle, long drawbar
            p.fillRect(0, 10, 5, 1, kOutline);
            Box(p, 4, 2, 12, 9, kBody, kOutline);
            p.fillRect(7, 11, 7, 2, kChassis);
            Wheel(p, 8, 12);
            Wheel(p, 12, 12);
            break;
        case 3: // semi-trailer: axles at the rear, landing leg in front
            Box(p, 0, 2, 16, 8, kBody, kOutline);
            p.fillRect(1, 10, 15, 1, kChassis);
            p.fillRect(3, 10, 1, 4, kOutline);
            p.fillRect(2, 13, 3, 1, kOutline);
            Wheel(p, 10, 12);
            Wheel(p, 13, 12);
            break;
        case 4: // tractor unit
            DrawTractor(p, 2);
            break;
        default: { // short-front vehicle: a van
            Box(p, 5, 3, 11, 8, kBody, kOutline);
            Box(p, 1, 6, 5, 5, kCab, kOutline);
            p.fillRect(2, 7, 2, 2, QColor(0xCF, 0xE4, 0xF7));
            p.fillRect(1, 11, 15, 2, kChassis);
            Wheel(p, 3, 12);
            Wheel(p, 13, 12);
            break;
        }
        }
    }
    if (inUse)
        MarkInUse(image);
    return image;
}

QImage AppBitmapPainter::Combination(bool tractor, bool inUse)
{
    QImage image = Blank(16, 16);
    {
        QPainter p(&image);
        if (tractor) {
            // Tractor with a semi-trailer lying on its fifth wheel.
            Box(p, 0, 5, 4, 7, kCab, kOutline);
            p.fillRect(1, 6, 2, 2, QColor(0xCF, 0xE4, 0xF7));
            Box(p, 4, 2, 12, 8, kBody, kOutline);
            p.fillRect(1, 10, 15, 2, kChassis);
            Wheel(p, 2, 12);
            Wheel(p, 6, 12);
            Wheel(p, 13, 12);
        } else {
            // Short truck and a short drawbar trailer.
            Box(p, 0, 5, 3, 7, kCab, kOutline);
            Box(p, 3, 3, 6, 8, kBody, kOutline);
            p.fillRect(1, 11, 7, 2, kChassis);
            Wheel(p, 1, 12);
            Wheel(p, 7, 12);
            p.fillRect(9, 10, 1, 1, kOutline);
            Box(p, 10, 3, 6, 8, kBody, kOutline);
            p.fillRect(10, 11, 6, 2, kChassis);
            Wheel(p, 12, 12);
            Wheel(p, 15, 12);
        }
    }
    if (inUse)
        MarkInUse(image);
    return image;
}

QImage AppBitmapPainter::Folder(bool sample)
{
    QImage image = Blank(16, 16);
    QPainter p(&image);
    Box(p, 1, 3, 6, 3, kFolder, kFolderDark);
    Box(p, 1, 4, 14, 10, kFolder, kFolderDark);
    p.fillRect(2, 6, 12, 1, QColor(0xF9, 0xDE, 0x8E));
    if (sample) {
        // A blue badge: the folder holds the program's samples.
        Box(p, 8, 8, 7, 7, kCab, kOutline);
        p.fillRect(10, 10, 3, 1, Qt::white);
        p.fillRect(10, 11, 1, 1, Qt::white);
        p.fillRect(10, 12, 3, 1, Qt::white);
        p.fillRect(12, 13, 1, 1, Qt::white);
        p.fillRect(10, 13, 3, 1, Qt::white);
    }
    return image;
}

QImage AppBitmapPainter::LoadUnit(int type)
{
    QImage image = Blank(16, 16);
    QPainter p(&image);
    switch (type) {
    case 0: // euro pallet: deck boards on three blocks, seen from the long side
    case 1: // industrial pallet: wider, with a load on it
        if (type == 1)
            Box(p, 2, 3, 12, 6, QColor(0xE9, 0xD3, 0xA8), kWoodDark);
        p.fillRect(0, 9, 16, 2, kWood);
        p.fillRect(0, 10, 16, 1, kWoodDark);
        for (int x : {0, 7, 14})
            p.fillRect(x, 11, 2, 2, kWoodDark);
        p.fillRect(0, 13, 16, 1, kWood);
        break;
    case 2: // mesh box pallet
        Box(p, 1, 2, 14, 10, QColor(0xDD, 0xE2, 0xE8), kChassis);
        for (int x = 3; x < 15; x += 3)
            p.fillRect(x, 3, 1, 8, QColor(0x8C, 0x95, 0xA3));
        for (int y = 5; y < 12; y += 3)
            p.fillRect(2, y, 12, 1, QColor(0x8C, 0x95, 0xA3));
        p.fillRect(1, 12, 14, 2, kChassis);
        break;
    case 3: // user-made load unit: a box with a pencil mark
        Box(p, 2, 3, 12, 10, QColor(0xD9, 0xB3, 0x7C), kWoodDark);
        p.fillRect(2, 7, 12, 1, kWoodDark);
        p.fillRect(9, 9, 4, 1, kCab);
        p.fillRect(8, 10, 2, 1, kCab);
        break;
    default: // other load: a sack-like bundle
        Box(p, 3, 4, 10, 9, QColor(0xB8, 0xC7, 0xA2), QColor(0x55, 0x66, 0x3F));
        p.fillRect(6, 2, 4, 2, QColor(0x55, 0x66, 0x3F));
        break;
    }
    return image;
}

QImage AppBitmapPainter::Splash()
{
    const int width = 520;
    const int height = 320;
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient sky(0, 0, 0, height);
    sky.setColorAt(0.0, QColor(0xFF, 0xFF, 0xFF));
    sky.setColorAt(1.0, kDialogBlue);
    p.fillRect(image.rect(), sky);
    p.setPen(Qt::NoPen);

    // The road.
    p.fillRect(0, 250, width, 6, kChassis);
    for (int x = 10; x < width; x += 60)
        p.fillRect(x, 264, 30, 3, QColor(0x9A, 0xA8, 0xBC));

    // A tractor with a semi-trailer carrying pallets; the load area is cut open to show the load.
    p.setRenderHint(QPainter::Antialiasing, true);
    QPainterPath cab;
    cab.moveTo(60, 226);
    cab.lineTo(60, 140);
    cab.quadTo(62, 122, 80, 120);
    cab.lineTo(128, 120);
    cab.lineTo(128, 226);
    cab.closeSubpath();
    p.setBrush(kCab);
    p.setPen(QPen(kOutline, 3));
    p.drawPath(cab);
    p.setBrush(QColor(0xCF, 0xE4, 0xF7));
    p.drawRoundedRect(QRectF(68, 132, 40, 32), 4, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(kChassis);
    p.drawRect(QRectF(60, 226, 420, 12));

    // Trailer: frame and the open load area with pallets.
    p.setPen(QPen(kOutline, 3));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(140, 96, 340, 130));
    p.setPen(Qt::NoPen);
    p.setBrush(kBody);
    p.drawRect(QRectF(142, 98, 336, 20));
    const QColor loads[] = {QColor(0xE9, 0xD3, 0xA8), QColor(0xD9, 0xB3, 0x7C), QColor(0xE9, 0xD3, 0xA8),
                            QColor(0xC9, 0xD8, 0xB0)};
    for (int i = 0; i < 4; ++i) {
        const double x = 152 + i * 80;
        p.setBrush(loads[i]);
        p.setPen(QPen(kWoodDark, 2));
        p.drawRect(QRectF(x, 138 - (i % 2) * 16, 70, 72 + (i % 2) * 16));
        p.setPen(Qt::NoPen);
        p.setBrush(kWood);
        p.drawRect(QRectF(x, 212, 70, 6));
        p.setBrush(kWoodDark);
        for (int b = 0; b < 3; ++b)
            p.drawRect(QRectF(x + 2 + b * 31, 218, 8, 6));
    }
    // Lashing straps over the load.
    p.setPen(QPen(QColor(0xE0, 0x7A, 0x1F), 3));
    for (int i = 0; i < 4; ++i) {
        const double x = 152 + i * 80 + 35;
        p.drawLine(QPointF(x, 122 - (i % 2) * 16 + 16), QPointF(x, 226));
    }

    // Wheels.
    p.setPen(QPen(kWheel, 2));
    for (double cx : {96.0, 190.0, 390.0, 440.0}) {
        p.setBrush(kWheel);
        p.drawEllipse(QPointF(cx, 240), 22, 22);
        p.setBrush(QColor(0xB0, 0xB6, 0xC0));
        p.drawEllipse(QPointF(cx, 240), 9, 9);
    }

    // The axle-load gauge: three bars against their limits.
    p.setPen(Qt::NoPen);
    const double fill[] = {0.62, 0.88, 0.74};
    for (int i = 0; i < 3; ++i) {
        const QRectF bar(360 + i * 40, 24, 24, 56);
        p.setBrush(QColor(0xFF, 0xFF, 0xFF));
        p.drawRect(bar);
        p.setBrush(i == 1 ? QColor(0xE0, 0x7A, 0x1F) : QColor(0x3D, 0x9A, 0x4A));
        p.drawRect(
            QRectF(bar.left(), bar.bottom() - bar.height() * fill[i], bar.width(), bar.height() * fill[i]));
        p.setPen(QPen(kOutline, 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawRect(bar);
        p.setPen(Qt::NoPen);
    }

    // The program's mark: "QOR" built from shapes.
    p.setPen(QPen(kOutline, 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(36, 24, 52, 56)); // Q
    p.drawLine(QPointF(72, 66), QPointF(92, 86));
    p.drawEllipse(QRectF(110, 24, 52, 56)); // O
    QPainterPath r;                         // R
    r.moveTo(186, 82);
    r.lineTo(186, 26);
    r.lineTo(208, 26);
    r.cubicTo(236, 26, 236, 58, 208, 58);
    r.lineTo(190, 58);
    r.moveTo(206, 58);
    r.lineTo(228, 82);
    p.drawPath(r);
    return image;
}
