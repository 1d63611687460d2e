// How long the Data page takes to fill with a day-long log at one-second intervals (86,400
// rows), to paint its first screen, and to build the clipboard text of the whole table.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTableView>

#include <cstdlib>
#include <memory>

#include "app/CViewerContext.h"
#include "logfile/CDiveLogSample.h"
#include "viewmodel/DataRows.h"
#include "views/CDiveData.h"

namespace {

constexpr int kDaySeconds = 86400;

void MakeDayLog(CDiveLog& log) {
    log.m_bFileLoaded = true;
    log.m_bCylinderPressures = true;
    log.m_ChartRange.diveStart = 0;
    log.m_ChartRange.diveEnd = kDaySeconds - 1;
    log.m_ChartRange.logEnd = kDaySeconds - 1;
    for (int t = 0; t < kDaySeconds; ++t) {
        auto s = std::make_unique<CDiveLogSample>();
        s->m_dTime = t;
        s->m_dPressure = 1000 + (t % 6000) * 0.7;
        s->m_dAmbientTemp = 12.5;
        s->m_dSetpoint = 1.3;
        for (int k = 0; k < 3; ++k) {
            s->m_dC1Cell[k] = 1.28 + 0.01 * k;
            s->m_dC2Cell[k] = 1.31 - 0.01 * k;
        }
        for (int k = 0; k < 13; ++k)
            s->m_dCylinder[k] = 200 - t / 1000.0;
        log.m_arSamples.push_back(*s);
    }
}

CViewerContext& DayContext() {
    static CViewerContext* ctx = [] {
        auto* c = new CViewerContext;
        MakeDayLog(c->Log());
        return c;
    }();
    return *ctx;
}

void BM_DataPageFill(benchmark::State& state) {
    CDiveData page(DayContext());
    for (auto _ : state)
        page.Refresh();
    state.counters["rows"] = page.Table()->model()->rowCount();
}
BENCHMARK(BM_DataPageFill)->Unit(benchmark::kMillisecond);

void BM_DataPageFillAndPaint(benchmark::State& state) {
    CDiveData page(DayContext());
    page.resize(1024, 768);
    for (auto _ : state) {
        page.Refresh();
        benchmark::DoNotOptimize(page.grab());
    }
}
BENCHMARK(BM_DataPageFillAndPaint)->Unit(benchmark::kMillisecond);

void BM_DataClipboardText(benchmark::State& state) {
    const CDiveLog& log = DayContext().Log();
    for (auto _ : state) {
        std::string text = DataClipboardText(log, true);
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_DataClipboardText)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
