// Pictures and item URLs of the language module, and the small picture operations built on them.
#include "ui/ResourcePictures.h"

#include "model/text/ResourceText.h"
#include "platform/ResourceModule.h"

#include <QPainter>

QImage LoadCxImageFromResource(quint32 id, int format)
{
    const ResourceModule* module = ResourceModule::Current();
    if (!module || (format != PICTURE_FORMAT_BITMAP && format != PICTURE_FORMAT_PNG))
        return QImage();
    return module->Bitmap(id);
}

void SetCxImageAlphaAbove(QImage& picture, uchar threshold, uchar alpha, const QRect* area)
{
    if (picture.isNull())
        return;
    QRect rect = picture.rect();
    if (area) {
        // QRect's right() and bottom() are inclusive: the area ends before left + width, top + height.
        const int left = area->left();
        const int top = area->top();
        const int right = left + area->width();
        const int bottom = top + area->height();
        if (left > right || top >= bottom)
            return;
        rect = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)).intersected(picture.rect());
        if (rect.isEmpty())
            return;
    }
    if (picture.format() != QImage::Format_ARGB32)
        picture.convertTo(QImage::Format_ARGB32);
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = rect.left(); x <= rect.right(); ++x) {
            if (qAlpha(line[x]) > threshold)
                line[x] = qRgba(qRed(line[x]), qGreen(line[x]), qBlue(line[x]), alpha);
        }
    }
}

void DrawShadedBitmap(QPainter& target, int x, int y, int width, int height, const QImage& source)
{
    if (width <= 0 || height <= 0)
        return;
    target.save();
    target.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    target.fillRect(QRect(x, y, width, height), QColor(0x7F, 0x7F, 0x7F));
    target.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
    target.drawImage(QPoint(x, y), source, QRect(0, 0, width, height));
    target.restore();
}

bool GetResourceUrl(QString& out, int type, quint32 id)
{
    const ResourceModule* module = ResourceModule::Current();
    if (!module || (type != RES_TYPE_BITMAP && type != RES_TYPE_HTML && type != RES_TYPE_HTML_PAGE))
        return false;
    out = module->ItemUrl(id, type).toString();
    return true;
}
