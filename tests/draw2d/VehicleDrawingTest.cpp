// The vehicle drawings of every kind: pictures, axle records, payload area, labels and the hot spots
// they leave in the view, checked against what the model decides.
#include "PlanDrawingFixture.h"

#include "draw2d/CDIBAuflieger.h"
#include "draw2d/CDIBSattelzugmaschine.h"
#include "draw2d/CDIBStarrdeichsel.h"
#include "model/vehicle/CAuflieger.h"
#include "model/vehicle/CSattelzugmaschine.h"
#include "model/vehicle/tagZLINFO.h"

#include <algorithm>

namespace {

class VehicleDrawingTest : public PlanDrawingFixture
{
protected:
    // Pixels of exactly this colour inside a rectangle.
    static int Count(const QImage& image, const QRect& rc, QRgb colour)
    {
        int n = 0;
        const QRect r = rc.intersected(image.rect());
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                n += image.pixel(x, y) == colour;
        return n;
    }
};

struct Kind
{
    const char* file;
    const char* zug;
    bool bKupplungsRecord; // record 0 is the coupling point or kingpin
};

const Kind kKinds[] = {{"LKW", "", false},   {"KEP", "", false},  {"SZM", "", false}, {"GDA", "", false},
                       {"GDA_2", "", false}, {"SDA", "", true},   {"SAH", "", true},  {"GDA", "LKW", false},
                       {"SDA", "LKW", true}, {"SAH", "SZM", true}};

TEST_F(VehicleDrawingTest, EveryKindLeavesAxleRecordsWithTheModelsLoadsAndPositions)
{
    for (const Kind& k : kKinds) {
        const std::string name = std::string(k.file) + (*k.zug ? std::string("_behind_") + k.zug : "");
        SCOPED_TRACE(name);
        Open(k.file, k.zug);
        ASSERT_NE(m_drawing, nullptr);
        const QImage image = Render();
        Keep(image, name);
        CFahrzeug* v = m_doc->GetFahrzeug();
        const auto& achsen = m_drawing->GetAchsen();
        const int nRecords = v->GetAchsanzahl() + (k.bKupplungsRecord ? 1 : 0);
        ASSERT_EQ(static_cast<int>(achsen.size()), nRecords);
        v->CalcAchsPositionen(0.0, false);
        for (int i = 0; i < nRecords; ++i) {
            SCOPED_TRACE(i);
            const SGuiAchse& a = achsen[i];
            EXPECT_EQ(a.m_nIndex, i);
            EXPECT_FALSE(a.m_szName.empty());
            EXPECT_LT(a.m_szName.size(), 20u);
            EXPECT_FALSE(a.m_rc.isEmpty());
            // The records of the model: loads of record i, drawn centred at the axle's position.
            if (i < 4) {
                EXPECT_DOUBLE_EQ(a.m_dLeerlast, v->m_Achsen[i].dLeerlast);
                EXPECT_DOUBLE_EQ(a.m_dZulLast, v->m_Achsen[i].dZulLast);
            }
            const bool bWheel = i > 0;
            if (bWheel) {
                EXPECT_NEAR(a.m_rc.center().x(), m_xFahrzeug + Px(v->GetAchsGeometrie().dAchsPos[i]), 1);
            }
        }
        // The axle tracker takes the selected axle's rectangle.
        m_view.m_nSelAchse = nRecords - 1;
        m_view.m_achsTracker.clear();
        Render();
        ASSERT_EQ(m_view.m_achsTracker.size(), 1u);
        EXPECT_EQ(m_view.m_achsTracker[0], achsen.back().m_rc);
        m_view.m_nSelAchse = -1;
    }
}

TEST_F(VehicleDrawingTest, DrawLengthOfEveryKind)
{
    struct Case
    {
        const char* file;
        const char* zug;
        double dAchse1; // < -50: the sample's own
        int expected;
    } cases[] = {
        {"LKW", "", -99, 125},                         // (1.0 + 1.58) m
        {"KEP", "", -99, 168},                         // (0.7 + 0.98) m at 400 pixels per metre
        {"SZM", "", -99, 125},                         // the tractor measures as the truck
        {"GDA", "", -99, 32},                          // 1.87 - 1.2 m
        {"GDA", "", 1.87, 0},                          // nothing ahead from 1.87 m on
        {"GDA", "", 2.4, 0},     {"SDA", "", -99, 97}, // the drawbar's 2.0 m
        {"SDA", "", -0.3, 0},                          // a coupling behind the load-area front
        {"SAH", "", -99, 0},                           // no towing drawing
        {"SAH", "SZM", -99, 125}                       // the tractor's front
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " " + c.zug + " " + std::to_string(c.dAchse1));
        Open(c.file, c.zug);
        if (c.dAchse1 > -50)
            m_doc->GetFahrzeug()->m_Achsen[0].dAbstand = c.dAchse1;
        EXPECT_EQ(m_drawing->GetDrawLength(m_koord->m_nPixProMeter, kZoom), c.expected);
    }
}

TEST_F(VehicleDrawingTest, PayloadPolygonFollowsTheModelsCurve)
{
    Open("LKW");
    Render();
    const CTupelList* kurve = m_doc->GetFahrzeug()->GetKurve(false);
    ASSERT_FALSE(kurve->IsEmpty());
    const QPolygon& poly = m_drawing->GetKurvenPunkte();
    const auto& pts = kurve->Punkte();
    ASSERT_GE(poly.size(), static_cast<int>(pts.size()));
    for (std::size_t i = 0; i < pts.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(poly[static_cast<int>(i)].x(), m_x + static_cast<int>(pts[i]->m_dX * 194 * kZoom));
        EXPECT_EQ(poly[static_cast<int>(i)].y(),
                  kY - static_cast<int>(pts[i]->m_dMaxLast * 70 * m_koord->m_dStreckung * kZoom));
    }

    // Without curve points there is no polygon.
    m_doc->GetFahrzeug()->GetNutzlastKurve().GetPunkte().DeleteAll();
    Render();
    EXPECT_TRUE(m_drawing->GetKurvenPunkte().isEmpty());
    EXPECT_EQ(m_drawing->BuildCurveRegion(true, m_x, kY, m_koord.get(), kZoom), 0);
}

TEST_F(VehicleDrawingTest, TotalMassLabelIsRedExactlyWhenTheLadenGroupsExceedIt)
{
    Open("LKW");
    CFahrzeug* v = m_doc->GetFahrzeug();
    AddLoad(*v, 4.0, 3.0);
    m_doc->OnFahrzeugChanged(false);
    double dVorn = 0.0, dHinten = 0.0;
    v->CalcAchslastenBeladen(&dVorn, &dHinten);
    const double sum = dVorn + dHinten;
    const QRgb red = qRgb(255, 0, 0);
    struct Case
    {
        double dZul;
        bool bRed;
    } cases[] = {{sum + 1.0, false}, {sum, false}, {sum - 0.001, true}, {sum - 5.0, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dZul - sum);
        v->m_dZulGesamtgewicht = c.dZul;
        const QImage image = Render(false);
        EXPECT_EQ(m_drawing->IsGesamtmasseUeberschritten(), c.bRed);
        EXPECT_EQ(Count(image, image.rect(), red) > 0, c.bRed);
        EXPECT_TRUE(m_view.m_hot.count(IPlanDrawView::kHotGesamtmasse));
    }
    // A load gives a centre of gravity with its marker tooltip.
    EXPECT_NEAR(m_view.m_dSchwerpunkt, v->GetQor()->GetSchwerpunktX(), 1e-12);
    ASSERT_TRUE(m_view.m_tips.count(12350));
    EXPECT_NE(m_view.m_tips[12350].second.find("4000"), std::string::npos);
    Keep(Render(), "LKW_loaded_over_total_mass");
}

TEST_F(VehicleDrawingTest, CaptionWiderThanTheLoadAreaStartsAtItsFront)
{
    Open("LKW");
    // The caption's dark pixels in its row band.
    auto captionLeft = [&](const QImage& image) {
        for (int x = 0; x < image.width(); ++x)
            for (int y = 50; y < 66; ++y)
                if (qGray(image.pixel(x, y)) < 100)
                    return x;
        return -1;
    };
    const QImage wide = Render(false);
    const int lfPx = Px(7.0);
    const int left = captionLeft(wide);
    // A normal load area centres it.
    EXPECT_GT(left, m_x + lfPx / 4);

    m_doc->GetFahrzeug()->m_dLFLaenge = 0.3;
    m_doc->OnFahrzeugChanged(false);
    const QImage narrow = Render(false);
    Keep(narrow, "LKW_short_load_area");
    EXPECT_GE(captionLeft(narrow), m_x);
    EXPECT_LE(captionLeft(narrow), m_x + 4);
}

TEST_F(VehicleDrawingTest, ZeroLengthZonesDrawNothingButKeepTheirTooltips)
{
    Open("GDA");
    CFahrzeug* v = m_doc->GetFahrzeug();
    const QRgb hatch = qRgb(150, 150, 150);
    auto zone = [&](bool front) {
        const QRect la = m_view.GetLadeflaecheRect();
        return front ? QRect(m_x + 1, la.top(), 8, la.height())
                     : QRect(m_x + Px(v->GetLFLaenge()) - 8, la.top(), 8, la.height());
    };
    v->m_NutzLF[0].m_dRand[0] = 0.3;
    v->m_NutzLF[0].m_dRand[2] = 0.2;
    QImage image = Render(false);
    EXPECT_GT(Count(image, zone(true), hatch), 10);
    EXPECT_GT(Count(image, zone(false), hatch), 10);
    EXPECT_NE(m_view.m_tips[12352].second.find("300"), std::string::npos);

    v->m_NutzLF[0].m_dRand[0] = 0.0;
    v->m_NutzLF[0].m_dRand[2] = 0.0;
    m_view.m_tips.clear();
    image = Render(false);
    EXPECT_EQ(Count(image, zone(true), hatch), 0);
    EXPECT_EQ(Count(image, zone(false), hatch), 0);
    for (int tool : {12352, 12353}) {
        SCOPED_TRACE(tool);
        ASSERT_TRUE(m_view.m_tips.count(tool));
        EXPECT_EQ(m_view.m_tips[tool].first.width(), 3);
        EXPECT_NE(m_view.m_tips[tool].second.find(v->m_strName), std::string::npos);
    }
}

TEST_F(VehicleDrawingTest, SubTypeTruckOwnsOneWheelPicture)
{
    Open("KEP");
    EXPECT_EQ(m_drawing->CountAchsBilder(), 1);
    Open("LKW");
    EXPECT_EQ(m_drawing->CountAchsBilder(), 6);
    Open("SAH");
    EXPECT_EQ(m_drawing->CountAchsBilder(), 10);
}

TEST_F(VehicleDrawingTest, FlaggedAxleUsesTheSecondPictureAndKeepsItsRecord)
{
    Open("GDA_2");
    CFahrzeug* v = m_doc->GetFahrzeug();
    const QRgb tyre = qRgb(40, 40, 40), lifted = qRgb(150, 150, 150);
    QImage image = Render(false);
    const SGuiAchse before = m_drawing->GetAchsen()[2];
    // The record's rectangle lies below the wheel; the wheel picture is above it.
    const QRect wheel(before.m_rc.left(), kY + Px(0.38), before.m_rc.width(), before.m_rc.height());
    EXPECT_GT(Count(image, wheel, tyre), 50);
    EXPECT_EQ(Count(image, wheel, lifted), 0);

    v->m_nAchsFlags[2] = 1;
    image = Render(false);
    Keep(image, "GDA_2_lifted_axle");
    const SGuiAchse& after = m_drawing->GetAchsen()[2];
    EXPECT_EQ(Count(image, wheel, tyre), 0);
    EXPECT_GT(Count(image, wheel, lifted), 50);
    EXPECT_EQ(after.m_rc, before.m_rc);
    EXPECT_EQ(after.m_szName, before.m_szName);
    EXPECT_DOUBLE_EQ(after.m_dLeerlast, before.m_dLeerlast);
    EXPECT_DOUBLE_EQ(after.m_dZulLast, before.m_dZulLast);
}

TEST_F(VehicleDrawingTest, VehicleWithoutAxlesLeavesNoAxleRecords)
{
    for (const char* file : {"LKW", "GDA", "SDA", "SAH"}) {
        SCOPED_TRACE(file);
        Open(file);
        Render(false);
        ASSERT_FALSE(m_drawing->GetAchsen().empty());
        m_doc->GetFahrzeug()->m_nAchsanzahl = 0;
        // The kinds with a coupling record keep that one.
        Render(false);
        EXPECT_LE(m_drawing->GetAchsen().size(), 1u);
        if (std::string(file) == "LKW" || std::string(file) == "GDA") {
            EXPECT_TRUE(m_drawing->GetAchsen().empty());
        }
    }
}

TEST_F(VehicleDrawingTest, PartialPaintAddsNothingToTheBaseDrawing)
{
    Open("LKW");
    Render(false);
    ASSERT_FALSE(m_drawing->GetAchsen().empty());
    auto fresh = [&] {
        m_drawing = CDIBFahrzeug::Create(m_doc->GetFahrzeug());
        return m_drawing.get();
    };
    fresh();
    const QImage flagged = Render(false, true, true);
    EXPECT_TRUE(m_drawing->GetAchsen().empty());
    // The base drawing alone, without the kind's cab, wheels and coupling.
    QImage base(flagged.size(), QImage::Format_RGB32);
    base.fill(Qt::white);
    {
        QPainter painter(&base);
        const STupel scale(1.0, 1.0, -1);
        m_koord->Draw(painter, m_x, kY, scale, kZoom, &m_view);
        CDIBFahrzeug* d = fresh();
        d->CDIBFahrzeug::Draw(painter, m_x, kY, m_koord.get(), scale, kZoom, 0, &m_view, false);
    }
    EXPECT_TRUE(flagged == base);
    EXPECT_FALSE(Render(false) == base);
}

TEST_F(VehicleDrawingTest, KingpinStandsOverTheFifthWheel)
{
    Open("SAH", "SZM");
    auto* pZug = static_cast<CSattelzugmaschine*>(m_doc->GetZugfahrzeug());
    ASSERT_GT(pZug->m_dSattelVersatz, 0.0);
    const QImage image = Render();
    Keep(image, "SAH_behind_SZM_kingpin");
    auto* pSattel = static_cast<CDIBSattelzugmaschine*>(m_drawing->m_pZugfahrzeug);
    auto* pAuflieger = static_cast<CDIBAuflieger*>(m_drawing.get());
    const QRect fifth = pSattel->GetSattelRect(), kingpin = pAuflieger->GetKingpinRect();
    ASSERT_FALSE(fifth.isEmpty());
    ASSERT_FALSE(kingpin.isEmpty());
    EXPECT_NEAR(kingpin.center().x(), fifth.center().x(), 2);
    // The fifth wheel stands at the model's fifth-wheel point, ahead of the rear axle by the offset.
    EXPECT_NEAR(fifth.center().x(), m_x + Px(pZug->GetSattelX()), 1);
    EXPECT_LT(pZug->GetSattelX(), pZug->GetAchsPosition(pZug->GetAchsanzahl() - 1));
    // The kingpin sits right above it.
    EXPECT_LE(kingpin.top(), fifth.top());
}

// On a German interface the semi-trailer worked on carries its front swing label (text 16) at its front:
// red and bold when the kingpin lies farther behind the front than the swing allows, blue otherwise;
// its rectangle is tooltip tool 12347. Nothing of it anywhere else.
TEST_F(VehicleDrawingTest, FrontSwingLabelOnAGermanInterfaceWarnsInRed)
{
    const std::unique_ptr<ResourceModule> de =
        ResourceModule::Load(QStringLiteral("DE"), QCoreApplication::applicationDirPath(), nullptr);
    ASSERT_TRUE(de);
    const struct
    {
        const char* name;
        const char* zug;
        bool bDeutsch;
        float fBreite;
        double dMass;
        bool bZugAktiv, bExport;
        int nFarbe; // 0 no label, 1 blue, 2 red
    } faelle[] = {
        // Kingpin 1.6 m behind the front: 2.48 m wide allows 1.620 m, 2.55 m only 1.592 m, with 200 mm
        // corners 1.692 m.
        {"2.48 m wide", "", true, 2.48f, 0.0, false, false, 1},
        {"2.55 m wide", "", true, 2.55f, 0.0, false, false, 2},
        {"2.55 m wide, round corners", "", true, 2.55f, 0.2, false, false, 1},
        {"behind its tractor", "SZM", true, 2.55f, 0.0, false, false, 2},
        {"the tractor worked on", "SZM", true, 2.55f, 0.0, true, false, 0},
        {"report picture", "", true, 2.55f, 0.0, false, true, 0},
        {"English interface", "", false, 2.55f, 0.0, false, false, 0},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.name);
        ResourceModule::SetCurrent(fall.bDeutsch ? de.get() : m_module.get());
        Open("SAH", fall.zug);
        CFahrzeug* v = m_doc->GetFahrzeug();
        ASSERT_DOUBLE_EQ(v->GetAchse1Abstand(), 1.6);
        v->m_fLFBreite = fall.fBreite;
        dynamic_cast<CAuflieger&>(*v).m_dAufliegerMass = fall.dMass;
        if (fall.bZugAktiv)
            m_doc->SetAktivIndex(CQOR1Doc::kAktivZugfahrzeug, false, false);
        m_view.m_bExport = fall.bExport;
        m_view.m_tips[CDIBAuflieger::kToolSchwenkradius] = {QRect(1, 1, 5, 5), "old"};
        const QImage image = Render(false);
        auto* d = static_cast<CDIBAuflieger*>(m_drawing.get());
        const QRect rc = d->GetSchwenkradiusRect();
        const int rot = Count(image, rc, qRgb(255, 0, 0)), blau = Count(image, rc, qRgb(0, 0, 255));
        if (fall.nFarbe == 0) {
            EXPECT_TRUE(rc.isEmpty());
            EXPECT_EQ(m_view.m_tips.count(CDIBAuflieger::kToolSchwenkradius), 0u) << "the old tool is gone";
            continue;
        }
        Keep(image, std::string("SAH_front_swing_") + (fall.nFarbe == 2 ? "red" : "blue"));
        ASSERT_FALSE(rc.isEmpty());
        EXPECT_EQ(d->IsSchwenkradiusWarnung(), fall.nFarbe == 2);
        EXPECT_GT(fall.nFarbe == 2 ? rot : blau, 20);
        EXPECT_EQ(fall.nFarbe == 2 ? blau : rot, 0);
        // At the semi-trailer's front, just below the floor line, in the tool's rectangle.
        EXPECT_NEAR(rc.left(), m_xFahrzeug + 10, 1);
        EXPECT_EQ(rc.top(), kY + 1);
        ASSERT_EQ(m_view.m_tips.count(CDIBAuflieger::kToolSchwenkradius), 1u);
        EXPECT_EQ(m_view.m_tips[CDIBAuflieger::kToolSchwenkradius].first, rc);
        EXPECT_TRUE(m_view.m_tips[CDIBAuflieger::kToolSchwenkradius].second.empty()) << "made when shown";
    }
    m_view.m_bExport = false;
    ResourceModule::SetCurrent(m_module.get());
}

TEST_F(VehicleDrawingTest, AdditionalItemsLeaveRecordsAndTooltips)
{
    Open("LKW");
    CFahrzeug* v = m_doc->GetFahrzeug();
    auto* crane = new tagZLINFO;
    crane->m_nTyp = 1;
    crane->m_strName = "Lift";
    crane->m_dMasse = 1.2;
    crane->m_dAbstand = 0.0;
    auto* box = new tagZLINFO;
    box->m_nTyp = 4;
    box->m_strName = "Box";
    box->m_dMasse = 0.08;
    box->m_dPosX = 3.0;
    v->AddZL(std::unique_ptr<tagZLINFO>(crane));
    v->AddZL(std::unique_ptr<tagZLINFO>(box));
    m_view.m_pEditZL = box;
    Render(false);
    Keep(Render(), "LKW_items");
    ASSERT_EQ(m_drawing->GetZL().size(), 2u);
    for (const SGuiZL& zl : m_drawing->GetZL())
        EXPECT_FALSE(zl.m_rc.isEmpty());
    ASSERT_TRUE(m_view.m_tips.count(1));
    ASSERT_TRUE(m_view.m_tips.count(2));
    const std::string all = m_view.m_tips[1].second + m_view.m_tips[2].second;
    EXPECT_NE(all.find("Tail lift Lift"), std::string::npos);
    EXPECT_NE(all.find("1200 kg"), std::string::npos);
    EXPECT_NE(all.find("80 kg"), std::string::npos);
    ASSERT_FALSE(m_view.m_zlTracker.empty());
    // Each drawing removes the tools of the last one first.
    EXPECT_NE(std::find(m_view.m_removedTips.begin(), m_view.m_removedTips.end(), 2),
              m_view.m_removedTips.end());
}

} // namespace
