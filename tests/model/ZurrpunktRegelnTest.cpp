// Rules of a vehicle's lashing-point list: sorted insertion and numbering, near points, rows, the
// strength by mass, the presets of a point placed by a click and the 5 mm comparison.
#include "model/vehicle/ZurrpunktRegeln.h"

#include "model/vehicle/CZurrpunkt.h"

#include <gtest/gtest.h>

#include <list>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr double kL = 7.0;
constexpr double kW = 2.48;

// Owns the points of a list for one test.
class Liste
{
public:
    // A point with flags, distance along (from the front) and lateral distance; named by a tag.
    CZurrpunkt* Neu(int nFlags, double dLaengs, double dQuer)
    {
        auto* p = new CZurrpunkt(kL, kW);
        p->m_nFlags = nFlags | CZurrpunkt::kVonVorn;
        p->m_dAbstandLaengs = dLaengs;
        p->m_dAbstandQuer = dQuer;
        return p;
    }
    void Einfuegen(CZurrpunkt* p)
    {
        EXPECT_EQ(InsertZurrpunktSorted(punkte, std::unique_ptr<CZurrpunkt>(p)), p);
    }
    // The list takes the points over, in this order.
    void Setze(std::initializer_list<CZurrpunkt*> liste)
    {
        punkte.clear();
        for (CZurrpunkt* p : liste)
            punkte.emplace_back(p);
    }
    std::vector<CZurrpunkt*> Folge() const
    {
        std::vector<CZurrpunkt*> folge;
        for (const auto& p : punkte)
            folge.push_back(p.get());
        return folge;
    }
    std::list<std::unique_ptr<CZurrpunkt>> punkte;
};

constexpr int V = CZurrpunkt::kVorn;
constexpr int S = CZurrpunkt::kLinks;

} // namespace

TEST(ZurrpunktRegeln, InsertionKeepsTheOrderOfTheFourGroups)
{
    struct Fall
    {
        const char* name;
        int nFlags;
        double x;
        double y;
        int nErwartet; // index in the list after insertion
    };
    // The list before each insertion: front points (flag 4) first, then side A by x, then side B by x.
    const Fall faelle[] = {
        {"front point nearer the middle goes first", V, 0.3, 0.9, 0},
        {"front point nearer the edge", V, 0.3, 0.1, 1},
        {"side A between two points", 0, 2.0, 0.05, 2},
        {"side A at the x of another, further in", 0, 1.003, 0.2, 2},
        {"side A at the x of another, nearer the edge", 0, 1.003, 0.01, 1},
        {"side A behind the last", 0, 6.0, 0.05, 4},
        {"side B at the x of a side-A point comes after all of side A", S, 1.0, 0.05, 5},
        {"side B behind everything", S, 6.5, 0.05, 6},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        Liste l;
        l.Setze({l.Neu(V, 0.1, 0.3), l.Neu(0, 1.0, 0.05), l.Neu(0, 3.0, 0.05), l.Neu(0, 5.0, 0.05),
                 l.Neu(S, 1.0, 0.05), l.Neu(S, 5.0, 0.05)});
        CZurrpunkt* p = l.Neu(f.nFlags, f.x, f.y);
        l.Einfuegen(p);
        const std::vector<CZurrpunkt*> folge = l.Folge();
        ASSERT_EQ(folge.size(), 7u);
        EXPECT_EQ(folge[static_cast<std::size_t>(f.nErwartet)], p);
    }
}

TEST(ZurrpunktRegeln, NumbersRunFromOnePerGroup)
{
    Liste l;
    for (const auto& [flags, x] : std::vector<std::pair<int, double>>{
             {0, 3.0}, {S, 2.0}, {V, 0.1}, {0, 1.0}, {S | V, 0.1}, {S, 4.0}, {0, 2.0}})
        l.Einfuegen(l.Neu(flags, x, 0.3));
    std::vector<std::string> namen;
    for (const auto& p : l.punkte)
        namen.push_back(std::to_string(p->m_nFlags & (S | V)) + ":" + std::to_string(p->m_nNummer));
    // A side-A point goes before every side-B point, front points of side B included.
    const std::vector<std::string> erwartet = {"4:1", "0:1", "6:1", "0:2", "0:3", "2:1", "2:2"};
    EXPECT_EQ(namen, erwartet);
    // After a deletion the group closes up.
    l.punkte.pop_front();
    auto it = std::next(l.punkte.begin(), 2);
    l.punkte.erase(it);
    RenumberZurrpunkte(l.punkte);
    std::vector<int> nummern;
    for (const auto& p : l.punkte)
        nummern.push_back(p->m_nNummer);
    EXPECT_EQ(nummern, (std::vector<int>{1, 1, 2, 1, 2}));
}

TEST(ZurrpunktRegeln, NearPointsLieWithinAQuarterMetre)
{
    Liste l;
    CZurrpunkt* a = l.Neu(0, 1.0, 0.05);
    CZurrpunkt* b = l.Neu(0, 1.2, 0.05);
    CZurrpunkt* c = l.Neu(0, 1.5, 0.05);
    CZurrpunkt* d = l.Neu(S, 1.0, 0.05); // the other side: far across
    l.Setze({a, b, c, d});
    Liste neu;
    CZurrpunkt* p = neu.Neu(0, 1.1, 0.05);
    neu.Setze({p});
    EXPECT_EQ(FindNearZurrpunkte(l.punkte, *p, nullptr), (std::vector<CZurrpunkt*>{a, b}));
    // The point being edited is no neighbour of itself.
    EXPECT_EQ(FindNearZurrpunkte(l.punkte, *b, b), (std::vector<CZurrpunkt*>{a}));
    EXPECT_EQ(FindNearZurrpunkte(l.punkte, *b, a), (std::vector<CZurrpunkt*>{}));
}

TEST(ZurrpunktRegeln, RowCountIsBoundedAndRefusesNoSpacing)
{
    struct Fall
    {
        double L, erste, abstand;
        int nMax;
        bool bOhne;
        int n;
    };
    const Fall faelle[] = {
        {13.6, 0.5, 1.0, 100, false, 14}, // floor(13.1 + 0.01) + 1
        {13.6, 0.6, 1.0, 100, false, 14}, // 13.0 + 0.01 rounds a computed 12.999... up
        {13.6, 0.5, 1.0, 5, false, 5},    // cut to the maximum
        {13.6, 0.5, 1.0, 5, true, 14},    // unless there is no limit
        {13.6, 0.5, 0.0, 5, true, 0},     // no spacing: no row
        {13.6, 0.5, -1.0, 5, false, 0},     {13.6, 14.0, 1.0, 5, false, 0}, // the first beyond the load area
        {13.6, 0.0, 0.0001, 5, true, 1361}, // one point per centimetre at most
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(::testing::Message() << f.erste << " / " << f.abstand << " max " << f.nMax);
        EXPECT_EQ(ZurrpunktReiheAnzahl(f.L, f.erste, f.abstand, f.nMax, f.bOhne), f.n);
    }
}

TEST(ZurrpunktRegeln, StrengthAndPresetsFollowTheMassAndThePlace)
{
    for (const auto& [t, daN] : std::vector<std::pair<double, double>>{
             {12.01, 2000}, {12.0, 1000}, {7.51, 1000}, {7.5, 800}, {3.51, 800}, {3.5, 400}, {0.0, 400}}) {
        SCOPED_TRACE(t);
        EXPECT_EQ(StandardZurrkraft(t), daN);
    }
    struct Fall
    {
        double x, y, t;
        int nFlags;
        double laengs, quer, dritte, kraft;
    };
    const Fall faelle[] = {
        {2.0, 0.3, 18.0, CZurrpunkt::kVonVorn, 2.0, 0.3, 0.0, 2000},
        {2.0, 2.0, 18.0, CZurrpunkt::kVonVorn | S, 2.0, 0.48, 0.0, 2000},
        {2.0, 1.24, 3.5, CZurrpunkt::kVonVorn, 2.0, 1.24, 0.0, 400}, // half the width: side A
        {6.76, 0.3, 8.0, 0, 0.24, 0.3, 0.0, 1000},                   // near the rear: from the rear
        {6.75, 0.3, 8.0, CZurrpunkt::kVonVorn, 6.75, 0.3, 0.0, 1000},
        {0.1, 0.3, 18.0, CZurrpunkt::kVonVorn, 0.1, 0.3, 1.0, 1000}, // at the front wall
        {0.1, 0.3, 3.5, CZurrpunkt::kVonVorn, 0.1, 0.3, 0.0, 1000},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(::testing::Message() << f.x << ", " << f.y << " at " << f.t << " t");
        const SZurrpunktVorgabe v = ZurrpunktVorgabe(f.x, f.y, kL, kW, f.t);
        EXPECT_EQ(v.nFlags, f.nFlags);
        EXPECT_NEAR(v.dLaengs, f.laengs, 1e-9);
        EXPECT_NEAR(v.dQuer, f.quer, 1e-9);
        EXPECT_EQ(v.dDritte, f.dritte);
        EXPECT_EQ(v.dKraft, f.kraft);
    }
}

TEST(ZurrpunktRegeln, FrontPointBeyondTheMiddleChangesSide)
{
    struct Fall
    {
        int nFlags;
        double quer;
        int nNachher;
        double querNachher;
    };
    for (const Fall& f : {Fall{V, 1.5, V | S, 0.98}, Fall{V | S, 1.5, V, 0.98}, Fall{V, 1.24, V, 1.24},
                          Fall{0, 1.5, 0, 1.5}}) {
        int n = f.nFlags;
        double q = f.quer;
        KorrigiereVornPunkt(n, q, kW);
        EXPECT_EQ(n, f.nNachher);
        EXPECT_NEAR(q, f.querNachher, 1e-9);
    }
}

TEST(ZurrpunktRegeln, FiveMillimetresBothBoundsOpen)
{
    for (const auto& [a, gleich] : std::vector<std::pair<double, bool>>{
             {1.0, true}, {1.0049, true}, {0.9951, true}, {1.0051, false}, {0.9949, false}}) {
        SCOPED_TRACE(a);
        EXPECT_EQ(EqualsWithin5mm(a, 1.0), gleich);
    }
}
