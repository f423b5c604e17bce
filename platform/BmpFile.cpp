// Writing pictures as uncompressed BMP files.
#include "platform/BmpFile.h"

#include <QByteArray>
#include <QSaveFile>
#include <QtEndian>

namespace {

void Put16(QByteArray& out, quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

void Put32(QByteArray& out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

// The picture in a format whose rows can be copied as BMP rows, and its bits per pixel.
QImage BmpReady(const QImage& picture, int& bits)
{
    switch (picture.format()) {
    case QImage::Format_Mono:
        bits = 1;
        return picture;
    case QImage::Format_MonoLSB:
        bits = 1;
        return picture.convertToFormat(QImage::Format_Mono);
    case QImage::Format_Indexed8:
        bits = 8;
        return picture;
    case QImage::Format_Grayscale8: {
        bits = 8;
        QList<QRgb> greys(256);
        for (int i = 0; i < 256; ++i)
            greys[i] = qRgb(i, i, i);
        QImage indexed = picture.convertToFormat(QImage::Format_Indexed8, greys);
        return indexed;
    }
    case QImage::Format_RGB888:
    case QImage::Format_BGR888:
        bits = 24;
        return picture.convertToFormat(QImage::Format_BGR888);
    default:
        bits = 32;
        return picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32
                                                                 : QImage::Format_RGB32);
    }
}

} // namespace

bool WriteDIBSectionToBmp(const QString& path, const QImage& picture)
{
    if (picture.isNull())
        return false;
    int bits = 0;
    const QImage image = BmpReady(picture, bits);
    const int width = image.width();
    const int height = image.height();
    const quint32 rowBytes = ((static_cast<quint32>(bits) * width + 31) / 32) * 4;
    const quint32 pixelBytes = rowBytes * height;
    const quint32 colours = bits <= 8 ? (1u << bits) : 0u;
    const quint32 pixelOffset = 54 + 4 * colours;

    QByteArray out;
    out.reserve(static_cast<qsizetype>(pixelOffset + pixelBytes));
    out.append("BM", 2);
    Put32(out, pixelOffset + pixelBytes);
    Put16(out, 0);
    Put16(out, 0);
    Put32(out, pixelOffset);
    // Info header.
    Put32(out, 40);
    Put32(out, static_cast<quint32>(width));
    Put32(out, static_cast<quint32>(height)); // positive: rows bottom-up
    Put16(out, 1);
    Put16(out, static_cast<quint16>(bits));
    Put32(out, 0); // no compression
    Put32(out, pixelBytes);
    Put32(out, 0); // resolution unknown
    Put32(out, 0);
    Put32(out, colours);
    Put32(out, colours);
    // Colour table: the picture's colours, the rest of the counted entries black.
    if (colours) {
        const QList<QRgb> table = image.colorTable();
        for (quint32 i = 0; i < colours; ++i) {
            const QRgb c = i < static_cast<quint32>(table.size()) ? table.at(static_cast<qsizetype>(i)) : 0;
            out.append(static_cast<char>(qBlue(c)));
            out.append(static_cast<char>(qGreen(c)));
            out.append(static_cast<char>(qRed(c)));
            out.append('\0');
        }
    }
    // Only the picture's own bytes are copied: what QImage keeps after them in a row is undefined.
    const qsizetype used = (static_cast<qsizetype>(bits) * width + 7) / 8;
    const int spareBits = (bits * width) % 8;
    for (int y = height - 1; y >= 0; --y) {
        const char* row = reinterpret_cast<const char*>(image.constScanLine(y));
        const qsizetype at = out.size();
        out.append(row, used);
        if (spareBits)
            out[at + used - 1] =
                static_cast<char>(out[at + used - 1] & static_cast<char>(0xFF << (8 - spareBits)));
        out.append(static_cast<qsizetype>(rowBytes) - used, '\0');
    }

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(out) != out.size())
        return false;
    return file.commit();
}

bool SaveDCAreaAsBmp(const QString& path, const QImage& source, int x, int y, int width, int height)
{
    if (width <= 0 || height <= 0)
        return false;
    QImage area = source.copy(x, y, width, height);
    if (area.isNull())
        return false;
    return WriteDIBSectionToBmp(path, area);
}
