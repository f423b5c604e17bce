// Placing a load against neighbours and edges: centimetre rectangles, the free slot of a form-fit item,
// the wall search, touching loads, form-fit blocking and the placing margins; lashing spacing.
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/plan/PlanGrid.h"
#include "model/plan/sFSParam.h"
#include "model/plan/tagLGINFO.h"
#include "model/securing/ZurrAbstand.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CLadeflaechenPlatzierung.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct L
{
    double x, y, l, b;
    int typ = 0;
    int seite = 0; // blocked side of a form-fit item (bits 9 to 11)
    int dreh = 0;
};

// A vehicle with a usable area of 7.0 x 2.4 and a plan holding the loads, in list order.
class Platz
{
public:
    explicit Platz(const std::vector<L>& lasten)
    {
        m_f.m_nArt = 1;
        m_f.m_dLFLaenge = 7.0;
        m_f.m_fLFBreite = 2.4f;
        m_f.m_pQor = new CQOR(&m_f, 0, "Plan");
        for (const L& l : lasten) {
            auto* p = new tagLGINFO;
            p->m_strName = l.typ >= 5 ? "FSM" : "Last";
            p->m_nTyp = l.typ;
            p->m_dPosX = l.x;
            p->m_dPosY = l.y;
            p->m_dLaenge = l.l;
            p->m_dBreite = l.b;
            p->m_nDrehung = l.dreh;
            p->m_nState = l.seite << 9;
            p->m_nNummer = static_cast<int>(m_lasten.size()) + 1;
            // Appended in the given order; the plan's own insertion sorts by name.
            m_f.m_pQor->m_LgInfos.emplace_back(p);
            m_lasten.push_back(p);
        }
    }

    CFahrzeug m_f;
    std::vector<tagLGINFO*> m_lasten;
};

struct Slot
{
    int nErgebnis;
    double x = 0, y = 0, l = 0, b = 0;
};

Slot Suche(Platz& p, double x, double y)
{
    Slot s{};
    s.nErgebnis = CLadeflaechenPlatzierung(p.m_f).FindLgPosition(x, y, &s.x, &s.y, &s.l, &s.b);
    return s;
}

} // namespace

TEST(PlacementTest, GridRectanglesAndTheirOverlap)
{
    EXPECT_EQ(PlanToGridRect(1.0, 0.5, 1.2, 0.8), (PlanGridRect{100, 50, 220, 130}));
    // A value a hair below a centimetre counts as that centimetre; 1.234 stays 123.
    EXPECT_EQ(PlanToGridRect(0.9999999, 1.234, 0.0, 0.0), (PlanGridRect{100, 123, 100, 123}));
    EXPECT_EQ(PlanToGridRect(-0.5, 0.0, 0.5, 0.1), (PlanGridRect{-50, 0, 0, 10}));

    struct Fall
    {
        PlanGridRect a, b;
        bool bTeilen;
    };
    const Fall faelle[] = {
        {{0, 0, 100, 100}, {50, 50, 150, 150}, true},
        {{0, 0, 100, 100}, {100, 0, 200, 100}, false}, // edge to edge
        {{0, 0, 100, 100}, {0, 100, 100, 200}, false},
        {{0, 0, 100, 100}, {99, 99, 100, 100}, true},
        {{10, 10, 10, 50}, {0, 0, 100, 100}, false}, // empty rectangle
        {{0, 0, 100, 100}, {200, 200, 300, 300}, false},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(testing::Message() << f.b.left << "," << f.b.top);
        PlanGridRect r{1, 1, 2, 2};
        EXPECT_EQ(IntersectGridRect(f.a, f.b, &r), f.bTeilen);
        EXPECT_EQ(IntersectGridRect(f.b, f.a), f.bTeilen);
        EXPECT_EQ(r.IsEmpty(), !f.bTeilen);
    }
}

TEST(PlacementTest, FreeSlotExamples)
{
    const L wand{2.0, 0.0, 1.0, 2.4};
    struct Fall
    {
        const char* name;
        std::vector<L> lasten;
        double x, y;
        Slot erwartet;
    };
    const std::vector<Fall> faelle = {
        {"in front of the wall", {wand}, 1.0, 1.2, {2, 0.0, 0.0, 2.0, 2.4}},
        {"behind the wall", {wand}, 5.0, 1.2, {0, 3.0, 0.0, 4.0, 2.4}},
        {"load blocks the front edge", {wand, {0.0, 0.0, 0.5, 1.0}}, 1.0, 1.2, {-1}},
        {"touching load ends the stretch",
         {{2.0, 0.0, 1.0, 1.2}, {2.0, 1.2, 1.0, 1.2}, {1.5, 1.8, 0.5, 0.6}},
         1.0,
         0.6,
         {2, 0.0, 0.0, 2.0, 1.8}},
        {"wall stretch over two flush loads",
         {{2.0, 0.0, 1.0, 1.2}, {2.0, 1.2, 1.0, 1.2}},
         1.0,
         0.6,
         {2, 0.0, 0.0, 2.0, 2.4}},
        {"point on a load's edge", {wand}, 2.0, 1.2, {-1}},
        {"point inside a load", {wand}, 2.5, 1.0, {-1}},
        {"only diagonal loads", {{2.0, 0.0, 1.0, 1.0}}, 1.0, 1.5, {-1}},
        {"no loads", {}, 1.0, 1.0, {-1}},
        {"nearest neighbour is a form-fit item", {{2.0, 0.0, 1.0, 2.4, 5}}, 1.0, 1.2, {-1}},
        {"form-fit item further along the wall ends the stretch",
         {{2.0, 0.0, 1.0, 1.2}, {2.0, 1.2, 1.0, 1.2, 6}},
         1.0,
         0.6,
         {2, 0.0, 0.0, 2.0, 1.2}},
        {"across: slot to side y = 0", {{1.0, 1.0, 2.0, 1.4}}, 2.0, 0.5, {3, 1.0, 0.0, 2.0, 1.0}},
        {"across: slot to side y = width", {{1.0, 0.0, 2.0, 1.4}}, 2.0, 2.0, {1, 1.0, 1.4, 2.0, 1.0}},
        {"turned load", {{2.0, 0.0, 2.4, 1.0, 0, 0, 90}}, 1.0, 1.2, {2, 0.0, 0.0, 2.0, 2.4}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        Platz p(f.lasten);
        const Slot s = Suche(p, f.x, f.y);
        ASSERT_EQ(s.nErgebnis, f.erwartet.nErgebnis);
        if (s.nErgebnis < 0)
            continue;
        EXPECT_NEAR(s.x, f.erwartet.x, 1e-9);
        EXPECT_NEAR(s.y, f.erwartet.y, 1e-9);
        EXPECT_NEAR(s.l, f.erwartet.l, 1e-9);
        EXPECT_NEAR(s.b, f.erwartet.b, 1e-9);
    }
}

TEST(PlacementTest, DirectionChoiceAndTheNoNeighbourGap)
{
    // Equal gaps ahead (+x) and to the left (+y): the lower code wins, so the slot runs to the front edge
    // (with +y it would have run to side y = 0).
    {
        Platz p({{1.5, 0.0, 1.0, 1.0}, {0.0, 1.5, 1.0, 0.9}});
        const Slot s = Suche(p, 0.5, 0.5);
        EXPECT_EQ(s.nErgebnis, 2);
        EXPECT_NEAR(s.l, 1.5, 1e-9);
        EXPECT_NEAR(s.b, 1.0, 1e-9);
    }
    // A gap of exactly 1000 (or within 5 mm of it) counts as no neighbour.
    for (double dGap : {1000.0, 999.996, 1000.004}) {
        SCOPED_TRACE(dGap);
        Platz p({{1.0 + dGap, 0.0, 1.0, 2.4}});
        EXPECT_EQ(Suche(p, 1.0, 1.2).nErgebnis, -1);
    }
    Platz weit({{1.0 + 999.99, 0.0, 1.0, 2.4}});
    EXPECT_NE(Suche(weit, 1.0, 1.2).nErgebnis, -1);
}

TEST(PlacementTest, WallSearchMarksAndTouchingLoads)
{
    Platz p({{2.0, 0.0, 1.0, 1.2}, {2.0, 1.2, 1.0, 1.2}, {1.5, 1.8, 0.5, 0.6}, {4.0, 0.0, 1.0, 1.0}});
    double lo = 0, hi = 0;
    CLadeflaechenPlatzierung(p.m_f).CalcWandbereich(p.m_lasten[0], 0, &lo, &hi);
    EXPECT_DOUBLE_EQ(lo, 0.0);
    EXPECT_DOUBLE_EQ(hi, 1.8);
    for (int i : {0, 1}) {
        EXPECT_TRUE(p.m_lasten[i]->m_nState & (1 << 8));
        EXPECT_TRUE(p.m_lasten[i]->m_nState & (1 << 7));
    }
    EXPECT_FALSE(p.m_lasten[3]->m_nState & (1 << 8));

    // Touching: the third load covers 1.8..2.4 of the second's front face; nothing touches the first's.
    double von = 0, bis = 0;
    EXPECT_TRUE(CLadeflaechenPlatzierung(p.m_f).FindAnliegendeLg(p.m_lasten[1], 2, &von, &bis));
    EXPECT_DOUBLE_EQ(von, 1.8);
    EXPECT_DOUBLE_EQ(bis, 2.4);
    EXPECT_FALSE(CLadeflaechenPlatzierung(p.m_f).FindAnliegendeLg(p.m_lasten[0], 2, &von, &bis));
    EXPECT_FALSE(CLadeflaechenPlatzierung(p.m_f).FindAnliegendeLg(p.m_lasten[0], 0, &von, &bis));
    // Across x: the wall search along y clears bit 7.
    CLadeflaechenPlatzierung(p.m_f).CalcWandbereich(p.m_lasten[0], 1, &lo, &hi);
    EXPECT_FALSE(p.m_lasten[0]->m_nState & (1 << 7));
    EXPECT_DOUBLE_EQ(lo, 2.0);
    EXPECT_DOUBLE_EQ(hi, 3.0);

    // The wall order.
    tagLGINFO a, b;
    a.m_nState = b.m_nState = 1 << 7;
    a.m_dPosY = 1.0;
    b.m_dPosY = 2.0;
    a.m_dPosX = 5.0;
    const tagLGINFO* pa = &a;
    const tagLGINFO* pb = &b;
    EXPECT_LT(CompareWandLg(&pa, &pb), 0);
    EXPECT_GT(CompareWandLg(&pb, &pa), 0);
    a.m_nState = b.m_nState = 0; // the first element's bit 7 decides
    EXPECT_GT(CompareWandLg(&pa, &pb), 0);
    EXPECT_LT(CompareWandLg(&pb, &pa), 0);
}

TEST(PlacementTest, WallOfMoreThanAThousandLoads)
{
    std::vector<L> lasten;
    for (int i = 0; i < 1200; ++i)
        lasten.push_back({2.0, i * 0.002, 1.0, 0.002});
    Platz p(lasten);
    double lo = 0, hi = 0;
    CLadeflaechenPlatzierung(p.m_f).CalcWandbereich(p.m_lasten[600], 0, &lo, &hi);
    EXPECT_NEAR(lo, 0.0, 1e-9);
    EXPECT_NEAR(hi, 2.4, 1e-9);
}

TEST(PlacementTest, FormFitBlockingOfALoadUnit)
{
    // Unit rectangle (2.0, 0.5) 1.0 x 1.0.
    struct Fall
    {
        const char* name;
        std::vector<L> lasten;
        int d;
        double tol;
        int nTreffer; // index of the blocking load, -1 for none
    };
    const std::vector<Fall> faelle = {
        {"behind", {{3.01, 0.5, 0.2, 1.0, 5, 1}}, 0, 0.0205, 0},
        {"left", {{2.0, 1.5, 1.0, 0.2, 5, 2}}, 1, 0.0205, 0},
        {"in front", {{1.8, 0.6, 0.2, 0.2, 5, 3}}, 2, 0.0205, 0},
        {"right", {{2.5, 0.3, 0.2, 0.2, 5, 4}}, 3, 0.0205, 0},
        {"ordinary load ignored", {{3.0, 0.5, 0.2, 1.0, 4, 1}}, 0, 0.0205, -1},
        {"wrong side value", {{3.0, 0.5, 0.2, 1.0, 5, 3}}, 0, 0.0205, -1},
        {"first match wins", {{3.0, 0.5, 0.2, 1.0, 7, 1}, {3.0, 0.5, 0.2, 1.0, 5, 1}}, 0, 0.0205, 0},
        {"negative tolerance", {{3.02, 0.5, 0.2, 1.0, 5, 1}}, 0, -0.0205, 0},
        {"too far", {{3.03, 0.5, 0.2, 1.0, 5, 1}}, 0, 0.0205, -1},
        {"only touching across", {{3.0, 1.5, 0.2, 1.0, 5, 1}}, 0, 0.0205, -1},
        {"direction out of range", {{3.0, 0.5, 0.2, 1.0, 5, 1}}, 4, 0.0205, -1},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        Platz p(f.lasten);
        const sFSParam r = CLadeflaechenPlatzierung(p.m_f).CalcFSParam(2.0, 0.5, 1.0, 1.0, f.d, f.tol);
        if (f.nTreffer < 0) {
            EXPECT_EQ(r.m_nArt, 0);
            EXPECT_EQ(r.GetLg(), nullptr);
            EXPECT_EQ(r.m_nNummer, -1);
        } else {
            EXPECT_EQ(r.m_nArt, 2);
            EXPECT_EQ(r.GetLg(), p.m_lasten[f.nTreffer]);
            EXPECT_EQ(r.m_nNummer, p.m_lasten[f.nTreffer]->m_nNummer);
            EXPECT_EQ(r.m_nKapazitaet, 0); // no reference in a stored field
        }
    }
}

TEST(PlacementTest, MarginsAndNoPlan)
{
    CFahrzeug f;
    f.m_NutzLF[0].m_dRand[0] = 0.1;
    f.m_NutzLF[0].m_dRand[1] = 0.05;
    double x = 1.0, y = 2.0;
    f.AddRandabstand(&x, &y);
    EXPECT_DOUBLE_EQ(x, 1.1);
    EXPECT_DOUBLE_EQ(y, 2.05);
    f.AddRandabstand(nullptr, &y);
    EXPECT_DOUBLE_EQ(y, 2.1);

    double a, b, c, d;
    EXPECT_EQ(CLadeflaechenPlatzierung(f).FindLgPosition(1.0, 1.0, &a, &b, &c, &d), -1);
    EXPECT_EQ(CLadeflaechenPlatzierung(f).CalcFSParam(0, 0, 1, 1, 0, 0.02).m_nArt, 0);
}

TEST(PlacementTest, LashingSpacing)
{
    CLadeeinheit le;
    le.m_dMinX = 1.0;
    le.m_dMaxXEnde = 3.0; // length 2.0
    struct Fall
    {
        int n, faktor, limit;
        double rand;
        int anzahl;
        double abstand;
        bool ueber;
    };
    const Fall faelle[] = {
        {3, 1, 5, 0.0, 4, 0.5, false},  // spacing 2 / 4, usable 1.0: floor(3 / 1.0) + 1
        {3, 2, 5, 0.2, 4, 0.8, false},  // usable 1.6, spacing 0.8: (floor(3 / 1.6) + 1) x 2
        {3, 3, 5, 0.2, 6, 0.8, true},   // the same x 3 exceeds the limit
        {1, 1, 0, 0.2, 1, 0.0, true},   // one lashing with an edge distance: spacing 0, no division
        {2, 1, 9, 1.5, 1, -1.0, false}, // no usable length: the factor alone
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.n);
        int n = -1;
        double a = -1;
        const bool b = CalcZurrAbstand(&le, f.limit, f.n, f.faktor, f.rand, &n, &a);
        EXPECT_EQ(n, f.anzahl);
        EXPECT_NEAR(a, f.abstand, 1e-12);
        EXPECT_EQ(b, f.ueber);
    }

    // 1.2 m with 3 lashings: spacing 0.3, usable 0.6, exactly 5 per metre in decimal terms.
    le.m_dMaxXEnde = 2.2;
    int n = -1;
    CalcZurrAbstand(&le, 100, 3, 1, 0.0, &n, nullptr);
    EXPECT_EQ(n, 6);
}
