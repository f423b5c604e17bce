// Cost of a full recalculation with the payload curve: a rigid truck, and a tractor with its semi-trailer
// in the document's order (the tractor's geometry, the semi-trailer, the tractor).
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

} // namespace

static void BM_RecalcLkw(benchmark::State& state)
{
    CZugmaschine lkw;
    Achsen(lkw, 0, {{1.2, 5.0, 8.0}, {4.5, 2.5, 9.5}, {1.35, 2.5, 9.5}}, 26.0, 7.3);
    lkw.m_nMinAnteilVorn = 25;
    lkw.m_nMinAnteilHinten = 25;
    for (auto _ : state) {
        lkw.Recalc();
        benchmark::DoNotOptimize(lkw.m_dMaxNutzlast);
    }
    if (!lkw.m_bKurveGueltig || lkw.m_Kurve.GetCount() < 70)
        state.SkipWithError("the truck has no full curve");
}
BENCHMARK(BM_RecalcLkw)->Unit(benchmark::kMicrosecond);

static void BM_RecalcSattelzug(benchmark::State& state)
{
    CSattelzugmaschine sz;
    Achsen(sz, 4, {{0.8, 4.5, 7.5}, {3.6, 3.0, 11.5}}, 18.0, 0.0);
    sz.m_nMinAnteilVorn = 20;
    sz.m_nMinAnteilHinten = 25;
    sz.m_dSattelVersatz = 0.5;
    sz.m_dKupplungslast1 = 12.0;
    CAuflieger auf;
    Achsen(auf, 3, {{1.2, 3.0, 12.0}, {6.0, 1.5, 9.0}, {1.31, 1.5, 9.0}, {1.31, 1.5, 9.0}}, 36.0, 13.6);
    sz.m_pPartner = &auf;
    auf.m_pPartner = &sz;
    for (auto _ : state) {
        auf.RecalcMitPartner();
        benchmark::DoNotOptimize(auf.m_dMaxNutzlast);
    }
    if (!auf.m_bKurveGueltig || auf.m_Kurve.GetCount() < 130)
        state.SkipWithError("the semi-trailer has no full curve");
}
BENCHMARK(BM_RecalcSattelzug)->Unit(benchmark::kMicrosecond);
