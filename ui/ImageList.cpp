// A list of small pictures of one size, addressed by index.
#include "ui/ImageList.h"

#include <QPainter>

int ImageList::Add(const QImage& bitmap, const QImage* mask)
{
    if (bitmap.isNull() || m_size.isEmpty() || bitmap.width() < m_size.width())
        return -1;
    QImage picture = bitmap.convertToFormat(QImage::Format_ARGB32);
    if (mask && !mask->isNull()) {
        const QImage bits = mask->convertToFormat(QImage::Format_RGB32);
        const int width = qMin(picture.width(), bits.width());
        const int height = qMin(picture.height(), bits.height());
        for (int y = 0; y < height; ++y) {
            auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
            const auto* maskLine = reinterpret_cast<const QRgb*>(bits.constScanLine(y));
            for (int x = 0; x < width; ++x) {
                if (qGray(maskLine[x]) > 127)
                    line[x] = qRgba(0, 0, 0, 0);
            }
        }
    }
    const int first = Count();
    for (int left = 0; left + m_size.width() <= picture.width(); left += m_size.width()) {
        QImage piece(m_size, QImage::Format_ARGB32);
        piece.fill(Qt::transparent);
        QPainter painter(&piece);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(QPoint(0, 0), picture, QRect(QPoint(left, 0), m_size));
        painter.end();
        m_images.append(piece);
    }
    return first;
}

QImage ImageList::Image(int index) const
{
    return index >= 0 && index < Count() ? m_images.at(index) : QImage();
}

int AddBitmapToImageList(ImageList& list, const QImage* bitmap, const QImage* mask)
{
    return bitmap ? list.Add(*bitmap, mask) : -1;
}
