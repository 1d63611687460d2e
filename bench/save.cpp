// File > Save: merging the user records into a long text log and into its binary form.
#include <benchmark/benchmark.h>

#include "logfile/BinaryLogMerge.h"
#include "logfile/CDiveLogGasManagement.h"
#include "logfile/CDiveLogInformation.h"
#include "logfile/TextLogMerge.h"
#include "sim/CDiveSimulator.h"
#include "sim/SimBinary.h"

namespace {

const CSimLog& LongDive() {
    static const CSimLog log = [] {
        CSimOptions o;
        o.durationSeconds = 3 * 3600; // a long dive at a 10 s interval
        return SimulateDive(o);
    }();
    return log;
}

std::vector<std::string> UserLines() {
    CDiveLogInformation info;
    info.m_strNotes = std::string(400, 'n');
    std::vector<std::string> lines = info.EncodeAll();
    for (auto& l : CDiveLogGasManagement().EncodeAll())
        lines.push_back(l);
    return lines;
}

void BM_MergeTextLog(benchmark::State& state) {
    const std::string text = LongDive().ToText();
    const auto lines = UserLines();
    for (auto _ : state)
        benchmark::DoNotOptimize(MergeTextLog(text, lines));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_MergeTextLog);

void BM_MergeBinaryLog(benchmark::State& state) {
    std::string file, error;
    if (!BuildSimBinary(LongDive(), file, error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    const auto lines = UserLines();
    std::string out;
    for (auto _ : state) {
        MergeBinaryLog(file, lines, out, error);
        benchmark::DoNotOptimize(out);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(file.size()));
}
BENCHMARK(BM_MergeBinaryLog);

} // namespace

BENCHMARK_MAIN();
