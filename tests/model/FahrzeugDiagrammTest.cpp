// The lateral payload limit curve and the lateral offset limit of a vehicle's chart.
#include "FahrzeugTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

using namespace fahrzeugtest;

namespace {

// Unladen front and rear group loads 5 and 3 t (axles at -1 and 3, empty 5 and 3 t).
std::unique_ptr<CFahrzeug> Fahrzeug(int nArt)
{
    Daten d{nArt, {{1.0, 5.0, 7.5}, {4.0, 3.0, 11.5}}, 18.0, 7.0, 2.5f, 0, 0};
    if (nArt == FahrzeugArt::kStarrdeichsel || nArt == FahrzeugArt::kAuflieger)
        d.achsen = {{1.0, 5.0, 7.5}, {4.0, 3.0, 11.5}};
    auto v = Erzeuge(d);
    if (nArt == FahrzeugArt::kStarrdeichsel || nArt == FahrzeugArt::kAuflieger)
        v->m_nAchsanzahl = 1;
    Berechne(*v);
    return v;
}

} // namespace

TEST(FahrzeugDiagramm, ParametersByKind)
{
    struct Fall
    {
        int nArt;
        float fLast, fSpur;
    };
    // p = 4: q = 0.52; K = (q - 0.5) w L = 0.02 w L; c = -0.02 w.
    const Fall faelle[] = {{0, 3.0f, 2.0f}, {1, 3.0f, 2.2f}, {2, 3.0f, 2.2f}, {3, 3.0f, 2.2f}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.nArt);
        auto v = Fahrzeug(f.nArt);
        CFahrzeugDiagramm& d = v->m_Diagramm;
        d.SetParams(2.5f, 4.0f, 1.4f, -1.0f, -1.0f);
        EXPECT_FLOAT_EQ(d.GetLast(), f.fLast);
        EXPECT_FLOAT_EQ(d.GetSpur(), f.fSpur);
        EXPECT_NEAR(d.GetK(), 0.02f * f.fSpur * f.fLast, 1e-6);
        EXPECT_NEAR(d.GetC(), -0.02f * f.fSpur, 1e-6);
    }
    // Kinds 2 and 3 take the rear group alone, 0 and 1 the smaller: with the larger load behind, the
    // difference shows.
    auto v = Fahrzeug(2);
    v->m_Achsen[0].dLeerlast = 1.0;
    Berechne(*v);
    v->m_Diagramm.SetParams(2.5f, 4.0f, 1.4f, -1.0f, -1.0f);
    EXPECT_FLOAT_EQ(v->m_Diagramm.GetLast(), 3.0f);
    auto w = Fahrzeug(1);
    w->m_Achsen[0].dLeerlast = 1.0;
    Berechne(*w);
    w->m_Diagramm.SetParams(2.5f, 4.0f, 1.4f, -1.0f, -1.0f);
    EXPECT_FLOAT_EQ(w->m_Diagramm.GetLast(), 1.0f);
}

TEST(FahrzeugDiagramm, LimitIsUnboundedInsideTheOffsetLimit)
{
    auto v = Fahrzeug(0);
    CFahrzeugDiagramm& d = v->m_Diagramm;
    d.SetParams(2.5f, 4.0f, 1.4f, -1.0f, -1.0f); // w = 2.0, d = 0.04 m
    EXPECT_EQ(d.LimitAt(0.0f), std::numeric_limits<float>::max());
    EXPECT_EQ(d.LimitAt(0.039f), std::numeric_limits<float>::max());
    // Beyond d: m(y) = d L / (y - d) = 0.04 * 3 / (0.1 - 0.04) = 2.
    EXPECT_NEAR(d.LimitAt(0.1f), 2.0f, 1e-4);
    // The check of the vehicle: permitted offset K / m - c.
    EXPECT_NEAR(d.GetK() / 2.0f - d.GetC(), 0.1f, 1e-6);
}

TEST(FahrzeugDiagramm, SampledCurveStaysWithinElevenPointsAndRises)
{
    auto v = Fahrzeug(0);
    for (double dMax : {0.01, 5.0, 50.0, 5000.0}) {
        SCOPED_TRACE(dMax);
        v->GetNutzlastKurve().SetMaxNutzlast(dMax);
        const int n = v->m_Diagramm.BuildCurve(0.0f);
        const auto& p = v->m_Diagramm.GetPunkte();
        EXPECT_EQ(n, static_cast<int>(p.size()));
        EXPECT_LE(n, 11);
        if (dMax < v->m_Diagramm.LimitAt(1.25f)) {
            EXPECT_EQ(n, 0);
        } else {
            EXPECT_GT(n, 0);
        }
        for (size_t i = 1; i < p.size(); ++i) {
            EXPECT_LT(p[i].x, p[i - 1].x);
            EXPECT_GT(p[i].y, p[i - 1].y);
        }
        for (const auto& q : p)
            EXPECT_LT(q.y, dMax);
    }
    // p = 0 gives K = 0 and nothing to draw.
    v->m_nSeitenProzent = 0;
    v->GetNutzlastKurve().SetMaxNutzlast(50.0);
    EXPECT_EQ(v->m_Diagramm.BuildCurve(0.0f), 0);
}

TEST(FahrzeugDiagramm, LateralLimitAlongTheLength)
{
    auto v = Fahrzeug(0);
    CFahrzeugDiagramm& d = v->m_Diagramm;
    // M = 6, W = 2.5, p = 4, L1 = 5, L2 = 3, Lw = 4: d = 0.05; front = d (1 + L1 Lw / (M (Lw - x))).
    d.SetLengthParams(0.0f, 6.0f, 2.5f, 4.0f, -1.0f, -1.0f, -1.0f);
    EXPECT_NEAR(d.LateralLimitAt(0.0f), 0.05f * (1.0f + 5.0f / 6.0f), 1e-5);
    EXPECT_NEAR(d.LateralLimitAt(4.0f), 0.05f * (1.0f + 3.0f / 6.0f), 1e-5);
    // Equal at x* = L2 Lw / (L1 + L2) = 1.5.
    const float fVorn = 0.05f * (1.0f + 5.0f * 4.0f / (6.0f * 2.5f));
    EXPECT_NEAR(d.LateralLimitAt(1.5f), fVorn, 1e-5);

    // Sampling needs a plan with a load.
    v->GetNutzlastKurve().SetNutzbarVon(0.0);
    v->GetNutzlastKurve().SetNutzbarBis(7.0);
    d.SampleCurve();
    EXPECT_EQ(d.GetLaengenAnzahl(), 0);
    GibLast(*v, 0.0, 2.0, 1.25);
    d.SampleCurve();
    EXPECT_EQ(d.GetLaengenAnzahl(), 0);
    GibLast(*v, 6.0, 2.0, 1.25);
    Berechne(*v);
    // The recalculation worked out the usable range; sample over the whole load area instead.
    v->GetNutzlastKurve().SetNutzbarVon(0.0);
    v->GetNutzlastKurve().SetNutzbarBis(7.0);
    v->GetNutzlastKurve().SetBereichStatus(0);
    d.SampleCurve();
    // lo = 1, hi = 8 (from the front axle): 18 steps of 0.4 up to 7.8, the crossing and the end point.
    ASSERT_EQ(d.GetLaengenAnzahl(), 20);
    EXPECT_FLOAT_EQ(d.GetLaengenPunkt(0).y, 0.0f);
    EXPECT_NEAR(d.GetLaengenPunkt(1).y, 0.4f, 1e-5);
    EXPECT_NEAR(d.GetLaengenPunkt(2).y, 1.5f - 1.0f, 1e-5); // the crossing, before 1.8
    EXPECT_NEAR(d.GetLaengenPunkt(19).y, 7.0f, 1e-5);
    v->GetNutzlastKurve().SetBereichStatus(1);
    d.SampleCurve();
    EXPECT_EQ(d.GetLaengenAnzahl(), 0);
}

TEST(FahrzeugDiagramm, LateralSamplesReachTheEndOfLoadAreasUpToTwentyMetres)
{
    // The template view lets a load area grow to 20 m; its samples must reach the end of the range
    // without running past the buffer.
    for (double dLaenge : {7.0, 15.0, 20.0}) {
        SCOPED_TRACE(dLaenge);
        auto v = Fahrzeug(0);
        v->m_dLFLaenge = dLaenge;
        GibLast(*v, dLaenge - 1.0, 2.0, 1.25);
        Berechne(*v);
        v->GetNutzlastKurve().SetNutzbarVon(0.0);
        v->GetNutzlastKurve().SetNutzbarBis(dLaenge);
        v->GetNutzlastKurve().SetBereichStatus(0);
        CFahrzeugDiagramm& d = v->m_Diagramm;
        d.SampleCurve();
        ASSERT_GT(d.GetLaengenAnzahl(), 2);
        EXPECT_LE(d.GetLaengenAnzahl(), CFahrzeugDiagramm::LAENGEN_KAPAZITAET);
        EXPECT_NEAR(d.GetLaengenPunkt(d.GetLaengenAnzahl() - 1).y, dLaenge, 1e-4);
        for (int i = 1; i < d.GetLaengenAnzahl(); ++i)
            EXPECT_GE(d.GetLaengenPunkt(i).y, d.GetLaengenPunkt(i - 1).y - 1e-5) << i;
    }
}

TEST(FahrzeugDiagramm, RebuiltCurveFollowsEveryChangeOfItsInputs)
{
    // The chart keeps its points while nothing they depend on changed; after each change here they must
    // be those of a vehicle that never drew a curve.
    const std::function<void(CFahrzeug&)> aenderungen[] = {
        [](CFahrzeug&) {},
        [](CFahrzeug& f) { f.GetNutzlastKurve().SetMaxNutzlast(9.0); },
        [](CFahrzeug& f) { f.m_nSeitenProzent = 6; },
        [](CFahrzeug& f) { f.m_fLFBreite = 2.3f; },
        [](CFahrzeug& f) {
            f.m_Achsen[1].dLeerlast = 4.0;
            Berechne(f);
        },
        [](CFahrzeug& f) { f.m_Diagramm.SampleLimitPoints(1.1f, 3.0f); },
        [](CFahrzeug& f) { f.m_Diagramm.CreateBuffers(); },
    };
    auto v = Fahrzeug(0);
    v->GetNutzlastKurve().SetMaxNutzlast(12.0);
    v->m_Diagramm.BuildCurve(0.0f);
    int i = 0;
    for (const auto& aendere : aenderungen) {
        SCOPED_TRACE(i++);
        aendere(*v);
        const int n = v->m_Diagramm.BuildCurve(0.0f);
        EXPECT_EQ(v->m_Diagramm.m_bNeuZeichnen, 1);
        auto frisch = Fahrzeug(0);
        frisch->m_Achsen[1].dLeerlast = v->m_Achsen[1].dLeerlast;
        Berechne(*frisch);
        frisch->GetNutzlastKurve().SetMaxNutzlast(v->GetNutzlastKurve().GetMaxNutzlast());
        frisch->m_nSeitenProzent = v->m_nSeitenProzent;
        frisch->m_fLFBreite = v->m_fLFBreite;
        EXPECT_EQ(frisch->m_Diagramm.BuildCurve(0.0f), n);
        const auto &a = v->m_Diagramm.GetPunkte(), &b = frisch->m_Diagramm.GetPunkte();
        ASSERT_EQ(a.size(), b.size());
        for (std::size_t k = 0; k < a.size(); ++k) {
            EXPECT_EQ(a[k].x, b[k].x);
            EXPECT_EQ(a[k].y, b[k].y);
        }
    }
}
