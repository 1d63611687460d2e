#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "ChartTestLog.h"
#include "viewmodel/ChartScale.h"

using charttest::AddSample;
using charttest::MarkLoaded;

namespace {

CChartState StateWithWindow(int start, int end) {
    CChartState state;
    state.m_nViewStart = start;
    state.m_nViewEnd = end;
    return state;
}

// Samples each second from 0 to 10 s at `depth` metres, each handed to `fill` for its traces.
void FillLog(CDiveLog& log, double depth, const std::function<void(CDiveLogSample&, int)>& fill) {
    for (int t = 0; t <= 10; ++t)
        fill(AddSample(log, t, depth), t);
    MarkLoaded(log, 0, 10);
}

// The window [0, 10] rescaled with `codes` in slots 0, 1, ... and the `enabled` slots on.
CChartState Rescaled(const CDiveLog& log, std::vector<int> codes, std::vector<int> enabled = {}) {
    CChartState state = StateWithWindow(0, 10);
    for (size_t n = 0; n < codes.size(); ++n)
        state.m_nTraceCode[n] = codes[n];
    for (int n : enabled)
        state.m_bTraceEnabled[n] = true;
    RescaleChart(state, log);
    return state;
}

} // namespace

// ---- WindowSamples ---------------------------------------------------------------------------

TEST(WindowSamples, StepsBackOneAndStopsAtTheEnd) {
    CDiveLog log;
    for (int t = 0; t <= 100; t += 10)
        AddSample(log, t, 1.0);
    const CSampleRange r = WindowSamples(log, 25, 55);
    EXPECT_EQ(r.first, 2u); // 30 is the first not before 25, stepped back to 20
    EXPECT_EQ(r.last, 6u);  // 60 is the first not before 55
    const CSampleRange beyond = WindowSamples(log, 200, 300);
    EXPECT_EQ(beyond.first, 9u);
    EXPECT_EQ(beyond.last, 10u);
    EXPECT_TRUE(WindowSamples(CDiveLog{}, 0, 10).empty);
}

// ---- RescaleChart ----------------------------------------------------------------------------

TEST(RescaleChart, NothingLoadedGivesTenMetres) {
    CDiveLog log;
    CChartState state = StateWithWindow(0, 10);
    RescaleChart(state, log);
    EXPECT_DOUBLE_EQ(state.m_dDepthMax, 10.0);
    EXPECT_DOUBLE_EQ(state.m_dDepthMin, 0.0);
    EXPECT_DOUBLE_EQ(state.m_dDepthMid, 5.0);
}

TEST(RescaleChart, ZeroToThirtyMetres) {
    CDiveLog log;
    for (int t = 0; t <= 60; ++t)
        AddSample(log, t, t * 0.5);
    MarkLoaded(log, 0, 60);
    CChartState state = StateWithWindow(0, 60);
    RescaleChart(state, log);
    EXPECT_DOUBLE_EQ(state.m_dDepthMax, 33.0);
    EXPECT_DOUBLE_EQ(state.m_dDepthMin, 0.0);
    EXPECT_DOUBLE_EQ(state.m_dDepthMid, 16.5);
    const char* expected[] = {"0.0",  "3.3",  "6.6",  "9.9",  "13.2", "16.5",
                              "19.8", "23.1", "26.4", "29.7", "33.0"};
    for (int o = 0; o <= 10; ++o)
        EXPECT_EQ(DepthAxisLabel(state, o, true), expected[o]) << o;
    EXPECT_EQ(DepthAxisLabel(state, 10, false), "108"); // 33 m = 108.27 ft
}

TEST(RescaleChart, OneSampleWindowStillHasARange) {
    CDiveLog log;
    AddSample(log, 0, 12.34);
    MarkLoaded(log, 0, 1);
    CChartState state = StateWithWindow(0, 1);
    RescaleChart(state, log);
    EXPECT_GE(state.m_dDepthMax - state.m_dDepthMin, 0.1);
    EXPECT_DOUBLE_EQ(state.m_dDepthMax, 12.4);
    EXPECT_DOUBLE_EQ(state.m_dDepthMin, 12.2);
}

TEST(RescaleChart, CeilingDeeperThanTheDiveGrowsTheDepthAxis) {
    CDiveLog log;
    FillLog(log, 0.0, [](CDiveLogSample& s, int t) {
        s.m_dPressure = 1000.0 + t * 100.0; // down to 10 m
        s.m_dDecoSurfacePressure = 1000.0;
        s.m_dCeilingPressure = 1000.0 + 1500.0 * t / 10.0; // ceiling down to 15 m
    });
    const CChartState state = Rescaled(log, {601}, {0});
    EXPECT_DOUBLE_EQ(state.m_dTraceMax[0], 16.5);
    EXPECT_DOUBLE_EQ(state.m_dDepthMax, 16.5);
    EXPECT_DOUBLE_EQ(state.m_dTraceMin[0], state.m_dDepthMin);
    // The ceiling's right axis counts downwards like depth.
    EXPECT_EQ(RightAxisLabel(state, 0, true), "0.0");
    EXPECT_EQ(RightAxisLabel(state, 10, true), "16.5");
}

TEST(RescaleChart, ShallowCeilingTakesTheDepthRange) {
    CDiveLog log;
    FillLog(log, 30.0, [](CDiveLogSample& s, int) { s.m_dDecoSurfacePressure = 1000.0; });
    const CChartState state = Rescaled(log, {0, 0, 0, 601});
    EXPECT_DOUBLE_EQ(state.m_dTraceMax[3], state.m_dDepthMax);
}

TEST(RescaleChart, BatteriesAlwaysZeroToSevenAndAHalf) {
    CDiveLog log;
    FillLog(log, 5.0, [](CDiveLogSample& s, int t) { s.m_dBattery[0] = 9.0 + t; });
    const CChartState state = Rescaled(log, {201});
    EXPECT_DOUBLE_EQ(state.m_dTraceMin[0], 0.0);
    EXPECT_DOUBLE_EQ(state.m_dTraceMax[0], 7.5);
}

TEST(RescaleChart, AmbientMinimumMayBeNegativeOthersNot) {
    CDiveLog log;
    FillLog(log, 5.0, [](CDiveLogSample& s, int t) {
        s.m_dAmbientTemp = -2.0 + t * 0.1;
        s.m_dSetpoint = 0.05;
    });
    const CChartState state = Rescaled(log, {401, 101});
    // range 1.0, least range 2.5: margin 0.25
    EXPECT_DOUBLE_EQ(state.m_dTraceMin[0], -2.3);
    EXPECT_DOUBLE_EQ(state.m_dTraceMax[0], -0.7);
    EXPECT_DOUBLE_EQ(state.m_dTraceMin[1], 0.0);
    EXPECT_EQ(RightAxisLabel(state, 10, true), "-2.30");
    EXPECT_EQ(RightAxisLabel(state, 10, false), "27.86"); // -2.3 C in Fahrenheit
}

TEST(RescaleChart, EnabledSlotsOfAGroupShareOneScale) {
    CDiveLog log;
    FillLog(log, 5.0, [](CDiveLogSample& s, int) {
        s.m_dC1Cell[0] = 0.72;
        s.m_dC1Cell[1] = 1.28;
        s.m_dProbeTemp[0] = 10.0;
        s.m_dAmbientTemp = 20.0;
    });
    // Slot 2 is disabled but still takes the common scale.
    const CChartState state = Rescaled(log, {102, 103, 104, 701, 401}, {0, 1, 3, 4});
    EXPECT_DOUBLE_EQ(state.m_dTraceMin[0], 0.6);
    EXPECT_DOUBLE_EQ(state.m_dTraceMax[0], 1.4);
    EXPECT_DOUBLE_EQ(state.m_dTraceMin[1], 0.6);
    EXPECT_DOUBLE_EQ(state.m_dTraceMax[2], 1.4);
    // Probe (quarter steps) and ambient temperature share one scale.
    EXPECT_DOUBLE_EQ(state.m_dTraceMin[3], 9.75);
    EXPECT_DOUBLE_EQ(state.m_dTraceMax[3], 20.3);
    EXPECT_DOUBLE_EQ(state.m_dTraceMin[4], 9.75);
}

// A trace that never changes (CNS at 0 all dive) must not get an empty range: the plot height
// would be divided by zero.
TEST(RescaleChart, ConstantTraceKeepsANonEmptyRange) {
    CDiveLog log;
    FillLog(log, 5.0, [](CDiveLogSample&, int) {});
    const CChartState state = Rescaled(log, {501});
    EXPECT_GT(state.m_dTraceMax[0], state.m_dTraceMin[0]);
}

// ---- Axis labels ------------------------------------------------------------------------------

TEST(TimeAxisLabel, RelativeToTheDiveStartWithSign) {
    CChartState state = StateWithWindow(910, 2010);
    state.m_nDiveStart = 1000;
    EXPECT_EQ(TimeAxisLabel(state, 0), "-01:30");
    EXPECT_EQ(TimeAxisLabel(state, 1), "00:20");
    EXPECT_EQ(TimeAxisLabel(state, 10), "16:50");
    EXPECT_EQ(FormatSignedTime(3605), "1:00:05");
    EXPECT_EQ(FormatSignedTime(-3661), "-1:01:01");
    EXPECT_EQ(FormatSignedTime(0), "00:00");
}

TEST(RightAxisLabel, FormatFollowsTheDisplayedMaximum) {
    CChartState state;
    state.m_dTraceMax[0] = 10.0; // what rescaling gives a slot without a trace
    // A slot without a trace labels 10.00 down to 0.00.
    EXPECT_EQ(RightAxisLabel(state, 0, true), "10.00");
    EXPECT_EQ(RightAxisLabel(state, 10, true), "0.00");
    state.m_nTraceCode[0] = 301;
    state.m_dTraceMin[0] = 0.0;
    state.m_dTraceMax[0] = 220.0;
    EXPECT_EQ(RightAxisLabel(state, 0, true), "220.0");
    EXPECT_EQ(RightAxisLabel(state, 0, false), "3191"); // psi, maximum above 1000
    state.m_nYAxisSlot = 1;
    state.m_nTraceCode[1] = 101;
    state.m_dTraceMax[1] = 1.3;
    EXPECT_EQ(RightAxisLabel(state, 0, false), "1.30"); // PPO2 is not converted
}

TEST(StateAxisTicks, PairsGetTwoTicksSinglesOne) {
    CChartState state;
    state.m_nTraceCode[2] = 901;  // pair
    state.m_nTraceCode[5] = 1103; // single
    state.m_nYAxisSlot = 2;
    EXPECT_TRUE(RightAxisIsStateAxis(state));
    const auto ticks = StateAxisTicks(state, 0, 220);
    ASSERT_EQ(ticks.size(), 3u);
    // positions 8 and 9 of 11
    EXPECT_EQ(ticks[0].y, 160 + 10 - 6);
    EXPECT_STREQ(ticks[0].label, "C1");
    EXPECT_EQ(ticks[1].y, 160 + 10 + 6);
    EXPECT_STREQ(ticks[2].label, "Disp");
    EXPECT_EQ(ticks[2].y, 180 + 10);
    EXPECT_EQ(FirstStateBand(state), 9);
    EXPECT_EQ(StateBandY(0, 220, 9), 10 + 160 - 10);
}
