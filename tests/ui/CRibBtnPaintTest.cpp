// What button strips look like: the committed strip pictures match their generator (within the few colour
// steps by which antialiasing differs between processors), and a strip rendered in its normal, hovered,
// pressed and disabled states shows the right images and colours.
#include "PictureCompare.h"
#include "StripBitmapPainter.h"
#include "StripTestSupport.h"

#include "ui/CRibBtnContainer.h"
#include "ui/FadeClock.h"
#include "ui/ImageManager.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(StripBitmapsTest, ModulePicturesAreWhatTheGeneratorDraws)
{
    StripModule module;
    ASSERT_TRUE(module.Module());
    for (int id : StripBitmapPainter::Ids()) {
        SCOPED_TRACE(id);
        const QImage drawn = StripBitmapPainter::Draw(id);
        const QImage stored = module.Module()->Bitmap(id);
        ASSERT_FALSE(stored.isNull()) << "run qor_strip_bitmaps resources/en/bitmaps";
        EXPECT_TRUE(PicturesMatch(drawn, stored, 8, QStringLiteral("strip_bitmap_%1").arg(id)))
            << "the committed picture is out of date: run qor_strip_bitmaps resources/en/bitmaps";
    }
    EXPECT_EQ(StripBitmapPainter::Draw(3512).size(), QSize(42, 66));
    EXPECT_EQ(StripBitmapPainter::Draw(3516).size(), QSize(42, 42));
    EXPECT_EQ(StripBitmapPainter::Draw(668).size(), QSize(32, 32));
}

bool Warm(QColor c)
{
    return c.red() > c.blue() + 20;
}
bool Cool(QColor c)
{
    return c.blue() > c.red() + 10;
}
bool Near(QColor a, QColor b, int tolerance)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}
// Pixels in `area` for which `test` holds.
template <typename Test> int Count(const QImage& image, const QRect& area, Test test)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += test(image.pixelColor(x, y)) ? 1 : 0;
    return n;
}

class StripPictureTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        strip = new CRibBtnContainer(false, false, true);
        ASSERT_TRUE(strip->Create(7, &host, 0, 0, 200, QStringLiteral("Loading")));
        strip->AddButton(668, &host);
        strip->AddSeparator();
        strip->AddButton(705, &host);
        ok = strip->FindButton(668);
    }
    QImage Render(const QString& name)
    {
        SendPosted();
        const QImage image = strip->grab().toImage().convertToFormat(QImage::Format_ARGB32);
        SaveArtifact(image, name);
        return image;
    }
    QRect Icon() const { return QRect(ok->x() + (ok->width() - 32) / 2, ok->y() + 4, 32, 32); }
    QRect CaptionBand() const { return QRect(ok->x(), ok->y() + ok->height() - 28, ok->width(), 13); }
    QPoint Fill() const { return QPoint(ok->x() + 3, ok->y() + 20); } // state image, no icon or text

    StripModule module;
    ScopedFadeClock clock;
    StripHost host;
    CRibBtnContainer* strip = nullptr;
    CRibBtn* ok = nullptr;
};

const QColor kCaption(0x15, 0x42, 0x8B);
const QColor kCaptionDisabled(0x90, 0x90, 0x90);
auto IsGreen = [](QColor c) { return c.green() > c.red() + 40 && c.green() > c.blue() + 40; };

TEST_F(StripPictureTest, NormalHoveredPressedAndDisabledStates)
{
    ASSERT_EQ(strip->height(), 85);
    const QImage normal = Render(QStringLiteral("strip_normal.png"));
    const QColor background = strip->BackgroundCache().pixelColor(Fill());
    EXPECT_TRUE(Cool(background));
    EXPECT_EQ(normal.pixelColor(Fill()), background) << "an idle button shows the strip beneath";
    EXPECT_GT(Count(normal, Icon(), IsGreen), 40) << "the OK tick";
    EXPECT_GT(Count(normal, CaptionBand(), [](QColor c) { return Near(c, kCaption, 40); }), 5);
    const int separator = strip->SeparatorPositions().value(0);
    EXPECT_FALSE(Near(normal.pixelColor(separator, 35), background, 8)) << "the separator line";
    EXPECT_GT(
        Count(normal, QRect(0, 70, 200, 15), [](QColor c) { return Near(c, QColor(0x3E, 0x6A, 0xAA), 40); }),
        5)
        << "the title in the band";

    SendMouse(ok, QEvent::MouseMove, ok->rect().center());
    clock.Advance(400);
    strip->StepFades();
    const QImage hovered = Render(QStringLiteral("strip_hovered.png"));
    const QColor hover = hovered.pixelColor(Fill());
    EXPECT_TRUE(Warm(hover)) << "hover highlight";
    const QPoint away(strip->width() - 6, 40); // strip background right of the buttons
    EXPECT_NE(hovered.pixelColor(away), normal.pixelColor(away)) << "the strip's hover background";

    SendMouse(ok, QEvent::MouseButtonPress, ok->rect().center());
    const QImage pressed = Render(QStringLiteral("strip_pressed.png"));
    const QColor press = pressed.pixelColor(Fill());
    EXPECT_TRUE(Warm(press));
    EXPECT_LT(press.green(), hover.green() - 10) << "pressed is deeper than hover";
    SendMouse(ok, QEvent::MouseButtonRelease, ok->rect().center());

    strip->EnableButton(668, false);
    SendMouse(strip, QEvent::MouseMove, QPoint(-10, -10));
    clock.Advance(1000);
    ok->StepFades();
    strip->StepFades();
    const QImage disabled = Render(QStringLiteral("strip_disabled.png"));
    EXPECT_EQ(disabled.pixelColor(Fill()), background);
    EXPECT_EQ(Count(disabled, Icon(), IsGreen), 0) << "the icon is greyed";
    EXPECT_EQ(Count(disabled, CaptionBand(), [](QColor c) { return Near(c, kCaption, 40); }), 0);
    EXPECT_GT(Count(disabled, CaptionBand(), [](QColor c) { return Near(c, kCaptionDisabled, 30); }), 5);
}

TEST_F(StripPictureTest, CheckedButtonAndTwoLineCaptions)
{
    strip->SetButtonCheckMode(705, 1);
    strip->FindButton(705)->SetCheck(1);
    strip->AddButton(1001, &host, QStringLiteral("Axle\nloads\nhidden"));
    strip->SetWindowPosAndShape(0, 0, 260);
    const QImage image = Render(QStringLiteral("strip_checked_two_lines.png"));
    const CRibBtn* cancel = strip->FindButton(705);
    EXPECT_TRUE(Warm(image.pixelColor(cancel->x() + 3, cancel->y() + 20))) << "checked image";

    const CRibBtn* two = strip->FindButton(1001);
    const auto ink = [](QColor c) { return Near(c, kCaption, 60); };
    const int h = two->height();
    EXPECT_GT(Count(image, QRect(two->x(), two->y() + h - 28, two->width(), 13), ink), 5) << "first line";
    EXPECT_GT(Count(image, QRect(two->x(), two->y() + h - 15, two->width(), 13), ink), 5) << "second line";
    EXPECT_EQ(Count(image, QRect(two->x(), two->y() + 4, two->width(), h - 33), ink), 0)
        << "above the caption";
}

TEST_F(StripPictureTest, StretchedBackgroundLeavesNoGaps)
{
    // The panel picture is narrower than the strip: its edges and centre are stretched, and every
    // pixel of the strip is covered by it.
    strip->SetWindowPosAndShape(0, 0, 333);
    const QImage& background = strip->BackgroundCache();
    ASSERT_EQ(background.size(), QSize(333, 85));
    EXPECT_EQ(Count(background, background.rect(), [](QColor c) { return c.alpha() != 255; }), 0);
    const QImage picture = module.Module()->Bitmap(3500).convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(background.pixelColor(0, 40), picture.pixelColor(0, 40)) << "the frame stays at the edge";
    EXPECT_EQ(background.pixelColor(332, 40), picture.pixelColor(47, 40));
}

TEST_F(StripPictureTest, PlainColouredBackgrounds)
{
    // As a message box sets its strip: both backgrounds in the dialog colour.
    strip->SetBackgroundBitmapColor(2, 0xEDD8C8);
    strip->SetBackgroundBitmapColor(1, 0xEDD8C8);
    const QImage image = Render(QStringLiteral("strip_plain_colour.png"));
    EXPECT_EQ(image.pixelColor(Fill()), QColor(0xC8, 0xD8, 0xED));
    EXPECT_EQ(image.pixelColor(strip->width() - 6, 40), QColor(0xC8, 0xD8, 0xED));
}

TEST(StripPictureSideTest, IconBesideTheCaption)
{
    StripModule module;
    StripHost host;
    auto* strip = new CRibBtnContainer(true, true, false);
    ASSERT_TRUE(strip->Create(7, &host, 0, 0, 0, QString()));
    strip->AddButton(668, &host);
    strip->AddSeparator();
    strip->AddButton(705, &host);
    const QImage image = strip->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    SaveArtifact(image, QStringLiteral("strip_icon_beside.png"));
    const CRibBtn* ok = strip->FindButton(668);
    EXPECT_EQ(strip->height(), 46);
    EXPECT_GT(Count(image, QRect(ok->x() + 3, ok->y() + (ok->height() - 32) / 2, 32, 32), IsGreen), 40);
    EXPECT_GT(Count(image, QRect(ok->x() + 38, ok->y(), ok->width() - 38, ok->height()),
                    [](QColor c) { return Near(c, kCaption, 40); }),
              5);
}

} // namespace
