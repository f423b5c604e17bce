// The application's pictures: the committed splash and catalogue pictures are what the generator
// draws, the icons are 16 x 16 and tell apart what they stand for, and the splash shows its picture.
#include "AppBitmapPainter.h"

#include "app/CWndSplashScreen.h"
#include "platform/ResourceModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

// The largest difference of one channel (alpha included) between two pictures of the same size; 256
// for pictures of different sizes. Antialiased edges differ by a few units between processors.
int MaxChannelDifference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return 256;
    int most = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            most = std::max({most, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                             std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
        }
    return most;
}

const ResourceModule* Module()
{
    static std::unique_ptr<ResourceModule> module =
        ResourceModule::Load(QStringLiteral("EN"), QCoreApplication::applicationDirPath(), nullptr);
    return module.get();
}

TEST(AppBitmapsTest, ModulePicturesAreWhatTheGeneratorDraws)
{
    ASSERT_NE(Module(), nullptr);
    QDir().mkpath(QStringLiteral(QOR_TEST_ARTIFACT_DIR));
    for (int id : AppBitmapPainter::Ids()) {
        SCOPED_TRACE(id);
        const QImage drawn = AppBitmapPainter::Draw(id).convertToFormat(QImage::Format_ARGB32);
        const QImage stored =
            Module()->Bitmap(static_cast<quint32>(id)).convertToFormat(QImage::Format_ARGB32);
        ASSERT_FALSE(stored.isNull()) << "run qor_app_bitmaps resources/en/bitmaps";
        EXPECT_LE(MaxChannelDifference(stored, drawn), 8)
            << "the committed picture is out of date: run qor_app_bitmaps";
        if (id != AppBitmapPainter::kSplash) {
            EXPECT_EQ(drawn.size(), QSize(16, 16));
        }
    }
    // A contact sheet of the icons at four times their size, for people to look at.
    const QList<int> ids = AppBitmapPainter::Ids();
    QImage sheet(ids.size() * 72, 72, QImage::Format_ARGB32);
    sheet.fill(QColor(0xC8, 0xD8, 0xED));
    {
        QPainter painter(&sheet);
        for (int i = 0; i < ids.size(); ++i) {
            if (ids[i] != AppBitmapPainter::kSplash)
                painter.drawImage(QRect(i * 72 + 4, 4, 64, 64), AppBitmapPainter::Draw(ids[i]));
        }
    }
    sheet.save(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/catalogue_icons.png"));
    AppBitmapPainter::Draw(AppBitmapPainter::kSplash)
        .save(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/splash_785.png"));
}

TEST(AppBitmapsTest, IconsDifferAndInUseIconsAreMarked)
{
    const QList<int> ids = AppBitmapPainter::Ids();
    for (int a = 0; a < ids.size(); ++a)
        for (int b = a + 1; b < ids.size(); ++b) {
            SCOPED_TRACE(QStringLiteral("%1 %2").arg(ids[a]).arg(ids[b]).toStdString());
            EXPECT_NE(AppBitmapPainter::Draw(ids[a]), AppBitmapPainter::Draw(ids[b]));
        }
    // Free and in-use pairs: the in-use one carries the red mark in its lower right corner.
    const std::pair<int, int> pairs[] = {{133, 176}, {136, 177}, {134, 178}, {135, 179},
                                         {341, 342}, {510, 511}, {550, 552}, {551, 553}};
    for (const auto& [free, used] : pairs) {
        SCOPED_TRACE(used);
        const QColor mark = AppBitmapPainter::Draw(used).pixelColor(12, 11);
        EXPECT_GT(mark.red(), 150);
        EXPECT_LT(mark.green(), 80);
        EXPECT_NE(AppBitmapPainter::Draw(free).pixelColor(12, 11), mark);
    }
    // The icons are see-through around their shapes; the mask keeps every pixel.
    EXPECT_EQ(qAlpha(AppBitmapPainter::Draw(133).pixel(15, 0)), 0);
    const QImage mask = AppBitmapPainter::Draw(AppBitmapPainter::kCatalogueMask);
    EXPECT_EQ(mask.pixelColor(0, 0), QColor(Qt::black));
}

TEST(AppBitmapsTest, SplashShowsItsPictureAndEndsOnce)
{
    ASSERT_NE(Module(), nullptr);
    const ResourceModule* before = ResourceModule::Current();
    ResourceModule::SetCurrent(Module());
    int ends = 0;
    auto* splash = new CWndSplashScreen(nullptr);
    ASSERT_TRUE(splash->Create(785, 60000, [&] { ++ends; }));
    EXPECT_EQ(splash->size(), splash->Picture().size());
    EXPECT_TRUE(splash->isVisible());
    const QImage shown = splash->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(shown.pixelColor(10, 10),
              splash->Picture().convertToFormat(QImage::Format_ARGB32).pixelColor(10, 10));
    splash->End();
    splash->End();
    EXPECT_EQ(ends, 1);
    EXPECT_FALSE(splash->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    auto* missing = new CWndSplashScreen(nullptr);
    EXPECT_FALSE(missing->Create(4, 100, [&] { ++ends; })); // no such picture: nothing shows
    EXPECT_FALSE(missing->isVisible());
    delete missing;
    EXPECT_EQ(ends, 1);
    ResourceModule::SetCurrent(before);
}

} // namespace
