// Textures drawn with QPainter: paving, the striped range, the cross-hair and the scale picture.
#include "tools/models/ModelTextures.h"

#include <QPainter>
#include <QPainterPath>

namespace {

QImage Paving()
{
    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(QColor(178, 176, 170));
    QPainter p(&image);
    p.setPen(QPen(QColor(120, 118, 112), 2));
    for (int i = 0; i <= 64; i += 32)
        p.drawLine(0, i, 64, i);
    for (int row = 0; row < 2; ++row)
        for (int x = row * 16; x <= 64; x += 32)
            p.drawLine(x, row * 32, x, row * 32 + 32);
    return image;
}

QImage Stripes()
{
    QImage image(64, 64, QImage::Format_ARGB32);
    image.fill(QColor(255, 255, 255, 160));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(255, 255, 255, 255), 8));
    for (int i = -64; i < 128; i += 32)
        p.drawLine(i, 64, i + 64, 0);
    return image;
}

QImage CrossHair()
{
    QImage image(128, 128, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 6));
    p.drawEllipse(QPointF(64, 64), 40, 40);
    p.drawLine(64, 8, 64, 120);
    p.drawLine(8, 64, 120, 64);
    return image;
}

// 512 x 256; the labels take the part from (1, 0) to (304, 59): a white plate with a balance.
QImage Scale()
{
    QImage image(512, 256, QImage::Format_RGB32);
    image.fill(QColor(230, 230, 230));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 3));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(2, 2, 300, 55), 10, 10);
    // A balance at the left end: post, beam and two pans.
    p.setBrush(QColor(60, 60, 60));
    p.drawRect(QRectF(28, 14, 4, 34));
    p.drawRect(QRectF(10, 46, 40, 4));
    p.drawLine(QPointF(10, 16), QPointF(50, 16));
    QPainterPath pans;
    pans.moveTo(4, 28);
    pans.arcTo(QRectF(4, 22, 16, 12), 180, 180);
    pans.moveTo(40, 28);
    pans.arcTo(QRectF(40, 22, 16, 12), 180, 180);
    p.drawPath(pans);
    p.drawLine(QPointF(12, 16), QPointF(8, 28));
    p.drawLine(QPointF(12, 16), QPointF(16, 28));
    p.drawLine(QPointF(48, 16), QPointF(44, 28));
    p.drawLine(QPointF(48, 16), QPointF(52, 28));
    return image;
}

} // namespace

std::vector<ModelTextures::Texture> ModelTextures::All()
{
    return {
        {QStringLiteral("VH"), QStringLiteral("Pflaster.png"), Paving()},
        {QStringLiteral("VH"), QStringLiteral("Bereich.png"), Stripes()},
        {QStringLiteral("TEX"), QStringLiteral("Kreuz.png"), CrossHair()},
        {QStringLiteral("TEX"), QStringLiteral("Waage.bmp"), Scale()},
    };
}
