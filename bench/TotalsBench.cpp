#include "Totals.h"

#include <benchmark/benchmark.h>

static void BM_Placeholder(benchmark::State& state)
{
    Selection selection;
    ReagentTotals totals;
    for (auto _ : state)
        RecalculateTotals(selection, totals);
}
BENCHMARK(BM_Placeholder);
BENCHMARK_MAIN();
