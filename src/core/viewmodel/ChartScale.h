#pragma once
// The value side of the profile chart: which samples a view window holds, the axis ranges
// (RescaleChart) and the texts of the axis labels. No pixels here.
#include <cstddef>
#include <string>
#include <vector>

#include "viewmodel/CChartState.h"

class CDiveLog;

// The samples a view window walks: `first` is the first sample not before the window start,
// stepped back by one so that the line enters the window from its left edge; `last` is the first
// sample not before the window end, or the last sample.
struct CSampleRange {
    size_t first = 0;
    size_t last = 0;
    bool empty = true; // no samples at all
};
CSampleRange WindowSamples(const CDiveLog& log, double viewStart, double viewEnd);

// Recomputes the depth range and the range of every slot over the view window.
void RescaleChart(CChartState& state, const CDiveLog& log);

// Seconds as "mm:ss" below one hour, else "h:mm:ss"; a negative time carries a leading "-".
std::string FormatSignedTime(long long seconds);

// Time axis label v (0-10), relative to the dive start.
std::string TimeAxisLabel(const CChartState& state, int v);
// Left axis label o (0-10, top to bottom): depth in metres ("%0.1f") or feet ("%0.0f").
std::string DepthAxisLabel(const CChartState& state, int o, bool metric);
// Right axis label o (0-10, top to bottom) for the y-axis slot's range.
std::string RightAxisLabel(const CChartState& state, int o, bool metric);

// The right axis shows the state bands instead of a scale.
bool RightAxisIsStateAxis(const CChartState& state);
struct CStateAxisTick {
    int y; // pixels
    const char* label;
};
// Ticks of the state axis for a plot whose top is `plotTop` and height `h`. The screen spaces the
// bands by an eleventh of the plot height; paper by a tenth, with its own pair distance.
std::vector<CStateAxisTick> StateAxisTicks(const CChartState& state, int plotTop, int h,
                                           int divisions = 11, int pairOffset = 6);

// The y of state band number `band` (counted from 1), before the channel offset of -6/0/+6.
int StateBandY(int plotTop, int h, int band);
// The band number of the first state slot: 11 minus the number of state slots.
int FirstStateBand(const CChartState& state);
// The state slots in slot order with their band numbers (from 1): the last one is band 10, the
// others stacked above it. The painters and the state axis number the bands from this.
struct CStateBand {
    int slot;
    int code;
    int band;
};
std::vector<CStateBand> StateBands(const CChartState& state);
