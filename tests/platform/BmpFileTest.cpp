// BMP files: byte layout of the headers, colour table and rows, and reading them back with QImage.
#include "platform/BmpFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

quint32 U32(const QByteArray& bytes, int offset)
{
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}

quint16 U16(const QByteArray& bytes, int offset)
{
    return qFromLittleEndian<quint16>(bytes.constData() + offset);
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Checks the file and info headers of a BMP file against the expected layout.
void ExpectHeaders(const QByteArray& bmp, int width, int height, int bits, quint32 colours)
{
    const quint32 rowBytes = ((bits * width + 31) / 32) * 4;
    const quint32 pixelBytes = rowBytes * height;
    const quint32 offset = 54 + 4 * colours;
    ASSERT_EQ(static_cast<quint32>(bmp.size()), offset + pixelBytes);
    EXPECT_EQ(bmp.left(2), QByteArray("BM"));
    EXPECT_EQ(U32(bmp, 2), offset + pixelBytes);
    EXPECT_EQ(U32(bmp, 6), 0u);
    EXPECT_EQ(U32(bmp, 10), offset);
    EXPECT_EQ(U32(bmp, 14), 40u);
    EXPECT_EQ(U32(bmp, 18), static_cast<quint32>(width));
    EXPECT_EQ(U32(bmp, 22), static_cast<quint32>(height));
    EXPECT_EQ(U16(bmp, 26), 1);
    EXPECT_EQ(U16(bmp, 28), bits);
    EXPECT_EQ(U32(bmp, 30), 0u);
    EXPECT_EQ(U32(bmp, 34), pixelBytes);
    EXPECT_EQ(U32(bmp, 38), 0u);
    EXPECT_EQ(U32(bmp, 42), 0u);
    EXPECT_EQ(U32(bmp, 46), colours);
    EXPECT_EQ(U32(bmp, 50), colours);
}

TEST(BmpFileTest, TwentyFourBitRowsArePaddedAndBottomUp)
{
    QTemporaryDir dir;
    QImage image(10, 10, QImage::Format_RGB888);
    image.fill(qRgb(1, 2, 3));
    image.setPixel(0, 0, qRgb(200, 100, 50)); // top left
    image.setPixel(9, 9, qRgb(10, 20, 30));   // bottom right
    const QString path = dir.filePath(QStringLiteral("p24.bmp"));
    ASSERT_TRUE(WriteDIBSectionToBmp(path, image));
    const QByteArray bmp = ReadAll(path);
    ExpectHeaders(bmp, 10, 10, 24, 0);
    EXPECT_EQ(U32(bmp, 2), 374u); // 54 + 10 rows of 32 bytes
    // First row in the file is the bottom row: blue, green, red; two padding bytes end each row.
    EXPECT_EQ(bmp.mid(54, 3), QByteArray("\x03\x02\x01", 3));
    EXPECT_EQ(bmp.mid(54 + 27, 5), QByteArray("\x1e\x14\x0a\x00\x00", 5));
    EXPECT_EQ(bmp.mid(54 + 9 * 32, 3), QByteArray("\x32\x64\xc8", 3));

    const QImage back(path);
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(back.size(), QSize(10, 10));
    EXPECT_EQ(back.pixel(0, 0), qRgb(200, 100, 50));
    EXPECT_EQ(back.pixel(9, 9), qRgb(10, 20, 30));
    EXPECT_EQ(back.pixel(5, 5), qRgb(1, 2, 3));
}

TEST(BmpFileTest, EightBitPicturesCarryTheirColourTable)
{
    QTemporaryDir dir;
    QImage image(5, 2, QImage::Format_Indexed8);
    image.setColorTable({qRgb(255, 0, 0), qRgb(0, 0, 255), qRgb(9, 8, 7)});
    image.fill(0);
    image.setPixel(4, 0, 2);
    image.setPixel(0, 1, 1);
    const QString path = dir.filePath(QStringLiteral("p8.bmp"));
    ASSERT_TRUE(WriteDIBSectionToBmp(path, image));
    const QByteArray bmp = ReadAll(path);
    ExpectHeaders(bmp, 5, 2, 8, 256);
    EXPECT_EQ(U32(bmp, 10), 54u + 1024u);
    EXPECT_EQ(bmp.mid(54, 12), QByteArray("\x00\x00\xff\x00\xff\x00\x00\x00\x07\x08\x09\x00", 12));
    EXPECT_EQ(bmp.mid(66, 4), QByteArray(4, '\0')); // uncounted colours are black
    EXPECT_EQ(bmp.mid(1078, 16), QByteArray("\x01\x00\x00\x00\x00\x00\x00\x00"
                                            "\x00\x00\x00\x00\x02\x00\x00\x00",
                                            16));

    const QImage back(path);
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(back.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(back.pixel(4, 0), qRgb(9, 8, 7));
    EXPECT_EQ(back.pixel(0, 1), qRgb(0, 0, 255));
}

TEST(BmpFileTest, OtherDepthsReadBackAsWritten)
{
    QTemporaryDir dir;
    struct Case
    {
        QImage::Format format;
        int bits;
        quint32 colours;
    };
    const Case cases[] = {
        {QImage::Format_RGB32, 32, 0},
        {QImage::Format_ARGB32_Premultiplied, 32, 0},
        {QImage::Format_Grayscale8, 8, 256},
        {QImage::Format_Mono, 1, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format);
        QImage image(7, 3, QImage::Format_RGB32);
        image.fill(Qt::white);
        image.setPixel(1, 1, qRgb(0, 0, 0));
        image = image.convertToFormat(c.format);
        const QString path = dir.filePath(QStringLiteral("p%1.bmp").arg(int(c.format)));
        ASSERT_TRUE(WriteDIBSectionToBmp(path, image));
        ExpectHeaders(ReadAll(path), 7, 3, c.bits, c.colours);
        const QImage back(path);
        ASSERT_FALSE(back.isNull());
        EXPECT_EQ(back.pixel(1, 1) & 0xFFFFFF, 0u);
        EXPECT_EQ(back.pixel(6, 2) & 0xFFFFFF, 0xFFFFFFu);
    }
}

TEST(BmpFileTest, AreaOfAPictureAndFailures)
{
    QTemporaryDir dir;
    QImage source(40, 30, QImage::Format_RGB32);
    source.fill(qRgb(0, 128, 0));
    source.setPixel(12, 7, qRgb(255, 255, 0));
    const QString path = dir.filePath(QStringLiteral("area.bmp"));
    ASSERT_TRUE(SaveDCAreaAsBmp(path, source, 10, 5, 8, 6));
    const QImage back(path);
    EXPECT_EQ(back.size(), QSize(8, 6));
    EXPECT_EQ(back.pixel(2, 2), qRgb(255, 255, 0));
    EXPECT_EQ(back.pixel(0, 0), qRgb(0, 128, 0));

    EXPECT_FALSE(SaveDCAreaAsBmp(path, source, 0, 0, 0, 6));
    EXPECT_FALSE(WriteDIBSectionToBmp(path, QImage()));
    EXPECT_FALSE(WriteDIBSectionToBmp(dir.filePath(QStringLiteral("missing/x.bmp")), source));
    EXPECT_EQ(QImage(path).size(), QSize(8, 6)); // a failed write leaves the earlier file whole
}

} // namespace
