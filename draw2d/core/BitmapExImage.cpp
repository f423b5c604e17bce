// QImage adapters of the 32-bit pixel bitmap.
#include "draw2d/core/BitmapExImage.h"

#include <QPainter>

#include <cstring>

void LoadBitmapExFromImage(CBitmapEx& bm, const QImage& image)
{
    if (image.isNull()) {
        bm.LoadFromPixels(nullptr, 0, 0, 32, 0);
        return;
    }
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    // Format_RGB32 keeps each pixel as 0xffRRGGBB: blue, green, red, 0xff in memory order.
    bm.LoadFromPixels(rgb.constBits(), rgb.width(), rgb.height(), 32, int(rgb.bytesPerLine()));
}

QImage BitmapExToImage(const CBitmapEx& bm)
{
    if (bm.IsEmpty() || bm.GetWidth() == 0 || bm.GetHeight() == 0)
        return QImage();
    QImage image(bm.GetWidth(), bm.GetHeight(), QImage::Format_RGB32);
    if (image.isNull())
        return image;
    for (int y = 0; y < bm.GetHeight(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < bm.GetWidth(); ++x)
            line[x] = 0xFF000000u | bm.GetPixel(x, y);
    }
    return image;
}

void DrawBitmapEx(QPainter& painter, const CBitmapEx& bm, int x, int y)
{
    const QImage image = BitmapExToImage(bm);
    if (!image.isNull())
        painter.drawImage(x, y, image);
}
