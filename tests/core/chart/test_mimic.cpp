#include <gtest/gtest.h>

#include "ChartTestLog.h"
#include "viewmodel/CChartState.h"
#include "viewmodel/CMimicCursor.h"
#include "viewmodel/CMimicPicture.h"
#include "viewmodel/MimicGlyphs.h"
#include "viewmodel/MimicModel.h"
#include "viewmodel/TraceValue.h"

// ---- BatteryThresholds -------------------------------------------------------------------------

TEST(BatteryThresholds, ByDisplayCodeAndBatteryType) {
    CDiveLog log;
    EXPECT_DOUBLE_EQ(BatteryThresholds(log, false).high, 5.5);
    log.m_bVersionLevel[0] = true; // 02.01.03
    log.m_bVersionLevel[1] = true; // 02.01.04
    EXPECT_DOUBLE_EQ(BatteryThresholds(log, true).middle, 5.0);
    log.m_bVersionLevel[5] = true; // 05.01.42
    EXPECT_DOUBLE_EQ(BatteryThresholds(log, false).high, 5.25);
    const CBatteryThresholds liPoly = BatteryThresholds(log, true);
    EXPECT_DOUBLE_EQ(liPoly.low, 5.7);
    EXPECT_DOUBLE_EQ(liPoly.middle, 5.95);
    EXPECT_DOUBLE_EQ(liPoly.high, 6.2);
}

// ---- ShownController and the mix texts -------------------------------------------------------

TEST(ShownController, MasterModeChoosesTheController) {
    CDiveLogSample s;
    EXPECT_EQ(ShownController(s), 1); // neither is master
    s.m_byStatus[5] = 0x20;
    EXPECT_EQ(ShownController(s), 2);
    s.m_byStatus[3] = 0x20;
    EXPECT_EQ(ShownController(s), 1);
}

TEST(MimicMixText, MixesAndPrefix) {
    CDiveLogSample s;
    s.m_dGasO2 = 21;
    EXPECT_EQ(MimicMixText(s), "AIR");
    s.m_dGasO2 = 32;
    EXPECT_EQ(MimicMixText(s), "32%Nx");
    s.m_dGasHe = 45;
    s.m_dGasO2 = 18;
    EXPECT_EQ(MimicMixText(s), "18/45");
    s.m_dGasHe = 100;
    EXPECT_EQ(MimicMixText(s), "100%HE");
    s.m_dGasHe = 0;
    s.m_dGasO2 = 100;
    EXPECT_EQ(MimicMixText(s), "100%O2");
    EXPECT_EQ(MimicGasPrefix(s, 3), "DIL 3 ");
    s.m_byStatus[0] = 0x08;
    EXPECT_EQ(MimicGasPrefix(s, 0), "GAS ");
}

// ---- CMimicPicture ---------------------------------------------------------------------------

TEST(CMimicPicture, InvertedCharacterFillsItsCell) {
    CMimicPicture plain, inverted;
    plain.LargeChar(1, 1, '8');
    inverted.LargeChar(1, 1, '8', true);
    // Every dot of the 5 x 8 glyph area flips, and the frame closes the cell.
    for (int x = 6; x < 11; ++x) {
        for (int y = 8; y < 15; ++y)
            EXPECT_NE(plain.Dot(x, y), inverted.Dot(x, y)) << x << "," << y;
    }
    EXPECT_TRUE(inverted.Dot(5, 8));
    EXPECT_TRUE(inverted.Dot(11, 12));
    EXPECT_TRUE(inverted.Dot(8, 7));
    EXPECT_FALSE(plain.Dot(5, 8));
}

TEST(CMimicPicture, DrawingOutsideIsIgnored) {
    CMimicPicture pic;
    pic.LargeText(14, 3, "8888");
    pic.SmallText(90, 30, "WWW");
    pic.Set(-1, 5);
    EXPECT_GT(pic.CountLit(), 0);
    EXPECT_FALSE(pic.Dot(96, 0));
}

TEST(CMimicPicture, BatteryBarsFollowTheThresholds) {
    const double limits[3] = {4.8, 5.2, 5.5};
    const auto bars = [&](double volts) {
        CMimicPicture pic;
        pic.Battery(0, 0, volts, limits, false);
        return std::to_string(pic.Dot(2, 2)) + std::to_string(pic.Dot(5, 2)) +
               std::to_string(pic.Dot(8, 2));
    };
    EXPECT_EQ(bars(4.0), "000");
    EXPECT_EQ(bars(5.0), "001");
    EXPECT_EQ(bars(5.3), "011");
    EXPECT_EQ(bars(12.0), "111");
    CMimicPicture inUse, idle;
    inUse.Battery(0, 0, 5.0, limits, true);
    idle.Battery(0, 0, 5.0, limits, false);
    EXPECT_TRUE(inUse.Dot(5, 1));
    EXPECT_TRUE(inUse.Dot(11, 4));
    EXPECT_FALSE(idle.Dot(5, 1));
}

TEST(LargeGlyph, UnknownCharactersAreBlank) {
    const uint8_t* blank = LargeGlyph('~');
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(blank[i], 0);
}

// ---- BuildMimic ------------------------------------------------------------------------------

TEST(BuildMimic, LowerHalfShowsDecoOrTheOtherController) {
    CDiveLogSample s;
    s.m_dC2Cell[0] = 1.0;
    s.m_byC2CellStatus = 0x01; // cell 1 of C2 excluded: drawn inverted
    CMimicInput in;
    in.sample = &s;
    const CMimicPicture controllers = BuildMimic(in);
    // Row 3, cell column 0 is inverted: its frame column left of the cell... at x = -1 is
    // outside, but the column right of the glyph (x = 5) is lit from top to bottom.
    for (int y = 24; y < 32; ++y)
        EXPECT_TRUE(controllers.Dot(5, y)) << y;
    in.showDeco = true;
    const CMimicPicture deco = BuildMimic(in);
    EXPECT_FALSE(deco.Dot(5, 28));
    EXPECT_EQ(BuildMimic(CMimicInput{}).CountLit(), 0);
}

TEST(BuildMimic, OtherControllersNumberSitsOnRowSixteen) {
    CDiveLogSample s; // controller 1 shown above, controller 2 below
    CMimicInput in;
    in.sample = &s;
    const CMimicPicture pic = BuildMimic(in);
    CMimicPicture expected;
    expected.SmallText(0, 16, "C2");
    for (int y = 15; y < 23; ++y) {
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(pic.Dot(x, y), expected.Dot(x, y)) << x << "," << y;
    }
}

// ---- CMimicCursor ----------------------------------------------------------------

TEST(CMimicCursor, RunningMaximumDecoAndTheEnds) {
    CDiveLog log;
    for (double depth : {5.0, 20.0, 12.0, 30.0})
        charttest::AddSample(log, log.m_arSamples.size() * 10.0, depth);
    log.m_dDiveStartTime = 10.0;
    CMimicCursor cursor;
    CChartState chart;
    EXPECT_EQ(cursor.At(0, chart, true).sample, nullptr); // no log taken yet
    cursor.TakeLog(log);
    const CMimicInput at2 = cursor.At(2, chart, false);
    ASSERT_EQ(at2.sample, log.m_arSamples[2].get());
    EXPECT_NEAR(at2.maxDepthSoFar, log.m_arSamples[1]->GetDepth(), 1e-9); // not the 12 m now
    EXPECT_FALSE(at2.metric);
    EXPECT_DOUBLE_EQ(at2.diveStartTime, 10.0);
    EXPECT_FALSE(at2.showDeco);
    chart.m_nTraceCode[7] = kCeilingCode; // any slot drawing the ceiling shows the deco
    EXPECT_TRUE(cursor.At(3, chart, true).showDeco);
    EXPECT_EQ(cursor.At(4, chart, true).sample, nullptr);
}
