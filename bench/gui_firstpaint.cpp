// How long a diver waits for the first picture of a day-long binary log (24 h at one-second
// intervals): from opening the file in an empty main window, through the window's own load
// path, to the first rendered frame of the profile page (the window grabbed into an image).
// Runs offscreen, with settings, data folder and status log in a temporary folder.
//
//   bench_gui_firstpaint [--file LOG] [benchmark options]
//
// Without --file the log is simulated (FRC layout) into the temporary folder. BM_FirstPaint is
// the whole wait; BM_FirstPaintParts splits it into the load, the pages' refresh and the frame.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPixmap>
#include <QSettings>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

#include "app/CLogViewerDlg.h"
#include "sim/SimBinary.h"

namespace {

QString g_file;

// Settings, data folder, status log and the single-instance socket under the temporary folder.
void Isolate(const QTemporaryDir& home) {
    const QByteArray base = home.path().toLocal8Bit();
    qputenv("ZELVOR_DATA_DIR", base + "/data");
    qputenv("XDG_CONFIG_HOME", base + "/config");
    qputenv("XDG_DATA_HOME", base + "/share");
    qputenv("HOME", base + "/home");
    qputenv("ZELVOR_INSTANCE_NAME", "bench-firstpaint-" + QByteArray::number(qint64(getpid())));
    QDir().mkpath(home.path() + QStringLiteral("/home"));
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home.path() + "/config");
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home.path() + "/config");
}

bool SimulateDayLog(const QString& path) {
    CSimOptions o;
    o.frcLayout = true;
    o.durationSeconds = 1440 * 60;
    o.intervalSeconds = 1;
    std::string bytes, error;
    if (!BuildSimBinary(SimulateDive(o), bytes, error)) {
        std::fprintf(stderr, "simulation failed: %s\n", error.c_str());
        return false;
    }
    std::ofstream(path.toStdString(), std::ios::binary) << bytes;
    return true;
}

std::unique_ptr<CLogViewerDlg> MakeWindow() {
    auto window = std::make_unique<CLogViewerDlg>();
    window->SetMessageHook([](const QString& text) {
        std::fprintf(stderr, "message: %s\n", text.toLocal8Bit().constData());
    });
    window->SetSaveQuestionHook([](const QString&) { return false; });
    window->SetSettingsReadOnly(true);
    window->resize(1280, 800);
    window->show();
    window->Pages()->setCurrentIndex(0);
    QApplication::processEvents();
    return window;
}

// The first frame as the screen would get it: pending layout and paint events, then the grab.
QPixmap FirstFrame(CLogViewerDlg& window) {
    QApplication::processEvents();
    return window.grab();
}

void BM_FirstPaint(benchmark::State& state) {
    auto window = MakeWindow();
    for (auto _ : state) {
        state.PauseTiming();
        window->OnFileClose();
        QApplication::processEvents();
        state.ResumeTiming();
        if (!window->OpenFile(g_file, CLogViewerDlg::Source::Dialog)) {
            state.SkipWithError("the log did not load");
            return;
        }
        const QPixmap frame = FirstFrame(*window);
        benchmark::DoNotOptimize(frame.cacheKey());
    }
}
BENCHMARK(BM_FirstPaint)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

// The same road in its three parts (load, pages refreshed, first frame), in milliseconds.
void BM_FirstPaintParts(benchmark::State& state) {
    auto window = MakeWindow();
    double load = 0, refresh = 0, frame = 0;
    for (auto _ : state) {
        state.PauseTiming();
        window->OnFileClose();
        QApplication::processEvents();
        state.ResumeTiming();
        QElapsedTimer clock;
        clock.start();
        CLoadOptions options;
        if (!window->Context().Load(g_file.toStdString(), options).loaded) {
            state.SkipWithError("the log did not load");
            return;
        }
        load += clock.nsecsElapsed() / 1e6;
        clock.restart();
        window->RefreshAll();
        refresh += clock.nsecsElapsed() / 1e6;
        clock.restart();
        const QPixmap picture = FirstFrame(*window);
        benchmark::DoNotOptimize(picture.cacheKey());
        frame += clock.nsecsElapsed() / 1e6;
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["load_ms"] = load / n;
    state.counters["refresh_ms"] = refresh / n;
    state.counters["frame_ms"] = frame / n;
}
BENCHMARK(BM_FirstPaintParts)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    Isolate(home);
    // Our own option comes out of argv before the benchmark library sees it.
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--file") == 0 && i + 1 < argc)
            g_file = QString::fromLocal8Bit(argv[++i]);
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Zelvor"));
    QApplication::setApplicationName(QStringLiteral("ZelvorLogViewer"));
    if (g_file.isEmpty()) {
        g_file = home.path() + QStringLiteral("/day.bin");
        if (!SimulateDayLog(g_file))
            return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
