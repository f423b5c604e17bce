// Cost of finding the free slot for a form-fit item on a plan of 200 loads (run on every mouse move of
// a drag), and of the form-fit blocking search of a load unit.
#include "model/plan/CQOR.h"
#include "model/plan/sFSParam.h"
#include "model/plan/tagLGINFO.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CLadeflaechenPlatzierung.h"

#include <benchmark/benchmark.h>

namespace {

// A 13.6 m x 2.4 m area with 20 x 10 loads of 0.6 m x 0.24 m standing edge to edge from x = 1.0 on, and
// one form-fit item behind them.
void Fuelle(CFahrzeug& f)
{
    f.m_nArt = 3;
    f.m_dLFLaenge = 13.6;
    f.m_fLFBreite = 2.4f;
    f.m_pQor = new CQOR(&f, 0, "Plan");
    for (int i = 0; i < 20; ++i)
        for (int j = 0; j < 10; ++j) {
            auto* p = new tagLGINFO;
            p->m_strName = "Last";
            p->m_nTyp = 0;
            p->m_dPosX = 1.0 + 0.6 * i;
            p->m_dPosY = 0.24 * j;
            p->m_dLaenge = 0.6;
            p->m_dBreite = 0.24;
            p->m_nNummer = i * 10 + j + 1;
            f.m_pQor->m_LgInfos.emplace_back(p);
        }
    auto* fsm = new tagLGINFO;
    fsm->m_strName = "Keil";
    fsm->m_nTyp = 5;
    fsm->m_dPosX = 13.0;
    fsm->m_dLaenge = 0.1;
    fsm->m_dBreite = 2.4;
    fsm->m_nState = 1 << 9; // blocks the backward side
    f.m_pQor->m_LgInfos.emplace_back(fsm);
}

} // namespace

static void BM_FindLgPosition200(benchmark::State& state)
{
    CFahrzeug f;
    Fuelle(f);
    double x, y, l, b;
    for (auto _ : state)
        benchmark::DoNotOptimize(CLadeflaechenPlatzierung(f).FindLgPosition(0.5, 1.2, &x, &y, &l, &b));
}
BENCHMARK(BM_FindLgPosition200);

static void BM_CalcFSParam200(benchmark::State& state)
{
    CFahrzeug f;
    Fuelle(f);
    for (auto _ : state)
        benchmark::DoNotOptimize(CLadeflaechenPlatzierung(f).CalcFSParam(1.0, 0.0, 12.0, 2.4, 0, 0.0205));
}
BENCHMARK(BM_CalcFSParam200);
