// The picture comparison of the picture tests: its tolerance per channel and the pictures it keeps of a
// mismatch.
#include "PictureCompare.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

QImage Picture(QRgb centre)
{
    QImage image(12, 8, QImage::Format_ARGB32);
    image.fill(qRgb(40, 80, 120));
    image.setPixel(5, 3, centre);
    return image;
}

TEST(PictureCompareTest, DifferencesWithinTheToleranceOfEachChannelPass)
{
    const QImage expected = Picture(qRgb(100, 100, 100));
    struct Case
    {
        const char* name;
        QImage actual;
        bool match;
    };
    const Case cases[] = {
        {"same", Picture(qRgb(100, 100, 100)), true},
        {"two steps in each colour", Picture(qRgb(102, 98, 102)), true},
        {"three steps in blue only", Picture(qRgb(100, 100, 103)), false},
        {"alpha", Picture(qRgba(100, 100, 100, 250)), false},
        {"other size", expected.copy(0, 0, 12, 7), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(bool(PicturesMatch(c.actual, expected, 2, QStringLiteral("picture_compare"))), c.match);
    }
}

TEST(PictureCompareTest, AMismatchKeepsTheThreePicturesAndSaysWhere)
{
    const QString base = QStringLiteral(QOR_TEST_ARTIFACT_DIR "/picture_compare_mismatch");
    for (const char* end : {".expected.png", ".actual.png", ".diff.png"})
        QFile::remove(base + QLatin1String(end));
    const testing::AssertionResult result =
        PicturesMatch(Picture(qRgb(200, 100, 100)), Picture(qRgb(100, 100, 100)), 2,
                      QStringLiteral("picture_compare_mismatch"));
    ASSERT_FALSE(result);
    const std::string message = result.message();
    EXPECT_NE(message.find("1 pixels differ"), std::string::npos) << message;
    EXPECT_NE(message.find("(5, 3)"), std::string::npos) << message;
    EXPECT_NE(message.find(base.toStdString()), std::string::npos) << message;
    const QImage diff(base + QStringLiteral(".diff.png"));
    ASSERT_FALSE(diff.isNull());
    EXPECT_EQ(diff.pixel(5, 3), qRgb(255, 0, 0));
    EXPECT_EQ(diff.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(QImage(base + QStringLiteral(".actual.png")).pixel(5, 3), qRgb(200, 100, 100));
    EXPECT_EQ(QImage(base + QStringLiteral(".expected.png")).pixel(5, 3), qRgb(100, 100, 100));
}

} // namespace
