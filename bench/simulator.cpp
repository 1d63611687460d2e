// The dive simulator: a typical dive and the longest log it is asked for (24 hours sampled every
// second), as text and as a binary log.
#include <benchmark/benchmark.h>

#include "sim/CDiveSimulator.h"
#include "sim/SimBinary.h"

namespace {

CSimOptions DayLong() {
    CSimOptions o;
    o.durationSeconds = 24 * 3600 - 600;
    o.intervalSeconds = 1;
    o.surfaceBeforeMinutes = 5;
    o.surfaceAfterMinutes = 5;
    return o;
}

void BM_SimulateTypicalDive(benchmark::State& state) {
    const CSimOptions o;
    for (auto _ : state)
        benchmark::DoNotOptimize(SimulateDive(o).ToText());
}
BENCHMARK(BM_SimulateTypicalDive)->Unit(benchmark::kMillisecond);

void BM_SimulateDayLongText(benchmark::State& state) {
    const CSimOptions o = DayLong();
    for (auto _ : state)
        benchmark::DoNotOptimize(SimulateDive(o).ToText());
}
BENCHMARK(BM_SimulateDayLongText)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SimulateDayLongBinary(benchmark::State& state) {
    const CSimOptions o = DayLong();
    for (auto _ : state) {
        std::string file, error;
        BuildSimBinary(SimulateDive(o), file, error);
        benchmark::DoNotOptimize(file);
    }
}
BENCHMARK(BM_SimulateDayLongBinary)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
