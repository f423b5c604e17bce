// Cost of formatting texts with resource placeholders.
#include "model/text/TextFormat.h"
#include "model/text/TextProvider.h"

#include <benchmark/benchmark.h>

static void BM_FormatS(benchmark::State& state)
{
    CTableTextProvider texts({{1, "Permissible axle load"}, {2, "kg"}});
    ScopedTextProvider scope(&texts);
    for (auto _ : state)
        benchmark::DoNotOptimize(FormatS("$S: %.0f $S", 2, 1u, 2u, 11500.0));
}
BENCHMARK(BM_FormatS);
