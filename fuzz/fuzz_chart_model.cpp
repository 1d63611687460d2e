// The chart model fed arbitrary trace settings (codes, switches, axis slot), window, cursor and
// chart size, over a log loaded from the rest of the input (or a simulated dive when that does
// not load), then driven through its keys and mouse and asked for everything it draws from; the
// lines and bands are then drawn into a small pixel canvas with a clip of the input's choosing,
// since the screen chart writes its pixels straight into image memory.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "sim/CDiveSimulator.h"
#include "viewmodel/CChartModel.h"
#include "viewmodel/ChartPaths.h"
#include "viewmodel/ChartRaster.h"
#include "viewmodel/ChartScale.h"

namespace {

class Bytes {
public:
    explicit Bytes(std::string_view data) : m_data(data) {}
    template <typename T> T Take() {
        T value{};
        const size_t n = m_data.size() < sizeof(T) ? m_data.size() : sizeof(T);
        std::memcpy(&value, m_data.data(), n);
        m_data.remove_prefix(n);
        return value;
    }
    std::string_view Rest() const { return m_data; }

private:
    std::string_view m_data;
};

const CDiveLog& SimulatedLog() {
    static CDiveLog log;
    static const bool loaded = [] {
        CSimOptions options;
        options.durationSeconds = 20 * 60;
        log.LoadLogBytes(SimulateDive(options).ToText(), "sim.ccl");
        return true;
    }();
    (void)loaded;
    return log;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    constexpr size_t kSettingsBytes = 96;
    Bytes in(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::string_view settings = in.Rest().substr(0, kSettingsBytes);
    const std::string_view file =
        in.Rest().size() > kSettingsBytes ? in.Rest().substr(kSettingsBytes) : std::string_view();
    Bytes s(settings);

    CDiveLog own;
    const bool ownLoaded = own.LoadLogBytes(file, "fuzz.ccl").loaded;
    const CDiveLog& log = ownLoaded ? own : SimulatedLog();

    CChartModel model;
    model.SetLog(&log);
    model.SetChartSize(s.Take<int16_t>(), s.Take<int16_t>());
    model.TakeLoadedTimes();
    CChartState& st = model.State();
    for (int n = 0; n < kChartSlots; ++n) {
        st.m_nTraceCode[n] = s.Take<int32_t>();
        st.m_bTraceEnabled[n] = s.Take<uint8_t>() & 1;
    }
    const uint8_t flags = s.Take<uint8_t>();
    st.m_bDepthTraceOn = flags & 1;
    st.m_bSolenoidRowOn = flags & 2;
    st.m_bCursorLock = flags & 4;
    // What the settings layer hands over is limited to a slot; anything else is its fault.
    const uint8_t slot = s.Take<uint8_t>();
    st.m_nYAxisSlot = slot < kChartSlots ? slot : 0;
    model.Rescale();
    if (flags & 8)
        model.ResetZoom();

    // A drag to zoom, then the cursor keys.
    const int x0 = s.Take<int16_t>(), y0 = s.Take<int16_t>();
    const int x1 = s.Take<int16_t>(), y1 = s.Take<int16_t>();
    model.LeftDown(x0, y0);
    model.MouseMove(x1, y1, true);
    model.LeftUp(x1, y1);
    const uint8_t keys = s.Take<uint8_t>();
    for (int k = 0; k < 8; ++k) {
        switch ((keys >> k) & 3) {
        case 0:
            model.CursorToNextSample();
            break;
        case 1:
            model.CursorToPreviousSample();
            break;
        case 2:
            model.CursorToWindowEnd();
            break;
        default:
            model.CursorToWindowStart();
        }
    }
    model.DoubleClick(x0, y0);

    if (!model.IsLoaded())
        return 0;
    const CSampleRange window = model.Window();
    if (!log.m_arSamples.empty()) {
        const size_t cursor = model.CursorSample();
        const size_t next = model.NextSample();
        if (cursor >= log.m_arSamples.size() || next >= log.m_arSamples.size())
            __builtin_trap();
    }
    CChartMapping map;
    map.plotLeft = model.PlotLeft();
    map.plotHeight = model.PlotHeight();
    map.xScale = model.XScale();
    map.viewStart = st.m_nViewStart;
    map.xMin = model.PlotLeft() - 2.0;
    map.xMax = model.PlotRight() + 2.0;
    // A canvas smaller than the chart, so far and clipped points are the rule, not the exception.
    constexpr int kCanvasWidth = 97, kCanvasHeight = 131; // the height spans three mask words
    std::vector<uint32_t> pixels(kCanvasWidth * kCanvasHeight);
    CPixelCanvas canvas(pixels.data(), kCanvasWidth, kCanvasWidth, kCanvasHeight);
    canvas.SetClip(s.Take<int16_t>(), s.Take<int16_t>(), s.Take<int16_t>(), s.Take<int16_t>());
    if (flags & 16)
        canvas.DrawUnderneath();
    for (int n = 0; n < kChartSlots; ++n) {
        if (!st.m_bTraceEnabled[n])
            continue;
        const auto lines = BuildTraceLines(log, window, st.m_nTraceCode[n], st.m_dTraceMin[n],
                                           st.m_dTraceMax[n], false, map);
        for (const CPolyline& line : lines)
            canvas.Polyline(line, 0xFF000000u | static_cast<uint32_t>(n));
        const auto runs = BuildBandRuns(log, window, st.m_nTraceCode[n], log.VersionLevel(3), map);
        for (const CXRun& run : runs)
            canvas.Fill(run.x0, 10.0 * n, run.x1, 10.0 * n + 3.0, 0xFFFFFFFFu);
    }
    // Points straight from the input's last bytes (which the log reads too): NaN, infinities and
    // values far past any pixel.
    const std::string_view all(reinterpret_cast<const char*>(data), size);
    Bytes tail(all.substr(all.size() > 256 ? all.size() - 256 : 0));
    CPolyline raw;
    while (!tail.Rest().empty())
        raw.push_back({tail.Take<double>(), tail.Take<double>()});
    canvas.Polyline(raw, 0xFF00FF00u);
    if (raw.size() >= 2)
        canvas.Fill(raw[0].x, raw[0].y, raw[1].x, raw[1].y, 0xFF0000FFu);
    StateAxisTicks(st, model.PlotTop(), model.PlotHeight());
    for (int v = 0; v <= 10; ++v) {
        TimeAxisLabel(st, v);
        DepthAxisLabel(st, v, true);
        RightAxisLabel(st, v, false);
    }
    return 0;
}
