// The lashing geometry: windows, ray and rail crossings, candidates, automatic assignment and names, and
// the calculation's reading of the points the geometry assigns.
#include "FahrzeugTestSupport.h"

#include "model/base/AngleMath.h"
#include "model/document/CQOR1Doc.h"
#include "model/document/DocumentHost.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "model/securing/CLgspReport.h"
#include "model/securing/SNormParams.h"
#include "model/securing/ZurrGeometrie.h"
#include "model/text/TextProvider.h"
#include "model/vehicle/CZurrpunkt.h"
#include "model/vehicle/CZurrschiene.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {

using G = ZurrGeometrie;

double Grad(double d)
{
    return static_cast<double>(static_cast<float>(d * 3.14159265358979323846 / 180.0));
}

double InGrad(double r)
{
    return r * 180.0 / 3.14159265358979323846;
}

TEST(ZurrGeometrieFenster, TableOfEveryChoiceAndCorner)
{
    struct Fall
    {
        int nWahl, nEcke;
        double a1, a2, ideal; // degrees
    } faelle[] = {
        {0, 0, 185, 265, 225},  {0, 1, 95, 175, 135},  {0, 2, 275, 355, 315}, {0, 3, 5, 85, 45},
        {1, 0, 1, 89, 45},      {1, 1, 271, 359, 315}, {1, 2, 91, 179, 135},  {1, 3, 181, 269, 225},
        {2, 0, 275, 355, 315},  {2, 1, 5, 85, 45},     {2, 2, 185, 265, 225}, {2, 3, 95, 175, 135},
        {3, 0, -15, 15, 0},     {3, 1, -15, 15, 0},    {3, 2, 165, 195, 180}, {3, 3, 165, 195, 180},
        {4, 0, 255, 285, 270},  {4, 1, 75, 105, 90},   {4, 2, 255, 285, 270}, {4, 3, 75, 105, 90},
        {-1, 2, 275, 355, 315}, // no choice yet: as choice 0
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(testing::Message() << "choice " << f.nWahl << " corner " << f.nEcke);
        G::Fenster fe;
        ASSERT_TRUE(G::GetFenster(f.nWahl, f.nEcke, &fe));
        // Stored as the single-precision radian value, widened: exactly equal, not merely close.
        EXPECT_EQ(fe.a1, Grad(f.a1));
        EXPECT_EQ(fe.a2, Grad(f.a2));
        EXPECT_EQ(fe.ideal, Grad(f.ideal));
        // 30 degrees for the choices along one axis, 80 for the diagonal ones (88 for choice 1).
        const double breite = InGrad(fe.a2 - fe.a1);
        EXPECT_NEAR(breite, f.nWahl >= 3 ? 30.0 : (f.nWahl == 1 ? 88.0 : 80.0), 1e-4);
    }
    G::Fenster fe;
    EXPECT_FALSE(G::GetFenster(0, 4, &fe));
    EXPECT_FALSE(G::GetFenster(0, -1, &fe));
}

TEST(ZurrGeometrieFenster, WindowThroughZeroWraps)
{
    G::Fenster fe;
    ASSERT_TRUE(G::GetFenster(3, 0, &fe));
    double a1 = fe.a1, a2 = fe.a2;
    ASSERT_TRUE(G::Normalisiere(&a1, &a2));
    EXPECT_EQ(a1, Grad(-15) + TWO_PI_SINGLE);
    EXPECT_EQ(a2, Grad(15));
    struct Fall
    {
        double b;
        bool bDrin;
    } faelle[] = {{0, true},   {10, true},  {15, true},   {350, true},
                  {345, true}, {16, false}, {180, false}, {344, false}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.b);
        EXPECT_EQ(G::ImFenster(Grad(f.b), a1, a2, true), f.bDrin);
    }
    // Without wrap the window is the plain interval.
    ASSERT_TRUE(G::GetFenster(3, 2, &fe));
    a1 = fe.a1;
    a2 = fe.a2;
    EXPECT_FALSE(G::Normalisiere(&a1, &a2));
    EXPECT_TRUE(G::ImFenster(Grad(180), a1, a2, false));
    EXPECT_FALSE(G::ImFenster(Grad(10), a1, a2, false));
}

// The rails' frame: a rail along x at y = 1, from x 1 to 5.
TEST(ZurrGeometrieSchnitt, RayAgainstARail)
{
    struct Fall
    {
        const char* was;
        double px, py, t;
        int r;
        double cx;
    } faelle[] = {
        {"bearing pi, away from it", 3, 0, PI_SINGLE, G::kKeiner, 0}, // the rails' y runs the other way
        {"straight at it", 3, 0, 0.0, G::kTreffer, 3},
        {"straight at it, beside its end", 6, 0, 0.0, G::kAusserhalb, 6},
        {"straight away from it", 3, 2, 0.0, G::kKeiner, 0},
        {"down onto it from above", 3, 2, PI_SINGLE, G::kTreffer, 3},
        {"diagonal onto it", 2, 0, Grad(45), G::kTreffer, 3},
        {"diagonal the other way", 4, 0, Grad(315), G::kTreffer, 3},
        {"diagonal, crossing beyond its end", 4.5, 0, Grad(45), G::kAusserhalb, 5.5},
        {"diagonal, away from it", 2, 0, Grad(135), G::kKeiner, 0},
        {"diagonal from above", 2, 2, Grad(135), G::kTreffer, 3},
        {"start on its line", 3, 1, Grad(45), G::kAufLinie, 3},
        {"start on its line beyond the end", 7, 1, Grad(45), G::kAusserhalb, 7},
        {"along the rail", 0, 1, HALF_PI_SINGLE, G::kKeiner, 0},
        {"parallel beside the rail", 0, 0, THREE_HALF_PI_SINGLE, G::kKeiner, 0},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        double cx = -99, cy = -99;
        const int r = G::SchneideKante(f.px, f.py, f.t, 1, 1, 5, 1, &cx, &cy);
        EXPECT_EQ(r, f.r);
        if (r == G::kTreffer || r == G::kAufLinie || r == G::kAusserhalb) {
            EXPECT_NEAR(cx, f.cx, 1e-6); // the bearings are single-precision values
            EXPECT_NEAR(cy, 1.0, 1e-9);
        }
    }
    // An edge without length crosses nothing.
    EXPECT_EQ(G::SchneideKante(0, 0, 0.0, 1, 1, 1 + 1e-10, 1, nullptr, nullptr), G::kKeiner);
}

TEST(ZurrGeometrieSchnitt, SlopeOfABearing)
{
    EXPECT_EQ(G::Steigung(0.0), 0.0);
    EXPECT_EQ(G::Steigung(PI_SINGLE), 0.0);
    EXPECT_EQ(G::Steigung(HALF_PI_SINGLE), 0.0);
    EXPECT_EQ(G::Steigung(THREE_HALF_PI_SINGLE), 0.0);
    EXPECT_NEAR(G::Steigung(Grad(45)), 1.0, 1e-6);
    EXPECT_NEAR(G::Steigung(Grad(135)), -1.0, 1e-6);
    EXPECT_NEAR(G::Steigung(Grad(225)), 1.0, 1e-6);
    EXPECT_NEAR(G::Steigung(Grad(315)), -1.0, 1e-6);
}

TEST(ZurrGeometrieSchnitt, RangeRuleBranchByBranch)
{
    const double L = 7.0;
    struct Fall
    {
        const char* was;
        int r1;
        double p1;
        int r2;
        double p2, a1, a2;
        double von, bis;
    } faelle[] = {
        {"both hit", 0, 4, 0, 2, Grad(10), Grad(80), 2, 4},
        {"both missing", 3, 0, 3, 0, Grad(10), Grad(80), -1, -1},
        {"one beyond, one missing", 2, 9, 3, 0, Grad(10), Grad(80), -1, -1},
        {"a1 hits, a1 towards -x", 0, 3, 3, 0, Grad(185), Grad(265), 0, 3},
        {"a1 hits, a1 towards +x", 0, 3, 2, 9, Grad(10), Grad(80), 3, L},
        {"a2 hits, a2 towards +x", 3, 0, 0, 3, Grad(10), Grad(80), 0, 3},
        {"a2 hits, a2 towards -x", 2, 9, 0, 3, Grad(100), Grad(170), 3, L},
        {"on the line, window holds 3pi/2", 1, 3, 1, 3, Grad(255), Grad(285), 0, 3},
        {"on the line, window holds pi/2", 1, 3, 2, 3, Grad(75), Grad(105), 3, L},
        {"on the line, window holds neither", 1, 3, 0, 5, Grad(5), Grad(85), -1, -1},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        double von = 0, bis = 0;
        G::SchienenBereich(f.r1, f.p1, f.r2, f.p2, f.a1, f.a2, L, &von, &bis);
        EXPECT_DOUBLE_EQ(von, f.von);
        EXPECT_DOUBLE_EQ(bis, f.bis);
    }
}

TEST(ZurrGeometrieKandidat, TiesGoToTheFlatterThenTheLongerLashing)
{
    // Each step: candidate figures and whether it becomes the best.
    struct Schritt
    {
        double diff, v, l;
        bool bNimmt;
    };
    struct Fall
    {
        const char* was;
        std::vector<Schritt> schritte;
    } faelle[] = {
        {"smaller difference wins", {{0.3, 0.2, 1, true}, {0.1, 1.0, 0.2, true}}},
        {"a tie within 1e-5 goes to the flatter", {{0.1, 0.6, 1, true}, {0.1 + 5e-6, 0.4, 0.5, true}}},
        {"a steeper tie loses", {{0.1, 0.4, 1, true}, {0.1 - 5e-6, 0.6, 2.0, false}}},
        {"equally flat: the longer", {{0.1, 0.4, 1, true}, {0.1, 0.4 + 5e-6, 1.5, true}}},
        {"equally flat and shorter loses", {{0.1, 0.4, 1, true}, {0.1, 0.4, 0.5, false}}},
        // A better difference takes the candidate's vertical angle and length too: the next tie is
        // judged against this candidate, not against the one before it.
        {"ties are judged against the current best",
         {{0.1, 0.2, 1, true}, {0.05, 0.8, 0.5, true}, {0.05, 0.5, 0.7, true}}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        G::Bester b;
        for (std::size_t i = 0; i < f.schritte.size(); ++i) {
            const Schritt& s = f.schritte[i];
            const bool bNimmt = b.Nimm(s.diff, s.v, s.l);
            if (i == 0) {
                EXPECT_TRUE(bNimmt);
                continue;
            }
            EXPECT_EQ(bNimmt, s.bNimmt) << "step " << i;
        }
        const Schritt& letzter =
            f.schritte.back().bNimmt ? f.schritte.back() : f.schritte[f.schritte.size() - 2];
        EXPECT_EQ(b.diff, letzter.diff);
        EXPECT_EQ(b.v, letzter.v);
        EXPECT_EQ(b.l, letzter.l);
    }
}

// A rigid truck 7.2 x 2.5 m with lashing points every metre on both sides 5 cm in from the edges, two
// front points, two rails, and a euro pallet 1.2 x 0.8 x 1.0 m at (3.0, 0.85): corners (3.0, 0.85),
// (4.2, 0.85), (3.0, 1.65), (4.2, 1.65).
class ZurrGeometrieFahrzeug : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pDoc = std::make_unique<CQOR1Doc>(&m_host);
        auto v = fahrzeugtest::Erzeuge({0, {{1.2, 4, 8}, {3.6, 3, 9}}, 18.0, 7.2, 2.5f});
        f = v.get();
        m_pDoc->SetFahrzeug(v.release());
        m_pPlan = new CQOR(f, 0, "Plan");
        f->m_pQor = m_pPlan;
        auto* lg = new tagLGINFO;
        lg->m_strName = "Palette";
        lg->m_dLaenge = 1.2;
        lg->m_dBreite = 0.8;
        lg->m_dHoehe = 1.0;
        lg->m_dSPLaenge = 0.6;
        lg->m_dSPBreite = 0.4;
        lg->m_dSPHoehe = 0.5;
        lg->m_dMasse = lg->m_dSPMasse = 0.5;
        lg->m_dPosX = 3.0;
        lg->m_dPosY = 0.85;
        m_pPlan->AddLgInfo(std::unique_ptr<tagLGINFO>(lg), false);
        u = new CLadeeinheit(1);
        u->AddLadung(lg->m_strName.c_str(), lg->m_nNummer, lg);
        m_pPlan->InsertLadeeinheit(std::unique_ptr<CLadeeinheit>(u), 0);
        m_pPlan->m_nAktiveLadeeinheit = 1;
        u->CalcAbmessungen();
        for (int i = 1; i <= 7; ++i) {
            Punkt(double(i), 0.05, false, i);
            Punkt(double(i), 0.05, true, i);
        }
        Vorn(0.6, false, 1);
        Vorn(0.6, true, 1);
    }

    CZurrpunkt* Punkt(double x, double quer, bool bLinks, int nNr, double h = 0.0)
    {
        auto* p = new CZurrpunkt(7.2, 2.5);
        p->m_nFlags = CZurrpunkt::kVonVorn | (bLinks ? CZurrpunkt::kLinks : 0);
        p->m_dAbstandLaengs = x;
        p->m_dAbstandQuer = quer;
        p->m_dHoehe = h;
        p->m_nNummer = nNr;
        f->m_Zurrpunkte.emplace_back(p);
        return p;
    }
    // A point on the front wall, quer from its side edge.
    void Vorn(double quer, bool bLinks, int nNr)
    {
        auto* p = new CZurrpunkt(7.2, 2.5);
        p->m_nFlags = CZurrpunkt::kVonVorn | CZurrpunkt::kVorn | (bLinks ? CZurrpunkt::kLinks : 0);
        p->m_dAbstandLaengs = 0.05;
        p->m_dAbstandQuer = quer;
        p->m_nNummer = nNr;
        f->m_Zurrpunkte.emplace_back(p);
    }
    void Schienen(double dEndAbstand = 0.0)
    {
        for (int nSeite : {0, 2}) {
            auto* s = new CZurrschiene;
            s->m_nSeite = nSeite;
            s->m_dPosition = 0.1;
            s->m_dWeitereWerte[0] = 0.5;
            s->m_dWeitereWerte[1] = dEndAbstand;
            s->m_nZulKraft = 2000;
            f->m_Zurrschienen.emplace_back(s);
        }
    }
    std::vector<std::string> Waehlbar()
    {
        std::vector<std::string> namen;
        for (CZurrpunkt* p : f->GetZurrpunktListe())
            if (p->IsWaehlbar())
                namen.push_back(p->GetName());
        return namen;
    }
    std::string Name(int nEcke)
    {
        CZurrpunkt* p = u->GetZurrpunkt(nEcke, 0);
        return p ? p->GetName() : std::string("-");
    }

    CTableTextProvider m_texte{{{389, "V"}, {391, "R"}, {392, "L"}}};
    ScopedTextProvider m_scope{&m_texte};
    DocumentHost m_host;
    std::unique_ptr<CQOR1Doc> m_pDoc;
    CFahrzeug* f = nullptr;
    CQOR* m_pPlan = nullptr;
    CLadeeinheit* u = nullptr;
    CZurrpunkt m_scratch{0.0, 0.0};
};

TEST_F(ZurrGeometrieFahrzeug, SelectableVehiclePointsPerChoiceAndCorner)
{
    using V = std::vector<std::string>;
    struct Fall
    {
        int nWahl, nEcke;
        V waehlbar;
    } faelle[] = {
        // Straight out sideways within 15 degrees: the point beside the corner.
        {3, 0, {"R03"}},
        {3, 1, {"R04"}},
        {3, 2, {"L03"}},
        {3, 3, {"L04"}},
        // Forward within 15 degrees: the front points; rearward: nothing behind the unit.
        {4, 0, {"VR01"}},
        {4, 2, {"VL01"}},
        {4, 1, {}},
        // Corner 0 outward and forward (275..355 degrees): right-side points ahead of it.
        {2, 0, {"R01", "R02"}},
        // Corner 3 outward and rearward (95..175): left-side points behind it.
        {2, 3, {"L05", "L06", "L07"}},
        // Corner 0 across the unit and forward (185..265): left points ahead, and the front point of
        // the left side.
        {0, 0, {"L01", "L02", "VL01"}},
        // Corner 0 across and rearward (1..89 degrees): right points behind it.
        {1, 0, {"R04", "R05", "R06", "R07"}},
    };
    for (const Fall& c : faelle) {
        SCOPED_TRACE(testing::Message() << "choice " << c.nWahl << " corner " << c.nEcke);
        G::UpdateZurrBereiche(*f, *u, c.nWahl, c.nEcke);
        EXPECT_EQ(Waehlbar(), c.waehlbar);
    }
}

TEST_F(ZurrGeometrieFahrzeug, AutomaticAssignmentPerChoice)
{
    struct Fall
    {
        int nWahl;
        int nAnzahl;
        std::string ecken[4];
    } faelle[] = {
        {3, 4, {"R03", "R04", "L03", "L04"}},
        {4, 2, {"VR01", "-", "VL01", "-"}},
        {2, 4, {"R02", "R05", "L02", "L05"}},
        // Across the unit: y limits keep each corner on the far half.
        {0, 4, {"L01", "L06", "R01", "R06"}},
        // Across and lengthwise: x limits keep each corner beyond the far end of the unit.
        {1, 4, {"R05", "R03", "L05", "L03"}},
    };
    for (const Fall& c : faelle) {
        SCOPED_TRACE(c.nWahl);
        for (int i = 0; i < 4; ++i)
            u->SetZurrpunkt(i, 0, nullptr);
        EXPECT_EQ(G::AutoAssignZurrpunkte(*f, *u, c.nWahl, 0, m_scratch), c.nAnzahl);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(Name(i), c.ecken[i]) << "corner " << i;
            if (CZurrpunkt* p = u->GetZurrpunkt(i, 0)) {
                // A copy that knows its source.
                ASSERT_NE(p->m_pFahrzeugPunkt, nullptr);
                EXPECT_NE(p, p->m_pFahrzeugPunkt);
                EXPECT_EQ(p->m_pFahrzeugPunkt->GetName(), p->GetName());
            }
        }
    }
}

TEST_F(ZurrGeometrieFahrzeug, PointsForOnlyThreeCornersGiveThree)
{
    for (CZurrpunkt* p : f->GetZurrpunktListe())
        if (p->GetName() == "L04") {
            f->RemoveZurrpunkt(p);
            break;
        }
    EXPECT_EQ(G::AutoAssignZurrpunkte(*f, *u, 3, 0, m_scratch), 3);
    EXPECT_EQ(u->GetZurrpunkt(3, 0), nullptr);
}

TEST_F(ZurrGeometrieFahrzeug, EqualBearingsGoToTheFlatterThenTheLonger)
{
    G::Fenster fe;
    ASSERT_TRUE(G::GetFenster(3, 0, &fe));
    // Straight out from corner 0 (3.0, 0.85, top 1.0): a floor point 0.8 m out, a point half as far
    // and half as high on the same line (same vertical angle, shorter), and a raised point 0.8 m out
    // (flatter).
    CZurrpunkt* pBoden = nullptr;
    for (CZurrpunkt* p : f->GetZurrpunktListe())
        if (p->GetName() == "R03")
            pBoden = p;
    ASSERT_NE(pBoden, nullptr);
    CZurrpunkt* pHalb = Punkt(3.0, 0.45, false, 20, 0.5);
    CZurrpunkt* best = G::FindBestZurrpunkt(*f, *u, 0, false, fe.ideal, fe.a1, fe.a2, 0, 0, m_scratch);
    EXPECT_EQ(best, pBoden); // same angles, longer
    pHalb->m_dHoehe = 0.6;   // now flatter than the floor point
    best = G::FindBestZurrpunkt(*f, *u, 0, false, fe.ideal, fe.a1, fe.a2, 0, 0, m_scratch);
    EXPECT_EQ(best, pHalb);
    // A point straight below the corner holds in no direction and is never proposed.
    CZurrpunkt* pUnten = Punkt(3.0, 0.85, false, 21, 0.0);
    pHalb->m_dHoehe = 0.0;
    best = G::FindBestZurrpunkt(*f, *u, 0, false, fe.ideal, fe.a1, fe.a2, 0, 0, m_scratch);
    EXPECT_NE(best, pUnten);
}

TEST_F(ZurrGeometrieFahrzeug, RailPositionsLieInTheRailsRangeAndReachTheLastCentimetre)
{
    Schienen(0.13);
    for (int nWahl = 0; nWahl < 5; ++nWahl)
        for (int nEcke = 0; nEcke < 4; ++nEcke) {
            SCOPED_TRACE(testing::Message() << "choice " << nWahl << " corner " << nEcke);
            G::UpdateZurrBereiche(*f, *u, nWahl, nEcke);
            G::Fenster fe;
            G::GetFenster(nWahl, nEcke, &fe);
            CZurrpunkt* p =
                G::FindBestZurrpunkt(*f, *u, nEcke, true, fe.ideal, fe.a1, fe.a2, 0, 0, m_scratch);
            if (!p)
                continue;
            ASSERT_EQ(p, &m_scratch);
            CZurrschiene* s = p->GetZurrschiene();
            ASSERT_NE(s, nullptr);
            // The proposal lies on its rail (its y is the rail's) and inside the range the window
            // leaves of that rail.
            EXPECT_NEAR(p->GetPosY(), G::SchienenY(*f, *s), 1e-9);
            double von = 0, bis = 0;
            ASSERT_TRUE(s->GetBereich(&von, &bis));
            EXPECT_GE(p->GetPosX(), von - 0.011);
            EXPECT_LE(p->GetPosX(), bis + 0.011);
            EXPECT_NE(p->m_nFlags & CZurrpunkt::kAnSchiene, 0);
            EXPECT_EQ((p->m_nFlags & CZurrpunkt::kLinks) != 0, s->m_nSeite == 2);
            EXPECT_EQ(p->m_dSchienenKraft, 2000.0);
        }
    // Lengthwise rearward with the window around +x: the best position is the rail's very end,
    // 7.2 - 0.13 = 7.07, which a summed walk of 0.01 steps from 0.5 misses by rounding.
    CZurrpunkt* p =
        G::FindBestZurrpunkt(*f, *u, 1, true, HALF_PI_SINGLE, Grad(60), Grad(120), 0, 0, m_scratch);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->GetPosX(), G::SchienenEnde(*f, *p->GetZurrschiene()));
    EXPECT_NEAR(p->GetPosX(), 7.07, 1e-12);
}

TEST_F(ZurrGeometrieFahrzeug, RailRangesOfAWindowAlongTheLoadArea)
{
    Schienen();
    // Corner 1 (4.2, 0.85) rearward within 75..105 degrees: the lower bound reaches the rail of side 2
    // (at y 0.1, 0.75 m to the side) 0.75 / tan 15 degrees behind the corner, the upper bound runs away
    // from it and misses; the range runs from that crossing to the load area's end. The rail of side 0
    // (at y 2.4) is crossed by neither bound within its length: no range.
    G::UpdateZurrBereiche(*f, *u, 4, 1);
    CZurrschiene* s0 = f->GetZurrschienen().front();
    CZurrschiene* s2 = f->GetZurrschienen().back();
    double von = 0, bis = 0;
    ASSERT_TRUE(s2->GetBereich(&von, &bis));
    EXPECT_NEAR(von, 4.2 + 0.75 / std::tan(Grad(15)), 1e-5);
    EXPECT_EQ(bis, 7.2);
    EXPECT_FALSE(G::RailHasRange(*s0));
    s0->GetBereich(&von, &bis);
    EXPECT_EQ(von, -1.0);
    EXPECT_EQ(bis, -1.0);
    // Both bounds parallel to a rail: no crossing for either, and no range.
    double p1 = 0, p2 = 0;
    const int r1 = G::SchneideKante(4.2, 1.65, HALF_PI_SINGLE, 0.5, 0.1, 7.2, 0.1, &p1, nullptr);
    const int r2 = G::SchneideKante(4.2, 1.65, THREE_HALF_PI_SINGLE, 0.5, 0.1, 7.2, 0.1, &p2, nullptr);
    EXPECT_EQ(r1, G::kKeiner);
    EXPECT_EQ(r2, G::kKeiner);
    G::SchienenBereich(r1, p1, r2, p2, HALF_PI_SINGLE, THREE_HALF_PI_SINGLE, 7.2, &von, &bis);
    EXPECT_EQ(von, -1.0);
    EXPECT_EQ(bis, -1.0);
}

TEST_F(ZurrGeometrieFahrzeug, NamesAreCheckedAndNormalised)
{
    struct Fall
    {
        const char* text;
        int nArt;
        bool bGueltig;
        const char* name;
    } faelle[] = {
        {"", -1, true, ""},        {"l12", -1, true, "L12"},       {"R3", -1, true, "R03"},
        {"VL3", -1, true, "VL03"}, {"LV3", -1, true, "VL03"},      {"vr7", -1, true, "VR07"},
        {"LR3", -1, false, ""},    {"3L", -1, false, ""},          {"L3V", -1, false, ""},
        {"V3L", -1, false, ""},    {"V3", -1, false, ""},          {"LL3", -1, false, ""},
        {"L-3", -1, false, ""},    {"L1234567890", -1, false, ""}, {"5", 1, true, "L05"},
        {"5", 0, true, "R05"},     {"5", -1, false, ""},
    };
    for (const Fall& c : faelle) {
        SCOPED_TRACE(c.text);
        std::string name = "unchanged";
        EXPECT_EQ(G::NormalisiereName(c.text, c.nArt, &name), c.bGueltig);
        if (c.bGueltig) {
            EXPECT_EQ(name, c.name);
        }
    }
    // The kind of the selectable points decides what digits alone mean.
    G::UpdateZurrBereiche(*f, *u, 3, 0); // only R03
    EXPECT_EQ(G::SeitenArt(*f), 0);
    G::UpdateZurrBereiche(*f, *u, 3, 2); // only L03
    EXPECT_EQ(G::SeitenArt(*f), 1);
    for (CZurrpunkt* p : f->GetZurrpunktListe())
        p->m_nReserveNummer = 1;
    EXPECT_EQ(G::SeitenArt(*f), -1);
}

TEST_F(ZurrGeometrieFahrzeug, AssigningByNameTakesOnlySelectablePoints)
{
    G::UpdateZurrBereiche(*f, *u, 3, 0);
    EXPECT_TRUE(G::AssignZurrpunktByName(*f, *u, "R03", 0, 0));
    EXPECT_EQ(Name(0), "R03");
    // A valid name of a point outside the window: the slot keeps its point.
    EXPECT_FALSE(G::AssignZurrpunktByName(*f, *u, "R05", 0, 0));
    EXPECT_EQ(Name(0), "R03");
    // The second slot of a corner is not held by the unit: refused rather than lost silently.
    EXPECT_FALSE(G::AssignZurrpunktByName(*f, *u, "R03", 0, 1));
    // Empty clears.
    EXPECT_TRUE(G::AssignZurrpunktByName(*f, *u, "", 0, 0));
    EXPECT_EQ(u->GetZurrpunkt(0, 0), nullptr);
}

TEST_F(ZurrGeometrieFahrzeug, RailPointTakesTheRailsValues)
{
    Schienen();
    CZurrschiene* s = f->GetZurrschienen().back(); // side 2
    G::AssignRailPoint(*f, *u, 2, 0, s, 3.25);
    CZurrpunkt* p = u->GetZurrpunkt(2, 0);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->GetZurrschiene(), s);
    EXPECT_EQ(p->m_nFlags, CZurrpunkt::kVonVorn | CZurrpunkt::kLinks | CZurrpunkt::kAnSchiene);
    EXPECT_EQ(p->GetPosX(), 3.25);
    // On the rail's line (its lateral distance 0.1), measured from the edge flag 2 names.
    EXPECT_NEAR(p->GetPosY(), 0.1, 1e-6);
    EXPECT_NEAR(p->m_dAbstandQuer, 2.4, 1e-6);
    EXPECT_EQ(p->m_dHoehe, 0.0); // rails lie on the floor
    EXPECT_EQ(p->m_dZulKraft, 0.0);
    EXPECT_EQ(p->m_dSchienenKraft, 2000.0);
    G::AssignRailPoint(*f, *u, 2, 0, nullptr, 1.0);
    EXPECT_EQ(u->GetZurrpunkt(2, 0), nullptr);
}

// After a vehicle file is read the unit's rail points find their rails again by where they lie across
// the load area, on either rail.
TEST_F(ZurrGeometrieFahrzeug, RailPointsFindTheirRailsAfterReading)
{
    Schienen();
    CZurrschiene* s0 = f->GetZurrschienen().front();
    CZurrschiene* s2 = f->GetZurrschienen().back();
    G::AssignRailPoint(*f, *u, 0, 0, s0, 3.0);
    G::AssignRailPoint(*f, *u, 2, 0, s2, 3.0);
    for (int i : {0, 2})
        u->GetZurrpunkt(i, 0)->m_pZurrschiene = nullptr; // as read: the flag kept, no rail yet
    f->RelinkZurrpunkte();
    EXPECT_EQ(u->GetZurrpunkt(0, 0)->GetZurrschiene(), s0);
    EXPECT_EQ(u->GetZurrpunkt(2, 0)->GetZurrschiene(), s2);
}

// What the wizard assigns the calculation reads the same way: for each choice, the horizontal direction
// of every corner's lashing in the detailed figures is the bearing from that corner to its point.
TEST_F(ZurrGeometrieFahrzeug, CalculationReadsTheAssignedCornersAsTheGeometryDoes)
{
    CLgspReport report(m_pDoc.get());
    ASSERT_TRUE(report.SelectFahrzeug(1));
    ASSERT_TRUE(report.SetLadeeinheit(u));
    CWizardParams& wp = u->m_Wizard;
    wp.m_nNorm = 0;
    ASSERT_TRUE(SNormParams::GetStandard(0, &wp.m_Norm));
    wp.m_fReibungOhneMatte = 0.3f;
    wp.m_nVorspannkraft = 250;
    wp.m_nZurrkraft = 500;
    wp.m_nVerfahren = 1;
    for (int nWahl = 0; nWahl < 5; ++nWahl) {
        SCOPED_TRACE(nWahl);
        for (int i = 0; i < 4; ++i)
            u->SetZurrpunkt(i, 0, nullptr);
        wp.m_nDetailWert = nWahl;
        const int n = G::AutoAssignZurrpunkte(*f, *u, nWahl, 0, m_scratch);
        ASSERT_GE(n, 2);
        ASSERT_TRUE(report.CalcLgsWerte());
        const SLgspWerte& w = *report.GetWerte();
        for (int nEcke = 0; nEcke < 4; ++nEcke) {
            SCOPED_TRACE(nEcke);
            CZurrpunkt* p = u->GetZurrpunkt(nEcke, 0);
            if (!p)
                continue;
            double x = 0, y = 0, z = 0;
            ASSERT_TRUE(G::EckePosition(*f, *u, nEcke, &x, &y, &z));
            const double b = CalcBearing(x, y, p->GetPosX(), p->GetPosY());
            G::Fenster fe;
            G::GetFenster(nWahl, nEcke, &fe);
            double a1 = fe.a1, a2 = fe.a2;
            const bool bWrap = G::Normalisiere(&a1, &a2);
            EXPECT_TRUE(G::ImFenster(b, a1, a2, bWrap));
            const SLgspEcke& e = w.m_Ecke[nEcke];
            EXPECT_EQ(e.m_bNichtBewertbar, 0);
            // Along x: the angle to the x axis; across: to the y axis, as the calculation reads them.
            const double zuX = CalcAngleDiff(b, HALF_PI_SINGLE);
            const double zuY = CalcAngleDiff(b, PI_SINGLE);
            if (nWahl != 3 && std::fabs(zuX - HALF_PI_SINGLE) > 1e-3) {
                EXPECT_EQ((e.m_nRichtungen & SLgspEcke::kVorwaerts) != 0, zuX < HALF_PI_SINGLE);
                EXPECT_EQ((e.m_nRichtungen & SLgspEcke::kRueckwaerts) != 0, zuX > HALF_PI_SINGLE);
                EXPECT_NEAR(e.m_fBetaX, std::min(zuX, PI_SINGLE - zuX), 1e-5);
            }
            if (nWahl != 4 && std::fabs(zuY - HALF_PI_SINGLE) > 1e-3) {
                EXPECT_EQ((e.m_nRichtungen & SLgspEcke::kLinks) != 0, zuY > HALF_PI_SINGLE);
                EXPECT_EQ((e.m_nRichtungen & SLgspEcke::kRechts) != 0, zuY < HALF_PI_SINGLE);
                EXPECT_NEAR(e.m_fBetaY, std::min(zuY, PI_SINGLE - zuY), 1e-5);
            }
            // The vertical angle from the corner's height to the point's.
            const double h = std::hypot(p->GetPosX() - x, p->GetPosY() - y);
            EXPECT_NEAR(e.m_fAlpha, std::atan((z - p->m_dHoehe) / h), 1e-5);
        }
    }
}

} // namespace
