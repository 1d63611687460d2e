// The simulator's own promises: same seed gives the same bytes, every line is a well-formed
// record of its layout, and the short layout keeps power-on records on their four-line grid.
#include <gtest/gtest.h>

#include <sstream>

#include "SimTestHelpers.h"
#include "logfile/FieldParsers.h"
#include "sim/CDiveSimulator.h"

using simtest::ShortOptions;

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    std::istringstream in(text);
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

} // namespace

// ---- SimulateDive ------------------------------------------------------------------------------

TEST(SimulateDive, SameSeedSameBytes) {
    CSimOptions o;
    o.seed = 7;
    EXPECT_EQ(SimulateDive(o).ToText(), SimulateDive(o).ToText());
    CSimOptions other = o;
    other.seed = 8;
    EXPECT_NE(SimulateDive(o).ToText(), SimulateDive(other).ToText());
}

TEST(SimulateDive, FrcLinesAreWellFormed) {
    CSimOptions o;
    o.alarms.push_back({ESimAlarm::FastAscent, 600, 60});
    const CSimLog log = SimulateDive(o);
    ASSERT_FALSE(log.logLines.empty());
    for (const std::string& line : log.logLines) {
        ASSERT_EQ(line.size(), 66u) << line;
        ASSERT_TRUE(IsChecksumValid(line)) << line;
    }
    EXPECT_EQ(RecordType(log.logLines.front()), 0x00u);
    EXPECT_EQ(RecordType(log.logLines.back()), 0x7Fu);
    for (const std::string& line : log.userLines)
        EXPECT_TRUE(IsChecksumValid(line)) << line;
    // Every text line of the file is a header line or a valid record.
    for (const std::string& line : Lines(log.ToText()))
        EXPECT_TRUE(IsHeaderLine(line) || IsChecksumValid(line)) << line.substr(0, 40);
}

TEST(SimulateDive, ShortLinesAndPowerOnGrid) {
    CSimOptions o = ShortOptions();
    o.powerCycles = 3;
    const CSimLog log = SimulateDive(o);
    int powerOns = 0;
    for (size_t i = 0; i < log.logLines.size(); ++i) {
        const std::string& line = log.logLines[i];
        ASSERT_EQ(line.size(), 34u) << line;
        ASSERT_TRUE(IsChecksumValid(line)) << line;
        if (RecordType(line) == 0x00) {
            EXPECT_EQ(i % 4, 0u) << "power-on record off its grid at line " << i + 1;
            ++powerOns;
        }
    }
    EXPECT_EQ(powerOns, 4);
}

TEST(SimulateDive, TimelineAlignsWithInterval) {
    CSimOptions o;
    o.intervalSeconds = 4;
    o.surfaceBeforeMinutes = 1;
    o.durationSeconds = 1801;
    o.maxDepthMetres = 27.345;
    const CSimTruth t = SimulateDive(o).truth;
    EXPECT_EQ(t.diveStartTime % 4, 0);
    EXPECT_EQ(t.diveSeconds % 4, 0);
    EXPECT_NEAR(t.diveSeconds, 1800, 4);
    EXPECT_DOUBLE_EQ(t.maxDepth, 27.35);
}

TEST(SimulateDive, AlarmTruthFollowsChosenAlarms) {
    CSimOptions o;
    o.alarms.push_back({ESimAlarm::C2LowOxygen, 300, 40});
    o.alarms.push_back({ESimAlarm::Co2SecondWarning, 900, 20});
    const CSimTruth t = SimulateDive(o).truth;
    for (int a = 0; a < kSimAlarmCount; ++a) {
        const bool chosen = a == static_cast<int>(ESimAlarm::C2LowOxygen) ||
                            a == static_cast<int>(ESimAlarm::Co2SecondWarning);
        EXPECT_EQ(t.alarms[a], chosen) << SimAlarmName(static_cast<ESimAlarm>(a));
    }
}

// ---- options -----------------------------------------------------------------------------------

TEST(SimOptions, ParseAlarm) {
    CSimAlarm a;
    std::string error;
    ASSERT_TRUE(ParseSimAlarm("fast-ascent@12:30+45", a, error)) << error;
    EXPECT_EQ(a.alarm, ESimAlarm::FastAscent);
    EXPECT_EQ(a.startSeconds, 750);
    EXPECT_EQ(a.durationSeconds, 45);
    ASSERT_TRUE(ParseSimAlarm("co2-1st@90", a, error));
    EXPECT_EQ(a.startSeconds, 90);
    EXPECT_EQ(a.durationSeconds, 30);
    EXPECT_FALSE(ParseSimAlarm("fast-ascent", a, error));
    EXPECT_FALSE(ParseSimAlarm("bogus@10", a, error));
    EXPECT_FALSE(ParseSimAlarm("fast-ascent@1:75", a, error));
    EXPECT_FALSE(ParseSimAlarm("fast-ascent@10+0", a, error));
}
