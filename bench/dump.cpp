// `zelvorlog dump` of a day-long log sampled every second: the JSON writing alone (the log is
// loaded once, outside the timing), written piece by piece to a stream that keeps nothing, as
// the command writes to standard output. The JSON runs to well over 100 MB.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <ostream>
#include <streambuf>
#include <string>

#include "cli/DumpJson.h"
#include "logfile/CDiveLog.h"
#include "sim/CDiveSimulator.h"

namespace {

// Counts what it is given and drops it.
class CCountingBuffer : public std::streambuf {
public:
    size_t bytes = 0;

protected:
    std::streamsize xsputn(const char*, std::streamsize n) override {
        bytes += static_cast<size_t>(n);
        return n;
    }
    int_type overflow(int_type c) override {
        ++bytes;
        return c;
    }
};

struct CLoadedDay {
    std::string path;
    CDiveLog log;
    CLoadResult result;
};

const CLoadedDay& Day(bool frc) {
    static std::unique_ptr<CLoadedDay> days[2];
    std::unique_ptr<CLoadedDay>& day = days[frc ? 1 : 0];
    if (!day) {
        day = std::make_unique<CLoadedDay>();
        CSimOptions options;
        options.frcLayout = frc;
        options.durationSeconds = 24 * 3600;
        options.intervalSeconds = 1;
        day->path = (std::filesystem::temp_directory_path() /
                     ("zelvor-bench-dump-" + std::to_string(::getpid()) +
                      (frc ? "-frc.ccl" : "-short.ccl")))
                        .string();
        std::ofstream(day->path, std::ios::binary) << SimulateDive(options).ToText();
        day->result = day->log.LoadLogFile(day->path);
        std::filesystem::remove(day->path);
    }
    return *day;
}

void BM_DumpDay(benchmark::State& state) {
    const CLoadedDay& day = Day(state.range(0) != 0);
    if (!day.result.loaded)
        state.SkipWithError("load failed");
    size_t bytes = 0;
    for (auto _ : state) {
        CCountingBuffer buffer;
        std::ostream out(&buffer);
        zelvorlog::WriteDumpJson(out, day.path, day.log, day.result);
        bytes = buffer.bytes;
    }
    state.SetBytesProcessed(static_cast<int64_t>(bytes) * state.iterations());
    state.counters["json_MB"] = static_cast<double>(bytes) / 1e6;
}

} // namespace

BENCHMARK(BM_DumpDay)->Arg(0)->Arg(1)->ArgName("frc")->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
