// The chart picture: kind 4 gets none, the curve lies where the model's K and c put it, the marker agrees
// with the plan's checks, the mass scale never falls below one tonne, and the redraw flag is honoured.
#include "PlanDrawingFixture.h"

#include "draw2d/CFahrzeugDiagrammBild.h"

#include <cmath>

namespace {

class DiagrammBildTest : public PlanDrawingFixture
{
protected:
    using B = CFahrzeugDiagrammBild;

    // A 1 m square load of mass m with its centre x metres behind and y metres across the usable front
    // corner.
    static void AddLoadAt(CFahrzeug& f, double m, double x, double y)
    {
        AddLoad(f, m, x);
        tagLGINFO* p = f.m_pQor->GetLgInfos().back();
        p->m_dPosY = y - 0.5;
        f.m_pQor->UpdateSchwerpunkt();
    }

    static bool Blue(QRgb c) { return qBlue(c) > 200 && qRed(c) < 80 && qGreen(c) < 80; }

    // Blue within one pixel of (x, y).
    static bool BlueNear(const QImage& im, int x, int y)
    {
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                if (im.valid(x + dx, y + dy) && Blue(im.pixel(x + dx, y + dy)))
                    return true;
        return false;
    }

    static int NonWhite(const QImage& im, const QRect& rc)
    {
        int n = 0;
        for (int y = rc.top(); y <= rc.bottom(); ++y)
            for (int x = rc.left(); x <= rc.right(); ++x)
                n += im.pixel(x, y) != qRgb(255, 255, 255);
        return n;
    }

    void Paint(const std::string& name)
    {
        CFahrzeug* v = m_doc->GetFahrzeug();
        v->m_Diagramm.m_bNeuZeichnen = 1;
        ASSERT_EQ(m_bild.Draw(*v), 1);
        Keep(m_bild.GetImage(), "chart_" + name);
    }

    B m_bild;
};

TEST_F(DiagrammBildTest, SemiTrailerTractorGetsNoPicture)
{
    Open("SZM");
    EXPECT_EQ(m_bild.Draw(*m_doc->GetFahrzeug()), 0);
    int cx = -1, cy = -1;
    EXPECT_FALSE(m_bild.GetBitmapSize(&cx, &cy));
    EXPECT_EQ(cx, 0);
    EXPECT_EQ(cy, 0);
    EXPECT_FALSE(m_bild.GetBitmapFile(nullptr, nullptr));
}

TEST_F(DiagrammBildTest, PictureSizeAndPixelBlock)
{
    Open("LKW");
    Paint("truck_empty");
    int cx = 0, cy = 0;
    EXPECT_TRUE(m_bild.GetBitmapSize(&cx, &cy));
    EXPECT_EQ(cx, 290);
    EXPECT_EQ(cy, 352);
    const std::uint8_t* data = nullptr;
    std::size_t n = 0;
    ASSERT_TRUE(m_bild.GetBitmapFile(&data, &n));
    EXPECT_EQ(n, 290u * 352u * 4u);
    // Top-down rows: the first row is the black frame.
    EXPECT_EQ(data[0], 0);
}

TEST_F(DiagrammBildTest, CurvePixelsLieAtTheModelsLimitCurveOnBothSides)
{
    for (const char* file : {"LKW", "KEP", "SAH"}) {
        SCOPED_TRACE(file);
        Open(file);
        CFahrzeug* v = m_doc->GetFahrzeug();
        Paint(std::string("curve_") + file);
        const float W = v->GetLFBreite();
        const int M = m_bild.GetMassstab();
        EXPECT_EQ(M, std::max(1, static_cast<int>(std::ceil(v->GetMaxNutzlast(true)))));
        const auto& pts = v->m_Diagramm.GetPunkte();
        ASSERT_FALSE(pts.empty());
        const float K = v->m_Diagramm.GetK(), c = v->m_Diagramm.GetC();
        for (const tbVector2& pt : pts) {
            // The sampled points are the model's curve m = K / (c + y).
            EXPECT_NEAR(pt.y, K / (c + pt.x), 1e-3f * pt.y);
            const int dx = static_cast<int>(pt.x * 200.0f / W);
            const int y = 277 - static_cast<int>(pt.y * 225.0f / M);
            EXPECT_TRUE(BlueNear(m_bild.GetImage(), 145 + dx, y)) << pt.x << " " << pt.y;
            EXPECT_TRUE(BlueNear(m_bild.GetImage(), 145 - dx, y)) << pt.x << " " << pt.y;
        }
        // The closing segment ends on the maximum payload.
        const float fMax = static_cast<float>(v->GetMaxNutzlast(true));
        const int dx = static_cast<int>((K - c * fMax) / fMax * 200.0f / W);
        EXPECT_TRUE(BlueNear(m_bild.GetImage(), 145 + dx, 277 - static_cast<int>(fMax * 225.0f / M)));
    }
}

TEST_F(DiagrammBildTest, MarkerIsGoodExactlyWhenThePlansChecksPass)
{
    Open("LKW");
    CFahrzeug* v = m_doc->GetFahrzeug();
    const double W = v->GetLFBreite() - v->GetRandabstand(1) - v->GetRandabstand(3);
    const double L = v->GetLFLaenge();
    SYs2X pt;
    pt.m_dX = L / 2.0 + v->GetRandabstand(0);
    ASSERT_EQ(v->CalcKurvenpunkt(&pt), 1);
    const double P1 = pt.m_dMaxLast;
    struct Case
    {
        const char* name;
        double m, x, y;
    } cases[] = {
        {"centred light", 1.0, L / 2.0, W / 2.0},
        {"centred at the limit", P1, L / 2.0, W / 2.0},
        {"centred 1 kg over", P1 + 0.001, L / 2.0, W / 2.0},
        {"far to one side", P1 * 0.9, L / 2.0, 0.5},
        {"far to the other side", P1 * 0.9, L / 2.0, W - 0.5},
        {"slightly aside", 1.0, L / 2.0, W / 2.0 + 0.1},
        {"at the front", P1, 0.6, W / 2.0},
    };
    int good = 0, bad = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Open("LKW");
        v = m_doc->GetFahrzeug();
        AddLoadAt(*v, c.m, c.x, c.y);
        Paint(std::string("marker_") + c.name);
        const bool expected = v->CheckLadung() == 1 && v->CheckQuerSchwerpunkt() == 1;
        EXPECT_EQ(m_bild.GetMarke(), expected ? B::kMarkeGut : B::kMarkeSchlecht);
        (expected ? good : bad)++;
        // The marker stands at the load's offset and mass.
        const QPoint mp = m_bild.GetMarkenPunkt();
        const double u = v->GetLFBreite() / 2.0 - (v->GetRandabstand(1) + v->m_pQor->GetSchwerpunktY());
        EXPECT_EQ(mp.x(), 145 + static_cast<int>(u * 200.0 / v->GetLFBreite()));
        EXPECT_EQ(mp.y(), 277 - static_cast<int>(v->m_pQor->GetMasse() * 225.0 / m_bild.GetMassstab()));
        // The wheel-load display is drawn with a load.
        EXPECT_GT(NonWhite(m_bild.GetImage(), QRect(40, 314, 210, 10)), 20);
    }
    // The table reaches both answers.
    EXPECT_GT(good, 0);
    EXPECT_GT(bad, 0);
}

TEST_F(DiagrammBildTest, EmptyPlanDrawsNoMarkerAndNoWheelLoads)
{
    Open("LKW");
    Paint("truck_no_load");
    EXPECT_EQ(m_bild.GetMarke(), B::kKeineMarke);
    EXPECT_EQ(NonWhite(m_bild.GetImage(), QRect(10, 300, 270, 45)), 0);
}

TEST_F(DiagrammBildTest, ZeroMaximumPayloadGivesAScaleOfOneTonne)
{
    Open("LKW");
    CFahrzeug* v = m_doc->GetFahrzeug();
    v->GetNutzlastKurve().SetMaxNutzlast(0.0);
    v->m_Diagramm.BuildCurve(0.0f);
    AddLoadAt(*v, 0.5, v->GetLFLaenge() / 2.0, 1.0);
    Paint("zero_payload");
    EXPECT_EQ(m_bild.GetMassstab(), 1);
    // The top grid line is at the plot's top.
    int grid = 0;
    for (int x = 50; x < 240; ++x)
        grid += m_bild.GetImage().pixel(x, 52) != qRgb(255, 255, 255);
    EXPECT_GT(grid, 50);
}

TEST_F(DiagrammBildTest, SemiTrailerBehindItsTractorUsesItsOwnPayloadForCurveAndScale)
{
    Open("SAH", "SZM");
    CFahrzeug* v = m_doc->GetFahrzeug();
    CFahrzeug* z = v->GetPartner();
    ASSERT_NE(z, nullptr);
    v->m_Diagramm.BuildCurve(0.0f);
    EXPECT_FALSE(v->m_Diagramm.GetPunkte().empty());
    Paint("semitrailer_behind_tractor");
    const double dMax = std::max(v->GetMaxNutzlast(true), z->GetMaxNutzlast(true));
    EXPECT_EQ(m_bild.GetMassstab(), static_cast<int>(std::ceil(dMax)));
    // A scale of some 30 t labels every other tonne at most, a text height apart.
    const int nSchritt = m_bild.GetBeschriftungsSchritt();
    EXPECT_GT(nSchritt, 1);
    EXPECT_GE(nSchritt * B::kPlotHoehe / m_bild.GetMassstab(), 12);
}

TEST_F(DiagrammBildTest, ASingleSampledPointStillGetsTheClosingSegment)
{
    Open("LKW");
    CFahrzeug* v = m_doc->GetFahrzeug();
    CFahrzeugDiagramm& d = v->m_Diagramm;
    const float W = v->GetLFBreite();
    // A maximum mass just above the first point's leaves that point alone.
    ASSERT_EQ(d.SampleLimitPoints(1.1f, d.LimitAt(W / 2.0f) + 0.001f), 1);
    Paint("single_point");
    const tbVector2 pt = d.GetPunkte().front();
    const int M = m_bild.GetMassstab();
    const float fMax = static_cast<float>(v->GetMaxNutzlast(true));
    const float yEnd = (d.GetK() - d.GetC() * fMax) / fMax;
    const QPoint a(145 + static_cast<int>(pt.x * 200.0f / W), 277 - static_cast<int>(pt.y * 225.0f / M));
    const QPoint b(145 + static_cast<int>(yEnd * 200.0f / W), 277 - static_cast<int>(fMax * 225.0f / M));
    ASSERT_NE(a, b);
    for (int sign : {1, -1}) {
        SCOPED_TRACE(sign);
        const auto mirror = [&](QPoint q) { return QPoint(sign > 0 ? q.x() : 290 - q.x(), q.y()); };
        const QPoint mid = (a + b) / 2;
        EXPECT_TRUE(BlueNear(m_bild.GetImage(), mirror(a).x(), a.y()));
        EXPECT_TRUE(BlueNear(m_bild.GetImage(), mirror(mid).x(), mid.y()));
        EXPECT_TRUE(BlueNear(m_bild.GetImage(), mirror(b).x(), b.y()));
    }
}

TEST_F(DiagrammBildTest, ALoadOnTheCentrePlaneIsLaterallyOk)
{
    Open("LKW");
    CFahrzeug* v = m_doc->GetFahrzeug();
    // Centred between the two long edges of the load area: no lateral offset at all.
    const double yMitte = v->GetLFBreite() / 2.0 - v->GetRandabstand(1);
    AddLoadAt(*v, v->GetMaxNutzlast(true) / 2.0, v->GetLFLaenge() / 2.0, yMitte);
    Paint("centre_plane");
    EXPECT_EQ(m_bild.GetMarkenPunkt().x(), 145);
    EXPECT_EQ(v->CheckQuerSchwerpunkt(), 1);
    ASSERT_EQ(v->CheckLadung(), 1);
    EXPECT_EQ(m_bild.GetMarke(), B::kMarkeGut);
}

TEST(DiagrammBildScale, LabelStepKeepsTheLabelsATextHeightApart)
{
    struct Fall
    {
        int nM, nPlot, nText, nSchritt;
    };
    const Fall faelle[] = {
        {1, 225, 14, 1},  {11, 225, 14, 1},   {16, 225, 14, 1}, {17, 225, 14, 2}, {30, 225, 14, 2},
        {40, 225, 14, 5}, {100, 225, 14, 10}, {3, 10, 14, 3},   {0, 225, 14, 1},  {7, 0, 14, 1},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.nM);
        EXPECT_EQ(CFahrzeugDiagrammBild::BeschriftungsSchritt(f.nM, f.nPlot, f.nText), f.nSchritt);
    }
}

TEST_F(DiagrammBildTest, PictureIsPaintedAgainOnlyWhenTheFlagIsSet)
{
    Open("LKW");
    CFahrzeug* v = m_doc->GetFahrzeug();
    Paint("flag_before");
    EXPECT_EQ(v->m_Diagramm.m_bNeuZeichnen, 0);
    const QImage before = m_bild.GetImage().copy();
    AddLoadAt(*v, 2.0, v->GetLFLaenge() / 2.0, 1.0);
    EXPECT_EQ(m_bild.Draw(*v), 1);
    EXPECT_EQ(m_bild.GetImage(), before);
    // Building the curve asks for a new picture.
    v->m_Diagramm.BuildCurve(0.0f);
    EXPECT_EQ(v->m_Diagramm.m_bNeuZeichnen, 1);
    EXPECT_EQ(m_bild.Draw(*v), 1);
    EXPECT_NE(m_bild.GetImage(), before);
    EXPECT_EQ(v->m_Diagramm.m_bNeuZeichnen, 0);
}

} // namespace
