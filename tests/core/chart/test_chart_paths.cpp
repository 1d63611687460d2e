#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "ChartTestLog.h"
#include "logfile/CDiveLogSolenoidSample.h"
#include "viewmodel/ChartPaths.h"

using charttest::AddSample;
using charttest::MarkLoaded;

namespace {

CChartMapping Mapping(double xScale, int32_t viewStart = 0) {
    CChartMapping map;
    map.plotLeft = 30;
    map.plotTop = 0;
    map.plotHeight = 100;
    map.xScale = xScale;
    map.viewStart = viewStart;
    return map;
}

} // namespace

// ---- BuildTraceLines ---------------------------------------------------------------------------

TEST(BuildTraceLines, OnePointPerSampleWhenZoomedIn) {
    CDiveLog log;
    for (int t = 0; t <= 4; ++t)
        AddSample(log, t, t * 10.0);
    const auto lines =
        BuildTraceLines(log, WindowSamples(log, 0, 4), 0, 0.0, 40.0, true, Mapping(10.0));
    ASSERT_EQ(lines.size(), 1u);
    ASSERT_EQ(lines[0].size(), 5u);
    EXPECT_DOUBLE_EQ(lines[0][0].x, 31.0);
    EXPECT_DOUBLE_EQ(lines[0][0].y, 0.0); // depth 0 at the top
    EXPECT_DOUBLE_EQ(lines[0][4].x, 71.0);
    EXPECT_DOUBLE_EQ(lines[0][4].y, 100.0);
}

TEST(BuildTraceLines, ManySamplesInAColumnKeepTheirExtent) {
    CDiveLog log;
    // 1000 samples of a saw tooth squeezed into 10 pixel columns.
    for (int t = 0; t < 1000; ++t)
        AddSample(log, t, (t % 7) * 5.0);
    const auto lines =
        BuildTraceLines(log, WindowSamples(log, 0, 999), 0, 0.0, 30.0, true, Mapping(0.01));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_LE(lines[0].size(), 40u);
    double lo = 1e9, hi = -1e9;
    for (const auto& p : lines[0]) {
        lo = std::min(lo, p.y);
        hi = std::max(hi, p.y);
    }
    EXPECT_DOUBLE_EQ(lo, 0.0);
    EXPECT_DOUBLE_EQ(hi, 100.0);
}

TEST(BuildTraceLines, BreaksAfterThePowerOffSample) {
    CDiveLog log;
    AddSample(log, 0, 1.0);
    AddSample(log, 10, 1.0).m_bPoweredOn = false; // made by the power-off record
    AddSample(log, 20, 1.0);
    AddSample(log, 30, 1.0);
    const auto lines =
        BuildTraceLines(log, WindowSamples(log, 0, 30), 0, 0.0, 2.0, true, Mapping(1.0));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_DOUBLE_EQ(lines[0].back().x, 41.0);
    EXPECT_DOUBLE_EQ(lines[1].front().x, 51.0);
}

TEST(BuildTraceLines, OneSampleDrawsNothing) {
    CDiveLog log;
    AddSample(log, 0, 1.0);
    EXPECT_TRUE(
        BuildTraceLines(log, WindowSamples(log, 0, 1), 0, 0.0, 2.0, true, Mapping(1.0)).empty());
}

// ---- BuildBandRuns -----------------------------------------------------------------------------

TEST(BuildBandRuns, EachSampleCoversTheIntervalEndingAtIt) {
    CDiveLog log;
    for (int t = 0; t <= 50; t += 10)
        AddSample(log, t, 1.0).m_byCellStatusExtra = (t == 20 || t == 30 || t == 50) ? 1 : 0;
    const auto runs = BuildBandRuns(log, WindowSamples(log, 0, 50), 909, false, Mapping(1.0));
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_DOUBLE_EQ(runs[0].x0, 41.0);
    EXPECT_DOUBLE_EQ(runs[0].x1, 61.0);
    EXPECT_DOUBLE_EQ(runs[1].x0, 71.0);
    EXPECT_DOUBLE_EQ(runs[1].x1, 81.0);
}

TEST(BuildBandRuns, SamplesOfTheSameSecondStillShow) {
    CDiveLog log;
    AddSample(log, 5.2, 1.0);
    AddSample(log, 5.7, 1.0).m_byCellStatusExtra = 1;
    const auto runs = BuildBandRuns(log, WindowSamples(log, 0, 10), 909, false, Mapping(1.0));
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_GT(runs[0].x1, runs[0].x0);
}

// The bands are drawn sample by sample in the order the samples come: each on sample covers
// from where the pen stood after the sample before. Written here the plain way, over several
// bands at once, as the reference for the faster walk.
std::vector<CXRun> ReferenceBandRuns(const std::vector<double>& times,
                                     const std::vector<unsigned char>& on, size_t first,
                                     size_t last, const CChartMapping& map) {
    std::vector<CXRun> runs;
    double pen = map.X(times[first]);
    for (size_t i = first + 1; i <= last; ++i) {
        double x = map.X(times[i]);
        if (on[i]) {
            if (std::trunc(times[i]) == std::trunc(times[i - 1]))
                x += 1.0;
            if (x == pen)
                x += 1.0;
            const double x0 = std::clamp(pen, map.xMin, map.xMax);
            const double x1 = std::clamp(x, map.xMin, map.xMax);
            if (!runs.empty() && x0 <= runs.back().x1)
                runs.back().x1 = std::max(runs.back().x1, x1);
            else
                runs.push_back({x0, x1});
        }
        pen = x;
    }
    return runs;
}

TEST(BuildBandRuns, MatchesTheSampleBySampleWalk) {
    std::mt19937 rng(42);
    for (int round = 0; round < 40; ++round) {
        CDiveLog log;
        std::vector<double> times;
        std::vector<unsigned char> on;
        double t = 0.0;
        for (int i = 0; i < 400; ++i) {
            // Whole seconds, fractions inside one second, and gaps.
            t += rng() % 4 == 0 ? 0.25 : static_cast<double>(1 + rng() % 30);
            const bool set = rng() % (round % 3 == 0 ? 2 : 9) == 0;
            AddSample(log, t, 1.0).m_byCellStatusExtra = set ? 1 : 0;
            times.push_back(t);
            on.push_back(set);
        }
        CChartMapping map = Mapping(round % 2 ? 0.05 : 2.0, static_cast<int32_t>(rng() % 500));
        if (round % 4 == 1) {
            map.xMin = 60.0; // a zoomed window pulls far samples in
            map.xMax = 400.0;
        }
        const size_t first = rng() % 50, last = 300 + rng() % 100;
        const CSampleRange window{first, last, false};
        const auto runs = BuildBandRuns(log, window, 909, false, map);
        const auto expected = ReferenceBandRuns(times, on, first, last, map);
        ASSERT_EQ(runs.size(), expected.size()) << "round " << round;
        for (size_t k = 0; k < runs.size(); ++k) {
            EXPECT_EQ(runs[k].x0, expected[k].x0) << "round " << round << " run " << k;
            EXPECT_EQ(runs[k].x1, expected[k].x1) << "round " << round << " run " << k;
        }
    }
}

// ---- BuildSolenoidRuns -------------------------------------------------------------------------

TEST(BuildSolenoidRuns, FiredSecondsInTheWindowMerged) {
    std::vector<std::unique_ptr<CDiveLogSolenoidSample>> events;
    for (int t = 0; t < 100; ++t)
        events.push_back(std::make_unique<CDiveLogSolenoidSample>(t == 5 || t == 50 || t == 51, t));
    const auto runs = BuildSolenoidRuns(events, 10, 99, Mapping(1.0, 10));
    ASSERT_EQ(runs.size(), 1u); // second 5 lies before the window
    EXPECT_DOUBLE_EQ(runs[0].x0, 31.0 + 39);
    EXPECT_DOUBLE_EQ(runs[0].x1, 31.0 + 41);
}

// Regression: a sample hours before a zoomed window must not hand the painter an x in the
// millions; the line's first point is pulled in to the plot edge along the same line.
TEST(BuildTraceLines, FarSampleIsPulledInAlongItsLine) {
    CDiveLog log;
    AddSample(log, -36000, 0.0);
    AddSample(log, 100, 10.0);
    AddSample(log, 110, 10.0);
    CChartMapping map = Mapping(10.0, 100);
    map.xMin = 28;
    map.xMax = 700;
    const auto lines = BuildTraceLines(log, WindowSamples(log, 100, 110), 0, 0.0, 10.0, true, map);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_DOUBLE_EQ(lines[0].front().x, 28.0);
    EXPECT_NEAR(lines[0].front().y, 100.0, 0.01);
}

// The model's bitset array must give the runs the plain array gives.
TEST(BuildSolenoidRuns, BitsetArrayGivesTheSameRuns) {
    std::vector<std::unique_ptr<CDiveLogSolenoidSample>> events;
    CSolenoidSeconds seconds;
    for (int t = 0; t < 300; ++t) {
        const bool fired = t % 7 == 0 || (t > 100 && t < 140);
        const double time = t < 200 ? t : t + 50; // a gap in the log
        events.push_back(std::make_unique<CDiveLogSolenoidSample>(fired, time));
        seconds.push_back(fired, time);
    }
    for (const auto& [from, to] : {std::pair{0, 400}, std::pair{130, 260}, std::pair{255, 256}}) {
        const auto expected = BuildSolenoidRuns(events, from, to, Mapping(1.0, 10));
        const auto runs = BuildSolenoidRuns(seconds, from, to, Mapping(1.0, 10));
        ASSERT_EQ(runs.size(), expected.size()) << from;
        for (size_t i = 0; i < runs.size(); ++i) {
            EXPECT_EQ(runs[i].x0, expected[i].x0);
            EXPECT_EQ(runs[i].x1, expected[i].x1);
        }
    }
}
