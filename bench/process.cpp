// Whole-process cost of `zelvorlog check FILE` against the floor any reader pays: a process that
// only reads the same file and splits it into lines. The two run alternately, so a busy machine
// slows both alike; the time is the children's CPU time (user + system) from wait4.
//
//   bench_process --zelvorlog PATH FILE...      (FILE: logs made with `zelvorlog simulate`)
//   bench_process --split FILE                  (the floor process itself)
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

std::string g_self;
std::string g_zelvorlog;

int SplitFile(const char* path) {
    std::FILE* file = std::fopen(path, "rb");
    if (!file)
        return 1;
    std::string content;
    if (std::fseek(file, 0, SEEK_END) == 0 && std::ftell(file) > 0) {
        content.resize(static_cast<size_t>(std::ftell(file)));
        std::fseek(file, 0, SEEK_SET);
        content.resize(std::fread(content.data(), 1, content.size(), file));
    }
    std::fclose(file);
    size_t lines = 0;
    for (size_t at = 0; at < content.size();) {
        const void* end = std::memchr(content.data() + at, '\n', content.size() - at);
        at = end ? static_cast<size_t>(static_cast<const char*>(end) - content.data()) + 1
                 : content.size();
        ++lines;
    }
    std::printf("%zu lines\n", lines);
    return 0;
}

// CPU seconds of one child run with its output thrown away; negative when it failed. `peakKb`
// gets the child's peak resident memory.
double RunChild(const std::vector<std::string>& args, long* peakKb = nullptr) {
    std::vector<char*> argv;
    for (const auto& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return -1.0;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1.0;
    if (peakKb)
        *peakKb = usage.ru_maxrss;
    auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void BM_CheckProcess(benchmark::State& state, const std::string& file) {
    double check = 0.0, split = 0.0;
    long checkPeakKb = 0, splitPeakKb = 0;
    for (auto _ : state) {
        const double s = RunChild({g_self, "--split", file}, &splitPeakKb);
        const double c = RunChild({g_zelvorlog, "check", file}, &checkPeakKb);
        if (s < 0.0 || c < 0.0) {
            state.SkipWithError("a child process failed");
            return;
        }
        split += s;
        check += c;
        state.SetIterationTime(c);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["check_cpu_ms"] = 1e3 * check / n;
    state.counters["split_cpu_ms"] = 1e3 * split / n;
    state.counters["ratio"] = split > 0.0 ? check / split : 0.0;
    // Peak memory of the load against the file it reads (the floor holds the file once).
    std::error_code ec;
    const auto fileBytes = static_cast<double>(std::filesystem::file_size(file, ec));
    state.counters["file_MB"] = fileBytes / 1e6;
    state.counters["check_peak_MB"] = static_cast<double>(checkPeakKb) * 1024.0 / 1e6;
    state.counters["split_peak_MB"] = static_cast<double>(splitPeakKb) * 1024.0 / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--split") == 0)
        return SplitFile(argv[2]);
    g_self = std::filesystem::absolute(argv[0]).string();
    benchmark::Initialize(&argc, argv);
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--zelvorlog") == 0 && i + 1 < argc)
            g_zelvorlog = argv[++i];
        else
            files.push_back(argv[i]);
    }
    if (g_zelvorlog.empty() || files.empty()) {
        std::printf("bench_process: give --zelvorlog PATH and log files; nothing to measure\n");
        return 0;
    }
    for (const auto& file : files)
        benchmark::RegisterBenchmark(("BM_CheckProcess/" + file).c_str(), BM_CheckProcess, file)
            ->UseManualTime()
            ->Iterations(5)
            ->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
