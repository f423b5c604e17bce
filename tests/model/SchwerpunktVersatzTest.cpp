// A load's centre-of-gravity offset by its rotation, and the plan, its load units and a drag counting it
// alike.
#include "model/plan/SchwerpunktVersatz.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CPlanPlatzierung.h"
#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// 2 m x 1 m, centre of gravity 0.5 m from the rear along the length and 0.25 m from the right across.
tagLGINFO Kiste()
{
    tagLGINFO lg;
    lg.m_dLaenge = 2.0;
    lg.m_dBreite = 1.0;
    lg.m_dSPLaenge = 0.5;
    lg.m_dSPBreite = 0.25;
    return lg;
}

} // namespace

TEST(SchwerpunktVersatzTest, OffsetByRotation)
{
    struct Fall
    {
        int nDrehung;
        double dx, dy;
    };
    // A quarter turn swaps the extents, a half turn mirrors both offsets within them; any other
    // rotation (stored files may hold one) counts as none, as the plan has always counted it.
    const Fall faelle[] = {{0, 0.5, 0.75},  {90, 0.25, 0.5},  {180, 1.5, 0.25}, {270, 0.75, 1.5},
                           {45, 0.5, 0.75}, {360, 0.5, 0.75}, {-90, 0.5, 0.75}};
    const tagLGINFO lg = Kiste();
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.nDrehung);
        double dx = -1, dy = -1;
        GetSchwerpunktVersatz(lg, f.nDrehung, &dx, &dy);
        EXPECT_DOUBLE_EQ(dx, f.dx);
        EXPECT_DOUBLE_EQ(dy, f.dy);
    }
    // The rotation asked for counts, not the load's own: a drag tries rotations the load does not have.
    tagLGINFO gedreht = lg;
    gedreht.m_nDrehung = 90;
    double dx = -1, dy = -1;
    GetSchwerpunktVersatz(gedreht, 180, &dx, &dy);
    EXPECT_DOUBLE_EQ(dx, 1.5);
    EXPECT_DOUBLE_EQ(dy, 0.25);
}

// At the four rotations the offset stays inside the load's footprint on the plan.
TEST(SchwerpunktVersatzTest, OffsetLiesInsideTheRotatedFootprint)
{
    tagLGINFO lg = Kiste();
    for (int r : {0, 90, 180, 270}) {
        SCOPED_TRACE(r);
        lg.m_nDrehung = r;
        double dx = -1, dy = -1;
        GetSchwerpunktVersatz(lg, r, &dx, &dy);
        EXPECT_GE(dx, 0.0);
        EXPECT_LE(dx, lg.GetDimX());
        EXPECT_GE(dy, 0.0);
        EXPECT_LE(dy, lg.GetDimY());
    }
}

// The plan's centre of gravity, the load unit's and the placement's (for the fixed loads of a drag and
// for the dragged ones) are the same number, to the last bit. The figures are chosen so that adding the
// position and the extent first, as the placement once did, lands one step off at 0, 180 and 270
// degrees: the copies agreed only within rounding.
TEST(SchwerpunktVersatzTest, PlanLoadUnitAndDragCountOneLoadAlike)
{
    for (int r : {0, 90, 180, 270, 45}) {
        SCOPED_TRACE(r);
        CFahrzeug f;
        f.m_nArt = FahrzeugArt::kAnhaenger;
        f.m_dLFLaenge = 10.0;
        f.m_fLFBreite = 2.4f;
        f.m_pQor = new CQOR(&f, 0, "Plan");
        auto* p = new tagLGINFO;
        p->m_strName = "A";
        p->m_nTyp = 0;
        p->m_dLaenge = 1.3;
        p->m_dBreite = 0.7;
        p->m_dSPLaenge = 0.45;
        p->m_dSPBreite = 0.15;
        p->m_dPosX = 1.1;
        p->m_dPosY = 0.3;
        p->m_nDrehung = r;
        p->m_dSPMasse = 2.0;
        f.m_pQor->AddLgInfo(std::unique_ptr<tagLGINFO>(p), false);
        double dx = 0, dy = 0;
        GetSchwerpunktVersatz(*p, r, &dx, &dy);
        const double x = p->m_dPosX + dx, y = p->m_dPosY + dy;

        double m = 0, px = 0, py = 0, pz = 0;
        f.m_pQor->CalcSchwerpunkt(&m, &px, &py, &pz);
        EXPECT_EQ(px, x) << "plan";
        EXPECT_EQ(py, y) << "plan";

        // The unit's box corner stays at the origin, so its centre reads as on the plan.
        CLadeeinheit le(1);
        le.AddLadung("A", 0, p);
        double ex = 0, ey = 0, ez = 0;
        ASSERT_TRUE(le.CalcSchwerpunkt(&ex, &ey, &ez));
        EXPECT_EQ(ex, x) << "load unit";
        EXPECT_EQ(ey, y) << "load unit";

        CPlanPlatzierung pl;
        pl.SetPlan(f.m_pQor);
        pl.FillFestRects();
        pl.CalcZiehMomente();
        ASSERT_EQ(pl.m_dMasseFest, 2.0);
        EXPECT_EQ(pl.m_dMomentX / pl.m_dMasseFest, x) << "fixed in a drag";
        EXPECT_EQ(pl.m_dMomentY / pl.m_dMasseFest, y) << "fixed in a drag";

        p->m_bSelected = 1;
        pl.FillZiehRects();
        pl.FillFestRects();
        pl.CalcZiehMomente();
        pl.UpdateZiehSchwerpunkt(); // not moved yet
        EXPECT_EQ(f.m_pQor->GetSchwerpunktX(), x) << "dragged";
        EXPECT_EQ(f.m_pQor->GetSchwerpunktY(), y) << "dragged";
    }
}
