// Placement on the loading plan: collision resolution, moves, rotations, automatic placement, typed
// positions, the ramp drag start and the live centre of gravity of a drag.
#include "model/files/FahrzeugImpExp.h"
#include "model/files/LadungVorlage.h"
#include "model/files/tagItemData.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CPlanPlatzierung.h"
#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

// The rules every committed placement keeps: each load inside the allowed area, no two loads sharing
// area on the grid, every position on a whole centimetre.
std::vector<std::string> PlatzVerletzungen(const CPlanPlatzierung& pl)
{
    std::vector<std::string> v;
    const CQOR* q = pl.GetPlan();
    if (!q)
        return v;
    const PlanGridRect a = pl.GetErlaubteFlaeche();
    std::vector<tagPlatzRect> rects;
    for (tagLGINFO* p : q->GetLgInfos()) {
        const std::string n = p->GetDisplayName();
        for (double c : {p->m_dPosX, p->m_dPosY})
            if (std::fabs(c * 100.0 - std::round(c * 100.0)) > 1e-6)
                v.push_back(n + " stands off the centimetre grid at " + std::to_string(c));
        const tagPlatzRect r = CPlanPlatzierung::PlanToClientRect(p);
        if (r.left < a.left || r.top < a.top || r.right > a.right || r.bottom > a.bottom)
            v.push_back(n + " lies outside the allowed area");
        for (const tagPlatzRect& o : rects)
            if (IntersectGridRect(r, o))
                v.push_back(n + " overlaps " + o.pLg->GetDisplayName());
        rects.push_back(r);
    }
    return v;
}

#define EXPECT_PLATZ_INVARIANTEN(pl)                                                                         \
    do {                                                                                                     \
        for (const auto& s : PlatzVerletzungen(pl))                                                          \
            ADD_FAILURE() << s;                                                                              \
    } while (0)

struct Box
{
    double x, y, l, b;
    int rot = 0;
};

class PlanPlatzierungTest : public ::testing::Test
{
protected:
    // A trailer with a 10 m x 2.4 m load area and no margins.
    void SetUp() override
    {
        f.m_nArt = FahrzeugArt::kAnhaenger;
        f.m_dLFLaenge = 10.0;
        f.m_fLFBreite = 2.4f;
        f.m_pQor = new CQOR(&f, 0, "Plan");
        pl.SetPlan(f.m_pQor);
    }

    void Raender(double mF, double mA, double mR, double mB)
    {
        for (SNutzbareLF& n : f.m_NutzLF) {
            n.m_dRand[0] = mF;
            n.m_dRand[1] = mA;
            n.m_dRand[2] = mR;
            n.m_dRand[3] = mB;
        }
    }

    tagLGINFO* Last(const Box& b, const char* name = "Last", double masse = 1.0)
    {
        auto* p = new tagLGINFO;
        p->m_strName = name;
        p->m_nTyp = 0;
        p->m_dPosX = b.x;
        p->m_dPosY = b.y;
        p->m_dLaenge = b.l;
        p->m_dBreite = b.b;
        p->m_nDrehung = b.rot;
        p->m_dSPLaenge = b.l / 2;
        p->m_dSPBreite = b.b / 2;
        p->m_dSPMasse = masse;
        f.m_pQor->AddLgInfo(std::unique_ptr<tagLGINFO>(p), false);
        return p;
    }

    CQOR& Plan() { return *f.m_pQor; }

    void NeuerPlan()
    {
        delete f.m_pQor;
        f.m_pQor = new CQOR(&f, 0, "Plan");
        pl.SetPlan(f.m_pQor);
    }

    CFahrzeug f;
    CPlanPlatzierung pl;
};

// A catalogue pallet, as a placed load takes it over.
SLadungVorlage Palette(double l = 1.2, double b = 0.8)
{
    tagItemData item;
    item.m_nArt = 0;
    item.m_strName = "Palette";
    item.m_dLaenge = l;
    item.m_dBreite = b;
    item.m_dHoehe = 1.0;
    item.m_dSPLaenge = l / 2;
    item.m_dSPBreite = b / 2;
    item.m_strText = "EUR";
    return GetLadungVorlage(item);
}

} // namespace

TEST_F(PlanPlatzierungTest, GridRectanglesRoundDownWithAMicrometreAndTurnTheExtents)
{
    // 0.29 m is stored as 0.28999999999999998: the micrometre keeps it at 29 cm.
    const tagPlatzRect r = CPlanPlatzierung::PlanToClientRect(0.29, 1.0, 1.2, 0.8);
    EXPECT_EQ(PlanGridRect(r), (PlanGridRect{29, 100, 149, 180}));
    tagLGINFO* p = Last({1.0, 0.5, 1.2, 0.8, 90});
    const tagPlatzRect g = CPlanPlatzierung::PlanToClientRect(p);
    EXPECT_EQ(PlanGridRect(g), (PlanGridRect{100, 50, 180, 170}));
    EXPECT_EQ(g.pLg, p);
    EXPECT_EQ(g.nRotation, 90);
}

TEST_F(PlanPlatzierungTest, AllowedAreaFollowsMarginsAndOverhangs)
{
    struct Fall
    {
        const char* name;
        double rand[4];    // front, side A, rear, side B
        double ueberst[4]; // front, rear, side B, side A
        PlanGridRect erwartet;
    };
    const Fall faelle[] = {
        {"usable area only", {0.5, 0.1, 0.3, 0.2}, {0, 0, 0, 0}, {0, 0, 920, 210}},
        // With an overhang the margin of that side no longer counts and the edge moves out by it.
        {"rear overhang 0.3", {0.5, 0.1, 0.3, 0.2}, {0, 0.3, 0, 0}, {0, 0, 980, 210}},
        {"front overhang 0.2", {0.5, 0.1, 0.3, 0.2}, {0.2, 0, 0, 0}, {-70, 0, 920, 210}},
        {"side overhangs", {0.5, 0.1, 0.3, 0.2}, {0, 0, 0.1, 0.15}, {0, -25, 920, 240}},
    };
    for (const Fall& c : faelle) {
        SCOPED_TRACE(c.name);
        Raender(c.rand[0], c.rand[1], c.rand[2], c.rand[3]);
        for (int i = 0; i < 4; ++i)
            f.m_Ueberstand.m_dWert[i] = c.ueberst[i];
        EXPECT_EQ(pl.GetErlaubteFlaeche(), c.erwartet);
    }
}

TEST_F(PlanPlatzierungTest, BorderStripsFenceTheAreaWithoutOverlappingIt)
{
    tagPlatzRect s[4];
    const PlanGridRect a{0, 0, 1000, 240};
    CPlanPlatzierung::FillRandStreifen(a, CPlanPlatzierung::kStreifen, s);
    EXPECT_EQ(PlanGridRect(s[0]), (PlanGridRect{-5000, -5000, 6000, 0}));
    EXPECT_EQ(PlanGridRect(s[1]), (PlanGridRect{1000, 0, 6000, 240}));
    EXPECT_EQ(PlanGridRect(s[2]), (PlanGridRect{-5000, 240, 6000, 5240}));
    EXPECT_EQ(PlanGridRect(s[3]), (PlanGridRect{-5000, 0, 0, 240}));
    for (const tagPlatzRect& r : s) {
        EXPECT_FALSE(IntersectGridRect(r, a));
        EXPECT_EQ(r.pLg, nullptr);
    }
}

// A single moving load of 1.2 m x 0.8 m at the front corner against fixed loads in a 10 m x 2.4 m area.
TEST_F(PlanPlatzierungTest, ResolutionOfASingleDrag)
{
    struct Fall
    {
        const char* name;
        std::vector<Box> fest;
        int dx, dy;
        int status;
        int ex, ey;
        int cursor;
    };
    const Fall faelle[] = {
        {"touching edges are free", {{3.0, 0, 1.2, 0.8}}, 180, 0, 1, 180, 0, 252},
        {"one overlap snaps to the near edge", {{3.0, 0, 1.2, 0.8}}, 200, 0, 2, 180, 0, 274},
        // Each single-axis shift runs into the other load; the nearest free pair of edges wins.
        {"two overlaps give the nearest free edge pair",
         {{3.0, 0, 1.2, 0.8}, {1.5, 1.0, 1.5, 1.4}},
         200,
         30,
         2,
         180,
         20,
         274},
        // A third load blocks that pair without touching the request; the next candidates are tried in
        // order of distance, and of the two at equal distance the one generated first (further forward)
        // runs into side A, so the other one is taken.
        {"a third load forces the next candidate",
         {{3.0, 0, 1.2, 0.8}, {1.5, 1.0, 1.5, 1.4}, {1.7, 0, 0.2, 0.25}},
         200,
         30,
         2,
         300,
         80,
         274},
        {"beyond side B snaps back inside", {}, 500, 200, 2, 500, 160, 274},
        {"a load covering the area leaves no place", {{0, 0, 10.0, 2.4}}, 0, 0, 0, 0, 0, 253},
    };
    for (const Fall& c : faelle) {
        SCOPED_TRACE(c.name);
        NeuerPlan();
        for (const Box& b : c.fest)
            Last(b, "Fest");
        tagLGINFO* m = Last({0, 0, 1.2, 0.8}, "Zieh");
        m->m_bSelected = 1;
        pl.FillZiehRects();
        pl.FillFestRects();
        ASSERT_EQ(pl.m_ZiehRects.size(), 1u);
        ASSERT_EQ(pl.m_FestRects.size(), 4 + c.fest.size());
        const int v[2] = {c.dx, c.dy};
        EXPECT_EQ(pl.FindFreiePosition(v), c.status);
        EXPECT_EQ(pl.m_nPlatzStatus, c.status);
        EXPECT_EQ(pl.m_nVersatz[0], c.ex);
        EXPECT_EQ(pl.m_nVersatz[1], c.ey);
        EXPECT_DOUBLE_EQ(pl.m_dVersatzX, c.ex / 100.0);
        EXPECT_DOUBLE_EQ(pl.m_dVersatzY, c.ey / 100.0);
        EXPECT_EQ(pl.GetCursorId(), c.cursor);
        EXPECT_EQ(pl.HasKollision(pl.m_nVersatz), c.status == 0);
    }
}

TEST_F(PlanPlatzierungTest, CopyDragShowsTheCopyCursorOnAFreePlace)
{
    Last({0, 0, 1.2, 0.8})->m_bSelected = 1;
    pl.FillZiehRects();
    pl.FillFestRects();
    pl.m_bKopieren = true;
    EXPECT_EQ(pl.FindFreiePosition(300, 0), 1);
    EXPECT_EQ(pl.GetCursorId(), 555);
    EXPECT_FALSE(pl.HasKollision(0, 0)) << "the moving load is not among the fixed ones";
}

TEST_F(PlanPlatzierungTest, WithoutSelectionTheCurrentLoadMovesAndIsNoObstacle)
{
    tagLGINFO* a = Last({0, 0, 1.2, 0.8}, "A");
    Last({2.0, 1.0, 1.2, 0.8}, "B");
    pl.m_pAuswahl = a;
    pl.FillZiehRects();
    pl.FillFestRects();
    ASSERT_EQ(pl.m_ZiehRects.size(), 1u);
    EXPECT_EQ(pl.m_ZiehRects[0].pLg, a);
    EXPECT_EQ(pl.m_FestRects.size(), 5u);

    // A selection moves; a current load that is not part of it stays an obstacle.
    tagLGINFO* c = Last({5.0, 0, 1.2, 0.8}, "C");
    c->m_bSelected = 1;
    pl.FillFestRects();
    EXPECT_EQ(pl.m_FestRects.size(), 6u);
    EXPECT_TRUE(pl.VerschiebeAuswahl(-450, 0, false, false));
    EXPECT_DOUBLE_EQ(c->m_dPosX, 1.2) << "flush behind the current load A";
    EXPECT_PLATZ_INVARIANTEN(pl);
}

TEST_F(PlanPlatzierungTest, MovesCommitOnWholeCentimetres)
{
    struct Fall
    {
        double x;
        int dx;
        double erwartet;
    };
    // 1.234 x 100 + 0.5 = 123.9: the committed place is 1.23 m.
    const Fall faelle[] = {{1.234, 0, 1.23}, {1.236, 0, 1.24}, {1.234, 5, 1.28}, {2.0, -7, 1.93}};
    for (const Fall& c : faelle) {
        SCOPED_TRACE(c.x);
        NeuerPlan();
        tagLGINFO* p = Last({c.x, 0.5, 1.2, 0.8});
        p->m_bSelected = 1;
        Plan().m_bModified = 0;
        EXPECT_TRUE(pl.VerschiebeAuswahl(c.dx, 0, false, false));
        EXPECT_DOUBLE_EQ(p->m_dPosX, c.erwartet);
        EXPECT_DOUBLE_EQ(p->m_dPosY, 0.5);
        EXPECT_EQ(Plan().m_bModified, 1);
        EXPECT_EQ(pl.m_nPlatzStatus, 1);
        EXPECT_TRUE(pl.m_ZiehRects.empty());
        EXPECT_TRUE(pl.m_FestRects.empty());
        EXPECT_PLATZ_INVARIANTEN(pl);
    }
}

TEST_F(PlanPlatzierungTest, MoveLeavesLoadUnitsAndSpecialItemsBehindAndDoesNothingWhenBlocked)
{
    tagLGINFO* last = Last({1.0, 0, 1.2, 0.8}, "Last");
    tagLGINFO* fsm = Last({3.0, 0, 0.1, 2.4}, "Keil");
    fsm->m_nTyp = 5;
    tagLGINFO* inEinheit = Last({5.0, 0, 1.2, 0.8}, "Einheit");
    auto* e = new CLadeeinheit(3);
    e->m_bVorhanden = 1;
    Plan().InsertLadeeinheit(std::unique_ptr<CLadeeinheit>(e), 0);
    inEinheit->SetLeId(3);
    for (tagLGINFO* p : {last, fsm, inEinheit})
        p->m_bSelected = 1;

    EXPECT_TRUE(pl.VerschiebeAuswahl(0, 10, false, true));
    EXPECT_DOUBLE_EQ(last->m_dPosY, 0.1);
    EXPECT_DOUBLE_EQ(fsm->m_dPosY, 0.0);
    EXPECT_FALSE(fsm->m_bSelected);
    EXPECT_DOUBLE_EQ(inEinheit->m_dPosY, 0.0);
    EXPECT_FALSE(inEinheit->m_bSelected);

    // The special item moves along when asked for; pushed across the wall it snaps back.
    fsm->m_bSelected = 1;
    last->m_bSelected = 0;
    EXPECT_TRUE(pl.VerschiebeAuswahl(-5, 10, true, true)) << "0.1 m x 2.4 m fills the width";
    EXPECT_DOUBLE_EQ(fsm->m_dPosX, 2.95);
    EXPECT_DOUBLE_EQ(fsm->m_dPosY, 0.0);

    CPlanPlatzierung ohnePlan;
    EXPECT_FALSE(ohnePlan.VerschiebeAuswahl(10, 0, false, false));
    last->m_bSelected = fsm->m_bSelected = 0;
    EXPECT_FALSE(pl.VerschiebeAuswahl(10, 0, false, false)) << "nothing selected";
}

TEST_F(PlanPlatzierungTest, MoveThatFindsNoPlaceChangesNothing)
{
    // Three full-width loads on a 3.5 m area; the first jumps into the gap that is too short.
    f.m_dLFLaenge = 3.5;
    tagLGINFO* x = Last({0, 0, 1.0, 2.4}, "X");
    Last({1.0, 0, 1.0, 2.4}, "N");
    Last({2.5, 0, 1.0, 2.4}, "N");
    x->m_bSelected = 1;
    Plan().m_bModified = 0;
    EXPECT_FALSE(pl.VerschiebeAuswahl(200, 0, false, false));
    EXPECT_EQ(pl.m_nPlatzStatus, 0);
    EXPECT_EQ(pl.GetCursorId(), 253);
    EXPECT_DOUBLE_EQ(x->m_dPosX, 0.0);
    EXPECT_EQ(Plan().m_bModified, 0);
    EXPECT_TRUE(pl.m_ZiehRects.empty());
    EXPECT_TRUE(pl.m_FestRects.empty());
}

TEST_F(PlanPlatzierungTest, TwoLoadsSideBySideTurnAsOneBlock)
{
    // A lies at rotation 0, B beside it across at 270 with the same 1.2 m x 0.8 m footprint.
    tagLGINFO* a = Last({0, 0, 1.2, 0.8}, "A");
    tagLGINFO* b = Last({0, 0.8, 0.8, 1.2, 270}, "B");
    a->m_bSelected = b->m_bSelected = 1;
    double cx, cy;
    ASSERT_TRUE(pl.GetAuswahlMittelpunkt(&cx, &cy));
    EXPECT_DOUBLE_EQ(cx, 0.6);
    EXPECT_DOUBLE_EQ(cy, 0.8);

    ASSERT_TRUE(pl.DreheAuswahl(90));
    EXPECT_EQ(a->m_nDrehung, 90);
    EXPECT_EQ(b->m_nDrehung, 0);
    // Turned about (0.6, 0.8) the block reaches 0.2 m before the front and is put flush against it;
    // what lay further across now lies further forward.
    EXPECT_DOUBLE_EQ(b->m_dPosX, 0.0);
    EXPECT_DOUBLE_EQ(b->m_dPosY, 0.2);
    EXPECT_DOUBLE_EQ(a->m_dPosX, 0.8);
    EXPECT_DOUBLE_EQ(a->m_dPosY, 0.2);
    EXPECT_FALSE(pl.m_bGruppenModus);
    EXPECT_PLATZ_INVARIANTEN(pl);

    // Four quarter turns back bring the block to an equal footprint; each step keeps the rules.
    for (int grad : {-90, 180, -180, 90}) {
        SCOPED_TRACE(grad);
        EXPECT_TRUE(pl.DreheAuswahl(grad));
        EXPECT_PLATZ_INVARIANTEN(pl);
    }
}

TEST_F(PlanPlatzierungTest, RotationThatFindsNoPlaceChangesNothing)
{
    // 3.0 m turned across does not fit into 2.4 m.
    tagLGINFO* p = Last({4.0, 0.4, 3.0, 0.8});
    p->m_bSelected = 1;
    for (int grad : {90, -90}) {
        SCOPED_TRACE(grad);
        EXPECT_FALSE(pl.DreheAuswahl(grad));
        EXPECT_EQ(pl.m_nPlatzStatus, 0);
        EXPECT_DOUBLE_EQ(p->m_dPosX, 4.0);
        EXPECT_DOUBLE_EQ(p->m_dPosY, 0.4);
        EXPECT_EQ(p->m_nDrehung, 0);
    }
    EXPECT_TRUE(pl.DreheAuswahl(180));
    EXPECT_EQ(p->m_nDrehung, 180);
    EXPECT_DOUBLE_EQ(p->m_dPosX, 4.0);
    EXPECT_DOUBLE_EQ(p->m_dPosY, 0.4);
    EXPECT_FALSE(pl.DreheAuswahl(45)) << "only quarter turns";
}

TEST_F(PlanPlatzierungTest, RotationWithoutSelectionTurnsTheCurrentLoadOrNothing)
{
    tagLGINFO* p = Last({4.0, 0.0, 1.2, 0.8});
    Plan().m_bModified = 0;
    EXPECT_FALSE(pl.DreheAuswahl(90)) << "no selection, no current load";
    EXPECT_EQ(p->m_nDrehung, 0);
    EXPECT_EQ(Plan().m_bModified, 0);
    pl.m_pAuswahl = p;
    EXPECT_TRUE(pl.DreheAuswahl(90));
    EXPECT_EQ(p->m_nDrehung, 90);
    EXPECT_EQ(Plan().m_bModified, 1);
    EXPECT_PLATZ_INVARIANTEN(pl);
}

TEST_F(PlanPlatzierungTest, RotatedCornersRoundToTheNearestCentimetre)
{
    CPlanPlatzierung::Punkt p[4];
    const float a90 = 90 * 0.017453292f;
    CPlanPlatzierung::RotateRect(60.0f, 80.0f, a90, PlanGridRect{0, 0, 120, 80}, p);
    EXPECT_EQ(p[0], (CPlanPlatzierung::Punkt{140, 20}));
    EXPECT_EQ(p[1], (CPlanPlatzierung::Punkt{140, 140}));
    EXPECT_EQ(p[2], (CPlanPlatzierung::Punkt{60, 140}));
    EXPECT_EQ(p[3], (CPlanPlatzierung::Punkt{60, 20}));

    struct Fall
    {
        int grad;
        int rotVorher;
        PlanGridRect erwartet;
        int rotNachher;
    };
    const Fall faelle[] = {{90, 0, {60, 20, 140, 140}, 90},
                           {-90, 0, {-20, 20, 60, 140}, 270},
                           {180, 90, {0, 80, 120, 160}, 270},
                           {-180, 270, {0, 80, 120, 160}, 90},
                           {45, 0, {0, 0, 120, 80}, 0}};
    for (const Fall& c : faelle) {
        SCOPED_TRACE(c.grad);
        tagPlatzRect r;
        static_cast<PlanGridRect&>(r) = {0, 0, 120, 80};
        r.nRotation = c.rotVorher;
        const tagPlatzRect n = CPlanPlatzierung::DreheRect(r, 60, 80, c.grad);
        EXPECT_EQ(PlanGridRect(n), c.erwartet);
        EXPECT_EQ(n.nRotation, c.rotNachher);
    }
}

TEST_F(PlanPlatzierungTest, RotationGestureTurnsTheStartSetByQuarterTurns)
{
    tagLGINFO* p = Last({4.0, 0.0, 1.2, 0.8});
    p->m_bSelected = 1;
    ASSERT_TRUE(pl.FillGruppenRects());
    pl.m_bGruppenModus = true;
    pl.FillFestRects();
    EXPECT_DOUBLE_EQ(pl.m_dDrehMitteX, 4.6);
    EXPECT_DOUBLE_EQ(pl.m_dDrehMitteY, 0.4);
    EXPECT_EQ(pl.DreheGruppe(0), 0) << "no turn yet: nothing to drop";
    EXPECT_EQ(pl.DreheGruppe(1), 2) << "turned across it sticks out beyond side A";
    EXPECT_EQ(pl.m_GruppenRects[0].nRotation, 90);
    EXPECT_EQ(pl.DreheGruppe(2), 1);
    EXPECT_EQ(pl.m_GruppenRects[0].nRotation, 180);
    EXPECT_EQ(pl.DreheGruppe(3), 2);
    EXPECT_EQ(pl.m_GruppenRects[0].nRotation, 270);
    pl.CommitGruppe();
    EXPECT_EQ(p->m_nDrehung, 270);
    EXPECT_DOUBLE_EQ(p->m_dPosY, 0.0);
    EXPECT_DOUBLE_EQ(p->m_dPosX, 4.2);
    EXPECT_PLATZ_INVARIANTEN(pl);
}

TEST_F(PlanPlatzierungTest, AutomaticPlacementFillsFromTheFrontCornerAndStopsWhenFull)
{
    // 3.6 m x 2.4 m with the rear 1.2 m taken: room for six pallets of 1.2 m x 0.8 m.
    f.m_dLFLaenge = 3.6;
    tagLGINFO* alt = Last({2.4, 0, 1.2, 2.4}, "Alt");
    alt->m_bSelected = 1;
    Plan().m_pAktuell = alt;
    pl.m_pAuswahl = alt;

    EXPECT_EQ(pl.AddMultipleLadungen(Palette(), 10, 0.5, 0), 6);
    EXPECT_FALSE(alt->m_bSelected);
    EXPECT_EQ(Plan().GetAktuell(), nullptr);
    EXPECT_EQ(pl.m_pAuswahl, nullptr);
    EXPECT_FALSE(pl.m_bAutoPlatzieren);
    EXPECT_EQ(Plan().CountSelectedLgInfo(true), 6);
    std::vector<std::pair<double, double>> orte;
    for (const tagLGINFO* p : Plan().GetLgInfos()) {
        if (p == alt)
            continue;
        EXPECT_TRUE(p->m_bSelected);
        EXPECT_EQ(p->m_nStatus, 1);
        EXPECT_EQ(p->m_nKatalog, -1);
        EXPECT_DOUBLE_EQ(p->m_dSPMasse, 0.5);
        EXPECT_EQ(p->m_strText, "EUR");
        EXPECT_EQ(p->m_strZusatzText, "EUR");
        EXPECT_DOUBLE_EQ(p->m_dLaenge, 1.2);
        orte.emplace_back(p->m_dPosX, p->m_dPosY);
    }
    const std::vector<std::pair<double, double>> erwartet = {{0, 0},   {0, 0.8},   {0, 1.6},
                                                             {1.2, 0}, {1.2, 0.8}, {1.2, 1.6}};
    EXPECT_EQ(orte, erwartet);
    EXPECT_PLATZ_INVARIANTEN(pl);
}

TEST_F(PlanPlatzierungTest, AutomaticPlacementNeverPlacesWhatCannotStand)
{
    struct Fall
    {
        const char* name;
        SLadungVorlage item;
        int rotation;
    };
    const Fall faelle[] = {{"wider than the area", Palette(1.2, 2.5), 0},
                           {"longer than the area turned across", Palette(2.5, 0.8), 90},
                           {"a rotation without extent", Palette(), 45},
                           {"no size", Palette(0.0, 0.0), 0}};
    for (const Fall& c : faelle) {
        SCOPED_TRACE(c.name);
        Plan().m_bModified = 0;
        EXPECT_EQ(pl.AddMultipleLadungen(c.item, 3, 1.0, c.rotation), 0);
        EXPECT_TRUE(Plan().GetLgInfos().empty());
        EXPECT_EQ(Plan().m_bModified, 0);
    }
}

TEST_F(PlanPlatzierungTest, RearOverhangLetsALoadStandBeyondTheRearEdge)
{
    Raender(0.0, 0.0, 0.2, 0.0);
    tagLGINFO* p = Last({5.0, 0, 1.2, 0.8});
    p->m_bSelected = 1;
    struct Fall
    {
        double ueberhang;
        int dx;
        double x;
    };
    // Without overhang the rear margin ends the area at 9.8 m; with 0.3 m the load may end at 10.3 m.
    const Fall faelle[] = {{0.0, 410, 8.6}, {0.3, 410, 9.1}, {0.3, 420, 9.1}};
    for (const Fall& c : faelle) {
        SCOPED_TRACE(c.ueberhang);
        p->m_dPosX = 5.0;
        f.m_Ueberstand.m_dWert[1] = c.ueberhang;
        EXPECT_TRUE(pl.VerschiebeAuswahl(c.dx, 0, false, false));
        EXPECT_DOUBLE_EQ(p->m_dPosX, c.x);
        EXPECT_PLATZ_INVARIANTEN(pl);
    }
}

TEST_F(PlanPlatzierungTest, TypedPositionsFindTheNearestFreeSpot)
{
    Raender(0.0, 0.3, 0.0, 0.0); // usable width 2.1 m
    tagLGINFO* fest = Last({3.0, 0.0, 1.2, 0.8}, "Fest");
    tagLGINFO* selbst = Last({6.0, 1.0, 1.2, 0.8}, "Selbst");
    pl.m_pAuswahl = selbst;
    struct Fall
    {
        const char* name;
        bool nurInnerhalb;
        double x, y;
        int status;
        double freiX, freiY;
    };
    const Fall faelle[] = {
        {"free place", true, 1.234, 0.5, 1, 0, 0},
        {"its own place is no obstacle", true, 6.0, 1.0, 1, 0, 0},
        {"before the front, inside only", true, -0.5, 0.0, 2, 0.0, 0.0},
        {"before the front may overhang", false, -0.5, 0.0, 1, 0, 0},
        // The widened area starts one extent before side A (-0.8 m); the margin of side A is not
        // subtracted, because y already counts from the usable edge.
        {"across side A, widened", false, 2.0, -0.9, 2, 2.0, -0.8},
        {"across side A, widened, inside", false, 1.0, -0.5, 1, 0, 0},
        {"on top of a load shifts to its edge", true, 3.5, 0.1, 2, 3.5, 0.8},
        {"same place as a load", true, 3.0, 0.0, 0, 0, 0},
    };
    for (const Fall& c : faelle) {
        SCOPED_TRACE(c.name);
        pl.m_bNurInnerhalb = c.nurInnerhalb;
        double x = c.x, y = c.y;
        const double dx = 1.2, dy = 0.8;
        EXPECT_EQ(pl.FindFreieEingabePosition(&x, &y, &dx, &dy), c.status);
        EXPECT_NEAR(x, std::floor(c.x * 100 + 1e-9) / 100, 1e-12);
        if (c.status == 2) {
            EXPECT_NEAR(pl.m_dFreiX, c.freiX, 1e-12);
            EXPECT_NEAR(pl.m_dFreiY, c.freiY, 1e-12);
        }
    }
    // A load inside the typed box is refused too.
    fest->m_dLaenge = 0.2;
    fest->m_dBreite = 0.2;
    fest->m_dPosY = 0.2;
    double x = 2.9, y = 0.1;
    const double dx = 1.2, dy = 0.8;
    EXPECT_EQ(pl.FindFreieEingabePosition(&x, &y, &dx, &dy), 0);
}

TEST_F(PlanPlatzierungTest, TypedPositionOnAHiddenLoadIsRefusedFromThePlanItself)
{
    // The obstacles come from the plan's loads, not from what a view has drawn.
    Last({0, 0, 10.0, 2.4}, "Alles");
    double x = 4.0, y = 1.0;
    const double dx = 1.2, dy = 0.8;
    EXPECT_EQ(pl.FindFreieEingabePosition(&x, &y, &dx, &dy), 0);
}

TEST_F(PlanPlatzierungTest, IsRectFreiTreatsTouchingAsFree)
{
    const PlanGridRect h[] = {{100, 0, 200, 80}, {0, 100, 50, 150}};
    struct Fall
    {
        int x, y, cx, cy;
        bool frei;
    };
    const Fall faelle[] = {{0, 0, 100, 80, true},  {1, 0, 100, 80, false}, {0, 80, 50, 20, true},
                           {0, 81, 50, 20, false}, {200, 0, 10, 10, true}, {0, 0, 0, 0, true}};
    for (const Fall& c : faelle) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " " << c.cx << "x" << c.cy);
        EXPECT_EQ(CPlanPlatzierung::IsRectFrei(h, 2, c.x, c.y, c.cx, c.cy), c.frei);
    }
}

TEST_F(PlanPlatzierungTest, RampDragStartsOutsideThePlanAtHalfTheWidthInWholeMetres)
{
    Last({0, 0, 1.2, 0.8});
    struct Fall
    {
        double breite;
        int rotation;
        int dy;
    };
    // Whole metres of half the extent across: a 2.4 m wide load starts 1 m further towards side A, a
    // narrower one where the cursor put it.
    const Fall faelle[] = {{0.8, 0, 0}, {1.8, 0, 0}, {2.4, 0, -100}, {0.8, 90, 0}};
    for (const Fall& c : faelle) {
        SCOPED_TRACE(c.breite);
        auto p = pl.DragLadungFromRampe(Palette(1.2, c.breite), 5.0, 1.0, c.rotation, 2.0, true);
        ASSERT_TRUE(p);
        int v[2];
        CPlanPlatzierung::GetRampenStartVersatz(*p, v);
        EXPECT_EQ(v[0], 0);
        EXPECT_EQ(v[1], c.dy);
        EXPECT_EQ(pl.m_FestRects.size(), 5u) << "every placed load is fixed";
        ASSERT_EQ(pl.m_ZiehRects.size(), 1u);
        EXPECT_EQ(pl.m_ZiehRects[0].pLg, p.get());
        EXPECT_EQ(Plan().GetLgInfos().size(), 1u) << "not in the plan yet";
        EXPECT_DOUBLE_EQ(p->m_dSPMasse, 2.0);
    }
    // With collision handling the first resolution runs at the start displacement.
    auto p = pl.DragLadungFromRampe(Palette(1.2, 2.4), 5.0, 0.0, 0, 2.0, false);
    EXPECT_EQ(pl.m_nPlatzStatus, 2);
    EXPECT_EQ(pl.m_nVersatz[1], 0) << "pushed back inside from side A";
}

TEST_F(PlanPlatzierungTest, LiveCentreOfGravityOfABlockedDragIsTheOneBeforeIt)
{
    Last({0, 0, 1.2, 0.8}, "A", 2.0);
    tagLGINFO* b = Last({5.0, 0, 1.2, 0.8}, "B", 1.0);
    Plan().UpdateSchwerpunkt();
    const double x0 = Plan().GetSchwerpunktX(), y0 = Plan().GetSchwerpunktY(), m0 = Plan().GetMasse();
    b->m_bSelected = 1;
    pl.FillZiehRects();
    pl.FillFestRects();
    pl.CalcZiehMomente();
    EXPECT_DOUBLE_EQ(pl.m_dMasseFest, 2.0);
    EXPECT_DOUBLE_EQ(pl.m_dMasseGesamt, 3.0);

    pl.FindFreiePosition(100, 0);
    EXPECT_FALSE(pl.UpdateZiehSchwerpunkt());
    EXPECT_DOUBLE_EQ(Plan().GetSchwerpunktX(), (2.0 * 0.6 + 1.0 * 6.6) / 3.0);

    pl.m_FestRects.push_back(CPlanPlatzierung::PlanToClientRect(0, 0, 10.0, 2.4)); // everything taken
    EXPECT_EQ(pl.FindFreiePosition(100, 0), 0);
    EXPECT_TRUE(pl.UpdateZiehSchwerpunkt()) << "from free to blocked";
    EXPECT_DOUBLE_EQ(Plan().GetSchwerpunktX(), x0);
    EXPECT_DOUBLE_EQ(Plan().GetSchwerpunktY(), y0);
    EXPECT_DOUBLE_EQ(Plan().GetMasse(), m0);
}

TEST_F(PlanPlatzierungTest, LiveCentreOfGravityWithoutMassIsTheOrigin)
{
    tagLGINFO* a = Last({3.0, 1.0, 1.2, 0.8}, "A", 0.0);
    a->m_bSelected = 1;
    pl.FillZiehRects();
    pl.FillFestRects();
    pl.CalcZiehMomente();
    pl.FindFreiePosition(50, 0);
    pl.UpdateZiehSchwerpunkt();
    EXPECT_EQ(Plan().GetMasse(), 0.0);
    EXPECT_EQ(Plan().GetSchwerpunktX(), 0.0);
    EXPECT_EQ(Plan().GetSchwerpunktY(), 0.0);
}

// Random drags and gesture rotations on the sample vehicles: the live centre of gravity equals the
// plan's own after the same change is committed, and every commit keeps the placement rules.
TEST(PlanPlatzierungSamples, LiveCentreOfGravityMatchesTheCommittedPlan)
{
    const std::filesystem::path samples = QOR_SAMPLES_DIR;
    std::mt19937 rng(21);
    int nGeprueft = 0, nBlockiert = 0, nVerschoben = 0, nGedreht = 0;
    for (const char* title : {"LKW", "GDA", "SDA", "SAH"}) {
        SCOPED_TRACE(title);
        auto f = LoadFahrzeugFromFile(samples / "Vehicles" / (std::string(title) + ".qor"), 0, nullptr,
                                      nullptr, false, nullptr);
        ASSERT_TRUE(f);
        ASSERT_TRUE(f->GetQor());
        CQOR& q = *f->GetQor();
        CPlanPlatzierung pl;
        pl.SetPlan(&q);
        SLadungVorlage kiste = Palette(0.6, 0.4);
        kiste.dSPLaenge = 0.2; // off centre, so that rotations move the centre of gravity
        kiste.dSPBreite = 0.1;
        ASSERT_EQ(pl.AddMultipleLadungen(Palette(), 4, 0.7, 0), 4);
        ASSERT_EQ(pl.AddMultipleLadungen(kiste, 5, 0.25, 90), 5);
        ASSERT_EQ(pl.AddMultipleLadungen(Palette(1.2, 1.0), 2, 1.3, 0), 2);
        EXPECT_PLATZ_INVARIANTEN(pl);

        std::vector<tagLGINFO*> loads(q.GetLgInfos().begin(), q.GetLgInfos().end());
        std::uniform_int_distribution<int> wahl(0, int(loads.size()) - 1);
        std::uniform_int_distribution<int> weg(-400, 400);
        std::uniform_int_distribution<int> art(0, 3);
        for (int i = 0; i < 100; ++i) {
            for (tagLGINFO* p : loads)
                p->m_bSelected = 0;
            const int n = 1 + art(rng) % 3;
            for (int k = 0; k < n; ++k)
                loads[wahl(rng)]->m_bSelected = 1;
            q.UpdateSchwerpunkt();
            const double x0 = q.GetSchwerpunktX(), y0 = q.GetSchwerpunktY(), m0 = q.GetMasse();

            const bool bDrehen = art(rng) == 0;
            pl.m_bGruppenModus = bDrehen;
            pl.FillFestRects();
            if (bDrehen)
                ASSERT_TRUE(pl.FillGruppenRects());
            else
                pl.FillZiehRects();
            pl.CalcZiehMomente();
            if (bDrehen)
                pl.DreheGruppe(1 + art(rng) % 3);
            else
                pl.FindFreiePosition(weg(rng), weg(rng) / 4);
            pl.UpdateZiehSchwerpunkt();
            const double xl = q.GetSchwerpunktX(), yl = q.GetSchwerpunktY(), ml = q.GetMasse();
            const int status = pl.m_nPlatzStatus;
            nBlockiert += status == 0;
            nVerschoben += status == 2;
            nGedreht += bDrehen && status != 0;
            if (status != 0) {
                if (bDrehen)
                    pl.CommitGruppe();
                else
                    pl.CommitVersatz();
            }
            pl.m_bGruppenModus = false;
            q.UpdateSchwerpunkt();
            ASSERT_NEAR(q.GetSchwerpunktX(), xl, 1e-9) << "drag " << i;
            ASSERT_NEAR(q.GetSchwerpunktY(), yl, 1e-9) << "drag " << i;
            ASSERT_NEAR(q.GetMasse(), ml, 1e-9) << "drag " << i;
            if (status == 0) {
                EXPECT_NEAR(q.GetSchwerpunktX(), x0, 1e-9);
                EXPECT_NEAR(q.GetSchwerpunktY(), y0, 1e-9);
                EXPECT_NEAR(q.GetMasse(), m0, 1e-9);
            }
            const auto verletzt = PlatzVerletzungen(pl);
            ASSERT_TRUE(verletzt.empty()) << "drag " << i << ": " << verletzt.front();
            ++nGeprueft;
        }
    }
    EXPECT_EQ(nGeprueft, 400);
    // The drags reach every outcome, and turned groups land too.
    EXPECT_GT(nBlockiert, 0);
    EXPECT_GT(nVerschoben, 0);
    EXPECT_GT(nGedreht, 0);
}

// Random moves, rotations and further automatic placements through the commands' entry points on the
// sample vehicles: every commit keeps the placement rules, and a refused one changes nothing.
TEST(PlanPlatzierungSamples, CommandsKeepThePlacementRules)
{
    const std::filesystem::path samples = QOR_SAMPLES_DIR;
    std::mt19937 rng(2112);
    int nAbgelehnt = 0, nAusgefuehrt = 0;
    for (const char* title : {"LKW", "KEP", "GDA_2", "SAH_2"}) {
        SCOPED_TRACE(title);
        auto f = LoadFahrzeugFromFile(samples / "Vehicles" / (std::string(title) + ".qor"), 0, nullptr,
                                      nullptr, false, nullptr);
        ASSERT_TRUE(f);
        ASSERT_TRUE(f->GetQor());
        CQOR& q = *f->GetQor();
        CPlanPlatzierung pl;
        pl.SetPlan(&q);
        std::uniform_int_distribution<int> wuerfel(0, 99);
        for (int i = 0; i < 60; ++i) {
            const int w = wuerfel(rng);
            std::vector<std::pair<double, double>> vorher;
            for (const tagLGINFO* p : q.GetLgInfos())
                vorher.emplace_back(p->m_dPosX, p->m_dPosY);
            bool bGemacht = false;
            if (w < 15 || q.GetLgInfos().empty()) {
                const int n = pl.AddMultipleLadungen(Palette(0.4 + 0.1 * (w % 9), 0.3 + 0.1 * (w % 5)),
                                                     1 + w % 4, 0.1 * (1 + w % 7), (w % 2) * 90);
                bGemacht = n > 0;
            } else {
                std::vector<tagLGINFO*> loads(q.GetLgInfos().begin(), q.GetLgInfos().end());
                for (tagLGINFO* p : loads)
                    p->m_bSelected = wuerfel(rng) < 25;
                if (w < 45) {
                    const int grad[] = {90, -90, 180, -180};
                    bGemacht = pl.DreheAuswahl(grad[w % 4]);
                } else {
                    bGemacht =
                        pl.VerschiebeAuswahl(wuerfel(rng) * 8 - 400, wuerfel(rng) * 2 - 100, true, false);
                }
            }
            if (bGemacht) {
                ++nAusgefuehrt;
            } else if (vorher.size() == q.GetLgInfos().size()) {
                ++nAbgelehnt;
                size_t k = 0;
                for (const tagLGINFO* p : q.GetLgInfos()) {
                    EXPECT_EQ(p->m_dPosX, vorher[k].first) << "step " << i;
                    EXPECT_EQ(p->m_dPosY, vorher[k].second) << "step " << i;
                    ++k;
                }
            }
            const auto verletzt = PlatzVerletzungen(pl);
            ASSERT_TRUE(verletzt.empty()) << "step " << i << ": " << verletzt.front();
        }
    }
    EXPECT_GT(nAusgefuehrt, 0);
    EXPECT_GT(nAbgelehnt, 0);
}
