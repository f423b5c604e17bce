// Cost of one drag step's collision resolution on a plan of 30 placed loads: a free place, a place
// shifted to the nearest free edge pair, and a group of three moved through the others.
#include "model/files/LadungVorlage.h"
#include "model/files/tagItemData.h"
#include "model/plan/CPlanPlatzierung.h"
#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"

#include <benchmark/benchmark.h>

namespace {

// A 13.6 m x 2.45 m semi-trailer area holding 30 boxes of 0.6 m x 0.8 m, three across from the front
// (6 m deep), placed by the automatic placement; the first `nAuswahl` of them are selected for the drag.
struct Plan30
{
    explicit Plan30(int nAuswahl)
    {
        f.m_nArt = FahrzeugArt::kAuflieger;
        f.m_dLFLaenge = 13.6;
        f.m_fLFBreite = 2.45f;
        f.m_pQor = new CQOR(&f, 0, "Plan");
        pl.SetPlan(f.m_pQor);
        tagItemData item;
        item.m_nArt = 0;
        item.m_strName = "Palette";
        item.m_dLaenge = 0.6;
        item.m_dBreite = 0.8;
        pl.AddMultipleLadungen(GetLadungVorlage(item), 30, 0.5, 0);
        int i = 0;
        for (tagLGINFO* p : f.m_pQor->GetLgInfos())
            p->m_bSelected = i++ < nAuswahl ? 1 : 0;
        pl.FillZiehRects();
        pl.FillFestRects();
    }
    CFahrzeug f;
    CPlanPlatzierung pl;
};

} // namespace

// The box at the front corner dragged by (dx, dy) centimetres: behind the others (free), onto the last
// row (shifted behind it) and onto the middle of the packed rows (every candidate tried, blocked).
static void BM_FindFreiePosition30(benchmark::State& state)
{
    Plan30 p(1);
    const int dx = static_cast<int>(state.range(0)), dy = static_cast<int>(state.range(1));
    for (auto _ : state)
        benchmark::DoNotOptimize(p.pl.FindFreiePosition(dx, dy));
    state.SetLabel(p.pl.m_nPlatzStatus == 1 ? "free" : p.pl.m_nPlatzStatus == 2 ? "shifted" : "blocked");
}
BENCHMARK(BM_FindFreiePosition30)->Args({1100, 0})->Args({560, 30})->Args({290, 30});

// Two boxes dragged together onto the last row.
static void BM_FindFreiePosition30Gruppe(benchmark::State& state)
{
    Plan30 p(2);
    for (auto _ : state)
        benchmark::DoNotOptimize(p.pl.FindFreiePosition(560, 30));
    state.SetLabel(p.pl.m_nPlatzStatus == 1 ? "free" : p.pl.m_nPlatzStatus == 2 ? "shifted" : "blocked");
}
BENCHMARK(BM_FindFreiePosition30Gruppe);
