#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

#include "ChartTestLog.h"
#include "viewmodel/ChartColumns.h"
#include "viewmodel/ChartPaths.h"
#include "viewmodel/TraceColumns.h"

using charttest::AddSample;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The lines drawn the plain way: every sample's point (pulled in when beyond the x limits) fed
// one at a time into a reducer that keeps entry, extremes and exit of each pixel column.
std::vector<CPolyline> ReferenceLines(const CDiveLog& log, const CSampleRange& w,
                                      const CTraceRequest& r, const CChartMapping& map) {
    const double per = r.max > r.min ? map.plotHeight / (r.max - r.min) : 0.0;
    const auto point = [&](size_t i) {
        const double v = TraceColumn(log, r.code)[i];
        return CChartPoint{map.X(log.m_arSamples.Time(i)),
                           map.plotTop + (r.downwards ? (v - r.min) * per : (r.max - v) * per)};
    };
    const auto pull = [&](CChartPoint p, CChartPoint q) {
        const double lim = std::clamp(p.x, map.xMin, map.xMax);
        if (lim != p.x && q.x != p.x)
            p.y += (q.y - p.y) * (lim - p.x) / (q.x - p.x);
        p.x = lim;
        return p;
    };
    std::vector<CPolyline> out;
    CPolyline line;
    CChartPoint first{}, last{};
    double lo = 0, hi = 0, column = 0;
    bool open = false;
    const auto push = [&](CChartPoint p) {
        if (line.empty() || line.back().x != p.x || line.back().y != p.y)
            line.push_back(p);
    };
    const auto flush = [&] {
        if (!open)
            return;
        push(first);
        const bool up = std::abs(first.y - lo) < std::abs(first.y - hi);
        push({first.x, up ? lo : hi});
        push({first.x, up ? hi : lo});
        push(last);
    };
    const auto end = [&] {
        if (line.size() >= 2)
            out.push_back(line);
        line.clear();
    };
    for (size_t i = w.first; i <= w.last; ++i) {
        CChartPoint p = point(i);
        if (w.last > w.first)
            p = pull(p, point(i == w.first ? i + 1 : i - 1));
        const bool moves = i == w.first || !log.m_arSamples[i - 1]->m_bPoweredOn;
        if (moves || std::floor(p.x) != column) {
            flush();
            if (moves)
                end();
            first = last = p;
            lo = hi = p.y;
            column = std::floor(p.x);
            open = true;
            continue;
        }
        lo = std::min(lo, p.y);
        hi = std::max(hi, p.y);
        last = p;
    }
    flush();
    end();
    return out;
}

// A noisy cell-1 trace at one-second samples with power-off breaks and a few NaN values.
void NoisyLog(CDiveLog& log, std::mt19937& rng, int samples, bool withNaN) {
    std::uniform_real_distribution<double> value(0.2, 1.6);
    std::uniform_int_distribution<int> dice(0, 99);
    for (int t = 0; t < samples; ++t) {
        CDiveLogSample& s = AddSample(log, t, 10.0);
        s.m_dC1Cell[0] = withNaN && dice(rng) == 0 ? kNaN : value(rng);
        s.m_bPoweredOn = dice(rng) != 0;
    }
    if (withNaN) // a column that starts with NaN
        log.m_arSamples.Set(0, [&] {
            CDiveLogSample s = log.m_arSamples.Get(0);
            s.m_dC1Cell[0] = kNaN;
            return s;
        }());
}

void ExpectSameLines(const std::vector<CPolyline>& a, const std::vector<CPolyline>& b) {
    ASSERT_EQ(a.size(), b.size());
    for (size_t l = 0; l < a.size(); ++l) {
        ASSERT_EQ(a[l].size(), b[l].size()) << "line " << l;
        for (size_t k = 0; k < a[l].size(); ++k) {
            EXPECT_EQ(a[l][k].x, b[l][k].x) << "line " << l << " point " << k;
            // NaN stays NaN on both sides.
            if (!(std::isnan(a[l][k].y) && std::isnan(b[l][k].y))) {
                EXPECT_EQ(a[l][k].y, b[l][k].y) << "line " << l << " point " << k;
            }
        }
    }
}

CChartMapping PlotMapping(int32_t viewStart, int32_t viewEnd, double width) {
    CChartState state;
    state.m_nViewStart = viewStart;
    state.m_nViewEnd = viewEnd;
    return MapView(state, 30.0, 0.0, width, 500.0);
}

} // namespace

// ---- ReduceColumn ------------------------------------------------------------------------------

TEST(ReduceColumn, AgreesWithARunningMinMaxOnRandomData) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> value(-5.0, 5.0);
    std::vector<double> v(300);
    for (double& x : v)
        x = value(rng);
    v[40] = v[77] = kNaN; // passed over unless first
    for (size_t first = 0; first < 60; first += 7)
        for (size_t last = first; last < v.size(); last += 13) {
            if (first == 40)
                continue;
            double lo = v[first], hi = v[first];
            for (size_t i = first; i <= last; ++i) {
                lo = std::min(lo, v[i]);
                hi = std::max(hi, v[i]);
            }
            const CColumnValues r = ReduceColumn(v.data(), first, last);
            EXPECT_EQ(r.min, lo) << first << ".." << last;
            EXPECT_EQ(r.max, hi) << first << ".." << last;
            EXPECT_EQ(r.first, v[first]);
            EXPECT_TRUE(r.last == v[last] || std::isnan(v[last]));
        }
    const CColumnValues nanFirst = ReduceColumn(v.data(), 40, 60);
    EXPECT_TRUE(std::isnan(nanFirst.min) && std::isnan(nanFirst.max));
}

// ---- ColumnCells -------------------------------------------------------------------------------

TEST(ColumnCells, SplitAtColumnsAndPowerOffAndMarkSamplesBeyondTheEdges) {
    CDiveLog log;
    AddSample(log, -5000, 1.0); // far left of the window
    for (int t = 0; t < 40; ++t)
        AddSample(log, t, 1.0).m_bPoweredOn = t != 13;
    AddSample(log, 9000, 1.0);                          // far right
    const CChartMapping map = PlotMapping(0, 40, 11.0); // 10 pixels for 40 seconds
    const std::vector<CColumnCell> cells = ColumnCells(log, WindowSamples(log, 0, 40), map);
    ASSERT_FALSE(cells.empty());
    EXPECT_TRUE(cells.front().pulled);
    EXPECT_EQ(cells.front().firstX, map.xMin);
    EXPECT_TRUE(cells.back().pulled);
    EXPECT_EQ(cells.back().lastX, map.xMax);
    size_t next = cells.front().first;
    for (const CColumnCell& c : cells) {
        EXPECT_EQ(c.first, next); // every sample in exactly one cell, in order
        next = c.last + 1;
        EXPECT_EQ(std::floor(c.firstX), std::floor(c.lastX));
        // Sample 14 follows the power-off sample 13 (index 14 with the far one first).
        EXPECT_EQ(c.startsLine, c.first == cells.front().first || c.first == 15) << c.first;
    }
    EXPECT_EQ(next, log.m_arSamples.size());
}

// Cells are whole pixel columns also left of x = 0, where a column's floor lies below its
// truncation, and a sample with no x of its own (an undefined time) never joins a neighbour.
TEST(ColumnCells, ColumnsLeftOfZeroAndUndefinedTimes) {
    CDiveLog log;
    for (int t = 0; t < 300; ++t)
        AddSample(log, t == 150 ? std::numeric_limits<double>::quiet_NaN() : t, 1.0);
    CChartMapping map = PlotMapping(0, 300, 60.0);
    map.plotLeft = -40.3; // the first samples' x from -39.3 up through zero
    const std::vector<CColumnCell> cells = ColumnCells(log, CSampleRange{0, 299, false}, map);
    size_t next = 0;
    for (size_t k = 0; k < cells.size(); ++k) {
        const CColumnCell& c = cells[k];
        EXPECT_EQ(c.first, next);
        next = c.last + 1;
        if (c.first == 150 || c.last == 150) {
            EXPECT_EQ(c.first, c.last); // the undefined sample stands alone
            continue;
        }
        EXPECT_EQ(std::floor(c.firstX), std::floor(c.lastX)) << c.first;
        if (k > 0 && cells[k - 1].last != 150) {
            EXPECT_NE(std::floor(cells[k - 1].lastX), std::floor(c.firstX)) << c.first;
        }
    }
    EXPECT_EQ(next, 300u);
}

namespace {

// The cells grouped the plain way: a sample joins the cell before it when it lies in the same
// pixel column (std::floor of its x, limited to the mapping's x limits unless it is the
// window's only sample) and the sample before it was not made at power-off.
std::vector<CColumnCell> ReferenceCells(const CDiveLog& log, const CSampleRange& w,
                                        const CChartMapping& map) {
    std::vector<CColumnCell> cells;
    double column = 0.0;
    for (size_t i = w.first; !w.empty && i <= w.last; ++i) {
        const double x = map.X(TimeColumn(log)[i]);
        const double px = w.first == w.last ? x : std::clamp(x, map.xMin, map.xMax);
        const bool starts = i == w.first || PoweredColumn(log)[i - 1] == 0.0;
        if (starts || std::floor(px) != column)
            cells.push_back({i, i, px, px, starts, px != x});
        else
            cells.back() = {cells.back().first,      i,
                            cells.back().firstX,     px,
                            cells.back().startsLine, cells.back().pulled || px != x};
        column = std::floor(px);
    }
    return cells;
}

// Logs of 3000 samples with repeated seconds, gaps and power-offs; unless `ordered`, also steps
// back and undefined times.
void RandomLog(CDiveLog& log, std::mt19937& rng, bool ordered) {
    std::uniform_int_distribution<int> dice(0, 99);
    double t = -50.0;
    for (int n = 0; n < 3000; ++n) {
        const int roll = dice(rng);
        t += roll < 10 ? 0.0 : roll < 13 ? 40.0 : roll < 14 && !ordered ? -7.0 : 1.0;
        const double time = roll == 99 && !ordered ? kNaN : t + (ordered ? 0.0 : 0.25 * (roll % 4));
        AddSample(log, time, 5.0).m_bPoweredOn = dice(rng) > 2;
    }
}

} // namespace

// Windows inside, across and beyond the samples, on plots narrow and wide, and on plots too
// narrow for their window (every sample in one column, or columns running backwards).
TEST(ColumnCells, SameCellsAsThePlainGroupingOnIrregularAndOrderedLogs) {
    std::mt19937 rng(5);
    for (const bool ordered : {false, true}) {
        CDiveLog log;
        RandomLog(log, rng, ordered);
        const int32_t windows[][2] = {
            {-50, 4000}, {100, 180}, {900, 905}, {3500, 9000}, {-900, -60}};
        for (const auto& w : windows)
            for (double width : {0.5, 1.0, 3.0, 61.0, 1860.0}) {
                const CChartMapping map = PlotMapping(w[0], w[1], width);
                const CSampleRange range = WindowSamples(log, w[0], w[1]);
                SCOPED_TRACE(testing::Message() << (ordered ? "ordered " : "irregular ") << w[0]
                                                << ".." << w[1] << " in " << width << " px");
                const std::vector<CColumnCell> got = ColumnCells(log, range, map);
                const std::vector<CColumnCell> want = ReferenceCells(log, range, map);
                ASSERT_EQ(got.size(), want.size());
                for (size_t k = 0; k < got.size(); ++k) {
                    EXPECT_EQ(got[k].first, want[k].first) << k;
                    EXPECT_EQ(got[k].last, want[k].last) << k;
                    EXPECT_EQ(got[k].startsLine, want[k].startsLine) << k;
                    EXPECT_EQ(got[k].pulled, want[k].pulled) << k;
                    EXPECT_TRUE(got[k].firstX == want[k].firstX ||
                                (std::isnan(got[k].firstX) && std::isnan(want[k].firstX)))
                        << k;
                    EXPECT_TRUE(got[k].lastX == want[k].lastX ||
                                (std::isnan(got[k].lastX) && std::isnan(want[k].lastX)))
                        << k;
                }
            }
    }
    CDiveLog log;
    RandomLog(log, rng, false);
    // A window of one sample: it keeps its own x, however far out.
    const CChartMapping narrow = PlotMapping(0, 10, 11.0);
    const std::vector<CColumnCell> lone = ColumnCells(log, CSampleRange{2999, 2999, false}, narrow);
    ASSERT_EQ(lone.size(), 1u);
    EXPECT_FALSE(lone[0].pulled);
    EXPECT_EQ(lone[0].firstX, narrow.X(TimeColumn(log)[2999]));
}

// ---- BuildTraceLines against the plain reducer -------------------------------------------------

TEST(BuildTraceLines, SameLinesAsOneSampleAtATimeOnRandomTraces) {
    std::mt19937 rng(11);
    CDiveLog log;
    NoisyLog(log, rng, 5000, true);
    const CTraceRequest up{102, 0.0, 2.0, false}, down{102, 0.0, 2.0, true};
    const CTraceRequest flat{102, 1.0, 1.0, false}; // a zero range: every y on the top
    // A whole-log window, a zoom whose edge samples lie beyond the plot, and a window wider than
    // its samples.
    const int32_t windows[][2] = {{0, 4999}, {1234, 1300}, {2000, 2100}, {4990, 6000}};
    for (const auto& w : windows)
        for (double width : {7.0, 300.0, 1860.0}) {
            const CChartMapping map = PlotMapping(w[0], w[1], width);
            const CSampleRange range = WindowSamples(log, w[0], w[1]);
            const auto got = BuildTraceLines(log, range, {up, down, flat}, map);
            SCOPED_TRACE(testing::Message() << w[0] << ".." << w[1] << " in " << width << " px");
            ExpectSameLines(got[0], ReferenceLines(log, range, up, map));
            ExpectSameLines(got[1], ReferenceLines(log, range, down, map));
            ExpectSameLines(got[2], ReferenceLines(log, range, flat, map));
        }
}
