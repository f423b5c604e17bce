// Pictures and URLs from the language module, alpha thresholds and the shaded drawing.
#include "ui/ResourcePictures.h"
#include "model/text/ResourceText.h"
#include "platform/ResourceModule.h"

#include <QDir>
#include <QFile>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

class ResourcePicturesTest : public testing::Test
{
protected:
    void SetUp() override
    {
        QString error;
        m_module = ResourceModule::Load(QStringLiteral("XT"), QStringLiteral(QOR_TEST_MODULE_DIR), &error);
        ASSERT_TRUE(m_module) << error.toStdString();
        ResourceModule::SetCurrent(m_module.get());
    }
    void TearDown() override { ResourceModule::SetCurrent(nullptr); }

    std::unique_ptr<ResourceModule> m_module;
};

TEST_F(ResourcePicturesTest, PicturesLoadAsBitmapOrPngAndNothingElse)
{
    struct Case
    {
        quint32 id;
        int format;
        bool loads;
    };
    const Case cases[] = {{5, PICTURE_FORMAT_BITMAP, true},
                          {5, PICTURE_FORMAT_PNG, true},
                          {5, 2, false},
                          {6, PICTURE_FORMAT_PNG, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.id << " format " << c.format);
        const QImage picture = LoadCxImageFromResource(c.id, c.format);
        EXPECT_EQ(!picture.isNull(), c.loads);
        if (c.loads) {
            EXPECT_EQ(picture.size(), QSize(4, 3));
            EXPECT_EQ(picture.pixel(2, 0), qRgb(0, 0, 255));
        }
    }
    ResourceModule::SetCurrent(nullptr);
    EXPECT_TRUE(LoadCxImageFromResource(5, PICTURE_FORMAT_PNG).isNull());
}

TEST_F(ResourcePicturesTest, UrlsForBitmapsAndHtmlOnly)
{
    QString url = QStringLiteral("untouched");
    EXPECT_FALSE(GetResourceUrl(url, RES_TYPE_STRING, 23));
    EXPECT_FALSE(GetResourceUrl(url, 7, 23));
    EXPECT_EQ(url, QStringLiteral("untouched"));
    for (int type : {RES_TYPE_HTML, RES_TYPE_HTML_PAGE}) {
        ASSERT_TRUE(GetResourceUrl(url, type, 23));
        EXPECT_TRUE(url.startsWith(QStringLiteral("qrc:/Resource_XT_"))) << url.toStdString();
        EXPECT_TRUE(url.endsWith(QStringLiteral("/html/23.html")));
    }
    ASSERT_TRUE(GetResourceUrl(url, RES_TYPE_BITMAP, 5));
    EXPECT_FALSE(QImage(url.mid(3)).isNull()); // "qrc:" becomes ":" for Qt's file access
}

TEST(ResourcePictureOpsTest, AlphaAboveTheThresholdIsSetInsideTheArea)
{
    QImage base(4, 2, QImage::Format_ARGB32);
    // Row 0 alphas 0, 100, 200, 255; row 1 all 255.
    const int alphas[] = {0, 100, 200, 255};
    for (int x = 0; x < 4; ++x) {
        base.setPixel(x, 0, qRgba(10, 20, 30, alphas[x]));
        base.setPixel(x, 1, qRgba(10, 20, 30, 255));
    }
    struct Case
    {
        const char* name;
        bool whole;
        QRect area;
        int row0[4];
        int row1[4];
    };
    const Case cases[] = {
        {"whole picture", true, {}, {0, 100, 50, 50}, {50, 50, 50, 50}},
        {"left and top inside, right and bottom outside",
         false,
         QRect(1, 0, 2, 1),
         {0, 100, 50, 255},
         {255, 255, 255, 255}},
        {"clipped to the picture", false, QRect(2, 1, 10, 10), {0, 100, 200, 255}, {255, 255, 50, 50}},
        {"empty height: nothing", false, QRect(0, 0, 4, 0), {0, 100, 200, 255}, {255, 255, 255, 255}},
        {"outside: nothing", false, QRect(9, 9, 2, 2), {0, 100, 200, 255}, {255, 255, 255, 255}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QImage picture = base;
        SetCxImageAlphaAbove(picture, 150, 50, c.whole ? nullptr : &c.area);
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(qAlpha(picture.pixel(x, 0)), c.row0[x]) << "x " << x;
            EXPECT_EQ(qAlpha(picture.pixel(x, 1)), c.row1[x]) << "x " << x;
        }
        EXPECT_EQ(qRed(picture.pixel(3, 1)), 10); // colours stay
    }
    QImage opaque(2, 2, QImage::Format_RGB32); // no alpha channel: every pixel counts as opaque
    opaque.fill(qRgb(1, 2, 3));
    SetCxImageAlphaAbove(opaque, 254, 7);
    EXPECT_EQ(opaque.pixel(1, 1), qRgba(1, 2, 3, 7));
}

TEST(ResourcePictureOpsTest, ShadedBitmapHalvesTheTargetAndAddsTheSource)
{
    QImage target(60, 40, QImage::Format_RGB32);
    target.fill(Qt::white);
    QImage source(30, 20, QImage::Format_RGB32);
    source.fill(qRgb(0x80, 0x00, 0x00));
    for (int x = 0; x < 30; ++x)
        source.setPixel(x, 10, qRgb(0x00, 0x00, 0x80)); // a blue stripe
    {
        QPainter painter(&target);
        DrawShadedBitmap(painter, 10, 10, 30, 20, source);
    }
    QDir().mkpath(QStringLiteral(QOR_TEST_ARTIFACT_DIR));
    target.save(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/shaded_bitmap.png"));
    EXPECT_EQ(target.pixel(5, 5), qRgb(255, 255, 255));      // outside: untouched
    EXPECT_EQ(target.pixel(15, 15), qRgb(0xFF, 0x7F, 0x7F)); // 0x7F AND white, OR red 0x80
    EXPECT_EQ(target.pixel(15, 20), qRgb(0x7F, 0x7F, 0xFF)); // the stripe
    EXPECT_EQ(target.pixel(39, 29), qRgb(0xFF, 0x7F, 0x7F)); // last pixel of the area
    EXPECT_EQ(target.pixel(40, 30), qRgb(255, 255, 255));
}

} // namespace
