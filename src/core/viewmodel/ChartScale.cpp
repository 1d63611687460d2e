#include "viewmodel/ChartScale.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "logfile/CDiveLog.h"
#include "logfile/CDiveLogSample.h"
#include "viewmodel/StateBits.h"
#include "viewmodel/TraceValue.h"
#include "viewmodel/Units.h"

namespace {

struct MinMax {
    double min = 1000000.0;
    double max = -1000000.0;
    void Add(double v) {
        min = std::min(min, v);
        max = std::max(max, v);
    }
};

double LeastRange(int group) {
    switch (group) {
    case 1:
    case 6:
        return 0.5;
    case 3:
        return 10.0;
    case 4:
    case 7:
    case 8:
        return 2.5;
    default:
        return 0.0;
    }
}

void ScaleSlot(CChartState& state, int slot, const MinMax& range) {
    const int group = TraceGroup(state.m_nTraceCode[slot]);
    double& lo = state.m_dTraceMin[slot];
    double& hi = state.m_dTraceMax[slot];
    if (group == 0) {
        lo = 0.0;
        hi = 10.0;
        return;
    }
    if (group == 2) {
        lo = 0.0;
        hi = 7.5;
        return;
    }
    const double k = (group == 7 || group == 8) ? 4.0 : 10.0;
    const double margin = 0.1 * std::max(range.max - range.min, LeastRange(group));
    hi = std::ceil((range.max + margin) * k) / k;
    lo = std::floor((range.min - margin) * k) / k;
    if (lo < 0.0 && group != 4)
        lo = 0.0;
    // A trace that never changes (CNS at 0 all dive) would get an empty range and divide the
    // plot height by zero; give it one step of the rounding.
    if (!(hi > lo))
        hi = lo + 1.0 / k;
}

bool InCommonGroup(int code, int group) {
    const int g = TraceGroup(code);
    return g == group || (group == 7 && g == 4);
}

void ShareScale(CChartState& state, int group) {
    double lo = 0.0, hi = 0.0;
    int count = 0;
    for (int n = 0; n < kChartSlots; ++n) {
        if (!state.m_bTraceEnabled[n] || !InCommonGroup(state.m_nTraceCode[n], group))
            continue;
        lo = count == 0 ? state.m_dTraceMin[n] : std::min(lo, state.m_dTraceMin[n]);
        hi = count == 0 ? state.m_dTraceMax[n] : std::max(hi, state.m_dTraceMax[n]);
        ++count;
    }
    if (count < 2)
        return;
    for (int n = 0; n < kChartSlots; ++n) {
        if (InCommonGroup(state.m_nTraceCode[n], group)) {
            state.m_dTraceMin[n] = lo;
            state.m_dTraceMax[n] = hi;
        }
    }
}

// The decompression ceiling is drawn on the depth scale, so the two share one range.
void ShareCeilingScale(CChartState& state) {
    for (int n = 0; n < kChartSlots; ++n) {
        if (state.m_nTraceCode[n] != kCeilingCode)
            continue;
        if (state.m_dDepthMax < state.m_dTraceMax[n])
            state.m_dDepthMax = state.m_dTraceMax[n];
        else
            state.m_dTraceMax[n] = state.m_dDepthMax;
        state.m_dTraceMin[n] = state.m_dDepthMin;
    }
}

std::string Printf(const char* format, double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

} // namespace

CSampleRange WindowSamples(const CDiveLog& log, double viewStart, double viewEnd) {
    CSampleRange range;
    const auto& samples = log.m_arSamples;
    if (samples.empty())
        return range;
    const auto notBefore = [&](double t) {
        return static_cast<size_t>(
            std::partition_point(samples.begin(), samples.end(),
                                 [t](const auto& s) { return s->m_dTime < t; }) -
            samples.begin());
    };
    range.empty = false;
    range.first = std::min(notBefore(viewStart), samples.size() - 1);
    if (range.first > 0)
        --range.first;
    range.last = std::min(notBefore(viewEnd), samples.size() - 1);
    range.last = std::max(range.last, range.first);
    return range;
}

void RescaleChart(CChartState& state, const CDiveLog& log) {
    const CSampleRange window = WindowSamples(log, state.m_nViewStart, state.m_nViewEnd);
    if (!log.m_bFileLoaded || window.empty) {
        state.m_dDepthMax = 10.0;
        state.m_dDepthMin = 0.0;
        state.m_dDepthMid = 5.0;
        return;
    }
    MinMax depth;
    MinMax slots[kChartSlots];
    for (size_t i = window.first; i <= window.last; ++i) {
        const CDiveLogSample& sample = *log.m_arSamples[i];
        depth.Add(TraceValue(kDepthCode, sample));
        for (int n = 0; n < kChartSlots; ++n) {
            if (!IsStateTrace(state.m_nTraceCode[n]))
                slots[n].Add(TraceValue(state.m_nTraceCode[n], sample));
        }
    }
    const double margin = 0.1 * std::max(depth.max - depth.min, 0.5);
    state.m_dDepthMax = std::ceil((depth.max + margin) * 10.0) / 10.0;
    state.m_dDepthMin = std::max(0.0, std::floor((depth.min - margin) * 10.0) / 10.0);
    state.m_dDepthMid = (state.m_dDepthMax + state.m_dDepthMin) / 2.0;

    for (int n = 0; n < kChartSlots; ++n)
        ScaleSlot(state, n, slots[n]);
    for (int group : {1, 2, 3, 5, 6, 7, 8}) {
        if (group == 6)
            ShareCeilingScale(state);
        else
            ShareScale(state, group);
    }
}

std::string FormatSignedTime(long long seconds) {
    const char* sign = seconds < 0 ? "-" : "";
    const long long s = std::llabs(seconds);
    char buffer[48];
    if (s < 3600)
        std::snprintf(buffer, sizeof buffer, "%s%02lld:%02lld", sign, s / 60, s % 60);
    else
        std::snprintf(buffer, sizeof buffer, "%s%lld:%02lld:%02lld", sign, s / 3600, (s / 60) % 60,
                      s % 60);
    return buffer;
}

std::string TimeAxisLabel(const CChartState& state, int v) {
    const long long start = state.m_nViewStart;
    const long long span = static_cast<long long>(state.m_nViewEnd) - start;
    return FormatSignedTime(start + span * v / 10 - state.m_nDiveStart);
}

std::string DepthAxisLabel(const CChartState& state, int o, bool metric) {
    const double value = state.m_dDepthMin + (state.m_dDepthMax - state.m_dDepthMin) / 10.0 * o;
    return metric ? Printf("%0.1f", value) : Printf("%0.0f", units::MetresToFeet(value));
}

std::string RightAxisLabel(const CChartState& state, int o, bool metric) {
    const int slot = std::clamp(state.m_nYAxisSlot, 0, kChartSlots - 1);
    const int code = state.m_nTraceCode[slot];
    const double lo = state.m_dTraceMin[slot];
    const double hi = state.m_dTraceMax[slot];
    if (code == kCeilingCode) {
        const double value = lo + (hi - lo) / 10.0 * o;
        return metric ? Printf("%0.1f", value) : Printf("%0.0f", units::MetresToFeet(value));
    }
    double value = hi - (hi - lo) / 10.0 * o;
    double top = hi;
    if (!metric) {
        const int group = TraceGroup(code);
        if (group == 4 || (code >= 701 && code <= 709)) {
            value = units::CelsiusToFahrenheit(value);
            top = units::CelsiusToFahrenheit(top);
        } else if (code >= 301 && code <= 307) {
            value = units::BarToPsi(value);
            top = units::BarToPsi(top);
        }
    }
    const char* format = top >= 1000.0 ? "%0.0f" : top >= 100.0 ? "%0.1f" : "%0.2f";
    return Printf(format, value);
}

bool RightAxisIsStateAxis(const CChartState& state) {
    const int slot = std::clamp(state.m_nYAxisSlot, 0, kChartSlots - 1);
    return IsStateTrace(state.m_nTraceCode[slot]);
}

std::vector<CStateAxisTick> StateAxisTicks(const CChartState& state, int plotTop, int h,
                                           int divisions, int pairOffset) {
    std::vector<CStateAxisTick> ticks;
    for (const CStateBand& b : StateBands(state)) {
        const int i = b.band - 1;
        const int y = plotTop + static_cast<int>(double(h) / divisions * i) +
                      static_cast<int>(h / (2.0 * divisions));
        if (ChannelCount(b.code) == 2) {
            ticks.push_back({y - pairOffset, "C1"});
            ticks.push_back({y + pairOffset, "C2"});
        } else {
            ticks.push_back({y, "Disp"});
        }
    }
    return ticks;
}

int StateBandY(int plotTop, int h, int band) {
    return plotTop + static_cast<int>(h / 22.0) + static_cast<int>((band - 1) * h / 11.0) - 10;
}

std::vector<CStateBand> StateBands(const CChartState& state) {
    std::vector<CStateBand> bands;
    for (int n = 0; n < kChartSlots; ++n) {
        if (IsStateTrace(state.m_nTraceCode[n]))
            bands.push_back({n, state.m_nTraceCode[n], 0});
    }
    const int first = 11 - static_cast<int>(bands.size());
    for (size_t k = 0; k < bands.size(); ++k)
        bands[k].band = first + static_cast<int>(k);
    return bands;
}

int FirstStateBand(const CChartState& state) {
    return 11 - static_cast<int>(StateBands(state).size());
}
