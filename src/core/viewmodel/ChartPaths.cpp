#include "viewmodel/ChartPaths.h"

#include <algorithm>
#include <cmath>

#include "logfile/CDiveLog.h"
#include "logfile/CDiveLogSample.h"
#include "logfile/CDiveLogSolenoidSample.h"
#include "viewmodel/CChartState.h"
#include "viewmodel/ChartColumns.h"
#include "viewmodel/TraceColumns.h"

namespace {

// Writes the lines of one trace cell by cell: each cell gives its entry, its two extremes and
// its exit, so a column of many samples costs four points.
class CLineWriter {
public:
    // `room` holds four points a cell, for the longest line there can be: the points are
    // written there one by one, and a line is copied out whole when it ends.
    CLineWriter(std::vector<CPolyline>& out, CChartPoint* room) : m_out(out), m_room(room) {}

    void Cell(bool startsLine, const CChartPoint& first, double min, double max,
              const CChartPoint& last) {
        if (startsLine)
            EndLine();
        // Visit the extreme nearer the entry first, so the vertical stroke is drawn once.
        const bool upFirst = std::abs(first.y - min) < std::abs(first.y - max);
        const CChartPoint points[4] = {
            first, {first.x, upFirst ? min : max}, {first.x, upFirst ? max : min}, last};
        // A point the same as the one before it is left out.
        for (const CChartPoint& p : points) {
            if (m_count > 0 && m_room[m_count - 1].x == p.x && m_room[m_count - 1].y == p.y)
                continue;
            m_room[m_count++] = p;
        }
    }
    void EndLine() {
        if (m_count >= 2)
            m_out.emplace_back(m_room, m_room + m_count);
        m_count = 0;
    }

private:
    std::vector<CPolyline>& m_out;
    CChartPoint* m_room;
    size_t m_count = 0;
};

// `p` moved along the line towards `q` until it lies within [xMin, xMax].
CChartPoint PullIn(CChartPoint p, const CChartPoint& q, const CChartMapping& map) {
    const double limit = p.x < map.xMin ? map.xMin : p.x > map.xMax ? map.xMax : p.x;
    if (limit == p.x)
        return p;
    if (q.x != p.x)
        p.y += (q.y - p.y) * (limit - p.x) / (q.x - p.x);
    p.x = limit;
    return p;
}

void AddRun(std::vector<CXRun>& runs, double x0, double x1) {
    if (!runs.empty() && x0 <= runs.back().x1) {
        runs.back().x1 = std::max(runs.back().x1, x1);
        return;
    }
    runs.push_back({x0, x1});
}

} // namespace

CChartMapping MapView(const CChartState& state, double left, double top, double width,
                      double height) {
    CChartMapping map;
    map.plotLeft = left;
    map.plotTop = top;
    map.plotHeight = height;
    const double span = std::max(1, state.m_nViewEnd - state.m_nViewStart);
    map.xScale = (width - 1.0) / span;
    map.viewStart = state.m_nViewStart;
    map.xMin = left - 2.0;
    map.xMax = left + width + 2.0;
    return map;
}

namespace {

// One trace being turned into lines cell by cell.
struct CLineBuilder {
    CLineBuilder(const CTraceRequest& r, const CDiveLog& log, const CChartMapping& m,
                 const CSampleRange& w)
        : request(r), values(TraceColumn(log, r.code)), map(m), window(w) {
        const double span = r.max - r.min;
        perUnit = span > 0.0 ? m.plotHeight / span : 0.0;
        // y falls as the value rises (or rises with it, downwards), so a cell's extreme values
        // give its extreme y. A zero or overflowing scale breaks that (0 x inf, inf x 0): such a
        // trace is reduced point by point.
        monotone = perUnit > 0.0 && std::isfinite(perUnit);
    }
    double Y(double v) const {
        return map.plotTop +
               (request.downwards ? (v - request.min) * perUnit : (request.max - v) * perUnit);
    }
    CChartPoint Point(size_t i, double x) const { return {x, Y(values[i])}; }

    void Cell(const CColumnCell& cell, const CDiveLog& log, CLineWriter& out) const {
        if (!monotone || cell.pulled) {
            PointByPoint(cell, log, out);
            return;
        }
        const CColumnValues v = ReduceColumn(values.data(), cell.first, cell.last);
        const double a = Y(v.min), b = Y(v.max);
        out.Cell(cell.startsLine, {cell.firstX, Y(v.first)}, request.downwards ? a : b,
                 request.downwards ? b : a, {cell.lastX, Y(v.last)});
    }

    // The point of sample i as the line draws it: a sample beyond the x limits is pulled in
    // towards its neighbour (the window's first towards the second, the others towards the one
    // before).
    CChartPoint LinePoint(size_t i, const CDiveLog& log) const {
        const std::vector<double>& times = TimeColumn(log);
        const CChartPoint p = Point(i, map.X(times[i]));
        if (window.last == window.first)
            return p;
        const size_t other = i == window.first ? i + 1 : i - 1;
        return PullIn(p, Point(other, map.X(times[other])), map);
    }
    void PointByPoint(const CColumnCell& cell, const CDiveLog& log, CLineWriter& out) const {
        const CChartPoint first = LinePoint(cell.first, log);
        double min = first.y, max = first.y;
        CChartPoint last = first;
        for (size_t i = cell.first + 1; i <= cell.last; ++i) {
            last = LinePoint(i, log);
            min = std::min(min, last.y);
            max = std::max(max, last.y);
        }
        out.Cell(cell.startsLine, first, min, max, last);
    }

    const CTraceRequest& request;
    const std::vector<double>& values;
    const CChartMapping& map;
    const CSampleRange& window;
    double perUnit = 0.0;
    bool monotone = true;
};

} // namespace

std::vector<std::vector<CPolyline>> BuildTraceLines(const CDiveLog& log, const CSampleRange& window,
                                                    const std::vector<CTraceRequest>& requests,
                                                    const CChartMapping& map) {
    std::vector<std::vector<CPolyline>> lines(requests.size());
    if (window.empty || requests.empty())
        return lines;
    const std::vector<CColumnCell> cells = ColumnCells(log, window, map);
    // Left uninitialised: every point is written before it is read.
    const std::unique_ptr<CChartPoint[]> room(new CChartPoint[4 * cells.size()]);
    for (size_t r = 0; r < requests.size(); ++r) {
        const CLineBuilder builder(requests[r], log, map, window);
        CLineWriter writer(lines[r], room.get());
        for (const CColumnCell& cell : cells)
            builder.Cell(cell, log, writer);
        writer.EndLine();
    }
    return lines;
}

std::vector<CPolyline> BuildTraceLines(const CDiveLog& log, const CSampleRange& window, int code,
                                       double min, double max, bool downwards,
                                       const CChartMapping& map) {
    const std::vector<CTraceRequest> one = {{code, min, max, downwards}};
    return std::move(BuildTraceLines(log, window, one, map).front());
}

std::vector<std::vector<CXRun>> BuildBandRuns(const CDiveLog& log, const CSampleRange& window,
                                              const std::vector<int>& codes, bool level3,
                                              const CChartMapping& map) {
    std::vector<std::vector<CXRun>> runs(codes.size());
    if (window.empty || codes.empty())
        return runs;
    const std::vector<double>& times = TimeColumn(log);
    // A band is off for nearly every sample, and an off sample only hands its own x on as the
    // pen position of the next one. So each band is walked by itself, passing over its off
    // samples at the cost of a compare, and a pen position is worked out only where a run is
    // drawn: the sample's x, or after an on sample the x that sample's run ended at.
    for (size_t c = 0; c < codes.size(); ++c) {
        const double* state = StateColumn(log, codes[c], level3).data();
        std::vector<CXRun>& out = runs[c];
        bool previousOn = false;
        double previousX = 0.0; // where the previous sample's run ended, when it was on
        for (size_t i = window.first + 1; i <= window.last; ++i) {
            if (!(state[i] != 0.0)) {
                previousOn = false;
                continue;
            }
            const double pen = previousOn ? previousX : map.X(times[i - 1]);
            double x = map.X(times[i]);
            if (std::trunc(times[i]) == std::trunc(times[i - 1]))
                x += 1.0; // a second sample in the same second still shows
            if (x == pen)
                x += 1.0;
            AddRun(out, std::clamp(pen, map.xMin, map.xMax), std::clamp(x, map.xMin, map.xMax));
            previousOn = true;
            previousX = x;
        }
    }
    return runs;
}

std::vector<CXRun> BuildBandRuns(const CDiveLog& log, const CSampleRange& window, int code,
                                 bool level3, const CChartMapping& map) {
    return std::move(BuildBandRuns(log, window, std::vector<int>{code}, level3, map).front());
}

namespace {

template <class Events>
std::vector<CXRun> SolenoidRuns(const Events& events, int32_t viewStart, int32_t viewEnd,
                                const CChartMapping& map) {
    std::vector<CXRun> runs;
    // Events are appended second by second; find the window's first one by halving.
    auto it = std::partition_point(events.begin(), events.end(),
                                   [viewStart](const auto& e) { return e->m_dTime < viewStart; });
    for (; it != events.end() && (*it)->m_dTime <= viewEnd; ++it) {
        if ((*it)->m_bFired)
            AddRun(runs, map.X((*it)->m_dTime - 1.0), map.X((*it)->m_dTime));
    }
    return runs;
}

} // namespace

std::vector<CXRun>
BuildSolenoidRuns(const std::vector<std::unique_ptr<CDiveLogSolenoidSample>>& events,
                  int32_t viewStart, int32_t viewEnd, const CChartMapping& map) {
    return SolenoidRuns(events, viewStart, viewEnd, map);
}

std::vector<CXRun> BuildSolenoidRuns(const CSolenoidSeconds& events, int32_t viewStart,
                                     int32_t viewEnd, const CChartMapping& map) {
    return SolenoidRuns(events, viewStart, viewEnd, map);
}
