// Simulated logs loaded back: the loader and the dive summary must find what the simulator put
// there, in both layouts. The binary twin is checked by `zelvorlog convert` and the golden dumps.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "SimTestHelpers.h"
#include "logfile/CDiveLog.h"
#include "logfile/CDiveLogPreDive.h"
#include "logfile/CDiveLogSample.h"
#include "sim/CDiveSimulator.h"
#include "viewmodel/LogBook.h"

using simtest::ShortOptions;

namespace {

std::string WriteTemp(const std::string& name, const std::string& bytes) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("zelvor_sim_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

// The dive time text the summary gives for whole seconds.
std::string DiveTimeText(int seconds) {
    char text[32];
    if (seconds < 3600)
        std::snprintf(text, sizeof text, "%02d:%02d mm:ss", seconds / 60, seconds % 60);
    else
        std::snprintf(text, sizeof text, "%d:%02d:%02d hh:mm:ss", seconds / 3600, seconds / 60 % 60,
                      seconds % 60);
    return text;
}

void ExpectFound(const CSimOptions& options, const char* name) {
    SCOPED_TRACE(name);
    const CSimLog sim = SimulateDive(options);
    CDiveLog log;
    const CLoadResult result = log.LoadLogFile(WriteTemp(name, sim.ToText()));
    ASSERT_TRUE(result.loaded) << (result.errors.empty() ? "" : result.errors.front());
    EXPECT_EQ(log.m_bFrcLayout, options.frcLayout);
    EXPECT_DOUBLE_EQ(log.m_dDiveStartTime, sim.truth.diveStartTime);
    EXPECT_EQ(log.m_ChartRange.diveEnd, sim.truth.diveEndTime);
    EXPECT_EQ(log.m_ChartRange.logEnd, sim.truth.powerOffTime);
    EXPECT_EQ(log.m_nSampleInterval, options.intervalSeconds);

    const CDiveLogInformation& info = log.m_DiveInformation;
    ASSERT_TRUE(info.m_bSummaryValid);
    EXPECT_DOUBLE_EQ(info.m_dMaxDepth, sim.truth.maxDepth);
    EXPECT_EQ(info.m_strDiveTime, DiveTimeText(sim.truth.diveSeconds));
    EXPECT_EQ(info.m_nDiveNumber, options.diveNumber);
    EXPECT_TRUE(info.m_dtDiveDateTime == sim.truth.diveStart);
    for (int a = 0; a < kSimAlarmCount; ++a)
        EXPECT_EQ(info.m_bAlarm[a], sim.truth.alarms[a]) << SimAlarmName(static_cast<ESimAlarm>(a));

    // The deepest logged sample is the maximum depth itself.
    double deepest = 0.0;
    for (const auto& s : log.m_arSamples)
        deepest = std::max(deepest, s->GetDepth());
    EXPECT_NEAR(deepest, sim.truth.maxDepth, 1e-9);
    EXPECT_EQ(info.m_strLocation, "Cove Bay");
    ASSERT_EQ(log.m_arPreDives.size(), 1u + options.powerCycles);
    for (const auto& p : log.m_arPreDives)
        EXPECT_TRUE(p->HasPowerOff());
    EXPECT_FALSE(log.m_arSolenoidC1.empty());

    // The unit's own log book ends with this dive (and, in the FRC layout, repeats it in the
    // EEPROM entry).
    const std::vector<CLogBookEntry> book = DecodeLogBook(log);
    ASSERT_GE(book.size(), 2u);
    const CLogBookEntry& last = options.frcLayout ? book[book.size() - 2] : book.back();
    EXPECT_EQ(last.m_nNumber, options.diveNumber);
    EXPECT_EQ(last.m_nDuration, sim.truth.diveSeconds);
    EXPECT_EQ(last.m_nDepth, std::lround(sim.truth.maxDepth * 100));
    EXPECT_EQ(book.back().m_bEeprom, options.frcLayout);
}

} // namespace

// ---- simulate, then load ----------------------------------------------------------------------

TEST(SimulatedLog, FrcLayoutIsFound) {
    CSimOptions o;
    o.maxDepthMetres = 42.37;
    o.durationSeconds = 52 * 60;
    o.alarms = {{ESimAlarm::FastAscent, 2800, 30},
                {ESimAlarm::C1LowOxygen, 900, 60},
                {ESimAlarm::Scrubber2ndWarning, 1500, 20}};
    ExpectFound(o, "frc.ccl");
}

TEST(SimulatedLog, ShortLayoutIsFound) {
    CSimOptions o = ShortOptions(5, 2, 46);
    o.intervalSeconds = 4;
    o.alarms = {{ESimAlarm::C2HighOxygen, 600, 40},
                {ESimAlarm::Co2SecondWarning, 1200, 8},
                {ESimAlarm::DiveStart, 0, 30}};
    ExpectFound(o, "short.ccl");
}

TEST(SimulatedLog, OlderShortLayoutsAreFound) {
    // Below 05.00.40 the interval travels in the power-on record; below 03.09.36 the status
    // record's last byte is the interval, and the second scrubber warning shares the CO2 bit.
    CSimOptions level4 = ShortOptions(3, 9, 36);
    level4.intervalSeconds = 5;
    ExpectFound(level4, "level4.ccl");
    CSimOptions old = ShortOptions(2, 1, 3);
    old.intervalSeconds = 2;
    old.colourDisplay = true;
    old.alarms = {{ESimAlarm::CeilingViolation, 300, 10}};
    ExpectFound(old, "old.ccl");
}

TEST(SimulatedLog, DiveWithoutSurfaceTimeIsFound) {
    CSimOptions o;
    o.maxDepthMetres = 4.5;
    o.durationSeconds = 20 * 60;
    o.surfaceBeforeMinutes = 0;
    o.surfaceAfterMinutes = 0;
    ExpectFound(o, "shallow.ccl");
}

TEST(SimulatedLog, PowerCyclesAfterTheDiveKeepTheDive) {
    // Each later power-on starts a pre-dive set of its own; the summary still takes the dive's.
    CSimOptions frc;
    frc.powerCycles = 2;
    frc.alarms = {{ESimAlarm::CnsExposure, 60, 60}};
    ExpectFound(frc, "cycles-frc.ccl");
    CSimOptions shortLayout = ShortOptions(5, 2, 46);
    shortLayout.powerCycles = 3;
    shortLayout.intervalSeconds = 6;
    ExpectFound(shortLayout, "cycles-short.ccl");
    CSimOptions old = ShortOptions(3, 9, 22);
    old.powerCycles = 1;
    ExpectFound(old, "cycles-old.ccl");
}
