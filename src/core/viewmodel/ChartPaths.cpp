#include "viewmodel/ChartPaths.h"

#include <algorithm>
#include <cmath>

#include "logfile/CDiveLog.h"
#include "logfile/CDiveLogSample.h"
#include "logfile/CDiveLogSolenoidSample.h"
#include "viewmodel/CChartState.h"
#include "viewmodel/TraceColumns.h"

namespace {

// Collects the points of one pixel column and hands on only those that shape the line.
class CColumnReducer {
public:
    explicit CColumnReducer(std::vector<CPolyline>& out) : m_out(out) {}

    void MoveTo(const CChartPoint& p) {
        Flush();
        EndLine();
        Start(p);
    }
    void LineTo(const CChartPoint& p) { LineTo(p, std::floor(p.x)); }
    // `column` is floor(p.x), worked out once for all traces of a sample.
    void LineTo(const CChartPoint& p, double column) {
        if (!m_bOpen) {
            Start(p, column);
            return;
        }
        if (column != m_dColumn) {
            Flush();
            Start(p, column);
            return;
        }
        m_min = std::min(m_min, p.y);
        m_max = std::max(m_max, p.y);
        m_last = p;
    }
    void Finish() {
        Flush();
        EndLine();
    }

private:
    void Start(const CChartPoint& p) { Start(p, std::floor(p.x)); }
    void Start(const CChartPoint& p, double column) {
        m_bOpen = true;
        m_dColumn = column;
        m_first = m_last = p;
        m_min = m_max = p.y;
    }
    void Push(const CChartPoint& p) {
        if (m_line.empty() || m_line.back().x != p.x || m_line.back().y != p.y)
            m_line.push_back(p);
    }
    void Flush() {
        if (!m_bOpen)
            return;
        Push(m_first);
        // Visit the extreme nearer the entry first, so the vertical stroke is drawn once.
        const bool upFirst = std::abs(m_first.y - m_min) < std::abs(m_first.y - m_max);
        Push({m_first.x, upFirst ? m_min : m_max});
        Push({m_first.x, upFirst ? m_max : m_min});
        Push(m_last);
        m_bOpen = false;
    }
    void EndLine() {
        if (m_line.size() >= 2)
            m_out.push_back(std::move(m_line));
        m_line.clear();
    }

    std::vector<CPolyline>& m_out;
    CPolyline m_line;
    bool m_bOpen = false;
    double m_dColumn = 0.0;
    CChartPoint m_first{0, 0};
    CChartPoint m_last{0, 0};
    double m_min = 0.0;
    double m_max = 0.0;
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

double CChartMapping::X(double time) const {
    return plotLeft + 1.0 + (std::trunc(time) - viewStart) * xScale;
}

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

// One trace being turned into lines while the samples go by.
struct CLineBuilder {
    CLineBuilder(const CTraceRequest& r, const CDiveLog& log, const CChartMapping& m,
                 std::vector<CPolyline>& out)
        : request(r), values(TraceColumn(log, r.code)), map(m), reducer(out) {
        const double span = r.max - r.min;
        perUnit = span > 0.0 ? m.plotHeight / span : 0.0;
    }
    CChartPoint Point(size_t i, double x) const {
        const double v = values[i];
        const double y =
            request.downwards ? (v - request.min) * perUnit : (request.max - v) * perUnit;
        return CChartPoint{x, map.plotTop + y};
    }

    const CTraceRequest& request;
    const std::vector<double>& values;
    const CChartMapping& map;
    CColumnReducer reducer;
    double perUnit = 0.0;
    CChartPoint previous{0, 0};
};

} // namespace

std::vector<std::vector<CPolyline>> BuildTraceLines(const CDiveLog& log, const CSampleRange& window,
                                                    const std::vector<CTraceRequest>& requests,
                                                    const CChartMapping& map) {
    std::vector<std::vector<CPolyline>> lines(requests.size());
    if (window.empty || requests.empty())
        return lines;
    std::vector<CLineBuilder> builders;
    builders.reserve(requests.size());
    for (size_t r = 0; r < requests.size(); ++r)
        builders.emplace_back(requests[r], log, map, lines[r]);
    // One walk over the samples for all traces, reading each trace's values as one array.
    const auto& samples = log.m_arSamples;
    const std::vector<double>& powered = PoweredColumn(log);
    const size_t first = window.first;
    const double firstX = map.X(samples.Time(first));
    const bool hasSecond = window.last > first;
    const double secondX = hasSecond ? map.X(samples.Time(first + 1)) : 0.0;
    for (CLineBuilder& b : builders) {
        b.previous = b.Point(first, firstX);
        b.reducer.MoveTo(hasSecond ? PullIn(b.previous, b.Point(first + 1, secondX), map)
                                   : b.previous);
    }
    for (size_t i = first + 1; i <= window.last; ++i) {
        const double x = map.X(samples.Time(i));
        // A point inside the x limits is drawn where it is: only the few samples beyond the
        // window are pulled in, and the pixel column is shared by every trace.
        const bool inside = x >= map.xMin && x <= map.xMax;
        const double column = std::floor(x);
        const bool joined = powered[i - 1] != 0.0;
        for (CLineBuilder& b : builders) {
            const CChartPoint current = b.Point(i, x);
            if (!joined)
                b.reducer.MoveTo(inside ? current : PullIn(current, b.previous, map));
            else if (inside)
                b.reducer.LineTo(current, column);
            else
                b.reducer.LineTo(PullIn(current, b.previous, map));
            b.previous = current;
        }
    }
    for (CLineBuilder& b : builders)
        b.reducer.Finish();
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
    const auto& samples = log.m_arSamples;
    std::vector<const std::vector<double>*> states;
    for (int code : codes)
        states.push_back(&StateColumn(log, code, level3));
    std::vector<double> penX(codes.size(), map.X(samples.Time(window.first)));
    double previousTime = samples.Time(window.first);
    for (size_t i = window.first + 1; i <= window.last; ++i) {
        const double time = samples.Time(i);
        const double sampleX = map.X(time);
        const bool sameSecond = std::trunc(time) == std::trunc(previousTime);
        previousTime = time;
        for (size_t c = 0; c < codes.size(); ++c) {
            const bool on = (*states[c])[i] != 0.0;
            double x = sampleX;
            if (on) {
                if (sameSecond)
                    x += 1.0;
                if (x == penX[c])
                    x += 1.0;
                AddRun(runs[c], std::clamp(penX[c], map.xMin, map.xMax),
                       std::clamp(x, map.xMin, map.xMax));
            }
            penX[c] = x;
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
