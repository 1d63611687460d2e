// Loading short-layout logs: the time scale built from the sample interval and the date-time
// records, power-on handling, dive start and end.
#include <gtest/gtest.h>

#include "LogBuilder.h"
#include "logfile/CDiveLogPreDive.h"
#include "logfile/CDiveLogSample.h"

using namespace loadertest;

namespace {

std::string BasicShortDive() {
    ShortLog log;
    log.PowerOn(At(10, 0, 0));
    log.Add(SStatus01(1013))
        .Add(SDiveDetect(1, 2))
        .Add(SDepth(1013))
        .Add(SDiveStart(At(10, 0, 30), 7))
        .Add(SDepth(2013))
        .Add(SStatus07(0x04))
        .Add(SDepth(3013))
        .Add(SDepth(1013))
        .Add(SStatus07(0x00))
        .Add(SDiveEnd(At(10, 1, 20), 50))
        .Add(SPowerOff(At(10, 5, 0)));
    return WriteLog("basic_short.ccl", log.Lines());
}

} // namespace

// ==== A whole dive ===============================================================================

TEST(LoadShort, BasicDiveTimesMarksAndChart) {
    StatusCapture status;
    CDiveLog log;
    const std::string path = BasicShortDive();
    const CLoadResult r = log.LoadLogFile(path, status.Options());
    ASSERT_TRUE(r.loaded);
    EXPECT_EQ(r.messageId, 0);
    EXPECT_TRUE(log.m_bFileLoaded);
    EXPECT_FALSE(log.m_bLoading);
    EXPECT_EQ(log.m_nFileKind, 1);
    EXPECT_FALSE(log.m_bFrcLayout);
    EXPECT_EQ(log.m_strFileTitle, "basic_short.ccl");
    EXPECT_TRUE(status.Has("File " + path + " loaded OK"));
    // No version records: every level is assumed.
    for (int level = 1; level <= 9; ++level)
        EXPECT_TRUE(log.VersionLevel(level)) << level;
    EXPECT_TRUE(status.Has("Display Code Version 05.01.42 or above selected as default as no "
                           "valid versions available"));

    EXPECT_EQ(Times(log), (std::vector<double>{10, 30, 30, 30, 40, 50, 50, 50, 300}));
    // In-dive, diving and powered-on flags and the chart range are compared per sample by the
    // golden short-layout dive.
    const auto& s = log.m_arSamples;
    // The 0x07 sample keeps the pressure of the sample before it.
    EXPECT_EQ(s[3]->m_dPressure, 2013.0);
    EXPECT_EQ(s[3]->m_byStatus[0], 0x04);
    EXPECT_EQ(s[5]->m_byStatus[0], 0x04);
    EXPECT_EQ(s[6]->m_byStatus[0], 0x00);
    // The dive end sample sits at the surface pressure of the pre-dive set.
    EXPECT_EQ(s[7]->m_dPressure, 1013.0);
    EXPECT_EQ(s[0]->m_dSurfacePressure, 1013.0);
    EXPECT_EQ(log.m_dSurfacePressure, 1013.0);

    EXPECT_EQ(log.m_dDiveStartTime, 30.0);
    EXPECT_EQ(log.m_dtDiveStart, At(10, 0, 30));
    EXPECT_EQ(log.m_dDiveEndTime, 50.0); // last sample with status byte 0 bit 2
    EXPECT_EQ(log.m_dLogEndTime, 300.0);

    ASSERT_EQ(log.m_arPreDives.size(), 1u);
    const CDiveLogPreDive& p = *log.m_arPreDives[0];
    EXPECT_EQ(p.m_nPhase, 0);
    EXPECT_EQ(p.m_nDiveNumber, 7);
    EXPECT_EQ(p.m_dEndTime, 50.0);
    EXPECT_TRUE(p.HasDiveEnd());
    EXPECT_TRUE(p.HasPowerOff());
    EXPECT_EQ(p.m_dSurfAmbientPressure, 1013.0); // the first 0x06 after the power-on
}

TEST(LoadShort, NoDiveEndFlagMeansLogEnd) {
    ShortLog b;
    b.PowerOn(At(10, 0, 0));
    b.Add(SDepth(1500)).Add(SDepth(1600));
    CDiveLog log;
    ASSERT_TRUE(log.LoadLogFile(WriteLog("noend.ccl", b.Lines())).loaded);
    EXPECT_EQ(log.m_dDiveEndTime, 0.0);
    EXPECT_EQ(log.m_ChartRange.diveEnd, 20);
    EXPECT_EQ(log.m_ChartRange.logEnd, 20);
}

// ==== Power-on records ===========================================================================

TEST(LoadShortPowerOn, TwoOutsideADiveKeepOnlyTheLastPeriod) {
    ShortLog b;
    b.PowerOn(At(9, 0, 0));
    b.Add(SDepth(1100)).Add(SDepth(1200));
    b.PowerOn(At(9, 30, 0));
    b.Add(SDepth(1300));
    CDiveLog log;
    ASSERT_TRUE(log.LoadLogFile(WriteLog("two_outside.ccl", b.Lines())).loaded);
    EXPECT_EQ(Times(log), (std::vector<double>{0, 10}));
    EXPECT_EQ(log.m_arSamples[1]->m_dPressure, 1300.0);
    EXPECT_EQ(log.m_arPreDives.size(), 2u);
}

TEST(LoadShortPowerOn, OneAfterADiveStartKeepsEverything) {
    ShortLog b;
    b.PowerOn(At(9, 0, 0));
    b.Add(SDepth(1100)).Add(SDiveStart(At(9, 0, 20), 1)).Add(SDepth(2000));
    b.PowerOn(At(9, 10, 0));
    b.Add(SDepth(2100));
    CDiveLog log;
    ASSERT_TRUE(log.LoadLogFile(WriteLog("after_start.ccl", b.Lines())).loaded);
    EXPECT_EQ(Times(log), (std::vector<double>{10, 20, 20, 600, 610}));
    ASSERT_EQ(log.m_arPreDives.size(), 2u);
    EXPECT_EQ(log.m_arPreDives[1]->m_nPhase, 1);
}

TEST(LoadShortPowerOn, OffTheGridIsSkippedInBothPasses) {
    StatusCapture status;
    const std::string path =
        WriteLog("offgrid.ccl", {SFiller(), SPowerOn(At(9, 0, 0)), SDepth(1100)});
    CDiveLog log;
    const CLoadResult r = log.LoadLogFile(path, status.Options());
    EXPECT_FALSE(r.loaded);
    EXPECT_EQ(r.messageId, 2220);
    EXPECT_EQ(
        status.Count("Power On record skipped due to location in file " + path + " at line 2"), 2);
    EXPECT_TRUE(status.Has("File " + path + " loaded but contains no valid dive data"));
    EXPECT_TRUE(log.m_arPreDives.empty());
    EXPECT_TRUE(log.m_arSamples.empty());
}

// Regression: after a power-on deleted every sample, the lines before the next sample were
// decoded into a deleted sample.
TEST(LoadShortPowerOn, NoCurrentSampleAfterDeletingAll) {
    ShortLog b;
    b.Add(SDepth(1500)); // before any power-on: a sample the power-on deletes
    b.PowerOn(At(9, 0, 0));
    b.Add(Short(CRecordLineWriter(0x09).Byte(32).Byte(0)));
    b.Add(Short(CRecordLineWriter(0x0A).Word(190)));
    b.Add(SDepth(1600));
    CDiveLog log;
    ASSERT_TRUE(log.LoadLogFile(WriteLog("deleted.ccl", b.Lines())).loaded);
    ASSERT_EQ(log.m_arSamples.size(), 1u);
    // The lines reached the next sample as its latest lines.
    EXPECT_EQ(log.m_arSamples[0]->m_nGasO2[0], 32);
    EXPECT_EQ(log.m_arSamples[0]->m_dCylinder[0], 190.0);
    EXPECT_TRUE(log.m_bCylinderPressures);
}

// ==== Date-time records ==========================================================================

TEST(LoadShortStamp, BeforeAndAfterTheDiveEnd) {
    StatusCapture status;
    ShortLog b;
    b.PowerOn(At(10, 0, 0));
    b.Add(SDepth(1013))
        .Add(SDated(0x0B, At(10, 1, 0), 5))
        .Add(SDepth(1500))
        .Add(SDepth(1600))
        .Add(SDiveEnd(At(10, 2, 0), 60))
        .Add(SDated(0x0B, At(10, 2, 30), 5))
        .Add(SDepth(1100));
    CDiveLog log;
    ASSERT_TRUE(log.LoadLogFile(WriteLog("stamp.ccl", b.Lines()), status.Options()).loaded);
    EXPECT_EQ(log.m_nSampleInterval, 5);
    // 0x0B: 60 s after the power-on, holds the time for the next 0x06. After the dive end the
    // stamp counts from the pre-dive set's dive end (65 s + 30 s).
    EXPECT_EQ(Times(log), (std::vector<double>{10, 60, 60, 65, 65, 95, 95}));
    EXPECT_EQ(log.m_arSamples[1]->m_dPressure, 1013.0); // keeps the pressure
    EXPECT_FALSE(log.m_arSamples[1]->m_bInDive);
}

TEST(LoadShortStamp, InvalidOrShortDateTimeIsSkipped) {
    StatusCapture status;
    const std::string bad = Short(CRecordLineWriter(0x0B).Byte(1).Byte(13).Byte(20).Byte(10));
    // Not 34 characters: carries no date-time even though the first bytes would read as one.
    const std::string shortLine = CRecordLineWriter(0x0B).DateTime(At(10, 1, 0)).Finish();
    ShortLog b;
    b.PowerOn(At(10, 0, 0));
    b.Add(SDepth(1013)).Add(bad).Add(SDepth(1100)).Add(shortLine).Add(SDepth(1200));
    const std::string path = WriteLog("badstamp.ccl", b.Lines());
    CDiveLog log;
    ASSERT_TRUE(log.LoadLogFile(path, status.Options()).loaded);
    // Each skipped stamp still holds the time for the next 0x06.
    EXPECT_EQ(Times(log), (std::vector<double>{10, 10, 10}));
    EXPECT_TRUE(
        status.Has("Invalid Date / Time in 0x0B message " + bad + " at line 3. Record skipped"));
    EXPECT_TRUE(status.Has("Invalid Date / Time in 0x0B message " + shortLine +
                           " at line 5. Record skipped"));
}

TEST(LoadShortRestart, WarmAndColdRestartTimes) {
    StatusCapture status;
    ShortLog b;
    b.PowerOn(At(10, 0, 0));
    b.Add(SDepth(1500))
        .Add(SDated(0x1C, At(10, 10, 0), 3))
        .Add(SDepth(1600))
        .Add(CRecordLineWriter(0x1D).DateTime(At(10, 20, 0)).Finish()) // too short: nothing
        .Add(SDated(0x1D, At(10, 20, 0), 3))
        .Add(SDepth(1700));
    CDiveLog log;
    ASSERT_TRUE(log.LoadLogFile(WriteLog("restart.ccl", b.Lines()), status.Options()).loaded);
    EXPECT_EQ(Times(log), (std::vector<double>{10, 600, 603, 1200, 1203}));
    EXPECT_TRUE(log.m_arSamples[1]->m_bWarmRestart);
    EXPECT_EQ(log.m_arSamples[1]->m_dPressure, 1500.0);
    EXPECT_TRUE(log.m_arSamples[3]->m_bColdRestart);
    EXPECT_EQ(status.Count("File " + log.m_strFilePath + " loaded OK"), 1);
    for (const auto& line : status.Lines())
        EXPECT_EQ(line.find("Restart"), std::string::npos) << line;
}

// ==== Timing of record 0x07 ======================================================================

TEST(LoadShortTiming, StatusRecordFollowsTheReference) {
    ShortLog b;
    b.PowerOn(At(10, 0, 0));
    b.Add(SDated(0x1B, At(10, 1, 40), 5)) // reference 100 s, interval 5 s
        .Add(SDepth(1100))                // 5
        .Add(SStatus07(0))                // sync at 100: 5
        .Add(SDated(0x1B, At(10, 1, 43), 5))
        .Add(SStatus07(0)) // 5 + 103 - 100 = 8
        .Add(SDated(0x1B, At(10, 2, 0), 5))
        .Add(SStatus07(0))  // 5 + 20 is beyond one interval: 10
        .Add(SDepth(1200))  // 10, one 0x06 since the sync
        .Add(SStatus07(0))  // 10 + 120 - 5 - 100 = 25, held to 15
        .Add(SDepth(1300))  // 15, the second 0x06 ends the sync
        .Add(SStatus07(0)); // synchronised again at 120: 15
    CDiveLog log;
    ASSERT_TRUE(log.LoadLogFile(WriteLog("timing.ccl", b.Lines())).loaded);
    EXPECT_EQ(Times(log), (std::vector<double>{5, 5, 8, 10, 10, 15, 15, 15}));
    EXPECT_EQ(log.m_arSamples[2]->m_dPressure, 1100.0);
    EXPECT_EQ(log.m_arSamples[7]->m_dPressure, 1300.0);
}

// Without a reference the status record takes the time of the sample before it: see the basic
// short dive.

// ==== Sample interval source =====================================================================

TEST(LoadShortInterval, OldDisplayCodeTakesItFromThePowerOn) {
    ShortLog b;
    for (const auto& l : VersionLines(5, 0, 39))
        b.Add(l);
    b.PowerOn(At(10, 0, 0), 4);
    b.Add(SDated(0x1B, At(10, 0, 1), 30)).Add(SDepth(1100)).Add(SDepth(1100));
    CDiveLog log;
    ASSERT_TRUE(log.LoadLogFile(WriteLog("oldinterval.ccl", b.Lines())).loaded);
    EXPECT_TRUE(log.VersionLevel(4));
    EXPECT_FALSE(log.VersionLevel(5));
    EXPECT_EQ(log.m_nSampleInterval, 4);
    EXPECT_EQ(Times(log), (std::vector<double>{4, 8}));
    EXPECT_EQ(log.m_arSamples[0]->m_nSampleInterval, 4);
}

// Deco, dive-detect, CO2 and probe records come every second, mostly unchanged, and an exact
// repeat is passed over without being decoded or checked again. What it would have done must
// still happen: the lines are counted (messages give the right line), a probe record that is
// the first of a new power-on period still reaches that period's pre-dive set, a line that
// differs from the latest only in its checksum still fails, and a traced load still traces
// every line.
TEST(LoadShortRepeats, ExactRepeatsAreCountedAndChangeNothing) {
    const std::string probes =
        Short(CRecordLineWriter(0x04).Byte(80).Byte(84).Byte(88).PadTo(11).Word(215));
    const std::string deco = Short(CRecordLineWriter(0x0C).Word(3).Word(1100));
    const std::string detect = SDiveDetect(3, 5);
    ShortLog b;
    b.PowerOn(At(9, 0, 0));
    b.Add(probes).Add(SDepth(1100)).Add(deco).Add(detect);
    b.Add(SDiveStart(At(9, 0, 20), 1));
    for (int k = 0; k < 5; ++k)
        b.Add(SDepth(1500 + k)).Add(probes).Add(deco).Add(detect);
    // A power-on inside the dive keeps the latest lines: its probe record repeats the last one.
    b.PowerOn(At(9, 10, 0));
    b.Add(probes).Add(SDepth(2100)).Add(deco).Add(detect);
    const std::vector<std::string> good = b.Lines();
    const size_t records = good.size();

    CDiveLog log;
    ASSERT_TRUE(log.LoadLogFile(WriteLog("repeats.ccl", good)).loaded);
    ASSERT_EQ(log.m_arPreDives.size(), 2u);
    EXPECT_EQ(log.m_arPreDives[1]->GetProbeTemp(0), log.m_arPreDives[0]->GetProbeTemp(0));
    EXPECT_EQ(log.m_arPreDives[1]->GetProbeTemp(0), 20.0);
    const auto last = log.m_arSamples.back();
    EXPECT_EQ(last->m_dProbeTemp[2], 22.0);
    EXPECT_EQ(last->m_dCeilingPressure, 1100.0);
    EXPECT_TRUE(last->m_bHasDiveDetect);
    EXPECT_EQ(last->m_dDiveStartDepth, 5.0);

    // The deco line again with its checksum broken, after all the repeats.
    std::vector<std::string> broken = good;
    std::string bad = deco;
    bad.back() = bad.back() == '0' ? '1' : '0';
    broken.push_back(bad);
    const std::string path = WriteLog("repeats_bad.ccl", broken);
    const CLoadResult r = CDiveLog().LoadLogFile(path);
    EXPECT_FALSE(r.loaded);
    EXPECT_EQ(r.errors, std::vector<std::string>{"Invalid checksum in file " + path + " at line " +
                                                 std::to_string(records + 1)});

    StatusCapture traced(4);
    ASSERT_TRUE(CDiveLog().LoadLogFile(WriteLog("repeats.ccl", good), traced.Options()).loaded);
    int lines = 0;
    for (const std::string& text : traced.Lines())
        lines += text.rfind("Read line ", 0) == 0;
    EXPECT_EQ(lines, static_cast<int>(records));
}
