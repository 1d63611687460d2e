// Drawing speed of the profile chart: the whole chart of a 24-hour log sampled every second with
// ten traces at 1920 x 1080, and the redraw that follows a cursor move.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdlib>
#include <memory>

#include "app/CViewerContext.h"
#include "logfile/CDiveLog.h"
#include "logfile/CDiveLogSample.h"
#include "viewmodel/CChartModel.h"
#include "viewmodel/ChartColumns.h"
#include "viewmodel/ChartPaths.h"
#include "viewmodel/ChartRaster.h"
#include "viewmodel/ChartScale.h"
#include "viewmodel/TraceValue.h"
#include "views/ProfileChart.h"
#include "views/ProfileChartRenderer.h"

namespace {

constexpr int kSeconds = 24 * 3600;

// A day of samples with wavy depth, noisy cells and alarm bits switching now and then.
CDiveLog& DayLog() {
    static CDiveLog log;
    if (!log.m_arSamples.empty())
        return log;
    for (int t = 0; t < kSeconds; ++t) {
        auto s = std::make_unique<CDiveLogSample>();
        s->m_dTime = t;
        const double depth = 20.0 + 18.0 * std::sin(t / 900.0) + 0.5 * std::sin(t * 0.37);
        s->m_dPressure = 1000.0 + depth * 100.0;
        s->m_bPoweredOn = (t % 20000) != 19999;
        s->m_dSetpoint = t % 3600 < 1800 ? 0.7 : 1.3;
        for (int c = 0; c < 3; ++c) {
            s->m_dC1Cell[c] = 1.0 + 0.1 * c + 0.05 * std::sin(t * 0.11 + c);
            s->m_dC2Cell[c] = 1.05 + 0.1 * c + 0.05 * std::cos(t * 0.13 + c);
        }
        s->m_dC1Measured = 1.1 + 0.03 * std::sin(t * 0.05);
        s->m_dC2Measured = 1.15 + 0.03 * std::cos(t * 0.05);
        s->m_byCellStatusExtra = (t / 37) % 5 == 0 ? 0x01 : 0x00;
        log.m_arSamples.push_back(*s);
    }
    log.m_bFileLoaded = true;
    log.m_dDiveEndTime = kSeconds - 1;
    log.m_dLogEndTime = kSeconds - 1;
    log.m_ChartRange = {0, kSeconds - 1, kSeconds - 1, 0, kSeconds - 1};
    return log;
}

void TenTraces(CChartModel& model) {
    const int codes[kChartSlots] = {101, 102, 103, 104, 105, 106, 107, 108, 109, 909};
    for (int n = 0; n < kChartSlots; ++n) {
        model.State().m_nTraceCode[n] = codes[n];
        model.State().m_bTraceEnabled[n] = true;
    }
    model.TakeLoadedTimes();
}

void BM_FullChartRender(benchmark::State& bench) {
    CChartModel model;
    model.SetLog(&DayLog());
    model.SetChartSize(1920, 1080);
    TenTraces(model);
    QImage image(1920, 1080, QImage::Format_RGB32);
    const CChartPaintSetup setup =
        CProfileChartRenderer::ScreenSetup(QRectF(0, 0, 1920, 1080), QColor(240, 240, 240));
    for (auto _ : bench) {
        QPainter painter(&image);
        CProfileChartRenderer::Paint(painter, model.State(), DayLog(), true, setup);
    }
}
BENCHMARK(BM_FullChartRender)->Unit(benchmark::kMillisecond);

void BM_RescaleDay(benchmark::State& bench) {
    CChartModel model;
    model.SetLog(&DayLog());
    TenTraces(model);
    for (auto _ : bench)
        model.Rescale();
}
BENCHMARK(BM_RescaleDay)->Unit(benchmark::kMillisecond);

// The widget keeps the traces in a layer; a cursor move copies it and draws the line.
void BM_CursorMoveRedraw(benchmark::State& bench) {
    CChartModel model;
    model.SetLog(&DayLog());
    CViewerContext ctx;
    CProfileChart chart(model, ctx);
    chart.resize(1920, 1080);
    TenTraces(model);
    QImage image(1920, 1080, QImage::Format_RGB32);
    chart.render(&image); // the first paint builds the trace layer
    double t = 0.0;
    for (auto _ : bench) {
        t = std::fmod(t + 37.0, kSeconds);
        model.State().m_dCursorTime = t;
        chart.render(&image);
    }
}
BENCHMARK(BM_CursorMoveRedraw)->Unit(benchmark::kMillisecond);

// The stages of the full redraw by themselves, on the same traces and plot: grouping the
// samples into pixel columns, reducing each trace to its lines, and lighting the lines' pixels.
struct CStages {
    CChartModel model;
    CChartMapping map;
    CSampleRange window;
    std::vector<CTraceRequest> requests;

    CStages() {
        model.SetLog(&DayLog());
        model.SetChartSize(1920, 1080);
        TenTraces(model);
        const CChartState& state = model.State();
        map = MapView(state, CChartModel::kInsetLeft, 0,
                      1920 - CChartModel::kInsetLeft - CChartModel::kInsetRight,
                      1080 - CChartModel::kInsetBottom);
        window = WindowSamples(DayLog(), state.m_nViewStart, state.m_nViewEnd);
        for (int n = 0; n < kChartSlots; ++n)
            if (TraceDrawsLine(state.m_nTraceCode[n]))
                requests.push_back({state.m_nTraceCode[n], state.m_dTraceMin[n],
                                    state.m_dTraceMax[n], state.m_nTraceCode[n] == kCeilingCode});
        requests.push_back({kDepthCode, state.m_dDepthMin, state.m_dDepthMax, true});
    }
};

void BM_ColumnCellsDay(benchmark::State& bench) {
    const CStages stages;
    for (auto _ : bench)
        benchmark::DoNotOptimize(ColumnCells(DayLog(), stages.window, stages.map));
}
BENCHMARK(BM_ColumnCellsDay)->Unit(benchmark::kMillisecond);

void BM_TraceLinesDay(benchmark::State& bench) {
    const CStages stages;
    for (auto _ : bench)
        benchmark::DoNotOptimize(
            BuildTraceLines(DayLog(), stages.window, stages.requests, stages.map));
}
BENCHMARK(BM_TraceLinesDay)->Unit(benchmark::kMillisecond);

void BM_TraceRasterDay(benchmark::State& bench) {
    const CStages stages;
    const auto lines = BuildTraceLines(DayLog(), stages.window, stages.requests, stages.map);
    QImage image(1920, 1080, QImage::Format_RGB32);
    for (auto _ : bench) {
        CPixelCanvas canvas(reinterpret_cast<uint32_t*>(image.bits()), image.bytesPerLine() / 4,
                            image.width(), image.height());
        canvas.SetClip(CChartModel::kInsetLeft, 0, 1920 - CChartModel::kInsetRight,
                       1080 - CChartModel::kInsetBottom);
        canvas.DrawUnderneath();
        for (auto trace = lines.rbegin(); trace != lines.rend(); ++trace)
            for (const CPolyline& line : *trace)
                canvas.Polyline(line, 0xff000000u | static_cast<uint32_t>(trace - lines.rbegin()));
    }
}
BENCHMARK(BM_TraceRasterDay)->Unit(benchmark::kMillisecond);

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
