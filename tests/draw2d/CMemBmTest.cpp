// The memory picture: loading by number, copies, raster operations, stretching and the key colour.
#include "draw2d/CMemBm.h"

#include "platform/ResourceModule.h"

#include <QCoreApplication>
#include <QPainter>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// A 4 x 2 picture: red, green, blue, white on top; black, grey, yellow, white below.
QImage Pattern()
{
    QImage image(4, 2, QImage::Format_RGB32);
    const QRgb pixels[2][4] = {{qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 255)},
                               {qRgb(0, 0, 0), qRgb(128, 128, 128), qRgb(255, 255, 0), qRgb(255, 255, 255)}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            image.setPixel(x, y, pixels[y][x]);
    return image;
}

QImage Canvas(QSize size, QRgb fill)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

template <typename Paint> QImage PaintOn(QImage target, Paint paint)
{
    QPainter painter(&target);
    paint(painter);
    return target;
}

// Number of distinct colours in a picture.
int Colours(const QImage& image)
{
    QSet<QRgb> seen;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            seen.insert(image.pixel(x, y));
    return static_cast<int>(seen.size());
}

class CMemBmTest : public ::testing::Test
{
protected:
    CMemBmTest()
        : m_module(
              ResourceModule::Load(QStringLiteral("EN"), QCoreApplication::applicationDirPath(), nullptr)),
          m_previous(ResourceModule::Current())
    {
        ResourceModule::SetCurrent(m_module.get());
        m_pattern = Pattern();
        EXPECT_TRUE(m_loaded.CreateFromDC(&m_pattern, 0, 0, 4, 2, SRCCOPY));
    }
    ~CMemBmTest() override { ResourceModule::SetCurrent(m_previous); }

    std::unique_ptr<ResourceModule> m_module;
    const ResourceModule* m_previous;
    QImage m_pattern;
    CMemBm m_loaded;
};

struct Case
{
    const char* name;
    std::function<::testing::AssertionResult()> check;
};

::testing::AssertionResult Same(const QImage& a, const QImage& b)
{
    if (a.convertToFormat(QImage::Format_RGB32) == b.convertToFormat(QImage::Format_RGB32))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pictures differ";
}

TEST_F(CMemBmTest, BehavesAsItsStatesAndOperationsPromise)
{
    ASSERT_NE(m_module, nullptr);
    const QImage white = Canvas(QSize(12, 6), qRgb(255, 255, 255));
    const Case cases[] = {
        {"loading by number gives the module's picture, a second load keeps it",
         [&] {
             CMemBm bm;
             if (!bm.LoadBitmap(542))
                 return ::testing::AssertionFailure() << "542 did not load";
             const QImage first = bm.GetImage();
             if (!bm.LoadBitmap(3500) || bm.GetImage() != first ||
                 bm.GetSize() != m_module->Bitmap(542).size())
                 return ::testing::AssertionFailure() << "second load changed the picture";
             return ::testing::AssertionSuccess();
         }},
        {"a missing number answers false, stays empty and draws nothing",
         [&] {
             CMemBm bm;
             if (bm.LoadBitmap(987654) || bm.IsLoaded() || bm.GetSize() != QSize(0, 0))
                 return ::testing::AssertionFailure() << "not empty";
             if (bm.GetPixel(0, 0) != CLR_INVALID)
                 return ::testing::AssertionFailure() << "pixel of an empty picture";
             return Same(PaintOn(white,
                                 [&](QPainter& p) {
                                     bm.Draw(p, 0, 0, SRCCOPY);
                                     bm.StretchDraw(p, 0, 0, 8, 4, SRCCOPY, COLORONCOLOR);
                                     bm.DrawTransparent(p, 0, 0, 4, 2, RGB(255, 255, 255));
                                 }),
                         white);
         }},
        {"stretching to the picture's own size is Draw",
         [&] {
             return Same(
                 PaintOn(white, [&](QPainter& p) { m_loaded.StretchDraw(p, 3, 2, 4, 2, SRCCOPY, HALFTONE); }),
                 PaintOn(white, [&](QPainter& p) { m_loaded.Draw(p, 3, 2, SRCCOPY); }));
         }},
        {"COLORONCOLOR picks pixels and leaves the painter's smoothing as it was",
         [&] {
             QImage target = white;
             QPainter p(&target);
             p.setRenderHint(QPainter::SmoothPixmapTransform, true);
             m_loaded.StretchDraw(p, 0, 0, 12, 6, SRCCOPY, COLORONCOLOR);
             if (!p.testRenderHint(QPainter::SmoothPixmapTransform))
                 return ::testing::AssertionFailure() << "smoothing changed";
             p.end();
             if (Colours(target) != 7 || target.pixel(0, 0) != qRgb(255, 0, 0) ||
                 target.pixel(11, 5) != qRgb(255, 255, 255))
                 return ::testing::AssertionFailure() << Colours(target) << " colours";
             return ::testing::AssertionSuccess();
         }},
        {"HALFTONE smooths and leaves the painter's smoothing off",
         [&] {
             QImage target = white;
             QPainter p(&target);
             m_loaded.StretchDraw(p, 0, 0, 12, 6, SRCCOPY, HALFTONE);
             if (p.testRenderHint(QPainter::SmoothPixmapTransform))
                 return ::testing::AssertionFailure() << "smoothing left on";
             p.end();
             return Colours(target) > 7 ? ::testing::AssertionSuccess()
                                        : ::testing::AssertionFailure() << "no blended colours";
         }},
        {"a copy is independent of its destroyed source",
         [&] {
             auto source = std::make_unique<CMemBm>();
             source->CreateFromDC(&m_pattern, 0, 0, 4, 2, SRCCOPY);
             CMemBm copy(*source, SRCCOPY);
             source->Destroy();
             source.reset();
             if (!copy.IsLoaded() || copy.GetSize() != QSize(4, 2))
                 return ::testing::AssertionFailure() << "copy not loaded";
             return Same(copy.GetImage(), m_pattern);
         }},
        {"destroying a fresh object answers false and leaves it empty",
         [&] {
             CMemBm bm;
             if (bm.Destroy() || bm.IsLoaded() || bm.GetWidth() != 0)
                 return ::testing::AssertionFailure();
             CMemBm loaded(m_loaded, SRCCOPY);
             if (!loaded.Destroy() || loaded.IsLoaded() || loaded.Destroy())
                 return ::testing::AssertionFailure() << "second destroy";
             return ::testing::AssertionSuccess();
         }},
        {"pixels come in the platform's colour order",
         [&] {
             if (m_loaded.GetPixel(0, 0) != 0x0000FF || m_loaded.GetPixel(2, 0) != 0xFF0000 ||
                 m_loaded.GetPixel(4, 0) != CLR_INVALID || m_loaded.GetPixel(-1, 0) != CLR_INVALID)
                 return ::testing::AssertionFailure();
             return ::testing::AssertionSuccess();
         }},
        {"SRCAND keeps only what both pictures hold",
         [&] {
             const QImage target = PaintOn(Canvas(QSize(4, 2), qRgb(0, 255, 255)),
                                           [&](QPainter& p) { m_loaded.Draw(p, 0, 0, SRCAND); });
             if (target.pixel(0, 0) != qRgb(0, 0, 0) || target.pixel(1, 0) != qRgb(0, 255, 0) ||
                 target.pixel(3, 1) != qRgb(0, 255, 255))
                 return ::testing::AssertionFailure();
             return ::testing::AssertionSuccess();
         }},
        {"the key colour is left out of a transparent draw, also when stretched",
         [&] {
             const QImage target = PaintOn(Canvas(QSize(8, 4), qRgb(10, 20, 30)), [&](QPainter& p) {
                 m_loaded.DrawTransparent(p, 0, 0, 8, 4, m_loaded.GetPixel(3, 0));
             });
             if (target.pixel(7, 0) != qRgb(10, 20, 30) || target.pixel(7, 3) != qRgb(10, 20, 30) ||
                 target.pixel(1, 1) != qRgb(255, 0, 0) || target.pixel(0, 3) != qRgb(0, 0, 0))
                 return ::testing::AssertionFailure();
             return ::testing::AssertionSuccess();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(c.check());
    }
}

TEST_F(CMemBmTest, CopyFromAPictureAnswersWhatTheCopyDid)
{
    struct Copy
    {
        const char* name;
        int x, y, cx, cy;
        std::uint32_t rop;
        bool ok;
    };
    const Copy copies[] = {
        {"whole", 0, 0, 4, 2, SRCCOPY, true},
        {"part", 1, 1, 2, 1, SRCCOPY, true},
        {"reaching beyond the right edge", 2, 0, 3, 2, SRCCOPY, false},
        {"starting left of the picture", -1, 0, 2, 2, SRCCOPY, false},
        {"empty width", 0, 0, 0, 2, SRCCOPY, false},
        {"negative height", 0, 0, 2, -2, SRCCOPY, false},
        {"unknown raster operation", 0, 0, 2, 2, 0x12345678, false},
    };
    for (const Copy& c : copies) {
        SCOPED_TRACE(c.name);
        CMemBm bm;
        EXPECT_EQ(bm.CreateFromDC(&m_pattern, c.x, c.y, c.cx, c.cy, c.rop), c.ok);
        EXPECT_EQ(bm.IsLoaded(), c.ok);
        EXPECT_EQ(bm.GetSize(), c.ok ? QSize(c.cx, c.cy) : QSize(0, 0));
    }
    CMemBm part;
    ASSERT_TRUE(part.CreateFromDC(&m_pattern, 1, 1, 2, 1, SRCCOPY));
    EXPECT_EQ(part.GetPixel(0, 0), RGB(128, 128, 128));
    EXPECT_EQ(part.GetPixel(1, 0), RGB(255, 255, 0));
    // An inverted copy, and an empty source that copies nothing.
    CMemBm inverted;
    ASSERT_TRUE(inverted.CreateFromDC(&m_pattern, 0, 0, 4, 2, NOTSRCCOPY));
    EXPECT_EQ(inverted.GetPixel(0, 0), RGB(0, 255, 255));
    CMemBm empty, fromEmpty;
    EXPECT_FALSE(fromEmpty.CreateCopy(empty, SRCCOPY));
    const QImage none;
    EXPECT_FALSE(fromEmpty.CreateFromDC(&none, 0, 0, 1, 1, SRCCOPY));
    // A loaded object is not loaded again.
    EXPECT_TRUE(part.CreateFromDC(&m_pattern, 0, 0, 4, 2, SRCCOPY));
    EXPECT_EQ(part.GetSize(), QSize(2, 1));
}

} // namespace
