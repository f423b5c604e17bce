// The rulers: tonne steps and scale, the height switch, the saved scale pair and the axis title.
#include "PlanDrawingFixture.h"

namespace {

class KoordSysTest : public PlanDrawingFixture
{
protected:
    // Dark pixels (any channel below 128) of a column band.
    static bool Dark(QRgb c) { return qRed(c) < 128 || qGreen(c) < 128 || qBlue(c) < 128; }
};

TEST_F(KoordSysTest, CalcHeightSwitchesToTheFixedHeightAt710Pixels)
{
    Open("LKW");
    CFahrzeug* v = m_doc->GetFahrzeug();
    v->GetNutzlastKurve().SetMaxNutzlast(0.5); // one tonne step
    struct Case
    {
        int nPixProTonne;
        double dZoom, dScaleY;
        int expected;
    } cases[] = {
        {709, 1.0, 1.0, 859}, {710, 1.0, 1.0, 860}, {800, 1.0, 1.0, 860}, {70, 1.0, 1.0, 220},
        {70, 0.5, 1.0, 110},  {70, 1.0, 2.0, 290},  {800, 0.5, 1.0, 430},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nPixProTonne);
        m_koord->m_nPixProTonne = c.nPixProTonne;
        EXPECT_EQ(m_koord->CalcHeight(c.dZoom, c.dScaleY), c.expected);
    }
    // Ten steps of 70 pixels stay below the switch, eleven do not.
    m_koord->m_nPixProTonne = 70;
    v->GetNutzlastKurve().SetMaxNutzlast(9.5);
    EXPECT_EQ(m_koord->CalcHeight(1.0, 1.0), 850);
    v->GetNutzlastKurve().SetMaxNutzlast(10.5);
    EXPECT_EQ(m_koord->CalcHeight(1.0, 1.0), 860);
}

TEST_F(KoordSysTest, LabelStepIsTheSmallestOfTheOneTwoFiveSequenceThatKeepsLabelsApart)
{
    struct Case
    {
        double dPixel, dAbstand;
        int step;
    } cases[] = {
        {48.5, 30.0, 1},   {48.5, 48.5, 1},  {7.5, 14.0, 2},  {7.5, 15.1, 5}, {7.5, 37.6, 10},
        {1.0, 120.0, 200}, {0.3, 30.0, 100}, {400.0, 1.0, 1}, {0.0, 10.0, 1}, {-3.0, 10.0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.dPixel) + " / " + std::to_string(c.dAbstand));
        EXPECT_EQ(CKoordSys::LabelStep(c.dPixel, c.dAbstand), c.step);
    }
}

TEST_F(KoordSysTest, TinyPayloadGetsOneStepDrawnAtTheAxisTop)
{
    Open("LKW");
    m_doc->GetFahrzeug()->GetNutzlastKurve().SetMaxNutzlast(0.005);
    const QImage image = Render(false, false);
    Keep(image, "rulers_tiny_payload");
    EXPECT_EQ(m_koord->GetTonnenSchritte(), 1);
    EXPECT_EQ(m_koord->GetTonnenY(1), m_koord->GetAchsOben());
    EXPECT_EQ(m_koord->GetAchsOben(), kY - m_koord->m_nAchsHoehe);
    // The grid line runs along the top row.
    int grid = 0;
    for (int x = m_x + 5; x < m_x + 200; ++x)
        grid += image.pixel(x, m_koord->GetAchsOben()) != qRgb(255, 255, 255);
    EXPECT_GT(grid, 20);
}

TEST_F(KoordSysTest, TopTonneLineLiesOnTheAxisTopAndTheOthersBelowIt)
{
    Open("LKW");
    for (double dMax : {3.3, 7.0, 11.26}) {
        SCOPED_TRACE(dMax);
        m_doc->GetFahrzeug()->GetNutzlastKurve().SetMaxNutzlast(dMax);
        Render(false, false);
        const int N = m_koord->GetTonnenSchritte();
        EXPECT_EQ(N, static_cast<int>(dMax + 0.99));
        EXPECT_EQ(m_koord->GetTonnenY(N), m_koord->GetAchsOben());
        for (int k = 1; k < N; ++k) {
            EXPECT_GT(m_koord->GetTonnenY(k), m_koord->GetTonnenY(k + 1));
            EXPECT_LT(m_koord->GetTonnenY(k), kY);
        }
    }
}

TEST_F(KoordSysTest, AdaptScaleReturnsThePairFromBeforeTheCall)
{
    Open("LKW");
    CKoordSys k;
    k.m_pDoc = m_doc.get();
    // Printing lowers the metre figure only when the print figure is smaller.
    EXPECT_EQ(k.AdaptScale(1.0, true, 1.0), QSize(194, 70));
    EXPECT_EQ(QSize(k.m_nPixProMeter, k.m_nPixProTonne), QSize(194, 70));
    EXPECT_EQ(k.AdaptScale(1.0, true, 4.0), QSize(194, 70));
    EXPECT_EQ(QSize(k.m_nPixProMeter, k.m_nPixProTonne), QSize(150, 70));
    EXPECT_EQ(k.AdaptScale(1.0, true, 4.0), QSize(150, 70));
    EXPECT_EQ(k.AdaptScale(1.0, false, 1.0), QSize(150, 70));
    EXPECT_EQ(k.m_nPixProMeter, 150);

    // The small-vehicle sub-type takes 400 for both on screen.
    Open("KEP");
    CKoordSys van;
    van.m_pDoc = m_doc.get();
    EXPECT_EQ(van.AdaptScale(0.25, false, 1.0), QSize(194, 70));
    EXPECT_EQ(QSize(van.m_nPixProMeter, van.m_nPixProTonne), QSize(400, 400));

    // Without a vehicle nothing changes.
    CQOR1Doc leer;
    CKoordSys none;
    none.m_pDoc = &leer;
    EXPECT_EQ(none.AdaptScale(1.0, true, 4.0), QSize(194, 70));
    EXPECT_EQ(none.m_nPixProMeter, 194);
}

TEST_F(KoordSysTest, LongTitleRunsUpFromTheAxisBottom)
{
    Open("LKW");
    m_doc->GetFahrzeug()->GetNutzlastKurve().SetMaxNutzlast(5.0);
    // The title's column right of the rulers: its dark rows.
    auto titleRows = [&](const QImage& image, int* pLow, int* pHigh) {
        const int R = m_x + Px(m_doc->GetFahrzeug()->GetLFLaenge());
        const int cx = R + static_cast<int>(120 * kZoom);
        *pLow = -1;
        *pHigh = image.height();
        for (int y = 0; y < image.height(); ++y)
            for (int x = cx - 2; x < cx + 25; ++x)
                if (Dark(image.pixel(x, y))) {
                    *pLow = std::max(*pLow, y);
                    *pHigh = std::min(*pHigh, y);
                }
    };
    int low = 0, high = 0;
    QImage image = Render(false, false);
    titleRows(image, &low, &high);
    const int top = m_koord->GetAchsOben();
    // The short title stands in the middle of the axis.
    EXPECT_LT(low, kY - 5);
    EXPECT_GT(high, top + 5);

    m_koord->m_strTitel = std::string(120, 'W');
    image = Render(false, false);
    Keep(image, "rulers_long_title");
    titleRows(image, &low, &high);
    EXPECT_NEAR(low, kY, 3);
    EXPECT_LT(high, top);
}

TEST_F(KoordSysTest, SemiTrailerBehindItsTractorGetsStepsFromItsOwnPayload)
{
    Open("SAH", "SZM");
    CFahrzeug* t = m_doc->GetFahrzeug();
    const double own = t->GetMaxNutzlast(true);
    ASSERT_GT(own, 5.0);
    EXPECT_EQ(m_doc->GetMaxNutzlast(), own);
    Render(false, false);
    EXPECT_EQ(m_koord->GetTonnenSchritte(), static_cast<int>(own + 0.99));
}

TEST_F(KoordSysTest, CurveIsDrawnInBlueAndAMissingCurveShowsItsPicture)
{
    Open("LKW");
    QImage image = Render(false, false);
    int blue = 0;
    for (int y = m_koord->GetAchsOben(); y < kY; ++y)
        for (int x = m_x; x < m_x + Px(7.0); ++x)
            blue += image.pixel(x, y) == qRgb(0, 0, 255);
    EXPECT_GT(blue, 50);

    m_doc->GetFahrzeug()->GetNutzlastKurve().SetGueltig(0);
    image = Render(false, false);
    Keep(image, "rulers_no_curve");
    int red = 0;
    blue = 0;
    for (int y = m_koord->GetAchsOben(); y < kY; ++y)
        for (int x = m_x; x < m_x + Px(7.0); ++x) {
            blue += image.pixel(x, y) == qRgb(0, 0, 255);
            red += qRed(image.pixel(x, y)) > 200 && qGreen(image.pixel(x, y)) < 60;
        }
    EXPECT_EQ(blue, 0);
    EXPECT_GT(red, 20);
}

TEST_F(KoordSysTest, TheRemarksLinkIsBlueWithRemarksAndItsTipShowsThem)
{
    Open("LKW");
    CFahrzeug* v = m_doc->GetFahrzeug();
    struct Case
    {
        const char* bemerkung;
        QRgb farbe;
        const char* tipEnde;
    } cases[] = {
        {"", qRgb(200, 200, 200), "No remarks."},
        {"Tail lift checked 03/26", qRgb(0, 0, 255), "Tail lift checked 03/26"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bemerkung);
        v->m_strBemerkung = c.bemerkung;
        const QImage image = Render(false, false);
        ASSERT_TRUE(m_view.m_hot.count(IPlanDrawView::kHotBemerkung));
        const QRect link = m_view.m_hot[IPlanDrawView::kHotBemerkung];
        ASSERT_FALSE(link.isEmpty());
        int treffer = 0, andere = 0;
        for (int y = link.top(); y <= link.bottom(); ++y)
            for (int x = link.left(); x <= link.right(); ++x) {
                const QRgb px = image.pixel(x, y);
                if (px == c.farbe)
                    ++treffer;
                else if (px == qRgb(0, 0, 255) || px == qRgb(200, 200, 200))
                    ++andere;
            }
        EXPECT_GT(treffer, 10);
        EXPECT_EQ(andere, 0);
        ASSERT_TRUE(m_view.m_tips.count(12346));
        EXPECT_EQ(m_view.m_tips[12346].first, link);
        const std::string tip = m_view.m_tips[12346].second;
        EXPECT_EQ(tip.rfind("Remarks on " + v->m_strName + ":\n\n", 0), 0u) << tip;
        EXPECT_EQ(tip.substr(tip.size() - std::string(c.tipEnde).size()), c.tipEnde);
    }
    // The picture of a report leaves the link out.
    m_view.m_hot.clear();
    m_view.m_tips.clear();
    m_view.m_bPrinting = true;
    Render(false, false);
    EXPECT_EQ(m_view.m_hot.count(IPlanDrawView::kHotBemerkung), 0u);
    EXPECT_EQ(m_view.m_tips.count(12346), 0u);
}

} // namespace
