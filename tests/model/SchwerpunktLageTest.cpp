// The verdict on a plan's centre of gravity and the lateral limit it is judged by.
#include "FahrzeugTestSupport.h"

#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/SchwerpunktLage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

using namespace fahrzeugtest;

namespace {

// A rigid truck: front axle 1.0 m ahead of the load area, wheelbase 4.0 m, 4 t on each axle empty, a load
// area 7 m long and 2.5 m wide.
Daten Lkw()
{
    return {0, {{1.0, 4.0, 7.5}, {4.0, 4.0, 10.0}}, 18.0, 7.0, 2.5f, 25, 25};
}

bool BitGleich(float a, float b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

TEST(SchwerpunktLage, JudgesTheLoadByTheCurveThenByTheLateralLimit)
{
    struct Fall
    {
        const char* name;
        double dMasse, x, y;
        SchwerpunktLage erwartet;
    };
    const Fall faelle[] = {
        {"light load in the middle", 2.0, 3.0, 1.25, SchwerpunktLage::kInnerhalb},
        {"over the curve at the front", 9.0, 0.6, 1.25, SchwerpunktLage::kAusserhalb},
        {"over the curve by its mass", 30.0, 3.0, 1.25, SchwerpunktLage::kAusserhalb},
        {"light load at the side", 2.0, 3.0, 0.5, SchwerpunktLage::kQuerAusserhalb},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        auto v = Erzeuge(Lkw());
        GibLast(*v, f.dMasse, f.x, f.y);
        Berechne(*v);
        v->CalcNutzbarerBereich();
        EXPECT_EQ(BeurteileSchwerpunkt(*v), f.erwartet);
        // The same as the vehicle's own checks say.
        const bool bKurve = v->CheckLadung() == 1;
        const bool bQuer = v->CheckQuerSchwerpunkt() == 1;
        EXPECT_EQ(f.erwartet == SchwerpunktLage::kAusserhalb, !bKurve);
        if (bKurve) {
            EXPECT_EQ(f.erwartet == SchwerpunktLage::kInnerhalb, bQuer);
        }
    }
}

TEST(SchwerpunktLage, WithoutPlanOrCurveTheCentreLiesOutside)
{
    auto ohnePlan = Erzeuge(Lkw());
    Berechne(*ohnePlan);
    ASSERT_EQ(ohnePlan->GetQor(), nullptr);
    EXPECT_EQ(BeurteileSchwerpunkt(*ohnePlan), SchwerpunktLage::kAusserhalb);

    // Not recalculated: the vehicle has no curve yet.
    auto ohneKurve = Erzeuge(Lkw());
    GibLast(*ohneKurve, 2.0, 3.0, 1.25);
    ASSERT_TRUE(ohneKurve->GetNutzlastKurve().GetPunkte().IsEmpty());
    EXPECT_EQ(BeurteileSchwerpunkt(*ohneKurve), SchwerpunktLage::kAusserhalb);
}

// The lateral limit is worked out as the chart keeps it, to the bit, and asking for it changes nothing.
TEST(SchwerpunktLage, LateralLimitIsTheChartsWithoutChangingIt)
{
    auto v = Erzeuge(Lkw());
    GibLast(*v, 4.0, 3.0, 1.25);
    Berechne(*v);
    // The chart keeps parameters of another width: asking must not bring them up to date.
    v->GetDiagramm().SetParams(2.0f, 4.0f, 1.4f, -1.0f, -1.0f);
    const float fK = v->m_Diagramm.GetK(), fC = v->m_Diagramm.GetC();
    for (const float m : {0.5f, 4.0f, 12.0f}) {
        SCOPED_TRACE(m);
        const float fAbstand = QuerAbstand(*v, m);
        EXPECT_TRUE(BitGleich(v->m_Diagramm.GetK(), fK));
        EXPECT_TRUE(BitGleich(v->m_Diagramm.GetC(), fC));
        CFahrzeugDiagramm& d = v->GetDiagramm();
        d.SetParams(v->GetLFBreite(), static_cast<float>(v->m_nSeitenProzent), 1.4f, -1.0f, -1.0f);
        EXPECT_TRUE(BitGleich(fAbstand, (d.GetK() - d.GetC() * m) / m));
        d.SetParams(2.0f, 4.0f, 1.4f, -1.0f, -1.0f);
    }
    // A load may lie somewhat off the middle; no mass gives no finite limit.
    EXPECT_GT(QuerAbstand(*v, 4.0f), 0.0f);
    EXPECT_FALSE(std::isfinite(QuerAbstand(*v, 0.0f)));
}
