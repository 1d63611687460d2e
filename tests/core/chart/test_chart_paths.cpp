#include <gtest/gtest.h>

#include <algorithm>

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
