// Cost of a full recalculation with the payload curve: a rigid truck, and a tractor with its semi-trailer
// in the document's order (the tractor's geometry, the semi-trailer, the tractor); and of the same
// combination's recalculation after a load of its plan moved.
#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "model/vehicle/CAuflieger.h"
#include "model/vehicle/CSattelzugmaschine.h"
#include "model/vehicle/CZugmaschine.h"

#include <benchmark/benchmark.h>

namespace {

void Achsen(CFahrzeug& f, int nArt, std::initializer_list<SAchse> achsen, double dZulGesamt, double dLF)
{
    f.m_nArt = nArt;
    int i = 0;
    for (const SAchse& a : achsen)
        f.m_Achsen[i++] = a;
    f.m_nAchsanzahl = i - ((nArt == FahrzeugArt::kStarrdeichsel || nArt == FahrzeugArt::kAuflieger) ? 1 : 0);
    f.m_dZulGesamtgewicht = dZulGesamt;
    f.m_dLFLaenge = dLF;
    f.m_fLFBreite = 2.48f;
}

// The sample tractor and semi-trailer, coupled.
void Sattelzug(CSattelzugmaschine& sz, CAuflieger& auf)
{
    Achsen(sz, 4, {{0.8, 4.5, 7.5}, {3.6, 3.0, 11.5}}, 18.0, 0.0);
    sz.m_nMinAnteilVorn = 20;
    sz.m_nMinAnteilHinten = 25;
    sz.m_dSattelVersatz = 0.5;
    sz.m_dKupplungslast1 = 12.0;
    Achsen(auf, 3, {{1.2, 3.0, 12.0}, {6.0, 1.5, 9.0}, {1.31, 1.5, 9.0}, {1.31, 1.5, 9.0}}, 36.0, 13.6);
    CFahrzeug::Koppeln(sz, auf);
}

} // namespace

static void BM_RecalcLkw(benchmark::State& state)
{
    CZugmaschine lkw;
    Achsen(lkw, 0, {{1.2, 5.0, 8.0}, {4.5, 2.5, 9.5}, {1.35, 2.5, 9.5}}, 26.0, 7.3);
    lkw.m_nMinAnteilVorn = 25;
    lkw.m_nMinAnteilHinten = 25;
    for (auto _ : state) {
        lkw.Recalc();
        benchmark::DoNotOptimize(lkw.GetNutzlastKurve().GetMaxNutzlast());
    }
    if (!lkw.GetNutzlastKurve().IsGueltig() || lkw.GetNutzlastKurve().GetPunkte().GetCount() < 70)
        state.SkipWithError("the truck has no full curve");
}
BENCHMARK(BM_RecalcLkw)->Unit(benchmark::kMicrosecond);

static void BM_RecalcSattelzug(benchmark::State& state)
{
    CSattelzugmaschine sz;
    CAuflieger auf;
    Sattelzug(sz, auf);
    for (auto _ : state) {
        auf.RecalcMitPartner();
        benchmark::DoNotOptimize(auf.GetNutzlastKurve().GetMaxNutzlast());
    }
    if (!auf.GetNutzlastKurve().IsGueltig() || auf.GetNutzlastKurve().GetPunkte().GetCount() < 130)
        state.SkipWithError("the semi-trailer has no full curve");
}
BENCHMARK(BM_RecalcSattelzug)->Unit(benchmark::kMicrosecond);

// One mouse move of a drag on the plan: a load of 20 t on the semi-trailer moves 0.5 m and the combination
// is recalculated for the moved load.
static void BM_RecalcSattelzugLoadMoved(benchmark::State& state)
{
    CSattelzugmaschine sz;
    CAuflieger auf;
    Sattelzug(sz, auf);
    auto* q = new CQOR(&auf, 0, "Plan");
    auf.m_pQor = q;
    auto* last = new tagLGINFO;
    last->m_strName = "Last";
    last->m_dLaenge = 2.0;
    last->m_dBreite = 2.0;
    last->m_dSPLaenge = 1.0;
    last->m_dSPBreite = 1.0;
    last->m_dSPMasse = 20.0;
    last->m_dMasse = 20.0;
    last->m_dPosY = 0.24;
    q->AddLgInfo(std::unique_ptr<tagLGINFO>(last), false);
    auf.RecalcMitPartner();
    const double x[2] = {5.5, 6.0};
    int i = 0;
    for (auto _ : state) {
        last->m_dPosX = x[i ^= 1];
        q->UpdateSchwerpunkt();
        auf.RecalcLadungMitPartner();
        benchmark::DoNotOptimize(auf.GetNutzlastKurve().GetNutzbarVon());
    }
    if (!auf.GetNutzlastKurve().IsGueltig() || !(auf.GetNutzlastKurve().GetBereichStatus() & 2))
        state.SkipWithError("the semi-trailer's load has no usable range");
}
BENCHMARK(BM_RecalcSattelzugLoadMoved)->Unit(benchmark::kMicrosecond);
