#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "logfile/CDiveLog.h"
#include "logfile/CDiveLogPreDive.h"
#include "logfile/CDiveLogSample.h"
#include "statuslog/CReport.h"

namespace {

// Keeps what the summaries report at progress level.
class SummaryTest : public ::testing::Test {
protected:
    CDiveLogPreDive& AddSet(int phase = CDiveLogPreDive::kPreDive) {
        auto set = std::make_unique<CDiveLogPreDive>();
        set->m_nPhase = phase;
        set->m_nDiveNumber = 17;
        set->m_dtDiveStart = CDateTime(2009, 6, 1, 10, 0, 0);
        set->m_dtPreviousDiveEnd = CDateTime(2009, 6, 1, 8, 30, 15);
        set->m_nPowerOnTotalUnitOnTime = 1000;
        set->m_nPowerOnTotalDiveTime = 500;
        set->m_nPowerOnElapsedOnTime = 20;
        m_log.m_arPreDives.push_back(std::move(set));
        return *m_log.m_arPreDives.back();
    }
    CDiveLogSample& AddSample(double time, bool inDive = true) {
        auto s = std::make_unique<CDiveLogSample>();
        s->m_dTime = time;
        s->m_byStatus[0] = inDive ? 0x04 : 0x00;
        s->m_dPressure = 1000.0;
        m_log.m_arSamples.push_back(std::move(s));
        return *m_log.m_arSamples.back();
    }
    // A dive end record logging `diveTime` s, with the clocks `span` s apart.
    void SetDiveEnd(CDiveLogPreDive& set, int diveTime, int span) {
        m_log.m_dtDiveStart = set.m_dtDiveStart;
        set.m_bDiveEndReceived = true;
        set.m_nDiveTime = diveTime;
        set.m_dtDiveEnd = set.m_dtDiveStart.AddSeconds(span);
    }
    bool Logged(const std::string& text) const { return m_report.Has(text); }

    CDiveLog m_log;
    CReport m_report{3};
};

} // namespace

// ---- ComputeDiveSummary: choice of set and validity
// ----------------------------------------------

TEST_F(SummaryTest, InvalidWithoutASetOrWithoutAnyDiveTime) {
    AddSample(10);
    m_log.ComputeDiveSummary(m_report);
    EXPECT_FALSE(m_log.m_DiveInformation.m_bSummaryValid);
    EXPECT_EQ(m_log.m_DiveInformation.m_strDiveTime, "");
    m_log.m_arSamples.clear(); // a set, but neither a sample nor a dive end
    AddSet().m_bPowerOffReceived = true;
    m_log.ComputeDiveSummary(m_report);
    EXPECT_FALSE(m_log.m_DiveInformation.m_bSummaryValid);
}

TEST_F(SummaryTest, SetBeforeTheFirstOneAfterTheDiveStart) {
    AddSet().m_nDiveNumber = 1;
    AddSet().m_nDiveNumber = 2;
    AddSet(CDiveLogPreDive::kAfterStartOfDive).m_nDiveNumber = 3;
    AddSample(600);
    m_log.ComputeDiveSummary(m_report);
    EXPECT_EQ(m_log.m_DiveInformation.m_nDiveNumber, 2);
    m_log.m_arPreDives[0]->m_nPhase = CDiveLogPreDive::kPostDive;
    m_log.ComputeDiveSummary(m_report);
    EXPECT_EQ(m_log.m_DiveInformation.m_nDiveNumber, 1);
    for (auto& set : m_log.m_arPreDives)
        set->m_nPhase = CDiveLogPreDive::kPreDive;
    m_log.ComputeDiveSummary(m_report);
    EXPECT_EQ(m_log.m_DiveInformation.m_nDiveNumber, 3);
    EXPECT_TRUE(m_log.m_DiveInformation.m_bSummaryValid);
}

// ---- ComputeDiveSummary: totals and dive time
// -----------------------------------------------------

TEST_F(SummaryTest, DiveTimeFromLoggedTimeOrClocks) {
    const struct {
        int diveTime, span;
        const char* text;
    } cases[] = {
        {3600, 3628, "1:00:00 hh:mm:ss"}, // clocks within tolerance: the logged time
        {3600, 3630, "1:00:30 hh:mm:ss"}, // out of tolerance: end - start
        {3599, 3599, "59:59 mm:ss"},      {3600, 3600, "1:00:00 hh:mm:ss"},
        {1200, -50, "20:00 mm:ss"}, // a dive end clock before the start: the logged time
    };
    CDiveLogPreDive& set = AddSet();
    for (const auto& c : cases) {
        SetDiveEnd(set, c.diveTime, c.span);
        m_log.ComputeDiveSummary(m_report);
        EXPECT_EQ(m_log.m_DiveInformation.m_strDiveTime, c.text) << c.diveTime << " " << c.span;
    }
    EXPECT_TRUE(Logged("Dive Time - (0x08 Dive Time) 3600 seconds"));
    EXPECT_TRUE(Logged("Dive Time - (0x08 End of Dive Time 11:00:28 - 0x03 Start of Dive Time "
                       "10:00:00) 3628 seconds"));
    EXPECT_TRUE(Logged("Dive Time - Difference 28 seconds Tolerance 29 seconds"));
    EXPECT_TRUE(Logged("Dive Time - In tolerance using dive time"));
    EXPECT_TRUE(Logged("Dive Time - Difference 30 seconds Tolerance 29 seconds"));
    EXPECT_TRUE(Logged("Dive Time - Out of tolerance using end - start time"));
    // Totals add the logged dive minutes (20 in the last case) to the power-on totals.
    EXPECT_EQ(m_log.m_DiveInformation.m_nTotalUnitOnTime, 1020);
    EXPECT_EQ(m_log.m_DiveInformation.m_nElapsedOnTime, 40);
}

TEST_F(SummaryTest, CancelledDiveEndFallsBackToSampleTimes) {
    CDiveLogPreDive& set = AddSet();
    SetDiveEnd(set, 3600, 3600);
    set.m_bDiveEndReceived = false; // what a following 0x13 record does
    m_log.m_dDiveStartTime = 100.7;
    AddSample(200);
    AddSample(1345.9);
    m_log.ComputeDiveSummary(m_report);
    EXPECT_EQ(m_log.m_DiveInformation.m_strDiveTime, "20:45 mm:ss");
    EXPECT_TRUE(Logged("Dive Time - Using last sample time 1345 seconds - 0x03 Dive Start Time "
                       "100 seconds = 1245 seconds"));
    EXPECT_EQ(m_log.m_DiveInformation.m_strDiveEndDuration1, "Not logged");
    EXPECT_EQ(m_log.m_DiveInformation.m_nTotalDiveTime, 500 + 22);
}

TEST_F(SummaryTest, SampleTimeBeyondAnIntStillAddsWholeMinutes) {
    AddSet();
    AddSample(3.0e9); // a corrupt restart date can move the time scale this far
    m_log.ComputeDiveSummary(m_report);
    EXPECT_EQ(m_log.m_DiveInformation.m_nTotalDiveTime, 500 + 50000000);
    EXPECT_EQ(m_log.m_DiveInformation.m_nElapsedOnTime, 20 + 50000000);
}

TEST_F(SummaryTest, PowerOffTotalsAsTheyStand) {
    CDiveLogPreDive& set = AddSet();
    set.m_bPowerOffReceived = true;
    set.m_nPowerOffTotalUnitOnTime = 7;
    set.m_nPowerOffTotalDiveTime = 8;
    set.m_nPowerOffElapsedOnTime = 9;
    SetDiveEnd(set, 600, 600);
    m_log.ComputeDiveSummary(m_report);
    EXPECT_EQ(m_log.m_DiveInformation.m_nTotalUnitOnTime, 7);
    EXPECT_EQ(m_log.m_DiveInformation.m_nTotalDiveTime, 8);
    EXPECT_EQ(m_log.m_DiveInformation.m_nElapsedOnTime, 9);
}

// ---- ComputeDiveSummary: surface interval and dive end durations
// ----------------------------------

TEST_F(SummaryTest, SurfaceIntervalForms) {
    CDiveLogPreDive& set = AddSet();
    SetDiveEnd(set, 600, 600);
    set.m_nDiveEndDuration1 = 75;
    set.m_nDiveEndDuration2 = 0;
    m_log.ComputeDiveSummary(m_report);
    EXPECT_EQ(m_log.m_DiveInformation.m_strSurfaceInterval, "1:29:45 hh:mm:ss");
    EXPECT_EQ(m_log.m_DiveInformation.m_strDiveEndDuration1, "01:15 hh:mm");
    EXPECT_EQ(m_log.m_DiveInformation.m_strDiveEndDuration2, "00:00 hh:mm");
    set.m_dtPreviousDiveEnd = set.m_dtDiveStart.AddSeconds(-100.0 * 3600);
    m_log.ComputeDiveSummary(m_report);
    EXPECT_EQ(m_log.m_DiveInformation.m_strSurfaceInterval, "> 99:59:59");
    set.m_dtPreviousDiveEnd = set.m_dtDiveStart.AddSeconds(-(100.0 * 3600 - 1));
    m_log.ComputeDiveSummary(m_report);
    EXPECT_EQ(m_log.m_DiveInformation.m_strSurfaceInterval, "99:59:59 hh:mm:ss");
    set.m_dtPreviousDiveEnd = CDateTime::Invalid();
    m_log.ComputeDiveSummary(m_report);
    EXPECT_EQ(m_log.m_DiveInformation.m_strSurfaceInterval, "Invalid");
}

// ---- ComputeDiveSummary: the pass over the dive samples
// --------------------------------------------

TEST_F(SummaryTest, PeaksAndExtremesFromInDiveSamplesOnly) {
    AddSet().m_dCurrentSurfacePressure = 1013;
    CDiveLogSample& a = AddSample(10);
    a.m_dPressure = 3000; // 20 m
    a.m_dC1Measured = 1.3;
    a.m_dC2Measured = 0.9;
    a.m_dSetpoint = 1.3;
    a.m_dCNS = 12;
    a.m_dDiveDetect[CDiveLogSample::kGfLowIndex] = 30;
    a.m_dDiveDetect[CDiveLogSample::kGfHighIndex] = 80;
    a.m_nConservatism = 2;
    CDiveLogSample& b = AddSample(20);
    b.m_dPressure = 2500;
    b.m_dC1Measured = 0.7;
    b.m_dC2Measured = 1.4;
    b.m_dOTU = 40;
    b.m_dDiveDetect[CDiveLogSample::kGfLowIndex] = 25;
    b.m_dDiveDetect[CDiveLogSample::kGfHighIndex] = 70;
    CDiveLogSample& surface = AddSample(30, false);
    surface.m_dPressure = 9000;
    surface.m_dCNS = 99;
    surface.m_byCellStatusExtra = 0xFF;
    m_log.ComputeDiveSummary(m_report);
    const CDiveLogInformation& info = m_log.m_DiveInformation;
    EXPECT_DOUBLE_EQ(info.m_dMaxDepth, 20.0);
    EXPECT_DOUBLE_EQ(info.m_dC1MaxPPO2, 1.3);
    EXPECT_DOUBLE_EQ(info.m_dC1MinPPO2, 0.7);
    EXPECT_DOUBLE_EQ(info.m_dC2MaxPPO2, 1.4);
    EXPECT_DOUBLE_EQ(info.m_dC2MinPPO2, 0.9);
    EXPECT_DOUBLE_EQ(info.m_dPeakCNS, 12);
    EXPECT_DOUBLE_EQ(info.m_dPeakOTU, 40);
    EXPECT_DOUBLE_EQ(info.m_dGfLow, 25);
    EXPECT_DOUBLE_EQ(info.m_dGfHigh, 80);
    EXPECT_DOUBLE_EQ(info.m_dConservatism, 2);
    EXPECT_DOUBLE_EQ(info.m_dAtmPressure, 1013);
    EXPECT_FALSE(info.m_bAlarm[CDiveLogInformation::kFastAscent]);
}

TEST_F(SummaryTest, NothingLoggedGivesSentinels) {
    AddSet();
    CDiveLogSample& s = AddSample(10);
    s.m_dDiveDetect[CDiveLogSample::kGfLowIndex] = -1;
    s.m_dDiveDetect[CDiveLogSample::kGfHighIndex] = -1;
    m_log.ComputeDiveSummary(m_report);
    EXPECT_DOUBLE_EQ(m_log.m_DiveInformation.m_dGfLow, 255);
    EXPECT_DOUBLE_EQ(m_log.m_DiveInformation.m_dGfHigh, 0);
    EXPECT_DOUBLE_EQ(m_log.m_DiveInformation.m_dConservatism, -1);
}

TEST_F(SummaryTest, AlarmFlagsAndScrubberRuleByVersion) {
    AddSet();
    CDiveLogSample& s = AddSample(10);
    s.m_byC1CellStatus = 0x90; // cell warning, high oxygen
    s.m_byC2CellStatus = 0x20; // low battery
    s.m_byCellStatusExtra = 0x40 | 0x02;
    s.m_byStatusExt = 0x10;
    m_log.ComputeDiveSummary(m_report);
    using I = CDiveLogInformation;
    const auto& alarm = m_log.m_DiveInformation.m_bAlarm;
    EXPECT_TRUE(alarm[I::kC1CellWarning]);
    EXPECT_TRUE(alarm[I::kC1HighOxygen]);
    EXPECT_FALSE(alarm[I::kC1LowOxygen]);
    EXPECT_TRUE(alarm[I::kC2LowBattery]);
    EXPECT_TRUE(alarm[I::kCeilingViolation]);
    EXPECT_TRUE(alarm[I::kCo21stWarning]);
    EXPECT_TRUE(alarm[I::kScrubber2ndWarning]); // older log: extra bit 6
    EXPECT_FALSE(alarm[I::kCo22ndWarning]);
    s.m_byCellStatusExtra = 0;
    m_log.m_bVersionLevel[3] = true;
    m_log.ComputeDiveSummary(m_report);
    EXPECT_TRUE(alarm[I::kScrubber2ndWarning]); // level 4: extended status bit 4
    EXPECT_FALSE(alarm[I::kCo21stWarning]);
    m_log.m_bVersionLevel[3] = false;
    m_log.ComputeDiveSummary(m_report);
    EXPECT_FALSE(alarm[I::kScrubber2ndWarning]);
}

// ---- ComputeDiveSummary: maximum depth
// ---------------------------------------------------------------

TEST_F(SummaryTest, MaximumDepthChoice) {
    CDiveLogPreDive& set = AddSet();
    AddSample(10).m_dPressure = 2200; // 12 m logged
    CDiveLogSample& last = AddSample(20);
    m_log.ComputeDiveSummary(m_report);
    EXPECT_DOUBLE_EQ(m_log.m_DiveInformation.m_dMaxDepth, 12.0);
    last.m_dDecoWord4 = 1530;
    m_log.ComputeDiveSummary(m_report);
    EXPECT_DOUBLE_EQ(m_log.m_DiveInformation.m_dMaxDepth, 15.3);
    EXPECT_TRUE(Logged("Max Logged Depth 12.00 - Deco Max Depth 15.30 Using Deco Max Depth"));
    SetDiveEnd(set, 600, 600);
    set.m_dDiveEndMaxDepth = 11.5;
    m_log.ComputeDiveSummary(m_report);
    EXPECT_DOUBLE_EQ(m_log.m_DiveInformation.m_dMaxDepth, 11.5);
    EXPECT_TRUE(Logged("Max Logged Depth 12.00 - EOD Max Depth 11.50 Using EOD Max Depth"));
}

TEST_F(SummaryTest, DiveLabel) {
    AddSet();
    AddSample(10);
    m_log.ComputeDiveSummary(m_report);
    EXPECT_EQ(m_log.m_DiveInformation.m_strDiveLabel, "17");
    m_log.m_DiveInformation.m_strDiveNumberText = "Wreck";
    m_log.ComputeDiveSummary(m_report);
    EXPECT_EQ(m_log.m_DiveInformation.m_strDiveLabel, "17 - Wreck");
    EXPECT_EQ(m_log.m_DiveInformation.m_dtDiveDateTime, CDateTime(2009, 6, 1, 10, 0, 0));
}
