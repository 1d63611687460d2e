// The UDDF export of the longest log the simulator is asked for: 24 hours sampled every second.
#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <streambuf>
#include <unistd.h>

#include "logfile/CDiveLog.h"
#include "sim/CDiveSimulator.h"
#include "uddf/UddfExport.h"

namespace {

// Counts what it is given and keeps none of it, so only the export is measured.
class CCountingBuffer : public std::streambuf {
public:
    std::size_t m_nBytes = 0;

protected:
    std::streamsize xsputn(const char*, std::streamsize n) override {
        m_nBytes += static_cast<std::size_t>(n);
        return n;
    }
    int overflow(int c) override {
        ++m_nBytes;
        return c;
    }
};

const CDiveLog& DayLongLog() {
    static CDiveLog log;
    static bool loaded = [] {
        CSimOptions o;
        o.durationSeconds = 24 * 3600 - 600;
        o.intervalSeconds = 1;
        const auto path = std::filesystem::temp_directory_path() /
                          ("zelvor_bench_uddf_" + std::to_string(::getpid()) + ".ccl");
        std::ofstream(path, std::ios::binary) << SimulateDive(o).ToText();
        const bool ok = log.LoadLogFile(path.string()).loaded;
        std::filesystem::remove(path);
        return ok;
    }();
    (void)loaded;
    return log;
}

void BM_ExportDayLongLog(benchmark::State& state) {
    const CDiveLog& log = DayLongLog();
    const uddf::DiveSource source = [&log](std::size_t, std::string&) { return &log; };
    std::size_t bytes = 0;
    for (auto _ : state) {
        CCountingBuffer sink;
        std::ostream out(&sink);
        std::string error;
        uddf::ExportUddf(out, 1, source, CDateTime(2026, 7, 1, 12, 0, 0), error);
        bytes = sink.m_nBytes;
    }
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_ExportDayLongLog)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
