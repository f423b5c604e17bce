// The button-strip pictures: soft blue panels, a fine separator line, warm state highlights and the
// command icons, all drawn from code.
#include "StripBitmapPainter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int kHeights[] = {85, 61, 70, 46}; // strip height by layout mode
constexpr int kTitleBand = 15;
constexpr int kPanelWidth = 48;

QImage Blank(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

} // namespace

QList<int> StripBitmapPainter::Ids()
{
    QList<int> ids;
    for (int id = 3500; id <= 3519; ++id)
        ids << id;
    ids << 668 << 705;
    return ids;
}

QImage StripBitmapPainter::Draw(int id)
{
    if (id >= 3500 && id < 3512) {
        const int mode = (id - 3500) / 3;
        const int kind = (id - 3500) % 3;
        return kind == 2 ? Separator(mode) : Background(mode, kind == 1);
    }
    if (id >= 3512 && id < 3520)
        return StateImage((id - 3512) % 4, id >= 3516);
    if (id == 668)
        return OkIcon();
    if (id == 705)
        return CancelIcon();
    return {};
}

QImage StripBitmapPainter::Background(int mode, bool hover)
{
    const int h = kHeights[mode];
    const bool titleBand = mode == 0 || mode == 1;
    QImage image = Blank(kPanelWidth, h);
    QPainter p(&image);
    QLinearGradient fill(0, 0, 0, h);
    if (hover) {
        fill.setColorAt(0.0, QColor(0xFB, 0xFD, 0xFF));
        fill.setColorAt(1.0, QColor(0xDF, 0xEC, 0xFB));
    } else {
        fill.setColorAt(0.0, QColor(0xEE, 0xF4, 0xFC));
        fill.setColorAt(1.0, QColor(0xD6, 0xE5, 0xF7));
    }
    p.fillRect(image.rect(), fill);
    if (titleBand) {
        QLinearGradient band(0, h - kTitleBand, 0, h);
        band.setColorAt(0.0, hover ? QColor(0xD4, 0xE4, 0xF8) : QColor(0xC6, 0xDA, 0xF2));
        band.setColorAt(1.0, hover ? QColor(0xC8, 0xDC, 0xF5) : QColor(0xBA, 0xD1, 0xEE));
        p.fillRect(QRect(1, h - kTitleBand, kPanelWidth - 2, kTitleBand - 1), band);
    }
    // A light inner line and the darker frame.
    p.setPen(QColor(0xFF, 0xFF, 0xFF, 0xB0));
    p.drawRect(1, 1, kPanelWidth - 3, h - 3);
    p.setPen(hover ? QColor(0x7F, 0xA6, 0xDA) : QColor(0x9C, 0xBB, 0xE3));
    p.drawRect(0, 0, kPanelWidth - 1, h - 1);
    return image;
}

QImage StripBitmapPainter::Separator(int mode)
{
    const bool titleBand = mode == 0 || mode == 1;
    const int h = kHeights[mode];
    const int line = h - (titleBand ? kTitleBand : 0);
    QImage image = Blank(2, h);
    for (int y = 4; y < line - 4; ++y) {
        // Fades in at the top and out at the bottom.
        const int edge = std::min(y - 4, line - 5 - y);
        const int alpha = std::min(255, 60 + edge * 25);
        image.setPixelColor(0, y, QColor(0x8D, 0xAE, 0xD9, alpha));
        image.setPixelColor(1, y, QColor(0xFF, 0xFF, 0xFF, alpha));
    }
    return image;
}

QImage StripBitmapPainter::StateImage(int kind, bool iconBesideText)
{
    // kind 0 hover, 1 checked, 2 hover while checked, 3 pressed.
    struct Look
    {
        QColor top, bottom, frame;
    };
    static const Look looks[] = {
        {QColor(0xFF, 0xFB, 0xE0), QColor(0xFF, 0xE3, 0x8C), QColor(0xDB, 0xC2, 0x7A)},
        {QColor(0xFF, 0xE0, 0xA8), QColor(0xFF, 0xC2, 0x6A), QColor(0xC2, 0x9B, 0x5E)},
        {QColor(0xFF, 0xD2, 0x8E), QColor(0xFB, 0xAE, 0x52), QColor(0xB8, 0x8C, 0x4C)},
        {QColor(0xFB, 0xC0, 0x7E), QColor(0xF6, 0x9A, 0x3C), QColor(0x9E, 0x7A, 0x48)},
    };
    const Look& look = looks[kind];
    const int w = 42;
    const int h = iconBesideText ? 42 : 66;
    QImage image = Blank(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, 0, h);
    fill.setColorAt(0.0, look.top);
    fill.setColorAt(0.45, look.top.darker(103));
    fill.setColorAt(0.55, look.bottom);
    fill.setColorAt(1.0, look.bottom.lighter(106));
    p.setPen(QPen(look.frame, 1.0));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), 2.5, 2.5);
    p.setPen(QPen(QColor(0xFF, 0xFF, 0xFF, 0x90), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(1.5, 1.5, w - 3, h - 3), 1.5, 1.5);
    return image;
}

QImage StripBitmapPainter::OkIcon()
{
    QImage image = Blank(32, 32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath tick;
    tick.moveTo(6, 17);
    tick.lineTo(13, 24);
    tick.lineTo(26, 8);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x1E, 0x5E, 0x1A), 7.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(tick);
    p.setPen(QPen(QColor(0x4C, 0xB0, 0x3C), 4.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(tick);
    return image;
}

QImage StripBitmapPainter::CancelIcon()
{
    QImage image = Blank(32, 32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath cross;
    cross.moveTo(8, 8);
    cross.lineTo(24, 24);
    cross.moveTo(24, 8);
    cross.lineTo(8, 24);
    p.setPen(QPen(QColor(0x7A, 0x14, 0x14), 7.0, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(cross);
    p.setPen(QPen(QColor(0xD8, 0x3A, 0x2E), 4.0, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(cross);
    return image;
}
