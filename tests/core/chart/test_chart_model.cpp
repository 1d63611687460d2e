#include <gtest/gtest.h>

#include "ChartTestLog.h"
#include "viewmodel/CChartModel.h"
#include "viewmodel/TraceGroups.h"

using charttest::AddSample;
using charttest::MarkLoaded;

namespace {

// 600 seconds of samples every 10 s on a chart whose plot is 600 pixels wide: with the window
// [0, 599] one pixel is one second and x = 30 + t.
class ChartModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int t = 0; t < 600; t += 10)
            AddSample(m_log, t, t / 20.0);
        MarkLoaded(m_log, 0, 599);
        m_model.SetLog(&m_log);
        m_model.SetChartSize(660, 220);
        m_model.TakeLoadedTimes();
    }
    const CChartState& State() const { return m_model.State(); }

    CDiveLog m_log;
    CChartModel m_model;
};

} // namespace

TEST_F(ChartModelTest, TimeAtXFollowsThePlot) {
    EXPECT_DOUBLE_EQ(m_model.XScale(), 1.0);
    EXPECT_DOUBLE_EQ(m_model.TimeAtX(130), 100.0);
    EXPECT_DOUBLE_EQ(m_model.TimeAtX(5), 0.0);     // limited to the window
    EXPECT_DOUBLE_EQ(m_model.TimeAtX(900), 599.0); // limited to the window
}

TEST_F(ChartModelTest, DragZoomsAndKeepsTheCursorUnderThePointer) {
    EXPECT_TRUE(m_model.LeftDown(130, 50));
    EXPECT_TRUE(State().m_bDragging);
    m_model.MouseMove(330, 50, true);
    EXPECT_DOUBLE_EQ(State().m_dDragTime, 300.0);
    m_model.LeftUp(330, 50);
    EXPECT_FALSE(State().m_bDragging);
    EXPECT_EQ(State().m_nViewStart, 100);
    EXPECT_EQ(State().m_nViewEnd, 300);
    // x = 330 is now 300 / 2.995 pixels per second into the window [100, 300].
    EXPECT_DOUBLE_EQ(State().m_dCursorTime, 200.0);
    EXPECT_TRUE(m_model.ResetZoomChangesView());
    m_model.ResetZoom();
    EXPECT_EQ(State().m_nViewStart, 0);
    EXPECT_EQ(State().m_nViewEnd, 599);
    EXPECT_FALSE(m_model.ResetZoomChangesView());
}

TEST_F(ChartModelTest, PressAndReleaseSetTheWindowAndCursor) {
    const struct {
        int press, release;
        bool move; // a move event reported the release point first
        int viewStart, viewEnd;
        double cursor; // < 0: not checked
    } cases[] = {
        {430, 230, false, 200, 400, -1}, // leftwards, no move event
        {130, 650, true, 100, 599, 599}, // released right of the plot: cursor at the window end
        {130, 130, true, 0, 599, 100},   // a click at the press point only places the cursor
    };
    for (const auto& c : cases) {
        m_model.ResetZoom();
        m_model.LeftDown(c.press, 50);
        if (c.move)
            m_model.MouseMove(c.release, 50, true);
        m_model.LeftUp(c.release, 50);
        EXPECT_EQ(State().m_nViewStart, c.viewStart) << c.press << "->" << c.release;
        EXPECT_EQ(State().m_nViewEnd, c.viewEnd) << c.press << "->" << c.release;
        EXPECT_FALSE(State().m_bDragging);
        if (c.cursor >= 0) {
            EXPECT_DOUBLE_EQ(State().m_dCursorTime, c.cursor) << c.press << "->" << c.release;
        }
    }
}

TEST_F(ChartModelTest, CursorFollowsThePointerUnlessLocked) {
    m_model.MouseMove(80, 50, false);
    EXPECT_DOUBLE_EQ(State().m_dCursorTime, 50.0);
    EXPECT_TRUE(m_model.DoubleClick(80, 50));
    EXPECT_TRUE(State().m_bCursorLock);
    m_model.MouseMove(280, 50, false);
    EXPECT_DOUBLE_EQ(State().m_dCursorTime, 50.0);
    // A locked cursor still moves on a click, but no drag starts.
    m_model.LeftDown(180, 50);
    EXPECT_DOUBLE_EQ(State().m_dCursorTime, 150.0);
    EXPECT_FALSE(State().m_bDragging);
    m_model.DoubleClick(80, 50);
    EXPECT_FALSE(State().m_bCursorLock);
}

TEST_F(ChartModelTest, DragEndsWhenTheButtonWasReleasedElsewhere) {
    m_model.LeftDown(130, 50);
    m_model.MouseMove(200, 50, false);
    EXPECT_FALSE(State().m_bDragging);
    EXPECT_DOUBLE_EQ(State().m_dCursorTime, 170.0);
}

TEST_F(ChartModelTest, EscapeLeavesTheDragWithoutZooming) {
    m_model.LeftDown(130, 50);
    m_model.MouseMove(300, 50, true);
    EXPECT_TRUE(m_model.CancelDrag());
    EXPECT_FALSE(m_model.LeftUp(300, 50));
    EXPECT_EQ(State().m_nViewEnd, 599);
    EXPECT_FALSE(m_model.CancelDrag());
}

TEST_F(ChartModelTest, KeysStepFromSampleToSample) {
    m_model.State().m_dCursorTime = 105.0;
    EXPECT_TRUE(m_model.CursorToNextSample());
    EXPECT_DOUBLE_EQ(State().m_dCursorTime, 110.0);
    EXPECT_TRUE(m_model.CursorToPreviousSample());
    EXPECT_DOUBLE_EQ(State().m_dCursorTime, 100.0);
    EXPECT_TRUE(m_model.CursorToPreviousSample());
    EXPECT_DOUBLE_EQ(State().m_dCursorTime, 90.0);
    EXPECT_TRUE(m_model.CursorToWindowEnd());
    EXPECT_DOUBLE_EQ(State().m_dCursorTime, 599.0);
    EXPECT_FALSE(m_model.CursorToNextSample());
    EXPECT_TRUE(m_model.CursorToWindowStart());
    EXPECT_FALSE(m_model.CursorToPreviousSample());
}

TEST_F(ChartModelTest, CursorAndNextSample) {
    m_model.State().m_dCursorTime = 105.0;
    EXPECT_EQ(m_model.CursorSample(), 10u);
    EXPECT_EQ(m_model.NextSample(), 11u);
    m_model.State().m_dCursorTime = 599.0;
    EXPECT_EQ(m_model.CursorSample(), 59u);
    EXPECT_EQ(m_model.NextSample(), 59u); // the last sample reads an ascent rate of 0
    // Zoomed in, a cursor before the window's samples uses the window's first sample.
    m_model.State().m_nViewStart = 300;
    m_model.State().m_nViewEnd = 400;
    m_model.State().m_dCursorTime = 0.0;
    EXPECT_EQ(m_model.CursorSample(), 29u);
}

TEST_F(ChartModelTest, MouseIsIgnoredWithoutAFile) {
    CDiveLog empty;
    CChartModel model;
    model.SetLog(&empty);
    model.SetChartSize(660, 220);
    EXPECT_FALSE(model.LeftDown(130, 50));
    EXPECT_FALSE(model.DoubleClick(130, 50));
    EXPECT_FALSE(model.LeftUp(130, 50));
}

// ---- Trace settings ------------------------------------------------------------------------

TEST_F(ChartModelTest, TraceGroupPresetFillsTheSlotsAndApplies) {
    CTraceSettings before = GroupDefaults<CTraceSettings>();
    before.m_nYAxisSelection = 3;
    before.m_nTrace[9] = 903;
    before.m_nTraceEnable[9] = 1;
    const CTraceSettings t = WithTraceGroupPreset(before, 2);
    EXPECT_EQ(t.m_nTrace[0], 201u);
    EXPECT_EQ(t.m_nTrace[3], 204u);
    EXPECT_EQ(t.m_nTrace[4], 0u);
    EXPECT_EQ(t.m_nTrace[9], 0u);
    EXPECT_EQ(t.m_nTraceEnable[3], 1u);
    EXPECT_EQ(t.m_nTraceEnable[4], 0u);
    EXPECT_EQ(t.m_nTraceEnable[9], 0u);
    EXPECT_EQ(t.m_nTraceGroup, 2u);
    EXPECT_EQ(t.m_nYAxisSelection, 3u);                                // left alone
    EXPECT_EQ(WithTraceGroupPreset(before, kTraceGroupCount), before); // unknown group
    m_model.ApplyTraceSettings(t);
    EXPECT_EQ(State().m_nTraceCode[1], 202);
    EXPECT_TRUE(State().m_bTraceEnabled[1]);
    EXPECT_FALSE(State().m_bTraceEnabled[5]);
    EXPECT_EQ(State().m_nYAxisSlot, 3);
    EXPECT_DOUBLE_EQ(State().m_dTraceMax[0], 7.5);
}

TEST_F(ChartModelTest, SolenoidSettingSwitchesTheRow) {
    CTraceSettings traces = GroupDefaults<CTraceSettings>();
    m_model.ApplyTraceSettings(traces);
    EXPECT_FALSE(State().m_bSolenoidRowOn); // a fresh installation draws no firing row
    traces.m_nSolenoids = 1;
    m_model.ApplyTraceSettings(traces);
    EXPECT_TRUE(State().m_bSolenoidRowOn);
    traces.m_nSolenoids = 0;
    traces.m_nDepth = 0;
    m_model.ApplyTraceSettings(traces);
    EXPECT_FALSE(State().m_bSolenoidRowOn);
    EXPECT_FALSE(State().m_bDepthTraceOn);
}

TEST(TraceDisplayName, NamesOfTheCodes) {
    EXPECT_EQ(TraceDisplayName(307), "Cylinder Pressures - Diluent 6");
    EXPECT_EQ(TraceDisplayName(602), "Not Used");
    EXPECT_EQ(TraceDisplayName(0), "Not Used");
    // A translation that changes the conversions is not trusted with printf.
    const TextLookup bad = [](int id) {
        return id == 21051 ? std::string("%s %s") : BuiltInText(id);
    };
    EXPECT_EQ(TraceDisplayName(102, bad), "PPO2 - C1 Cell 1");
}
