// Loading FRC-layout logs: the tick count moved onto the time scale of the first power-on,
// restarts, dive start and end rules.
#include <gtest/gtest.h>

#include "LogBuilder.h"
#include "cli/DumpJson.h"
#include "logfile/CDiveLogPreDive.h"
#include "logfile/CDiveLogSample.h"

using namespace loadertest;

namespace {

std::vector<std::string> FrcFile(const std::vector<std::string>& records) {
    std::vector<std::string> lines = VersionLines(7, 0, 3);
    lines.insert(lines.end(), records.begin(), records.end());
    return lines;
}

} // namespace

// ==== A whole dive ===============================================================================

TEST(LoadFrc, BasicDiveOnTheFirstPowerOnScale) {
    StatusCapture status;
    CDiveLog log;
    const std::string path = WriteLog(
        "basic_frc.ccl", FrcFile({FPowerOn(100.0, At(10, 0, 0)), FDepth(101.0, 1013),
                                  FDiveStart(130.0, 5, At(10, 0, 30)), FDepth(131.0, 2013),
                                  FDepth(132.5, 3013), FDiveEnd(160.0, 5, At(10, 1, 0), 130),
                                  FDepth(161.0, 1013), FPowerOff(170.0, At(10, 1, 10))}));
    const CLoadResult r = log.LoadLogFile(path, status.Options());
    ASSERT_TRUE(r.loaded);
    EXPECT_TRUE(log.m_bFrcLayout);
    EXPECT_TRUE(log.VersionLevel(7));
    EXPECT_FALSE(log.VersionLevel(8));
    EXPECT_TRUE(status.Has("Display Code Version 05.02.46 or above"));
    EXPECT_EQ(Times(log), (std::vector<double>{1, 30, 31, 32.5, 60, 61, 70}));
    // In-dive flags and the chart range are compared per sample by the golden FRC dive.
    EXPECT_FALSE(log.m_arSamples.back()->m_bPoweredOn);
    EXPECT_TRUE(log.m_arSamples[5]->m_bPoweredOn);
    EXPECT_DOUBLE_EQ(log.m_arSamples[3]->m_dC1Measured, 1.01);
    EXPECT_EQ(log.m_dDiveStartTime, 30.0);
    EXPECT_EQ(log.m_dtDiveStart, At(10, 0, 30));
    EXPECT_EQ(log.m_dDiveEndTime, 60.0);
    EXPECT_EQ(log.m_dLogEndTime, 70.0);
    ASSERT_EQ(log.m_arPreDives.size(), 1u);
    EXPECT_EQ(log.m_arPreDives[0]->m_dEndTime, 60.0);
    EXPECT_EQ(log.m_arPreDives[0]->m_dSurfAmbientPressure, 1013.0);
}

// The solenoid record at its line time is part of the golden FRC dive.

// ==== Restarts and later power-ons ===============================================================

TEST(LoadFrcRestart, WarmColdAndPowerOnFollowTheDateTime) {
    StatusCapture status;
    CDiveLog log;
    ASSERT_TRUE(
        log.LoadLogFile(WriteLog("restart_frc.ccl",
                                 FrcFile({FPowerOn(0.0, At(10, 0, 0)), FDepth(1.0, 1013),
                                          FRestart(0x1C, 12.5, At(10, 10, 0)), FDepth(13.5, 1013),
                                          FRestart(0x1D, 2.0, At(10, 20, 0)), FDepth(3.0, 1013),
                                          FPowerOn(5.0, At(10, 30, 0)), FDepth(6.0, 1013)})),
                        status.Options())
            .loaded);
    EXPECT_EQ(Times(log), (std::vector<double>{1, 600, 601, 1200, 1201, 1800, 1801}));
    EXPECT_TRUE(log.m_arSamples[1]->m_bWarmRestart);
    EXPECT_FALSE(log.m_arSamples[1]->m_bColdRestart);
    EXPECT_TRUE(log.m_arSamples[3]->m_bColdRestart);
    EXPECT_TRUE(status.Has("Warm Restart 01 June 2020 10:10:00, First Power On 01 June 2020 "
                           "10:00:00, Diff 600.0s, FRC was 12.5, FRC Offset set to 587.5"));
    EXPECT_TRUE(status.Has("Cold Restart 01 June 2020\n10:20:00, First Power On 01 June "
                           "2020\n10:00:00, Diff 1200.0s, FRC was 2.0, FRC Offset set to 1198.0"));
    EXPECT_EQ(log.m_arPreDives.size(), 2u);
}

// ==== Dive start and end =========================================================================

TEST(LoadFrcDiveEnd, ShortDiveIsUndoneLongDiveCompletes) {
    auto load = [](unsigned duration, CDiveLog& log) {
        return log
            .LoadLogFile(
                WriteLog("dur" + std::to_string(duration) + ".ccl",
                         FrcFile({FPowerOn(0.0, At(10, 0, 0)), FDepth(1.0, 1013),
                                  FDiveStart(30.0, 5, At(10, 0, 30)), FDepth(31.0, 2013),
                                  FDiveEnd(60.0, 5, At(10, 1, 0), duration), FDepth(61.0, 1013),
                                  FPowerOn(0.0, At(10, 2, 0)), FDiveStart(10.0, 5, At(10, 2, 10)),
                                  FDepth(11.0, 1500)})))
            .loaded;
    };
    CDiveLog undone;
    ASSERT_TRUE(load(119, undone));
    // The dive state went back to 0: the next power-on is before a dive and the second dive
    // start is taken, which also forgets the dive end.
    EXPECT_EQ(undone.m_arPreDives[1]->m_nPhase, 0);
    EXPECT_EQ(undone.m_dDiveStartTime, 130.0);
    EXPECT_EQ(undone.m_dDiveEndTime, 0.0);
    EXPECT_EQ(undone.m_ChartRange.diveEnd, undone.m_ChartRange.logEnd);
    EXPECT_TRUE(undone.m_arSamples.back()->m_bInDive);

    CDiveLog completed;
    ASSERT_TRUE(load(120, completed));
    EXPECT_EQ(completed.m_arPreDives[1]->m_nPhase, 2);
    EXPECT_EQ(completed.m_dDiveStartTime, 30.0);
    EXPECT_EQ(completed.m_dDiveEndTime, 60.0);
    EXPECT_EQ(completed.m_ChartRange.diveEnd, 60);
    EXPECT_FALSE(completed.m_arSamples.back()->m_bInDive);
}

TEST(LoadFrcDiveEnd, UndoneDiveKeepsItsEndTimeWhenNothingFollows) {
    CDiveLog log;
    ASSERT_TRUE(log.LoadLogFile(WriteLog("dur119only.ccl",
                                         FrcFile({FPowerOn(0.0, At(10, 0, 0)), FDepth(1.0, 1013),
                                                  FDiveStart(30.0, 5, At(10, 0, 30)),
                                                  FDiveEnd(60.0, 5, At(10, 1, 0), 119),
                                                  FDepth(90.0, 1013)})))
                    .loaded);
    EXPECT_EQ(log.m_dDiveEndTime, 60.0);
    EXPECT_EQ(log.m_ChartRange.diveEnd, 60);
    EXPECT_EQ(log.m_ChartRange.logEnd, 90);
}

TEST(LoadFrcDiveStart, AnotherNumberDoesNotMoveTheStart) {
    CDiveLog log;
    ASSERT_TRUE(
        log.LoadLogFile(
               WriteLog("number.ccl",
                        FrcFile({FPowerOn(0.0, At(10, 0, 0)), FDiveStart(30.0, 5, At(10, 0, 30)),
                                 FDiveEnd(60.0, 5, At(10, 1, 0), 100),
                                 FDiveStart(100.0, 6, At(10, 1, 40)), FDepth(101.0, 2000)})))
            .loaded);
    EXPECT_EQ(log.m_dDiveStartTime, 30.0);
    EXPECT_EQ(log.m_dtDiveStart, At(10, 0, 30));
    EXPECT_TRUE(log.m_arSamples.back()->m_bInDive);
    // The end of dive 5 was seen and the start of dive 6 did not reset that.
    EXPECT_EQ(log.m_ChartRange.diveEnd, 60);
}

TEST(LoadFrcDiveEnd, OtherNumberOrNoPreDiveLeavesTheDiveOpen) {
    CDiveLog log;
    ASSERT_TRUE(
        log.LoadLogFile(
               WriteLog("othernumber.ccl",
                        FrcFile({FDiveEnd(5.0, 5, At(10, 1, 0), 300), FPowerOn(0.0, At(10, 0, 0)),
                                 FDiveStart(30.0, 5, At(10, 0, 30)),
                                 FDiveEnd(60.0, 9, At(10, 1, 0), 300), FDepth(70.0, 1013)})))
            .loaded);
    // The first dive end had no pre-dive set: no sample. The second ends the in-dive flag but
    // not dive 5.
    EXPECT_EQ(Times(log), (std::vector<double>{30, 60, 70}));
    EXPECT_FALSE(log.m_arSamples.back()->m_bInDive);
    EXPECT_EQ(log.m_dDiveEndTime, 0.0);
    EXPECT_EQ(log.m_ChartRange.diveEnd, 70);
}

// ==== Surface pressure ===========================================================================

TEST(LoadFrcSurface, TakenOutsideTheDiveOnly) {
    CDiveLog log;
    const std::string status1 = Frc(FrcRec(0x01, 2.0).PadTo(13).Word(1009));
    const std::string status2 = Frc(FrcRec(0x01, 40.0).PadTo(13).Word(900));
    ASSERT_TRUE(
        log.LoadLogFile(WriteLog("surface.ccl", FrcFile({FPowerOn(0.0, At(10, 0, 0)), status1,
                                                         FDiveStart(30.0, 5, At(10, 0, 30)),
                                                         status2, FDepth(41.0, 2009)})))
            .loaded);
    EXPECT_EQ(log.m_dSurfacePressure, 1009.0);
    EXPECT_DOUBLE_EQ(log.m_arSamples.back()->GetDepth(), 10.0);
    EXPECT_EQ(log.m_arPreDives[0]->m_dCurrentSurfacePressure, 900.0);
}

// ==== Records of the other layout ================================================================

// Both layouts share most of their record dispatch; the records only the short layout writes
// must stay without effect in an FRC log, where their fields lie elsewhere.
TEST(LoadFrcRecords, ShortLayoutOnlyRecordsChangeNothing) {
    const std::vector<std::string> dive = {FPowerOn(0.0, At(10, 0, 0)),
                                           FDepth(1.0, 1013),
                                           FDiveStart(30.0, 5, At(10, 0, 30)),
                                           FDepth(31.0, 2013),
                                           FDiveEnd(160.0, 5, At(10, 2, 40), 130),
                                           FDepth(161.0, 1013)};
    std::vector<std::string> mixed = dive;
    for (unsigned type : {0x04u, 0x19u, 0x1Au, 0x20u, 0x42u})
        mixed.insert(mixed.begin() + 2,
                     Frc(FrcRec(type, 20.0).Word(0x1234).Word(0x5678).Word(0x9ABC).Word(0x4321)));
    CDiveLog plain, withOthers;
    const CLoadResult a = plain.LoadLogFile(WriteLog("frc_plain.ccl", FrcFile(dive)));
    const CLoadResult b = withOthers.LoadLogFile(WriteLog("frc_mixed.ccl", FrcFile(mixed)));
    ASSERT_TRUE(a.loaded);
    ASSERT_TRUE(b.loaded);
    EXPECT_FALSE(withOthers.m_bCylinderPressures);
    EXPECT_EQ(zelvorlog::DumpJson("log.ccl", withOthers, b),
              zelvorlog::DumpJson("log.ccl", plain, a));
}
