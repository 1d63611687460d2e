// Reading and writing binary logs: a long dive's worth of log memory (short and FRC layout).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "logfile/CLineSource.h"
#include "logfile/FieldParsers.h"
#include "logfile/binary/BinaryLineSource.h"
#include "logfile/binary/BinaryLog.h"
#include "logfile/binary/CBinaryLogWriter.h"
#include "sim/CDiveSimulator.h"

namespace {

std::vector<std::string> LogLines(size_t count, size_t bytes) {
    std::vector<std::string> lines = {"Porthole Link Version 2.4.0.11", "Date 05 March 2024",
                                      "Time 14:07:09"};
    for (size_t i = 0; i < count; ++i) {
        CRecordLineWriter w(i % 4 == 0 ? 0x00 : 0x06);
        for (size_t b = 1; b < bytes; ++b)
            w.Byte(static_cast<unsigned>(i * 31 + b * 7));
        lines.push_back(w.Finish());
    }
    return lines;
}

std::string File(size_t count, size_t bytes) {
    CBinaryLogWriter::Options options;
    options.key = CBinaryLogKey::TestKey();
    std::string file;
    CBinaryLogWriter(options).Build(LogLines(count, bytes), file);
    return file;
}

// The timed part both conversion benchmarks share: the file's bytes to text lines.
void TimeConversion(benchmark::State& state, const std::string& file) {
    const CBinaryLogKey key = CBinaryLogKey::TestKey();
    for (auto _ : state) {
        CMemLineFile out;
        bool frc = false;
        std::string error;
        benchmark::DoNotOptimize(ConvertBinaryBytesToLines(file, out, frc, error, &key));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.size()));
}

void BM_ConvertBinaryToLines(benchmark::State& state) {
    const size_t bytes = static_cast<size_t>(state.range(1));
    const std::string file = File(static_cast<size_t>(state.range(0)), bytes);
    TimeConversion(state, file);
}
BENCHMARK(BM_ConvertBinaryToLines)->Args({100000, 16})->Args({100000, 32});

// A day of simulated logging at one-second intervals, as the unit would write it. Empty with
// the benchmark skipped when it does not convert.
std::string SimulatedDay(benchmark::State& state, bool frc) {
    CSimOptions sim;
    sim.frcLayout = frc;
    sim.durationSeconds = 24 * 60 * 60;
    sim.intervalSeconds = 1;
    if (!sim.frcLayout) {
        sim.versionMajor = 5;
        sim.versionMinor = 2;
        sim.versionBuild = 46;
    }
    const CSimLog log = SimulateDive(sim);
    CBinaryLogWriter::Options options;
    options.key = CBinaryLogKey::TestKey();
    options.displayVersion = {0, uint8_t(log.versionMajor), uint8_t(log.versionMinor),
                              uint8_t(log.versionBuild)};
    std::string file;
    if (!CBinaryLogWriter(options).Build(CBinaryLogWriter::SplitLines(log.ToText()), file)) {
        state.SkipWithError("the simulated log did not convert to a binary file");
        file.clear();
    }
    return file;
}

// The whole text of a simulated day, as `zelvorlog convert` and the exports make it. Argument:
// 1 for the FRC layout.
void BM_ConvertSimulatedDay(benchmark::State& state) {
    const std::string file = SimulatedDay(state, state.range(0) != 0);
    if (!file.empty())
        TimeConversion(state, file);
}
BENCHMARK(BM_ConvertSimulatedDay)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// Every line of a simulated day as the loader reads them: made a piece at a time.
void BM_ReadSimulatedDayLines(benchmark::State& state) {
    const std::string file = SimulatedDay(state, state.range(0) != 0);
    if (file.empty())
        return;
    const CBinaryLogKey key = CBinaryLogKey::TestKey();
    for (auto _ : state) {
        CBinaryLineSource source;
        bool frc = false;
        std::string error;
        size_t lines = 0;
        if (OpenBinaryBytesAsLines(file, source, frc, error, &key))
            for (std::string_view line; source.ReadLine(line);)
                ++lines;
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.size()));
}
BENCHMARK(BM_ReadSimulatedDayLines)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_WriteBinaryFromLines(benchmark::State& state) {
    const auto lines = LogLines(static_cast<size_t>(state.range(0)), 16);
    CBinaryLogWriter::Options options;
    options.key = CBinaryLogKey::TestKey();
    for (auto _ : state) {
        std::string file;
        benchmark::DoNotOptimize(CBinaryLogWriter(options).Build(lines, file));
    }
}
BENCHMARK(BM_WriteBinaryFromLines)->Arg(100000);

} // namespace

BENCHMARK_MAIN();
