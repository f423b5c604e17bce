// The ribbon's command icons: the committed pictures are what the generator draws, and a sheet of all
// of them at 32 and 16 pixels is kept for people to look at.
#include "RibbonIconPainter.h"

#include "platform/ResourceModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

// The largest difference of any channel of any pixel; antialiasing may differ by one between machines.
int LargestDifference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return 255;
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
        }
    }
    return largest;
}

TEST(RibbonIconsTest, ModulePicturesAreWhatTheGeneratorDraws)
{
    QString error;
    const std::unique_ptr<ResourceModule> module =
        ResourceModule::Load(QStringLiteral("EN"), QCoreApplication::applicationDirPath(), &error);
    ASSERT_TRUE(module) << error.toStdString();
    const QList<int> ids = RibbonIconPainter::Ids();
    QImage sheet(int(ids.size()) * 36 + 4, 60, QImage::Format_ARGB32);
    sheet.fill(QColor(0xE7, 0xEF, 0xFA));
    QPainter p(&sheet);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int i = 0; i < ids.size(); ++i) {
        SCOPED_TRACE(ids[i]);
        const QImage drawn = RibbonIconPainter::Draw(ids[i]).convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(drawn.size(), QSize(32, 32));
        const QImage stored = module->Bitmap(quint32(ids[i])).convertToFormat(QImage::Format_ARGB32);
        ASSERT_FALSE(stored.isNull()) << "run qor_ribbon_icons resources/en/bitmaps";
        EXPECT_LE(LargestDifference(stored, drawn), 2)
            << "the committed picture is out of date: run qor_ribbon_icons";
        p.drawImage(QPoint(4 + i * 36, 4), drawn);
        p.drawImage(QRect(12 + i * 36, 40, 16, 16), drawn);
    }
    p.end();
    QDir().mkpath(QStringLiteral(QOR_TEST_ARTIFACT_DIR));
    sheet.save(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/ribbon_icons.png"));
    EXPECT_TRUE(RibbonIconPainter::Draw(1).isNull());
}

} // namespace
