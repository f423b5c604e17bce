// The curve builder, the choice of the deciding limit, the refinement, the recalculation and the usable
// centre-of-gravity range.
#include "FahrzeugTestSupport.h"

#include "model/plan/tagLGINFO.h"
#include "model/vehicle/CAuflieger.h"
#include "model/vehicle/CSattelzugmaschine.h"
#include "model/vehicle/SYs2X.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <random>

using namespace fahrzeugtest;

namespace {

const Daten LKW = {0, {{1.0, 4.0, 7.5}, {4.0, 4.0, 10.0}}, 18.0, 7.0, 2.5f, 25, 25};
const Daten SZ = {4, {{0.8, 4.5, 7.5}, {3.6, 3.0, 11.5}}, 18.0, 0.0, 2.5f, 20, 25};
const Daten AUF = {
    3, {{1.2, 3.0, 12.0}, {6.0, 1.5, 9.0}, {1.31, 1.5, 9.0}, {1.31, 1.5, 9.0}}, 36.0, 13.6, 2.5f, 0, 0};

// A vehicle whose curve points come from a function of x, so that the refinement and the range can be
// driven point by point.
class Probe : public CFahrzeug
{
public:
    std::function<int(SYs2X*)> punkt;
    int nAufrufe = 0;
    int CalcKurvenpunkt(SYs2X* p) override
    {
        ++nAufrufe;
        return punkt(p);
    }
};

// A peak at x = 1.0: rising with slope 1 (code 4), falling with slope 2 (code 2).
int Spitze(SYs2X* p)
{
    const double x = p->m_dX;
    p->m_dMaxLast = x < 1.0 ? 5.0 + x : 6.0 - 2.0 * (x - 1.0);
    p->m_nGrenze = x < 1.0 ? 4 : 2;
    return 1;
}

// Gives the single load of the plan another mass.
void SetzeMasse(CFahrzeug& f, double m)
{
    tagLGINFO* p = f.m_pQor->GetLgInfos().front();
    p->m_dSPMasse = m;
    p->m_dMasse = m;
    f.m_pQor->UpdateSchwerpunkt();
}

void FuelleKurve(CFahrzeug& f, std::initializer_list<SYs2X> punkte)
{
    f.GetNutzlastKurve().GetPunkte().DeleteAll();
    for (const SYs2X& p : punkte)
        f.GetNutzlastKurve().GetPunkte().AddTail(SYs2X(p));
}

} // namespace

TEST(NutzlastKurve, ChoiceOfTheSmallestLimit)
{
    CFahrzeug f;
    struct Fall
    {
        const char* name;
        double r[4];
        double N;
        double erwartet;
        int nCode;
    };
    const Fall faelle[] = {
        {"smallest wins, codes 0 and 1 as they are", {9.0, 7.0, 8.0, 8.5}, 20.0, 7.0, 1},
        {"index 2 reports code 3", {9.0, 7.0, 6.0, 8.5}, 20.0, 6.0, 3},
        {"index 3 reports code 4", {9.0, 7.0, 6.0, 5.5}, 20.0, 5.5, 4},
        {"of two equal values the earlier wins", {6.0, 6.0, 8.0, 6.0}, 20.0, 6.0, 0},
        {"negative values are no limit", {-1.0, 7.0, -3.0, 9.0}, 20.0, 7.0, 1},
        {"the total mass equal to the smallest is code 2", {9.0, 7.0, 8.0, 8.5}, 7.0, 7.0, 2},
        {"no limit at all: the total mass", {-1.0, -1.0, -1.0, -1.0}, 12.0, 12.0, 2},
        {"no limit and a negative total mass", {-1.0, -2.0, -1.0, -1.0}, -0.5, -0.5, 2},
    };
    for (const Fall& c : faelle) {
        SCOPED_TRACE(c.name);
        f.m_dNutzlast = c.N;
        double r[5] = {c.r[0], c.r[1], c.r[2], c.r[3], 123.0};
        int nCode = -1;
        EXPECT_DOUBLE_EQ(f.GetKurvenpunktGrenzen().WaehleMinimum(r, 4, &nCode), c.erwartet);
        EXPECT_EQ(nCode, c.nCode);
    }

    // Records: the first of equal maxima wins; no record with a maximum answers 0.
    SYs2X R[5] = {SYs2X(0, 8.0, 4, 0, 0), SYs2X(0, 6.0, 2, 0, 0), SYs2X(0, 9.0, 3, 0, 0),
                  SYs2X(0, -1.0, 1, 0, 0), SYs2X(0, 6.0, 5, 0, 0)};
    SYs2X g;
    ASSERT_EQ(CKurvenpunktGrenzen::WaehleGrenzsatz(R, 5, &g), 1);
    EXPECT_EQ(g.m_nGrenze, 2);
    for (SYs2X& r : R)
        r.m_dMaxLast = -1.0;
    EXPECT_EQ(CKurvenpunktGrenzen::WaehleGrenzsatz(R, 5, &g), 0);
}

TEST(NutzlastKurve, OneLimitRecord)
{
    CFahrzeug f;
    f.m_dRadstand = 4.0;
    struct Fall
    {
        const char* name;
        int nCode;
        double d, M, P;
        int nAntwort;
        double dMax, dMin;
    };
    const Fall faelle[] = {
        // q = (4 * 10 - 16) / 3 = 8.
        {"axle group ahead of its lever: a maximum", 4, 3.0, 16.0, 10.0, 1, 8.0, 0.0},
        {"axle group, unladen above its limit: nothing fits", 4, 3.0, 48.0, 10.0, 10, 0.0, -8.0 / 3.0},
        {"axle group behind the lever: a minimum", 4, -2.0, 48.0, 10.0, 2, 0.0, 4.0},
        {"share behind its lever: a minimum", 1, 2.0, 16.0, 6.0, 2, 0.0, 4.0},
        {"share ahead of its lever: a maximum", 1, -2.0, 16.0, 3.0, 1, 2.0, 0.0},
        {"exactly full axle group", 2, 2.0, 40.0, 10.0, 1, 0.0, 0.0},
        {"exactly kept share ahead: no limit", 5, 2.0, 40.0, 10.0, 1, -1.0, 0.0},
        {"zero lever, the neighbour is a maximum", 4, 0.0, 16.0, 10.0, 5, -1.0, 0.0},
        {"zero lever, the neighbour demands a minimum", 4, 0.0, 48.0, 10.0, 10, 0.0, 8.0},
    };
    for (const Fall& c : faelle) {
        SCOPED_TRACE(c.name);
        SYs2X r(0.0, 0.0, c.nCode, 0.0, 0);
        EXPECT_EQ(f.GetKurvenpunktGrenzen().CalcGrenzsatz(c.d, c.M, c.P, &r, c.d), c.nAntwort);
        EXPECT_DOUBLE_EQ(r.m_dMaxLast, c.dMax);
        EXPECT_DOUBLE_EQ(r.m_dMinLast, c.dMin);
    }
}

TEST(NutzlastKurve, SamplingStartsAndEnds)
{
    // A truck of 3.05 m: 0.0, 0.1, ... 3.0 and a last point on the end.
    Daten d = LKW;
    d.dLFLaenge = 3.05;
    auto lkw = Erzeuge(d);
    Berechne(*lkw);
    std::vector<double> xs; // the sampled points, without those of the refinement
    for (const SYs2X* p : lkw->GetNutzlastKurve().GetPunkte().Punkte())
        if (p->m_nGrenze != 8)
            xs.push_back(p->m_dX);
    ASSERT_EQ(xs.size(), 32u);
    EXPECT_EQ(xs.front(), 0.0);
    EXPECT_NEAR(xs[30], 3.0, 1e-12);
    EXPECT_EQ(xs.back(), 3.05);
    EXPECT_EQ(lkw->GetNutzlastKurve().IsGueltig(), 1);

    // A front axle overloaded empty: nothing fits ahead of the rear axle (L + v = 4 - 1), and the
    // sampling jumps there and goes on one step behind it.
    Daten vorn = LKW;
    vorn.achsen[0].dZul = 3.9;
    auto vl = Erzeuge(vorn);
    Berechne(*vl);
    ASSERT_FALSE(vl->GetNutzlastKurve().GetPunkte().IsEmpty());
    EXPECT_NEAR(vl->GetNutzlastKurve().GetPunkte().GetHead()->m_dX, 3.1, 1e-12);
    EXPECT_EQ(vl->GetNutzlastKurve().GetPunkte().GetHead()->m_nMinGrenze, 2);

    // A load area of whole steps ends on its end once, not twice.
    d.dLFLaenge = 7.0;
    auto lang = Erzeuge(d);
    Berechne(*lang);
    xs.clear();
    for (const SYs2X* p : lang->GetNutzlastKurve().GetPunkte().Punkte())
        if (p->m_nGrenze != 8)
            xs.push_back(p->m_dX);
    ASSERT_EQ(xs.size(), 71u);
    EXPECT_EQ(xs.back(), 7.0);

    // The base class samples its simple curve the same way.
    d.nArt = -1;
    d.dLFLaenge = 3.05;
    auto basis = Erzeuge(d);
    basis->m_nArt = 0;
    Berechne(*basis);
    xs.clear();
    for (const SYs2X* p : basis->GetNutzlastKurve().GetPunkte().Punkte())
        if (p->m_nGrenze != 8)
            xs.push_back(p->m_dX);
    ASSERT_EQ(xs.size(), 32u);
    EXPECT_EQ(xs.back(), 3.05);
    EXPECT_EQ(basis->GetNutzlastKurve().GetPunkte().GetTail()->m_dMinLast, 0.0);

    // A tractor starts at 0.22 in single precision; with less length than that it has no curve.
    Daten s = SZ;
    s.dLFLaenge = 0.5;
    auto sz = Erzeuge(s);
    Berechne(*sz);
    ASSERT_EQ(sz->GetNutzlastKurve().GetPunkte().GetCount(), 4u);
    EXPECT_EQ(sz->GetNutzlastKurve().GetPunkte().GetHead()->m_dX, static_cast<double>(0.22f));
    EXPECT_EQ(sz->GetNutzlastKurve().GetPunkte().GetTail()->m_dX, 0.5);
    sz->m_dLFLaenge = 0.2;
    Berechne(*sz);
    EXPECT_TRUE(sz->GetNutzlastKurve().GetPunkte().IsEmpty());
    EXPECT_EQ(sz->GetNutzlastKurve().IsGueltig(), 0);
    EXPECT_EQ(sz->GetNutzlastKurve().GetMaxNutzlast(), 0.0);
}

TEST(NutzlastKurve, CurveMaximumAndLoadCheckAgree)
{
    auto lkw = Erzeuge(LKW);
    lkw->m_NutzLF[0].m_dRand[0] = 0.2;
    Berechne(*lkw);
    double dMax = 0.0;
    for (const SYs2X* p : lkw->GetNutzlastKurve().GetPunkte().Punkte())
        dMax = std::max(dMax, p->m_dMaxLast);
    EXPECT_DOUBLE_EQ(lkw->GetNutzlastKurve().GetMaxNutzlast(), dMax);
    EXPECT_DOUBLE_EQ(lkw->GetMaxNutzlast(true), dMax);

    // The load check reads the same curve: just below a point's payload fits, 1 % above does not.
    GibLast(*lkw, 1.0, 2.0, 1.25);
    for (const SYs2X* p : lkw->GetNutzlastKurve().GetPunkte().Punkte()) {
        if (p->m_dX < 0.2)
            continue;
        SCOPED_TRACE(p->m_dX);
        EXPECT_EQ(lkw->CheckLadung(p->m_dX - 0.2, p->m_dMaxLast * 0.999), 1);
        EXPECT_EQ(lkw->CheckLadung(p->m_dX - 0.2, p->m_dMaxLast * 1.01), 0);
    }
}

TEST(NutzlastKurve, RecalculationClearsACurveItCannotBuild)
{
    // A base-class vehicle whose empty rear group is already above its limit shows no curve, not the old.
    Daten d = LKW;
    d.nArt = -1;
    auto f = Erzeuge(d);
    f->m_nArt = 0;
    Berechne(*f);
    ASSERT_EQ(f->GetNutzlastKurve().IsGueltig(), 1);
    ASSERT_FALSE(f->GetNutzlastKurve().GetPunkte().IsEmpty());
    ASSERT_GT(f->GetNutzlastKurve().GetMaxNutzlast(), 0.0);
    f->m_Achsen[1].dZulLast = 3.0;
    Berechne(*f);
    EXPECT_NE(f->m_nGrenzMaske, 0);
    EXPECT_EQ(f->GetNutzlastKurve().IsGueltig(), 0);
    EXPECT_TRUE(f->GetNutzlastKurve().GetPunkte().IsEmpty());
    EXPECT_EQ(f->GetNutzlastKurve().GetMaxNutzlast(), 0.0);

    // A semi-trailer whose coupling constant cannot be formed ((1 - 0.25) * 3.6 = 3.6 - 0.9) likewise.
    auto sz = Erzeuge(SZ);
    auto auf = Erzeuge(AUF);
    sz->m_dKupplungslast1 = 12.0;
    sz->m_dSattelVersatz = 0.5;
    Kopple(*sz, *auf);
    ASSERT_EQ(auf->GetNutzlastKurve().IsGueltig(), 1);
    ASSERT_FALSE(auf->GetNutzlastKurve().GetPunkte().IsEmpty());
    sz->m_nMinAnteilVorn = 25;
    sz->m_dSattelVersatz = 0.9;
    Kopple(*sz, *auf);
    EXPECT_EQ(auf->m_bKupplungGueltig, 0);
    EXPECT_EQ(auf->GetNutzlastKurve().IsGueltig(), 0);
    EXPECT_TRUE(auf->GetNutzlastKurve().GetPunkte().IsEmpty());
    EXPECT_EQ(auf->GetMaxNutzlast(true), 0.0);
    EXPECT_NE(auf->CheckGrenzwerte(true) & 0x2, 0);

    // A semi-trailer behind a rigid truck is not coupled as expected: its axle records alone decide.
    auto lkw = Erzeuge(LKW);
    auto auf2 = Erzeuge(AUF);
    Kopple(*lkw, *auf2);
    SYs2X p;
    EXPECT_EQ(auf2->GetKupplungsStatus(2, &p), 0);
    EXPECT_EQ(auf2->GetNutzlastKurve().IsGueltig(), 1);
    for (const SYs2X* q : auf2->GetNutzlastKurve().GetPunkte().Punkte())
        EXPECT_LE(q->m_nGrenze, 5);
}

TEST(NutzlastKurve, LoadingRampMovesSkipTheChart)
{
    auto lkw = Erzeuge(LKW);
    Berechne(*lkw);
    lkw->SetLadungBewegt();
    EXPECT_EQ(lkw->GetNutzlastKurve().BuildKurve(), 0);
    EXPECT_EQ(lkw->m_bDiagrammVeraltet, 0);
    EXPECT_FALSE(lkw->IsLadungBewegt());
    EXPECT_FALSE(lkw->GetNutzlastKurve().GetPunkte().IsEmpty());
    EXPECT_EQ(lkw->GetNutzlastKurve().BuildKurve(), 1);
    EXPECT_EQ(lkw->m_bDiagrammVeraltet, 1);
}

TEST(NutzlastKurve, RefinementFindsTheKinkAndAlwaysEnds)
{
    Probe f;
    f.GetNutzlastKurve().SetSchritt(0.1);
    f.m_dLFLaenge = 3.0;
    f.GetNutzlastKurve().SetMaxNutzlast(6.0);
    f.punkt = Spitze;
    CTupelList kurve;
    for (double x : {0.9, 1.1}) {
        SYs2X p(x, 0.0, 0, -1.0, 0);
        Spitze(&p);
        kurve.AddTail(p);
    }
    f.GetNutzlastKurve().RefineKurve(&kurve);
    ASSERT_EQ(kurve.GetCount(), 3u);
    const SYs2X* k = kurve.GetAt(1);
    EXPECT_EQ(k->m_nGrenze, 8);
    EXPECT_NEAR(k->m_dX, 1.0, 0.005);
    EXPECT_NEAR(k->m_dMaxLast, 6.0, 0.01);

    // A vehicle that answers 0 in the middle of the walk ends it without a point.
    f.punkt = [](SYs2X* p) { return p->m_dX < 0.95 ? Spitze(p) : 0; };
    CTupelList kurve2;
    kurve2.AddTail(SYs2X(0.9, 5.9, 4, -1.0, 0));
    kurve2.AddTail(SYs2X(1.1, 5.8, 2, -1.0, 0));
    f.GetNutzlastKurve().RefineKurve(&kurve2);
    EXPECT_EQ(kurve2.GetCount(), 2u);

    // Equal codes are not walked; an empty curve is left alone.
    f.nAufrufe = 0;
    CTupelList kurve3;
    kurve3.AddTail(SYs2X(0.9, 5.9, 4, -1.0, 0));
    kurve3.AddTail(SYs2X(1.1, 5.8, 4, -1.0, 0));
    f.GetNutzlastKurve().RefineKurve(&kurve3);
    CTupelList leer;
    f.GetNutzlastKurve().RefineKurve(&leer);
    EXPECT_EQ(f.nAufrufe, 0);
    EXPECT_EQ(kurve3.GetCount(), 2u);
}

TEST(NutzlastKurve, RefinementPutsTheCornerOfTwoLimitsWhereTheyMeet)
{
    // Two limits of the shape every limit of a vehicle has, m = a / (b + c x): rising 6 / (3 - x) (code 4)
    // and falling 8 / (1 + x) (code 2). They meet where 6 (1 + x) = 8 (3 - x): x = 9 / 7.
    Probe f;
    f.GetNutzlastKurve().SetSchritt(0.1);
    f.m_dLFLaenge = 3.0;
    f.punkt = [](SYs2X* p) {
        const double x = p->m_dX, a = 6.0 / (3.0 - x), b = 8.0 / (1.0 + x);
        p->m_dMaxLast = std::min(a, b);
        p->m_nGrenze = a < b ? 4 : 2;
        return 1;
    };
    const double xEcke = 9.0 / 7.0, mEcke = 8.0 / (1.0 + xEcke);
    struct Fall
    {
        const char* name;
        double xA, xB;
    };
    // The corner well inside the pair, and within a probe's step of either point.
    const Fall faelle[] = {{"inside", 1.2, 1.3},
                           {"next to the first point", 1.284, 1.384},
                           {"next to the second point", 1.188, 1.288}};
    for (const Fall& c : faelle) {
        SCOPED_TRACE(c.name);
        CTupelList kurve;
        for (double x : {c.xA, c.xB}) {
            SYs2X p(x, 0.0, 0, -1.0, 0);
            f.punkt(&p);
            kurve.AddTail(p);
        }
        f.GetNutzlastKurve().RefineKurve(&kurve);
        ASSERT_EQ(kurve.GetCount(), 3u);
        const SYs2X* k = kurve.GetAt(1);
        EXPECT_EQ(k->m_nGrenze, 8);
        EXPECT_NEAR(k->m_dX, xEcke, 1e-12);
        EXPECT_NEAR(k->m_dMaxLast, mEcke, 1e-12);
    }
}

TEST(NutzlastKurve, PointListsKeepTheirOrderAndTheirPointers)
{
    // An owning list keeps copies in one block; its pointers follow the block as it grows, and inserting
    // shifts the points behind. A list that does not own its points keeps the pointers it is given.
    CTupelList kurve;
    for (int i = 0; i < 100; ++i)
        kurve.AddTail(SYs2X(0.1 * (2 * i + 1), 1.0, 3, -1.0, 0));
    kurve.AddHead(SYs2X(0.0, 1.0, 3, -1.0, 0));
    kurve.InsertBefore(2, SYs2X(0.2, 1.0, 8, -1.0, 0));
    kurve.AddTail(SYs2X(50.0, 1.0, 3, -1.0, 0));
    ASSERT_EQ(kurve.GetCount(), 103u);
    const auto& p = kurve.Punkte();
    for (std::size_t i = 0; i < p.size(); ++i) {
        EXPECT_EQ(p[i], kurve.GetAt(i));
        if (i > 0) {
            EXPECT_EQ(p[i - 1] + 1, p[i]) << "one block";
            EXPECT_LT(p[i - 1]->m_dX, p[i]->m_dX);
        }
    }
    EXPECT_EQ(kurve.GetAt(2)->m_nGrenze, 8);
    EXPECT_EQ(kurve.GetHead()->m_dX, 0.0);
    EXPECT_EQ(kurve.GetTail()->m_dX, 50.0);

    CTupelList teil(false);
    teil.AddTail(kurve, 4);
    teil.AddTail(kurve, 5);
    teil.AddTail(kurve, 103);                  // no such point
    teil.AddTail(SYs2X(9.0, 1.0, 3, -1.0, 0)); // a borrowing list takes no values
    EXPECT_EQ(teil.GetCount(), 2u);
    EXPECT_EQ(teil.GetHead(), kurve.GetAt(4));
    EXPECT_EQ(teil.GetTail(), kurve.GetAt(5));
    teil.DeleteAll();
    EXPECT_TRUE(teil.IsEmpty());
    EXPECT_EQ(kurve.GetCount(), 103u);
    kurve.DeleteAll();
    EXPECT_TRUE(kurve.IsEmpty());
    EXPECT_EQ(kurve.GetHead(), nullptr);
}

TEST(NutzlastKurve, ABorrowingListNeverKeepsPointsThatMovedOrEnded)
{
    // The borrowed points are read after each change of the owning list: under ASan a pointer into the
    // block the list let go of is a use after free.
    const auto summe = [](const CTupelList& liste) {
        double d = 0.0;
        for (const SYs2X* p : liste.Punkte())
            d += p->m_dX;
        return d;
    };
    const auto fuelle = [](CTupelList& kurve) {
        for (int i = 0; i < 10; ++i)
            kurve.AddTail(SYs2X(0.5 * i, 1.0, 3, -1.0, 0));
    };
    struct Fall
    {
        const char* name;
        std::function<void(CTupelList&)> aendere;
    };
    const Fall faelle[] = {
        {"grows into a new block",
         [](CTupelList& k) {
             for (int i = 0; i < 1000; ++i)
                 k.AddTail(SYs2X(10.0 + i, 1.0, 3, -1.0, 0));
         }},
        {"a point inserted", [](CTupelList& k) { k.InsertBefore(0, SYs2X(-1.0, 1.0, 3, -1.0, 0)); }},
        {"a new point", [](CTupelList& k) { k.NeuerPunkt()->m_dX = 99.0; }},
        {"the last point taken back", [](CTupelList& k) { k.EntferneLetzten(); }},
        {"emptied and built again",
         [&](CTupelList& k) {
             k.DeleteAll();
             fuelle(k);
         }},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        CTupelList kurve;
        fuelle(kurve);
        CTupelList teil(false);
        teil.AddTail(kurve, 2);
        teil.AddTail(kurve, 3);
        EXPECT_DOUBLE_EQ(summe(teil), 2.5);
        fall.aendere(kurve);
        EXPECT_TRUE(teil.IsEmpty());
        EXPECT_EQ(summe(teil), 0.0);
        // Borrowed again, the points are those of the list as it is now.
        teil.AddTail(kurve, 1);
        EXPECT_EQ(teil.GetHead(), kurve.GetAt(1));
    }

    // The owning list ends first: the borrowing list is emptied, and it ends later without reaching back.
    auto kurve = std::make_unique<CTupelList>();
    fuelle(*kurve);
    CTupelList teil(false);
    teil.AddTail(*kurve, 1);
    kurve.reset();
    EXPECT_TRUE(teil.IsEmpty());
    teil.RemoveAll();

    // The borrowing list ends first: the owning list's next change does not reach it.
    CTupelList eigene;
    fuelle(eigene);
    auto geliehen = std::make_unique<CTupelList>(false);
    geliehen->AddTail(eigene, 0);
    geliehen.reset();
    eigene.AddTail(SYs2X(20.0, 1.0, 3, -1.0, 0));

    // Borrowing from another list lets go of the first: a change of the first leaves the points alone.
    CTupelList zweite;
    fuelle(zweite);
    teil.AddTail(eigene, 0);
    teil.AddTail(zweite, 4);
    eigene.DeleteAll();
    ASSERT_EQ(teil.GetCount(), 1u);
    EXPECT_EQ(teil.GetHead(), zweite.GetAt(4));
}

TEST(NutzlastKurve, RefinementExtendsTheEndsOnlyWithAMinimumAndACoarseStep)
{
    Probe f;
    f.m_dLFLaenge = 3.0;
    f.punkt = [](SYs2X* p) {
        p->m_dMaxLast = 5.0;
        p->m_nGrenze = 3;
        return 1;
    };
    const auto kurve = [](double dMin) {
        auto k = std::make_unique<CTupelList>();
        k->AddTail(SYs2X(1.0, 5.0, 3, dMin, 1));
        k->AddTail(SYs2X(1.5, 5.0, 3, dMin, 1));
        return k;
    };
    struct Fall
    {
        const char* name;
        double dSchritt, dMin;
        size_t nPunkte;
    };
    const Fall faelle[] = {
        {"no minimum", 0.5, -1.0, 2},
        {"a minimum with the step of 0.1", 0.1, 2.0, 2},
        // Head: 0.76 and 0.52 (above 1.0 - 0.5); tail: 1.74 and 1.98 up to 1.5 + 0.5.
        {"a minimum with a step of 0.5", 0.5, 2.0, 6},
    };
    for (const Fall& c : faelle) {
        SCOPED_TRACE(c.name);
        f.GetNutzlastKurve().SetSchritt(c.dSchritt);
        auto k = kurve(c.dMin);
        f.GetNutzlastKurve().RefineKurve(k.get());
        EXPECT_EQ(k->GetCount(), c.nPunkte);
        for (size_t i = 1; i < k->GetCount(); ++i)
            EXPECT_LT(k->GetAt(i - 1)->m_dX, k->GetAt(i)->m_dX);
    }

    // Inserting by x: before the first larger one; behind the last nothing is inserted.
    CTupelList k;
    k.AddTail(SYs2X(1.0, 5.0, 3, -1.0, 0));
    k.AddTail(SYs2X(2.0, 5.0, 3, -1.0, 0));
    const SYs2X mitte(1.5, 5.0, 8, 0.0, 0), hinten(2.5, 5.0, 8, 0.0, 0);
    CNutzlastKurve::InsertRefinePunkt(&k, &mitte, -1);
    CNutzlastKurve::InsertRefinePunkt(&k, &hinten, -1);
    ASSERT_EQ(k.GetCount(), 3u);
    EXPECT_EQ(k.GetAt(1)->m_dX, 1.5);
}

TEST(NutzlastKurve, UsableRange)
{
    auto lkw = Erzeuge(LKW);
    lkw->m_NutzLF[0].m_dRand[0] = 0.3;
    lkw->m_NutzLF[0].m_dRand[2] = 0.4;
    GibLast(*lkw, 1.0, 2.0, 1.25);
    Berechne(*lkw);
    // A light load may stand almost anywhere, but never on the margins.
    EXPECT_EQ(lkw->GetNutzlastKurve().GetBereichStatus(), 2);
    EXPECT_DOUBLE_EQ(lkw->GetNutzlastKurve().GetNutzbarVon(), 0.3);
    EXPECT_DOUBLE_EQ(lkw->GetNutzlastKurve().GetNutzbarBis(), 7.0 - 0.4);
    EXPECT_LT(lkw->GetNutzlastKurve().GetNutzbarQuerVon(), 1.25);
    EXPECT_GT(lkw->GetNutzlastKurve().GetNutzbarQuerBis(), 1.25);
    EXPECT_EQ(lkw->GetNutzlastKurve().BuildTeilkurve(), 1);
    EXPECT_GE(lkw->GetNutzlastKurve().GetTeilkurve().GetHead()->m_dX, 0.3);
    EXPECT_LE(lkw->GetNutzlastKurve().GetTeilkurve().GetTail()->m_dX, 6.6);
    EXPECT_EQ(lkw->GetNutzlastKurve().GetTeilkurve().GetHead(),
              lkw->GetNutzlastKurve().GetPunkte().GetAt(3)); // the same point, not a copy

    // A mid-weight load: the range is where the curve carries it, to within the range step.
    const double m = 0.5 * lkw->GetNutzlastKurve().GetMaxNutzlast();
    SetzeMasse(*lkw, m);
    Berechne(*lkw);
    ASSERT_EQ(lkw->GetNutzlastKurve().GetBereichStatus(), 2);
    for (double x : {lkw->GetNutzlastKurve().GetNutzbarVon(), lkw->GetNutzlastKurve().GetNutzbarBis()}) {
        SYs2X p;
        p.m_dX = x;
        lkw->CalcKurvenpunkt(&p);
        EXPECT_GE(p.m_dMaxLast, m);
    }
    for (double x :
         {lkw->GetNutzlastKurve().GetNutzbarVon() - 0.011, lkw->GetNutzlastKurve().GetNutzbarBis() + 0.011}) {
        SYs2X p;
        p.m_dX = x;
        lkw->CalcKurvenpunkt(&p);
        if (x > 0.3 && x < 6.6) {
            EXPECT_LT(p.m_dMaxLast, m);
        }
    }

    // Heavier than every point: status 1 and an empty range.
    const double schwer = lkw->GetNutzlastKurve().GetMaxNutzlast() + 1.0;
    SetzeMasse(*lkw, schwer);
    Berechne(*lkw);
    EXPECT_EQ(lkw->GetNutzlastKurve().GetBereichStatus(), 1);
    EXPECT_EQ(lkw->GetNutzlastKurve().GetNutzbarVon(), 0.0);
    EXPECT_EQ(lkw->GetNutzlastKurve().GetNutzbarBis(), 0.0);
    EXPECT_EQ(lkw->GetNutzlastKurve().BuildTeilkurve(), 0);
    EXPECT_TRUE(lkw->GetNutzlastKurve().GetTeilkurve().IsEmpty());
}

TEST(NutzlastKurve, UsableRangeAtTheMaximumAndWithoutARearEnd)
{
    // Only the peak carries the load: the range is the maximum's position +/- 0.01.
    Probe f;
    f.m_nArt = 0;
    f.m_dLFLaenge = 3.0;
    f.m_fLFBreite = 2.5f;
    f.punkt = Spitze;
    FuelleKurve(f, {{0.9, 5.9, 4, -1.0, 0}, {1.0, 6.0, 8, -1.0, 0}, {1.1, 5.8, 2, -1.0, 0}});
    f.GetNutzlastKurve().SetMaxNutzlast(6.0);
    f.GetNutzlastKurve().SetMaxNutzlastPos(1.0f);
    GibLast(f, 6.0 - 1e-6, 1.0, 1.25);
    EXPECT_EQ(f.CalcNutzbarerBereich(), 2);
    EXPECT_EQ(f.GetNutzlastKurve().GetNutzbarVon(), static_cast<double>(1.0f - 0.01f));
    EXPECT_EQ(f.GetNutzlastKurve().GetNutzbarBis(), static_cast<double>(1.0f + 0.01f));

    // Not even the maximum carries it.
    f.GetNutzlastKurve().SetMaxNutzlast(5.0);
    FuelleKurve(f, {{1.0, 6.0, 8, -1.0, 0}});
    EXPECT_EQ(f.CalcNutzbarerBereich(), 1);

    // Every carrying point demands exactly the load as its minimum: no rear end, no range bit.
    f.punkt = [](SYs2X* p) {
        p->m_dMaxLast = 8.0;
        p->m_dMinLast = 5.0;
        return 1;
    };
    SetzeMasse(f, 5.0);
    f.GetNutzlastKurve().SetMaxNutzlast(8.0);
    FuelleKurve(f, {{1.0, 8.0, 3, 5.0, 1}, {1.5, 8.0, 3, 5.0, 1}, {2.0, 8.0, 3, 5.0, 1}});
    const int nStatus = f.CalcNutzbarerBereich();
    EXPECT_EQ(nStatus & 2, 0);
    EXPECT_EQ(f.GetNutzlastKurve().BuildTeilkurve(), 0);

    // A part curve of one point is none.
    f.GetNutzlastKurve().SetBereichStatus(2);
    f.GetNutzlastKurve().SetNutzbarVon(1.5);
    f.GetNutzlastKurve().SetNutzbarBis(1.5);
    EXPECT_EQ(f.GetNutzlastKurve().BuildTeilkurve(), 0);
    f.GetNutzlastKurve().SetNutzbarBis(2.0);
    EXPECT_EQ(f.GetNutzlastKurve().BuildTeilkurve(), 1);
    EXPECT_EQ(f.GetNutzlastKurve().GetTeilkurve().GetCount(), 2u);
}

TEST(NutzlastKurve, NoInputHangsOrGivesNonFinitePoints)
{
    std::mt19937 gen(7);
    const double werte[] = {0.0,
                            -1.0,
                            1e-300,
                            1e300,
                            std::numeric_limits<double>::infinity(),
                            std::numeric_limits<double>::quiet_NaN(),
                            0.5,
                            3.0,
                            12.0};
    std::uniform_int_distribution<int> w(0, 8), art(0, 4), anzahl(2, 4);
    const auto wert = [&] { return werte[w(gen)]; };
    for (int i = 0; i < 300; ++i) {
        SCOPED_TRACE(i);
        Daten d;
        d.nArt = art(gen);
        const int n = anzahl(gen);
        for (int k = 0; k < n; ++k)
            d.achsen.push_back({wert(), wert(), wert()});
        d.dZulGesamt = wert();
        d.dLFLaenge = wert();
        d.nMinVorn = static_cast<unsigned>(w(gen) * 5);
        d.nMinHinten = static_cast<unsigned>(w(gen) * 5);
        auto f = Erzeuge(d);
        f->GetNutzlastKurve().SetSchritt(i % 7 == 0 ? wert() : 0.1);
        if (d.nArt != FahrzeugArt::kSattelzugmaschine)
            GibLast(*f, std::fabs(wert()), 1.0, 1.0);
        if (i % 2) {
            Daten z = d.nArt == FahrzeugArt::kAuflieger ? SZ : LKW;
            auto partner = Erzeuge(z);
            partner->m_dSattelVersatz = wert();
            partner->m_dKupplungslast1 = wert();
            if (d.nArt == FahrzeugArt::kAnhaenger || d.nArt == FahrzeugArt::kStarrdeichsel ||
                d.nArt == FahrzeugArt::kAuflieger) {
                Kopple(*partner, *f);
                f->Entkoppeln();
            }
        }
        Berechne(*f);
        EXPECT_LE(f->GetNutzlastKurve().GetPunkte().GetCount(), 300000u);
        for (const SYs2X* p : f->GetNutzlastKurve().GetPunkte().Punkte())
            EXPECT_TRUE(std::isfinite(p->m_dX) && std::isfinite(p->m_dMaxLast) &&
                        std::isfinite(p->m_dMinLast));
        if (f->GetNutzlastKurve().IsGueltig()) {
            EXPECT_FALSE(f->GetNutzlastKurve().GetPunkte().IsEmpty());
        }
    }
}

TEST(NutzlastKurve, TractorTakesItsSemiTrailersRange)
{
    auto sz = Erzeuge(SZ);
    auto auf = Erzeuge(AUF);
    sz->m_dKupplungslast1 = 12.0;
    sz->m_dSattelVersatz = 0.5;
    GibLast(*auf, 20.0, 6.0, 1.25);
    Kopple(*sz, *auf);
    ASSERT_EQ(auf->GetNutzlastKurve().GetBereichStatus(), 2);
    EXPECT_GT(auf->GetNutzlastKurve().GetNutzbarBis(), auf->GetNutzlastKurve().GetNutzbarVon());
    EXPECT_EQ(sz->CalcNutzbarerBereich(), 2);
    EXPECT_EQ(sz->GetNutzlastKurve().GetNutzbarVon(), auf->GetNutzlastKurve().GetNutzbarVon());
    EXPECT_EQ(sz->GetNutzlastKurve().GetNutzbarBis(), auf->GetNutzlastKurve().GetNutzbarBis());
    EXPECT_EQ(sz->GetNutzlastKurve().GetNutzbarQuerVon(), auf->GetNutzlastKurve().GetNutzbarQuerVon());

    // Alone, a tractor has no range.
    auto allein = Erzeuge(SZ);
    Berechne(*allein);
    EXPECT_EQ(allein->CalcNutzbarerBereich(), 1);
}
