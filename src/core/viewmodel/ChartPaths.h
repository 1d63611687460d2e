#pragma once
// Turns the window's samples into what the chart paints: polylines for the analog traces, x runs
// for the state bands and the solenoid row. Where one pixel column holds many samples only its
// entry, extremes and exit are kept, so a redraw costs pixels, not samples.
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "viewmodel/ChartScale.h"

class CDiveLog;
class CDiveLogSolenoidSample;
class CSolenoidSeconds;

struct CChartPoint {
    double x;
    double y;
};

// Time and value to chart coordinates.
struct CChartMapping {
    double plotLeft = 30.0;
    double plotTop = 0.0;
    double plotHeight = 1.0;
    double xScale = 1.0; // pixels per second
    int32_t viewStart = 0;
    // Points beyond these x are pulled in along their line: the samples just outside the window
    // may lie hours away, and painters do not like coordinates in the millions.
    double xMin = -1.0e6;
    double xMax = 1.0e6;

    // x of a sample time: one pixel inside the plot's left edge at the window start, the time
    // truncated to whole seconds.
    double X(double time) const { return plotLeft + 1.0 + (std::trunc(time) - viewStart) * xScale; }
};

struct CChartState;
// The mapping of the state's view window onto a plot at (left, top) of `width` x `height`:
// (width - 1) pixels for the window, points pulled in two pixels beyond either side. The chart
// model's x arithmetic and every painter use this one.
CChartMapping MapView(const CChartState& state, double left, double top, double width,
                      double height);

using CPolyline = std::vector<CChartPoint>;

// Lines of `code` between `min` (bottom) and `max` (top); `downwards` puts min at the top, as
// the depth and the ceiling are drawn. The line breaks after a sample made at power-off.
std::vector<CPolyline> BuildTraceLines(const CDiveLog& log, const CSampleRange& window, int code,
                                       double min, double max, bool downwards,
                                       const CChartMapping& map);

// Several traces in one walk over the samples (a sample is read once for all of them); one list
// of lines per request, in request order.
struct CTraceRequest {
    int code;
    double min;
    double max;
    bool downwards;
};
std::vector<std::vector<CPolyline>> BuildTraceLines(const CDiveLog& log, const CSampleRange& window,
                                                    const std::vector<CTraceRequest>& requests,
                                                    const CChartMapping& map);

struct CXRun {
    double x0;
    double x1;
};
// The x runs where state `code` is on; each sample's state covers the interval ending at it.
std::vector<CXRun> BuildBandRuns(const CDiveLog& log, const CSampleRange& window, int code,
                                 bool level3, const CChartMapping& map);
// Several state codes in one walk; one list of runs per code.
std::vector<std::vector<CXRun>> BuildBandRuns(const CDiveLog& log, const CSampleRange& window,
                                              const std::vector<int>& codes, bool level3,
                                              const CChartMapping& map);
// The seconds in [viewStart, viewEnd] in which a solenoid fired, as x runs (event time - 1 to
// event time).
std::vector<CXRun>
BuildSolenoidRuns(const std::vector<std::unique_ptr<CDiveLogSolenoidSample>>& events,
                  int32_t viewStart, int32_t viewEnd, const CChartMapping& map);
std::vector<CXRun> BuildSolenoidRuns(const CSolenoidSeconds& events, int32_t viewStart,
                                     int32_t viewEnd, const CChartMapping& map);
