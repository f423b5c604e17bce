// The 32-bit pixel bitmap: creation, conversion, clipped copies and blends, resampling, filters, and the
// QImage adapters.
#include "draw2d/core/BitmapExImage.h"
#include "draw2d/core/CBitmapEx.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPainter>

#include <cstdint>
#include <vector>

namespace {

constexpr std::uint32_t kRot = 0xFF0000, kGruen = 0x00FF00, kBlau = 0x0000FF, kWeiss = 0xFFFFFF;

void Fuelle(CBitmapEx& bm, int w, int h, std::uint32_t c)
{
    bm.Create(w, h);
    bm.Clear(c);
}

// A picture whose every pixel differs: red by column, green by line, blue 0x40.
void Muster(CBitmapEx& bm, int w, int h)
{
    bm.Create(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            bm.SetPixel(x, y, std::uint32_t(x * 16) << 16 | std::uint32_t(y * 16) << 8 | 0x40);
}

int Zaehle(const CBitmapEx& bm, std::uint32_t c)
{
    int n = 0;
    for (int y = 0; y < bm.GetHeight(); ++y)
        for (int x = 0; x < bm.GetWidth(); ++x)
            n += bm.GetPixel(x, y) == c;
    return n;
}

} // namespace

TEST(BitmapEx, CreateSetsHeadersAndTakesNegativeSizesAsZero)
{
    CBitmapEx bm;
    EXPECT_TRUE(bm.IsEmpty());
    bm.Create(-5, 10);
    EXPECT_EQ(bm.GetWidth(), 0);
    EXPECT_EQ(bm.GetHeight(), 10);
    EXPECT_EQ(bm.GetSize(), 0);
    bm.Create(3, 2);
    EXPECT_EQ(bm.GetPitch(), 12);
    EXPECT_EQ(bm.GetSize(), 24);
    EXPECT_EQ(bm.GetFileHeader().bfType, 0x4D42);
    EXPECT_EQ(bm.GetFileHeader().bfSize, 24u + 54u);
    EXPECT_EQ(bm.GetFileHeader().bfOffBits, 54u);
    EXPECT_EQ(bm.GetInfoHeader().biSize, 40u);
    EXPECT_EQ(bm.GetInfoHeader().biBitCount, 32);
    EXPECT_EQ(bm.GetInfoHeader().biPlanes, 1);
    EXPECT_EQ(bm.GetInfoHeader().biHeight, 2) << "rows bottom-up";
    EXPECT_EQ(bm.Clear(kBlau), kBlau);
    EXPECT_EQ(Zaehle(bm, kBlau), 6);
}

TEST(BitmapEx, RowsAreStoredBottomUp)
{
    CBitmapEx bm;
    Fuelle(bm, 2, 3, 0);
    bm.SetPixel(1, 0, kRot); // top line of the picture
    EXPECT_EQ(bm.GetData()[2 * 2 + 1], kRot) << "the last stored row";
    EXPECT_EQ(bm.GetPixel(1, 0), kRot);
    EXPECT_EQ(bm.GetPixel(5, 0), 0u);
}

TEST(BitmapEx, FailedAllocationLeavesNoBitmapAndEveryOperationIgnoresIt)
{
    CBitmapEx bm;
    bm.Create(100000, 100000); // 40 GB do not fit the buffer's size field
    EXPECT_TRUE(bm.IsEmpty());
    EXPECT_EQ(bm.GetWidth(), 0);
    EXPECT_EQ(bm.GetSize(), 0);
    CBitmapEx src;
    Fuelle(src, 4, 4, kRot);
    bm.Clear(kRot);
    bm.DrawBitmap(0, 0, 4, 4, src, 0, 0);
    bm.DrawBlended(0, 0, 4, 4, src, 0, 0, 50, 0);
    bm.DrawScaled(0, 0, 4, 4, src, 0, 0, 4, 4, 50, 0);
    bm.Resize(2, 2);
    bm.AdjustBrightness(10);
    bm.Colorize(kRot);
    bm.Blur();
    EXPECT_TRUE(bm.IsEmpty());

    // Nor does an empty source draw.
    CBitmapEx ziel;
    Fuelle(ziel, 2, 2, kBlau);
    ziel.DrawBitmap(0, 0, 2, 2, bm, 0, 0);
    ziel.DrawBlended(0, 0, 2, 2, bm, 0, 0, 100, 0);
    EXPECT_EQ(Zaehle(ziel, kBlau), 4);
    CBitmapEx kopie;
    kopie.CreateCopy(bm);
    EXPECT_TRUE(kopie.IsEmpty());
}

TEST(BitmapEx, CopyIsDeep)
{
    CBitmapEx a;
    Muster(a, 3, 2);
    a.m_nResampleMode = CBitmapEx::kBilinear;
    CBitmapEx b;
    b.CreateCopy(a);
    a.Clear(0);
    EXPECT_EQ(b.GetWidth(), 3);
    EXPECT_EQ(b.GetPixel(2, 1), 0x201040u);
    EXPECT_EQ(b.m_nResampleMode, CBitmapEx::kBilinear);
}

TEST(BitmapEx, LoadConvertsEachDepthAndTurnsTopDownRowsOver)
{
    // Two lines of two pixels each, top line first: red, green / blue, white.
    const unsigned char b32[] = {0, 0, 255, 9, 0, 255, 0, 9, 255, 0, 0, 9, 255, 255, 255, 9};
    const unsigned char b24[] = {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0}; // pitch 8
    const unsigned char b8[] = {2, 1, 0, 3};
    const std::uint32_t palette[] = {kBlau, kGruen, kRot, kWeiss};
    // 5-5-5: red 31 at bits 10-14; the fields land unscaled in the channels.
    const std::uint16_t b16[] = {0x1F << 10, 0x1F << 5, 0x1F, 0x7FFF};
    struct Fall
    {
        const char* name;
        const void* bits;
        int bpp, pitch;
        std::uint32_t erwartet[4];
    };
    const Fall faelle[] = {
        {"32", b32, 32, 8, {kRot, kGruen, kBlau, kWeiss}},
        {"24", b24, 24, 8, {kRot, kGruen, kBlau, kWeiss}},
        {"8", b8, 8, 2, {kRot, kGruen, kBlau, kWeiss}},
        {"16", b16, 16, 4, {0x1F0000, 0x001F00, 0x00001F, 0x1F1F1F}},
    };
    for (const Fall& c : faelle) {
        SCOPED_TRACE(c.name);
        CBitmapEx bm;
        bm.LoadFromPixels(c.bits, 2, 2, c.bpp, c.pitch, palette, 4);
        ASSERT_FALSE(bm.IsEmpty());
        EXPECT_EQ(bm.GetInfoHeader().biBitCount, 32);
        EXPECT_EQ(bm.GetPitch(), 8);
        EXPECT_EQ(bm.GetPixel(0, 0), c.erwartet[0]);
        EXPECT_EQ(bm.GetPixel(1, 0), c.erwartet[1]);
        EXPECT_EQ(bm.GetPixel(0, 1), c.erwartet[2]);
        EXPECT_EQ(bm.GetPixel(1, 1), c.erwartet[3]);
        EXPECT_EQ(bm.GetData()[0], c.erwartet[2]) << "the bottom line is stored first";
    }
    CBitmapEx bm;
    bm.LoadFromPixels(b8, 2, 2, 8, 2, nullptr, 0);
    EXPECT_TRUE(bm.IsEmpty()) << "8 bits without a palette";
    bm.LoadFromPixels(b8, 2, 2, 4, 2, palette, 4);
    EXPECT_TRUE(bm.IsEmpty()) << "4 bits";
}

TEST(BitmapEx, PlainAndBlendedCopiesCoverExactlyTheRectangleAndClip)
{
    CBitmapEx src;
    Fuelle(src, 4, 4, kRot);
    struct Fall
    {
        const char* name;
        int dx, dy, w, h, sx, sy;
        int anzahl; // destination pixels turned red
        int ersteX, ersteY;
    };
    const Fall faelle[] = {
        {"inside", 1, 1, 2, 3, 0, 0, 6, 1, 1},
        {"whole source at the corner", 0, 0, 4, 4, 0, 0, 16, 0, 0},
        {"negative destination", -1, -2, 3, 3, 0, 0, 2, 0, 0},
        {"negative source", 2, 2, 3, 3, -1, -1, 4, 3, 3},
        {"beyond the destination", 6, 5, 4, 4, 0, 0, 4, 6, 5},
        {"beyond the source", 0, 0, 4, 4, 3, 3, 1, 0, 0},
        {"nothing left", 8, 0, 2, 2, 0, 0, 0, -1, -1},
    };
    for (const Fall& c : faelle) {
        SCOPED_TRACE(c.name);
        for (int art = 0; art < 2; ++art) {
            SCOPED_TRACE(art == 0 ? "plain" : "blended");
            CBitmapEx ziel;
            Fuelle(ziel, 8, 7, kBlau);
            if (art == 0)
                ziel.DrawBitmap(c.dx, c.dy, c.w, c.h, src, c.sx, c.sy);
            else
                ziel.DrawBlended(c.dx, c.dy, c.w, c.h, src, c.sx, c.sy, 100, 0x123456);
            EXPECT_EQ(Zaehle(ziel, kRot), c.anzahl);
            if (c.ersteX >= 0) {
                EXPECT_EQ(ziel.GetPixel(c.ersteX, c.ersteY), kRot);
            }
        }
    }
}

TEST(BitmapEx, BlendingWeighsSourceAndDestinationAndSkipsTheTransparentColour)
{
    CBitmapEx src;
    Muster(src, 4, 4);
    src.SetPixel(2, 2, 0x00FF00);
    struct Fall
    {
        int prozent;
        std::uint32_t ueber; // the pixel (1, 1) over white
    };
    // a = trunc(p / 100 x 256): 50 % gives 128, so 0x101040 over white gives 0x87879F (channel 0x10:
    // (16 x 128 + 255 x 128) >> 8 = 135).
    const Fall faelle[] = {{100, 0x101040}, {150, 0x101040}, {0, kWeiss}, {-20, kWeiss}, {50, 0x87879F}};
    for (const Fall& c : faelle) {
        SCOPED_TRACE(c.prozent);
        CBitmapEx ziel;
        Fuelle(ziel, 4, 4, kWeiss);
        ziel.DrawBlended(0, 0, 4, 4, src, 0, 0, c.prozent, 0x00FF00);
        EXPECT_EQ(ziel.GetPixel(1, 1), c.ueber);
        EXPECT_EQ(ziel.GetPixel(2, 2), kWeiss) << "transparent colour never written";
        if (c.prozent >= 100)
            for (int y = 0; y < 4; ++y)
                for (int x = 0; x < 4; ++x)
                    if (x != 2 || y != 2) {
                        EXPECT_EQ(ziel.GetPixel(x, y), src.GetPixel(x, y));
                    }
    }
}

TEST(BitmapEx, DrawingOntoItselfReadsTheOldPixels)
{
    CBitmapEx bm;
    Muster(bm, 4, 1);
    bm.DrawBitmap(1, 0, 3, 1, bm, 0, 0);
    EXPECT_EQ(bm.GetPixel(1, 0), 0x000040u);
    EXPECT_EQ(bm.GetPixel(2, 0), 0x100040u);
    EXPECT_EQ(bm.GetPixel(3, 0), 0x200040u);
}

TEST(BitmapEx, NearestNeighbourScalingCoversExactlyTheTarget)
{
    CBitmapEx src;
    Fuelle(src, 2, 2, 0);
    src.SetPixel(0, 0, kRot);
    src.SetPixel(1, 0, kGruen);
    src.SetPixel(0, 1, kBlau);
    src.SetPixel(1, 1, kWeiss);
    CBitmapEx ziel;
    Fuelle(ziel, 6, 6, 0x777777);
    ziel.DrawScaled(1, 1, 4, 4, src, 0, 0, 2, 2, 100, 0x123456);
    const std::uint32_t erwartet[4] = {kRot, kGruen, kBlau, kWeiss};
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) {
            SCOPED_TRACE(testing::Message() << x << "," << y);
            const bool innen = x >= 1 && x <= 4 && y >= 1 && y <= 4;
            EXPECT_EQ(ziel.GetPixel(x, y), innen ? erwartet[(y - 1) / 2 * 2 + (x - 1) / 2] : 0x777777u);
        }
    // A target partly outside is clipped.
    CBitmapEx klein;
    Fuelle(klein, 2, 2, 0);
    klein.DrawScaled(-1, 0, 2, 2, src, 0, 0, 2, 2, 100, 0x123456);
    EXPECT_EQ(klein.GetPixel(0, 0), kGruen);
    EXPECT_EQ(klein.GetPixel(1, 0), 0u);
}

TEST(BitmapEx, ResizeByEveryModeKeepsAUniformPictureAndUpdatesTheSize)
{
    struct Fall
    {
        int modus;
        int w, h;
        int toleranz; // the fixed-point weights of modes 1 and 2 sum a little off one
    };
    const Fall faelle[] = {{0, 7, 5, 0}, {1, 7, 5, 2}, {2, 7, 5, 4}, {0, 0, 0, 0}, {1, 2, 2, 0}};
    for (const Fall& c : faelle) {
        SCOPED_TRACE(testing::Message() << "mode " << c.modus << " to " << c.w << "x" << c.h);
        CBitmapEx bm;
        Fuelle(bm, 4, 3, 0x806040);
        bm.m_nResampleMode = c.modus;
        bm.Resize(c.w, c.h);
        const int w = std::max(c.w, 1), h = std::max(c.h, 1);
        EXPECT_EQ(bm.GetWidth(), w);
        EXPECT_EQ(bm.GetHeight(), h);
        EXPECT_EQ(bm.GetSize(), 4 * w * h);
        EXPECT_EQ(bm.GetFileHeader().bfSize, std::uint32_t(4 * w * h + 54));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const std::uint32_t p = bm.GetPixel(x, y);
                EXPECT_NEAR(int(p >> 16), 0x80, c.toleranz);
                EXPECT_NEAR(int(p >> 8 & 0xFF), 0x60, c.toleranz);
                EXPECT_NEAR(int(p & 0xFF), 0x40, c.toleranz);
            }
    }
}

TEST(BitmapEx, BilinearEnlargementRunsBetweenItsNeighbours)
{
    CBitmapEx bm;
    Fuelle(bm, 2, 1, 0);
    bm.SetPixel(1, 0, kWeiss);
    bm.m_nResampleMode = CBitmapEx::kBilinear;
    bm.Resize(8, 1);
    int vorher = -1;
    for (int x = 0; x < 8; ++x) {
        const int r = int(bm.GetPixel(x, 0) >> 16);
        EXPECT_GE(r, vorher) << x;
        vorher = r;
    }
    EXPECT_EQ(bm.GetPixel(0, 0), 0u);
    EXPECT_GT(bm.GetPixel(3, 0) >> 16, 0u);
    EXPECT_LT(bm.GetPixel(3, 0) >> 16, 255u);
}

TEST(BitmapEx, BrightnessTintAndBlurTable)
{
    struct Fall
    {
        const char* name;
        void (*op)(CBitmapEx&);
        // Applied to the pattern, then compared pixel by pixel with this rule of the pattern's pixel.
        std::uint32_t (*erwartet)(std::uint32_t);
    };
    const Fall faelle[] = {
        {"brightness 300 acts as 255", [](CBitmapEx& b) { b.AdjustBrightness(300); },
         [](std::uint32_t) { return kWeiss; }},
        {"brightness -300 turns black", [](CBitmapEx& b) { b.AdjustBrightness(-300); },
         [](std::uint32_t) { return 0u; }},
        {"brightness 16", [](CBitmapEx& b) { b.AdjustBrightness(16); },
         [](std::uint32_t p) { return p + 0x101010; }},
        {"tint with black changes nothing", [](CBitmapEx& b) { b.Colorize(0); },
         [](std::uint32_t p) { return p; }},
        {"tint with white turns white", [](CBitmapEx& b) { b.Colorize(kWeiss); },
         [](std::uint32_t) { return kWeiss; }},
    };
    for (const Fall& c : faelle) {
        SCOPED_TRACE(c.name);
        CBitmapEx muster, bm;
        Muster(muster, 5, 4);
        bm.CreateCopy(muster);
        c.op(bm);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 5; ++x)
                EXPECT_EQ(bm.GetPixel(x, y), c.erwartet(muster.GetPixel(x, y))) << x << "," << y;
    }
}

TEST(BitmapEx, TintMovesBrightColoursFurther)
{
    CBitmapEx hell, dunkel;
    Fuelle(hell, 1, 1, 0x000000);
    Fuelle(dunkel, 1, 1, 0x000000);
    hell.Colorize(0xE6E6E6);
    dunkel.Colorize(0x303030);
    EXPECT_GT(hell.GetPixel(0, 0) & 0xFF, 0xC0u);
    EXPECT_LT(dunkel.GetPixel(0, 0) & 0xFF, 0x10u);
}

TEST(BitmapEx, BlurWeighsTheNeighbourhoodAndRepeatsTheBorder)
{
    CBitmapEx eins;
    Fuelle(eins, 1, 1, 0x806040);
    eins.Blur();
    EXPECT_EQ(eins.GetPixel(0, 0), 0x806040u) << "a single pixel blurs to itself";

    // A white dot of 0xF0 in the middle of black: 4/16 in the centre, 2/16 beside, 1/16 diagonal.
    CBitmapEx bm;
    Fuelle(bm, 3, 3, 0);
    bm.SetPixel(1, 1, 0xF0F0F0);
    bm.Blur();
    EXPECT_EQ(bm.GetPixel(1, 1), 0x3C3C3Cu);
    EXPECT_EQ(bm.GetPixel(0, 1), 0x1E1E1Eu);
    EXPECT_EQ(bm.GetPixel(0, 0), 0x0F0F0Fu);

    // At the border the edge pixel stands in for the missing neighbours.
    CBitmapEx rand;
    Fuelle(rand, 3, 1, 0);
    rand.SetPixel(0, 0, 0xF0F0F0);
    rand.Blur();
    // Column 0 stands in for the missing left column and line 0 for the missing lines above and below:
    // 12 of the 16 weights see 0xF0.
    EXPECT_EQ(rand.GetPixel(0, 0), 0xB4B4B4u);
    EXPECT_EQ(rand.GetPixel(2, 0), 0u);
}

TEST(BitmapExImage, RoundTripThroughQImageAndDraw)
{
    QImage bild(3, 2, QImage::Format_ARGB32);
    bild.fill(QColor(10, 20, 30));
    bild.setPixelColor(2, 0, QColor(200, 100, 50));
    CBitmapEx bm;
    LoadBitmapExFromImage(bm, bild);
    ASSERT_EQ(bm.GetWidth(), 3);
    EXPECT_EQ(bm.GetPixel(2, 0), 0xC86432u);
    EXPECT_EQ(bm.GetPixel(0, 1), 0x0A141Eu);
    const QImage zurueck = BitmapExToImage(bm);
    EXPECT_EQ(zurueck.pixelColor(2, 0), QColor(200, 100, 50));
    EXPECT_EQ(zurueck.pixelColor(1, 1), QColor(10, 20, 30));

    QImage leinwand(5, 5, QImage::Format_RGB32);
    leinwand.fill(Qt::white);
    {
        QPainter p(&leinwand);
        DrawBitmapEx(p, bm, 1, 2);
    }
    EXPECT_EQ(leinwand.pixelColor(3, 2), QColor(200, 100, 50));
    EXPECT_EQ(leinwand.pixelColor(0, 0), QColor(Qt::white));

    LoadBitmapExFromImage(bm, QImage());
    EXPECT_TRUE(bm.IsEmpty());
    EXPECT_TRUE(BitmapExToImage(bm).isNull());
}

// A picture of each operation on a test pattern, kept for people to look at.
TEST(BitmapExImage, OperationsPicture)
{
    CBitmapEx muster;
    muster.Create(48, 48);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x)
            muster.SetPixel(x, y, ((x / 8 + y / 8) % 2) ? 0x2050C0u : 0xF0E0A0u);
    CBitmapEx tafel;
    Fuelle(tafel, 6 * 52, 52, kWeiss);
    const auto setze = [&](int i, CBitmapEx& b) { tafel.DrawBitmap(2 + 52 * i, 2, 48, 48, b, 0, 0); };
    CBitmapEx b;
    b.CreateCopy(muster);
    setze(0, b);
    b.Blur();
    b.Blur();
    setze(1, b);
    b.CreateCopy(muster);
    b.Colorize(0xE6E6E6);
    setze(2, b);
    b.CreateCopy(muster);
    b.AdjustBrightness(-80);
    setze(3, b);
    b.CreateCopy(muster);
    b.m_nResampleMode = CBitmapEx::kBilinear;
    b.Resize(12, 12);
    b.Resize(48, 48);
    setze(4, b);
    tafel.DrawBlended(2 + 52 * 5, 2, 48, 48, muster, 0, 0, 40, 0x2050C0);
    const QImage bild = BitmapExToImage(tafel);
    QDir().mkpath(QOR_TEST_ARTIFACT_DIR);
    EXPECT_TRUE(bild.save(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/bitmapex_operations.png")));
    EXPECT_EQ(bild.pixelColor(2, 2), QColor(0xF0, 0xE0, 0xA0));
}
