#include "viewmodel/ChartPaths.h"

#include <algorithm>
#include <cmath>

#include "logfile/CDiveLog.h"
#include "logfile/CDiveLogSample.h"
#include "logfile/CDiveLogSolenoidSample.h"
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

std::vector<CPolyline> BuildTraceLines(const CDiveLog& log, const CSampleRange& window, int code,
                                       double min, double max, bool downwards,
                                       const CChartMapping& map) {
    std::vector<CPolyline> lines;
    if (window.empty)
        return lines;
    const double span = max - min;
    const double perUnit = span > 0.0 ? map.plotHeight / span : 0.0;
    const auto point = [&](const CDiveLogSample& s) {
        const double v = TraceValue(code, s);
        const double y = downwards ? (v - min) * perUnit : (max - v) * perUnit;
        return CChartPoint{map.X(s.m_dTime), map.plotTop + y};
    };
    const auto& samples = log.m_arSamples;
    CColumnReducer reducer(lines);
    CChartPoint previous = point(*samples[window.first]);
    CChartPoint first = previous;
    if (window.last > window.first)
        first = PullIn(previous, point(*samples[window.first + 1]), map);
    reducer.MoveTo(first);
    for (size_t i = window.first + 1; i <= window.last; ++i) {
        const CChartPoint current = point(*samples[i]);
        const CChartPoint shown = PullIn(current, previous, map);
        if (samples[i - 1]->m_bPoweredOn)
            reducer.LineTo(shown);
        else
            reducer.MoveTo(shown);
        previous = current;
    }
    reducer.Finish();
    return lines;
}

std::vector<CXRun> BuildBandRuns(const CDiveLog& log, const CSampleRange& window, int code,
                                 bool level3, const CChartMapping& map) {
    std::vector<CXRun> runs;
    if (window.empty)
        return runs;
    const auto& samples = log.m_arSamples;
    double penX = map.X(samples[window.first]->m_dTime);
    for (size_t i = window.first + 1; i <= window.last; ++i) {
        const CDiveLogSample& s = *samples[i];
        const bool on = TraceState(code, s, level3);
        double x = map.X(s.m_dTime);
        if (on && std::trunc(s.m_dTime) == std::trunc(samples[i - 1]->m_dTime))
            x += 1.0;
        if (on) {
            if (x == penX)
                x += 1.0;
            AddRun(runs, std::clamp(penX, map.xMin, map.xMax), std::clamp(x, map.xMin, map.xMax));
        }
        penX = x;
    }
    return runs;
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
