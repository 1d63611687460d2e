// Loading speed and memory of the text log loader on a 24-hour log sampled every second, in
// both record layouts. "ReadAndSplit" is the floor any loader pays (read the file, find the
// lines); "LoadLogFile" is the whole load. Peak memory during a load is compared with what the
// result needs anyway: the file and the samples. The heap count of "LoadLogFile" sees only
// blocks from the C heap, and large columns are mapped outside it: "SimulatedDayMemory" counts
// resident memory as the system does, and is the measure to go by.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>
#include <new>
#include <string>

#include "logfile/CDiveLog.h"
#include "logfile/CDiveLogSample.h"
#include "logfile/CDiveLogSolenoidSample.h"
#include "logfile/CLineSource.h"
#include "logfile/FieldParsers.h"
#include "logfile/FileIO.h"
#include "sim/CDiveSimulator.h"
#include "sim/SimBinary.h"

// ---- Heap accounting ----------------------------------------------------------------------------

namespace {
std::atomic<long long> g_heapNow{0};
std::atomic<long long> g_heapPeak{0};
// Counting costs time of its own: it is on only for the one load that measures memory.
std::atomic<bool> g_counting{false};

[[maybe_unused]] void Account(void* p, bool add) {
    if (!p || !g_counting.load(std::memory_order_relaxed))
        return;
    const long long n = static_cast<long long>(malloc_usable_size(p));
    const long long now = add ? (g_heapNow += n) : (g_heapNow -= n);
    long long peak = g_heapPeak.load();
    while (now > peak && !g_heapPeak.compare_exchange_weak(peak, now)) {
    }
}
} // namespace

// Every block of the C heap, which operator new uses as well: the sample columns grow by
// realloc, which an operator new count would not see. A sanitizer keeps the heap to itself, so
// a sanitized build reports no heap figures.
#if !defined(__SANITIZE_ADDRESS__)
extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* p, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
void __libc_free(void* p);

void* malloc(size_t size) {
    void* p = __libc_malloc(size);
    Account(p, true);
    return p;
}
void* calloc(size_t count, size_t size) {
    void* p = __libc_calloc(count, size);
    Account(p, true);
    return p;
}
void* realloc(void* p, size_t size) {
    Account(p, false);
    void* moved = __libc_realloc(p, size);
    // A failed realloc leaves the block where it was; one to size 0 frees it.
    Account(moved ? moved : size != 0 ? p : nullptr, true);
    return moved;
}
void* aligned_alloc(size_t alignment, size_t size) {
    void* p = __libc_memalign(alignment, size);
    Account(p, true);
    return p;
}
int posix_memalign(void** out, size_t alignment, size_t size) {
    void* p = __libc_memalign(alignment, size);
    if (!p)
        return ENOMEM;
    Account(p, true);
    *out = p;
    return 0;
}
void free(void* p) {
    Account(p, false);
    __libc_free(p);
}
}
#endif

// ---- A 24-hour log ------------------------------------------------------------------------------

namespace {

constexpr int kSeconds = 24 * 3600;

CDateTime Start(int plusSeconds) {
    return CDateTime(2020, 6, 1, 6, 0, 0).AddSeconds(plusSeconds);
}

unsigned DepthPressure(int t) {
    // Two hours under water in the middle of the day, 40 m at most.
    const int diveStart = 10 * 3600, diveEnd = 12 * 3600;
    if (t < diveStart || t > diveEnd)
        return 1013;
    const int into = std::min(t - diveStart, diveEnd - t);
    return 1013 + static_cast<unsigned>(std::min(into, 4000));
}

class Writer {
public:
    explicit Writer(bool frc) : m_frc(frc) {}
    CRecordLineWriter Rec(unsigned type, int t) {
        CRecordLineWriter w(type);
        if (m_frc)
            w.Frc(t + 0.25);
        return w;
    }
    void Put(CRecordLineWriter w) {
        m_out += w.PadTo(m_frc ? 32 : 16).Finish();
        m_out += "\r\n";
        ++m_records;
    }
    // Short-layout power-on records belong on every fourth line.
    void Align() {
        while (!m_frc && m_records % 4 != 0)
            Put(CRecordLineWriter(0x50));
    }
    std::string& Out() { return m_out; }

private:
    bool m_frc;
    std::string m_out;
    long m_records = 0;
};

std::string Generate(bool frc) {
    Writer w(frc);
    if (frc) {
        CRecordLineWriter header(0xB0);
        header.Byte(0xB0).Byte(1).Byte(0).Byte(0x20).Byte(0).Byte(0);
        CRecordLineWriter data(0xB1);
        data.Byte(1).Byte(6).Byte(20).Byte(0xDC).Byte(0).Byte(0x07).Byte(0x00).Byte(0x20);
        w.Out() += header.Finish() + "\r\n" + data.Finish() + "\r\n";
    }
    w.Out() += "Porthole Link Version 3.2.1\r\nDate 01/06/2020\r\n";
    w.Align();
    w.Put(w.Rec(0x00, 0).DateTime(Start(0)).PadTo(frc ? 16 : 11).Word(7));
    w.Put(w.Rec(0x01, 0).PadTo(frc ? 13 : 10).Word(1013));
    if (!frc)
        w.Put(w.Rec(0x1B, 0).DateTime(Start(0)).PadTo(15).Byte(1));
    for (int t = 1; t < kSeconds; ++t) {
        if (t == 10 * 3600)
            w.Put(frc ? w.Rec(0x03, t).Word(1).Byte(0).DateTime(Start(t))
                      : w.Rec(0x03, t).DateTime(Start(t)).DateTime(Start(0)).Word(1));
        if (t == 12 * 3600)
            w.Put(frc ? w.Rec(0x08, t).Word(1).Byte(0).DateTime(Start(t)).Word(7200).Word(4000)
                      : w.Rec(0x08, t).DateTime(Start(t)).Word(7200).Word(4000));
        CRecordLineWriter depth = w.Rec(0x06, t);
        depth.Word(DepthPressure(t));
        if (frc)
            depth.Word(215);
        for (int k = 0; k < 3; ++k)
            depth.Byte(100 + (t + k) % 7);
        depth.Byte(101).Byte(240).Byte(238).Byte(0);
        for (int k = 0; k < 3; ++k)
            depth.Byte(99 + (t + k) % 5);
        w.Put(depth);
        if (!frc)
            w.Put(w.Rec(0x07, t).Byte(21).Byte(35).Byte(0).Byte(130).Byte(t % 20 == 0 ? 4 : 0));
        if (t % 10 == 0) {
            w.Put(w.Rec(frc ? 0x14 : 0x04, t).Byte(80 + t % 9).Byte(81));
            w.Put(w.Rec(0x0C, t)
                      .Word(0)
                      .Word(1013 + t % 300)
                      .Word(0)
                      .Word(1013)
                      .Word(0)
                      .FloatBE(0.4f)
                      .Byte(1));
        }
        if (t % 60 == 0) {
            w.Put(w.Rec(0x0D, t).Byte(0).Byte(1).Byte(2));
            w.Put(w.Rec(0x09, t).Byte(21).Byte(35).Byte(50).Byte(0));
            w.Put(w.Rec(0x0A, t).Word(200 - t / 1000).Word(190));
        }
        if (t % 100 == 0) {
            if (frc) {
                w.Put(w.Rec(0x32, t).Byte(0x11).Byte(0x22));
            } else {
                w.Put(w.Rec(0x32, t).Word(t & 0xFFFF).Byte(0x11));
                w.Put(w.Rec(0x33, t).Word(t & 0xFFFF).Byte(0x22));
            }
        }
    }
    w.Put(w.Rec(0x7F, kSeconds).DateTime(Start(kSeconds)));
    return w.Out();
}

const std::string& LogPath(bool frc) {
    static std::string paths[2];
    std::string& path = paths[frc ? 1 : 0];
    if (path.empty()) {
        path = (std::filesystem::temp_directory_path() /
                ("zelvor-bench-" + std::to_string(::getpid()) + (frc ? "-frc.ccl" : "-short.ccl")))
                   .string();
        std::ofstream(path, std::ios::binary) << Generate(frc);
    }
    return path;
}

// ---- Benchmarks ---------------------------------------------------------------------------------

void BM_ReadAndSplit(benchmark::State& state) {
    const std::string& path = LogPath(state.range(0) != 0);
    size_t bytes = 0;
    for (auto _ : state) {
        std::string content;
        fileio::ReadFile(path, content);
        bytes = content.size();
        CMemLineFile file(std::move(content));
        std::string_view line;
        size_t lines = 0;
        while (file.ReadLine(line) && !line.empty())
            ++lines;
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(static_cast<int64_t>(bytes) * state.iterations());
}

void BM_LoadLogFile(benchmark::State& state) {
    const std::string& path = LogPath(state.range(0) != 0);
    const auto fileBytes = static_cast<double>(std::filesystem::file_size(path));
    double peak = 0, kept = 0, samples = 0, solenoidBytes = 0, storeBytes = 0;
    {
        // One counted load, outside the timing. Blocks freed later were never counted, so
        // the count starts at zero for this model alone.
        g_heapNow = 0;
        g_heapPeak = 0;
        g_counting = true;
        auto log = std::make_unique<CDiveLog>();
        if (!log->LoadLogFile(path).loaded)
            state.SkipWithError("load failed");
        g_counting = false;
        peak = static_cast<double>(g_heapPeak.load());
        kept = static_cast<double>(g_heapNow.load());
        samples = static_cast<double>(log->m_arSamples.size());
        storeBytes = static_cast<double>(log->m_arSamples.Bytes());
        solenoidBytes =
            static_cast<double>(log->m_arSolenoidC1.Bytes() + log->m_arSolenoidC2.Bytes());
    }
    for (auto _ : state) {
        auto log = std::make_unique<CDiveLog>();
        benchmark::DoNotOptimize(log->LoadLogFile(path));
        // Freeing the model belongs to the next unload, not to this load.
        state.PauseTiming();
        log.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(fileBytes) * state.iterations());
    state.counters["samples"] = samples;
    state.counters["file_MB"] = fileBytes / 1e6;
    // What the result itself occupies, as the sample store counts it.
    const double sampleBytes = storeBytes;
    state.counters["samples_MB"] = sampleBytes / 1e6;
    state.counters["bytes_per_sample"] = samples > 0 ? storeBytes / samples : 0.0;
    state.counters["solenoid_MB"] = solenoidBytes / 1e6;
    state.counters["heap_peak_MB"] = peak / 1e6;
    state.counters["heap_kept_MB"] = kept / 1e6;
    state.counters["peak_over_samples_plus_file"] =
        peak / (sampleBytes + solenoidBytes + fileBytes);
}

// A simulated day at one sample a second, as `zelvorlog simulate --duration 1440 --interval 1`
// writes it (with `--binary` when `binary`): realistic density of every record type.
const std::string& SimulatedPath(bool frc, bool binary = false) {
    static std::string paths[4];
    std::string& path = paths[(frc ? 1 : 0) + (binary ? 2 : 0)];
    if (path.empty()) {
        CSimOptions options;
        options.frcLayout = frc;
        if (!frc) {
            options.versionMajor = 5;
            options.versionMinor = 2;
            options.versionBuild = 46;
        }
        options.durationSeconds = 24 * 3600;
        options.intervalSeconds = 1;
        path = (std::filesystem::temp_directory_path() /
                ("zelvor-bench-" + std::to_string(::getpid()) + (frc ? "-sim-frc" : "-sim-short") +
                 (binary ? ".bin" : ".ccl")))
                   .string();
        const CSimLog log = SimulateDive(options);
        std::string bytes, error;
        if (!binary)
            bytes = log.ToText();
        else if (!BuildSimBinary(log, bytes, error))
            std::fprintf(stderr, "simulated binary log: %s\n", error.c_str());
        std::ofstream(path, std::ios::binary) << bytes;
    }
    return path;
}

double ThreadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// The same two measures on the simulated day in CPU time (the machine may be busy),
// read-and-split first so both see a warm cache.
void BM_SimulatedDay(benchmark::State& state) {
    const std::string& path = SimulatedPath(state.range(0) != 0);
    double split = 0.0, load = 0.0, storeBytes = 0.0, samples = 0.0;
    for (auto _ : state) {
        const double t0 = ThreadCpuSeconds();
        {
            std::string content;
            fileio::ReadFile(path, content);
            CMemLineFile file(std::move(content));
            std::string_view line;
            size_t lines = 0;
            while (file.ReadLine(line) && !line.empty())
                ++lines;
            benchmark::DoNotOptimize(lines);
        }
        const double t1 = ThreadCpuSeconds();
        auto log = std::make_unique<CDiveLog>();
        if (!log->LoadLogFile(path).loaded)
            state.SkipWithError("load failed");
        const double t2 = ThreadCpuSeconds();
        split += t1 - t0;
        load += t2 - t1;
        storeBytes = static_cast<double>(log->m_arSamples.Bytes());
        samples = static_cast<double>(log->m_arSamples.size());
        state.PauseTiming();
        log.reset();
        state.ResumeTiming();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["split_ms"] = 1e3 * split / n;
    state.counters["load_ms"] = 1e3 * load / n;
    state.counters["ratio"] = split > 0.0 ? load / split : 0.0;
    state.counters["bytes_per_sample"] = samples > 0.0 ? storeBytes / samples : 0.0;
}

// Resident memory of this process in kB, as /proc/self/status gives field `name` ("VmRSS:",
// "VmHWM:"); -1 where the system does not say.
long long StatusKb(const std::string& name) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.compare(0, name.size(), name) == 0)
            return std::atoll(line.c_str() + name.size());
    }
    return -1;
}

// Peak memory a load adds, counted as the system counts it: the heap, and the mapped room the
// file is read into and a binary log is turned into text in, which a heap count does not see.
// One load first, so that the code and the tables it touches are resident before the count.
void BM_SimulatedDayMemory(benchmark::State& state) {
    const bool frc = state.range(0) != 0, binary = state.range(1) != 0;
    const std::string& path = SimulatedPath(frc, binary);
    const auto fileBytes = static_cast<double>(std::filesystem::file_size(path));
    double extra = 0.0, storeBytes = 0.0, solenoidBytes = 0.0;
    for (auto _ : state) {
        std::make_unique<CDiveLog>()->LoadLogFile(path);
        malloc_trim(0);
        const long long before = StatusKb("VmRSS:");
        // Writing 5 here starts the peak afresh from what is resident now.
        const bool reset = static_cast<bool>(std::ofstream("/proc/self/clear_refs") << "5");
        auto log = std::make_unique<CDiveLog>();
        if (!log->LoadLogFile(path).loaded)
            state.SkipWithError("load failed");
        const long long peak = StatusKb("VmHWM:");
        if (!reset || before < 0 || peak < 0)
            state.SkipWithError("the system does not report resident memory");
        extra = 1024.0 * static_cast<double>(peak - before);
        storeBytes = static_cast<double>(log->m_arSamples.Bytes());
        solenoidBytes =
            static_cast<double>(log->m_arSolenoidC1.Bytes() + log->m_arSolenoidC2.Bytes());
    }
    const double samples = storeBytes + solenoidBytes;
    state.counters["file_MB"] = fileBytes / 1e6;
    state.counters["samples_MB"] = samples / 1e6;
    state.counters["peak_extra_MB"] = extra / 1e6;
    state.counters["allowed_MB"] = (fileBytes + 1.5 * samples) / 1e6;
    state.counters["peak_over_allowed"] = extra / (fileBytes + 1.5 * samples);
}

} // namespace

BENCHMARK(BM_SimulatedDay)->Arg(0)->Arg(1)->ArgName("frc")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadAndSplit)->Arg(0)->Arg(1)->ArgName("frc")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadLogFile)->Arg(0)->Arg(1)->ArgName("frc")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SimulatedDayMemory)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->ArgNames({"frc", "binary"})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
