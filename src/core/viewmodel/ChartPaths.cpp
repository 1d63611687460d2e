#include "viewmodel/ChartPaths.h"

#include <algorithm>
#include <cmath>

#include "logfile/CDiveLog.h"
#include "logfile/CDiveLogSample.h"
#include "logfile/CDiveLogSolenoidSample.h"
#include "viewmodel/CChartState.h"
#include "viewmodel/StateBits.h"
#include "viewmodel/TraceValue.h"

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
    void LineTo(const CChartPoint& p) {
        if (!m_bOpen) {
            Start(p);
            return;
        }
        if (std::floor(p.x) != m_dColumn) {
            Flush();
            Start(p);
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
    void Start(const CChartPoint& p) {
        m_bOpen = true;
        m_dColumn = std::floor(p.x);
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
    CLineBuilder(const CTraceRequest& r, const CChartMapping& m, std::vector<CPolyline>& out)
        : request(r), map(m), reducer(out) {
        const double span = r.max - r.min;
        perUnit = span > 0.0 ? m.plotHeight / span : 0.0;
    }
    CChartPoint Point(const CDiveLogSample& s) const {
        const double v = TraceValue(request.code, s);
        const double y =
            request.downwards ? (v - request.min) * perUnit : (request.max - v) * perUnit;
        return CChartPoint{map.X(s.m_dTime), map.plotTop + y};
    }

    const CTraceRequest& request;
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
        builders.emplace_back(requests[r], map, lines[r]);
    // One walk over the samples for all traces: a sample is touched once, not once per trace.
    const auto& samples = log.m_arSamples;
    const CDiveLogSample& firstSample = *samples[window.first];
    const CDiveLogSample* secondSample =
        window.last > window.first ? samples[window.first + 1].get() : nullptr;
    for (CLineBuilder& b : builders) {
        b.previous = b.Point(firstSample);
        b.reducer.MoveTo(secondSample ? PullIn(b.previous, b.Point(*secondSample), map)
                                      : b.previous);
    }
    for (size_t i = window.first + 1; i <= window.last; ++i) {
        const CDiveLogSample& s = *samples[i];
        const bool joined = samples[i - 1]->m_bPoweredOn;
        for (CLineBuilder& b : builders) {
            const CChartPoint current = b.Point(s);
            const CChartPoint shown = PullIn(current, b.previous, map);
            if (joined)
                b.reducer.LineTo(shown);
            else
                b.reducer.MoveTo(shown);
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
    std::vector<double> penX(codes.size(), map.X(samples[window.first]->m_dTime));
    for (size_t i = window.first + 1; i <= window.last; ++i) {
        const CDiveLogSample& s = *samples[i];
        const double sampleX = map.X(s.m_dTime);
        const bool sameSecond = std::trunc(s.m_dTime) == std::trunc(samples[i - 1]->m_dTime);
        for (size_t c = 0; c < codes.size(); ++c) {
            const bool on = TraceState(codes[c], s, level3);
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

std::vector<CXRun>
BuildSolenoidRuns(const std::vector<std::unique_ptr<CDiveLogSolenoidSample>>& events,
                  int32_t viewStart, int32_t viewEnd, const CChartMapping& map) {
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
