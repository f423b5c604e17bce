// Input rules of the loading plan: mouse displacement, rotation gesture, align moves and answers,
// centring across, mass keys, the y value from side B, the load-area width and form-fit contact.
#include "model/plan/PlanEingabe.h"
#include "model/plan/CQOR.h"
#include "model/plan/FsmAnlage.h"
#include "model/plan/tagLGINFO.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

constexpr double kGrad = std::numbers::pi / 180.0;

class PlanEingabeTest : public ::testing::Test
{
protected:
    // A trailer with a 10 m x 2.4 m load area; margins front 0.2, side A 0.1, rear 0.3, side B 0.1.
    void SetUp() override
    {
        f.m_nArt = FahrzeugArt::kAnhaenger;
        f.m_dLFLaenge = 10.0;
        f.m_fLFBreite = 2.4f;
        for (SNutzbareLF& n : f.m_NutzLF) {
            n.m_dRand[0] = 0.2;
            n.m_dRand[1] = 0.1;
            n.m_dRand[2] = 0.3;
            n.m_dRand[3] = 0.1;
            n.m_nRaster[0] = n.m_nRaster[2] = 4;
            n.m_nRaster[1] = n.m_nRaster[3] = 10;
        }
        f.m_pQor = new CQOR(&f, 0, "Plan");
    }

    tagLGINFO* Last(double x, double y, double l, double b, int rot = 0, int typ = 0)
    {
        auto* p = new tagLGINFO;
        p->m_strName = typ >= 5 ? "Keil" : "Last";
        p->m_nTyp = typ;
        p->m_dPosX = x;
        p->m_dPosY = y;
        p->m_dLaenge = l;
        p->m_dBreite = b;
        p->m_nDrehung = rot;
        f.m_pQor->AddLgInfo(std::unique_ptr<tagLGINFO>(p), false);
        return p;
    }

    CQOR& Plan() { return *f.m_pQor; }

    CFahrzeug f;
};

} // namespace

TEST(PlanEingabe, MouseDisplacementInCentimetres)
{
    struct Fall
    {
        int px, py;
        double zoom;
        int cx, cy;
    };
    // 97 pixels per metre: at zoom 1.5 one metre is 145.5 pixels.
    const Fall faelle[] = {{97, 0, 1.0, 100, 0}, {0, 97, 1.0, 0, 100},     {146, 0, 1.5, 100, 0},
                           {145, 0, 1.5, 99, 0}, {-97, -1, 1.0, -100, -2}, {1, 0, 1.5, 0, 0}};
    for (const Fall& c : faelle) {
        SCOPED_TRACE(testing::Message() << c.px << "," << c.py << " zoom " << c.zoom);
        int v[2];
        PlanMausVersatz(c.px, c.py, 97, 97, c.zoom, v);
        EXPECT_EQ(v[0], c.cx);
        EXPECT_EQ(v[1], c.cy);
    }
}

TEST(PlanEingabe, RotationGestureCountsQuarterTurns)
{
    struct Fall
    {
        double grad;
        int q;
    };
    const Fall faelle[] = {{0, 0},   {44, 0},  {46, 1},  {-44, 0},  {-46, 3},
                           {134, 1}, {135, 2}, {180, 2}, {-135, 2}, {-134, 3}};
    for (const Fall& c : faelle) {
        SCOPED_TRACE(c.grad);
        EXPECT_EQ(PlanVierteldrehungen(c.grad * kGrad), c.q);
    }
    // From the pivot to the press point along x, the cursor below (y grows downwards on the plan).
    EXPECT_NEAR(PlanDrehWinkel(0, 0, 10, 0, 0, 10), 90 * kGrad, 1e-12);
    EXPECT_NEAR(PlanDrehWinkel(0, 0, 10, 0, 0, -10), -90 * kGrad, 1e-12);
    EXPECT_NEAR(PlanDrehWinkel(5, 5, 15, 5, -5, 5), 180 * kGrad, 1e-12);
    EXPECT_EQ(PlanDrehWinkel(0, 0, 0, 0, 3, 4), 0.0);
}

TEST_F(PlanEingabeTest, DistancesOfTheSelectionToTheBorders)
{
    EXPECT_EQ(GetAbstand(Plan(), f, 0), -1.0) << "nothing selected";
    Last(1.0, 0.5, 1.2, 0.8)->m_bSelected = 1;
    Last(3.0, 0.2, 1.2, 0.8, 90)->m_bSelected = 1;
    Last(0.1, 0.0, 1.2, 0.8); // not selected
    EXPECT_DOUBLE_EQ(GetAbstand(Plan(), f, 0), 1.0);
    EXPECT_DOUBLE_EQ(GetAbstand(Plan(), f, 1), 0.2);
    // Usable length 9.5 m less the far end 3.8 m; usable width 2.2 m less the far end 1.4 m.
    EXPECT_NEAR(GetAbstand(Plan(), f, 2), 5.7, 1e-12);
    EXPECT_NEAR(GetAbstand(Plan(), f, 3), 0.8, 1e-6);
    EXPECT_EQ(GetAbstand(Plan(), f, 4), -1.0);
}

TEST(PlanEingabe, AlignMovesAndAnswers)
{
    struct Fall
    {
        int seite;
        double wert, abstand;
        bool ok;
        int dx, dy;
    };
    const Fall faelle[] = {{0, 0.5, 1.0, true, -50, 0},
                           {2, 0.5, 1.0, true, 50, 0},
                           {1, 0.3, 0.1, true, 0, 20},
                           {3, 0.3, 0.1, true, 0, -20},
                           {4, 0.3, 0.1, false, 0, 0}};
    for (const Fall& c : faelle) {
        SCOPED_TRACE(c.seite);
        int v[2];
        EXPECT_EQ(PlanAusrichtVersatz(c.seite, c.wert, c.abstand, v), c.ok);
        EXPECT_EQ(v[0], c.dx);
        EXPECT_EQ(v[1], c.dy);
    }
    EXPECT_EQ(PlanAusrichtAntwort(0.5004), 501);
    EXPECT_EQ(PlanAusrichtAntwort(0.0), 1);
    EXPECT_EQ(PlanAusrichtAntwort(-1.0), 0) << "no selection";
    EXPECT_EQ(PlanAusrichtAntwort(-0.001), 0);
}

TEST_F(PlanEingabeTest, CentringAcrossIgnoresASmallShift)
{
    // Usable width 2.2 m from a width held as a 4-byte real: a 0.8 m load is centred at y = 0.7.
    struct Fall
    {
        double y;
        bool bewegt;
        int dy;
    };
    const Fall faelle[] = {{0.7, false, 0},  {0.69, false, 0}, {0.71, false, 0}, {0.68, true, 2},
                           {0.73, true, -3}, {0.0, true, 70},  {1.4, true, -70}};
    tagLGINFO* p = Last(1.0, 0.0, 1.2, 0.8);
    p->m_bSelected = 1;
    for (const Fall& c : faelle) {
        SCOPED_TRACE(c.y);
        p->m_dPosY = c.y;
        int dy = 99;
        EXPECT_EQ(PlanMitteQuerVersatz(Plan(), f, &dy), c.bewegt);
        EXPECT_EQ(dy, c.dy);
    }
    p->m_bSelected = 0;
    int dy = 99;
    EXPECT_FALSE(PlanMitteQuerVersatz(Plan(), f, &dy));
}

TEST(PlanEingabe, MassKeysAndSlider)
{
    struct Fall
    {
        double masse;
        bool schwerer;
        double erwartet;
    };
    const Fall faelle[] = {
        {39.95, true, 40.0}, {40.0, true, 40.0}, {0.05, false, 0.0}, {1.0, true, 1.1}, {1.0, false, 0.9}};
    for (const Fall& c : faelle) {
        SCOPED_TRACE(c.masse);
        EXPECT_NEAR(PlanMasseNachTaste(c.masse, c.schwerer), c.erwartet, 1e-12);
    }
    EXPECT_DOUBLE_EQ(PlanMasseFuerRegler(1.2345), 1.234);
    EXPECT_DOUBLE_EQ(PlanMasseFuerRegler(0.9999999), 1.0);
    EXPECT_DOUBLE_EQ(PlanMasseFuerRegler(1.1), 1.1) << "1.1 is stored a hair below";
    EXPECT_TRUE(PlanMasseGueltig(0.0));
    EXPECT_TRUE(PlanMasseGueltig(99.99));
    EXPECT_FALSE(PlanMasseGueltig(100.0));
    EXPECT_FALSE(PlanMasseGueltig(-0.1));
    EXPECT_EQ(PlanPfeilSchritt(false, false), 1);
    EXPECT_EQ(PlanPfeilSchritt(true, false), 10);
    EXPECT_EQ(PlanPfeilSchritt(true, true), 100);
}

TEST_F(PlanEingabeTest, YFromSideBAndBack)
{
    // Usable width 2.2 m: a 0.8 m load at y = 0.5 lies 0.9 m from side B.
    EXPECT_DOUBLE_EQ(PlanYVonSeite(f, 0, 0.5, 0.8), 0.5);
    EXPECT_NEAR(PlanYVonSeite(f, 2, 0.5, 0.8), 0.9, 1e-6);
    EXPECT_NEAR(PlanYVonSeite(f, 2, PlanYVonSeite(f, 2, 0.5, 0.8), 0.8), 0.5, 1e-12);
}

TEST_F(PlanEingabeTest, LoadAreaWidthIsClampedAndKeepsSideBDistances)
{
    struct Fall
    {
        double breite;
        float erwartet;
    };
    const Fall faelle[] = {{5.0, 4.0f}, {0.5, 0.8f}, {2.55, 2.55f}};
    for (const Fall& c : faelle) {
        SCOPED_TRACE(c.breite);
        EXPECT_TRUE(PlanSetLadeflaechenBreite(f, c.breite, 0));
        EXPECT_EQ(f.m_fLFBreite, c.erwartet);
        EXPECT_FALSE(PlanSetLadeflaechenBreite(f, c.breite, 0)) << "the same width again changes nothing";
    }

    // With y measured from side B the loads keep their distance from it.
    f.m_fLFBreite = 2.4f;
    tagLGINFO* p = Last(1.0, 0.5, 1.2, 0.8);
    const double vonB = PlanYVonSeite(f, 2, p->m_dPosY, p->GetDimY());
    EXPECT_TRUE(PlanSetLadeflaechenBreite(f, 2.5, 2));
    EXPECT_DOUBLE_EQ(p->m_dPosY, 0.6);
    EXPECT_NEAR(PlanYVonSeite(f, 2, p->m_dPosY, p->GetDimY()), vonB, 1e-6);
    EXPECT_TRUE(PlanSetLadeflaechenBreite(f, 2.4, 0));
    EXPECT_DOUBLE_EQ(p->m_dPosY, 0.6) << "grid side 0: loads stay";
}

TEST_F(PlanEingabeTest, FormFitElementContact)
{
    // Usable area 9.5 m x 2.2 m.
    struct Fall
    {
        const char* name;
        double x, y, l, b;
        int rot;
        int seite, art;
    };
    const Fall faelle[] = {
        {"across the front at x = 0.01", 0.01, 0.0, 0.2, 2.2, 0, 3, 1},
        {"turned along, at x = 0, lies on side A", 0.0, 0.0, 0.2, 2.2, 90, 4, 1},
        {"turned along at side B", 2.0, 2.0, 0.2, 2.4, 90, 2, 1},
        {"across the rear", 9.3, 0.0, 0.2, 2.2, 0, 1, 1},
        {"just off the front", 0.03, 0.0, 0.2, 2.2, 0, 0, 2},
        {"behind the load", 4.2, 0.0, 0.2, 2.2, 0, 1, 2},
        {"in front of the load", 2.8, 0.0, 0.2, 2.2, 0, 3, 2},
        {"free standing", 6.0, 0.5, 0.2, 0.2, 0, 0, 2},
    };
    Last(3.0, 0.0, 1.2, 2.2); // from 3.0 to 4.2
    for (const Fall& c : faelle) {
        SCOPED_TRACE(c.name);
        tagLGINFO e;
        e.m_nTyp = 5;
        e.m_dPosX = c.x;
        e.m_dPosY = c.y;
        e.m_dLaenge = c.l;
        e.m_dBreite = c.b;
        e.m_nDrehung = c.rot;
        int art = -1;
        EXPECT_EQ(GetFsmAnlage(f, &Plan(), e, &art), c.seite);
        EXPECT_EQ(art, c.art);
    }
}

TEST_F(PlanEingabeTest, FormFitElementCells)
{
    tagLGINFO e;
    e.m_dLaenge = 0.2;
    e.m_dBreite = 1.1; // half the usable width of 2.2 m
    int anzahl = 0, belegt = 0;
    GetFsmRaster(f, e, 3, &anzahl, &belegt);
    EXPECT_EQ(anzahl, 4);
    EXPECT_EQ(belegt, 2);
    e.m_nDrehung = 90; // 1.1 m along the 9.5 m usable length
    GetFsmRaster(f, e, 4, &anzahl, &belegt);
    EXPECT_EQ(anzahl, 10);
    EXPECT_EQ(belegt, 1);
}
