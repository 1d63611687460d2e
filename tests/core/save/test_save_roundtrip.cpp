#include <gtest/gtest.h>

#include <algorithm>

#include "SaveTestFiles.h"
#include "logfile/CDiveLog.h"
#include "logfile/LogSaver.h"
#include "logfile/TextLogMerge.h"
#include "logfile/binary/BinaryLogRecords.h"
#include "logfile/binary/CStandardRecord.h"
#include "sim/CDiveSimulator.h"
#include "sim/SimBinary.h"

using namespace savetest;

namespace {

CSimLog Simulate(bool frc, bool withUserRecords) {
    CSimOptions o;
    o.frcLayout = frc;
    if (!frc) {
        o.versionMajor = 5;
        o.versionMinor = 2;
        o.versionBuild = 46;
    }
    o.durationSeconds = 20 * 60;
    o.diveInformation = withUserRecords;
    o.cylinderRecords = withUserRecords;
    return SimulateDive(o);
}

void Load(CDiveLog& log, const std::string& path) {
    const CLoadResult r = log.LoadLogFile(path);
    ASSERT_TRUE(r.loaded) << (r.errors.empty() ? "" : r.errors.front());
    ASSERT_TRUE(log.m_bFileLoaded);
}

void Edit(CDiveLog& log) {
    auto& info = log.m_DiveInformation;
    info.m_strLocation = "Scapa Flow";
    info.m_strDiveSite = "SMS C\xF6ln";
    info.m_strDiveNumberText = "412";
    info.m_strLatHemisphere = "S";
    info.m_nLatDegrees = 58;
    info.m_nLatSeconds = 12;
    info.m_nWeather = 2;
    info.m_bDiveType[CDiveLogInformation::kOther] = true;
    info.m_strOtherDiveType = "Scooter";
    info.m_strNotes = "line one\r\nline two";
    log.m_GasManagement.m_dCylinderSizeL[0] = 3.0;
    log.m_GasManagement.m_dPressureIn[0] = 200.0;
    log.m_GasManagement.m_dPressureOut[0] = 50.0;
    log.m_bModified = true;
}

// The unit's data of two loads agree.
void ExpectSameDive(const CDiveLog& a, const CDiveLog& b) {
    EXPECT_EQ(a.m_arSamples.size(), b.m_arSamples.size());
    EXPECT_EQ(a.m_arPreDives.size(), b.m_arPreDives.size());
    EXPECT_EQ(a.m_dDiveStartTime, b.m_dDiveStartTime);
    EXPECT_EQ(a.m_dDiveEndTime, b.m_dDiveEndTime);
    EXPECT_EQ(a.m_DiveInformation.m_strDiveTime, b.m_DiveInformation.m_strDiveTime);
    EXPECT_EQ(a.m_DiveInformation.m_dMaxDepth, b.m_DiveInformation.m_dMaxDepth);
}

void ExpectEditsKept(const CDiveLog& saved, const CDiveLog& reloaded) {
    EXPECT_EQ(reloaded.m_DiveInformation.EncodeAll(), saved.m_DiveInformation.EncodeAll());
    EXPECT_EQ(reloaded.m_GasManagement.EncodeAll(), saved.m_GasManagement.EncodeAll());
    EXPECT_EQ(reloaded.m_DiveInformation.m_strLocation, "Scapa Flow");
    EXPECT_EQ(reloaded.m_DiveInformation.m_nLatSeconds, 12u);
    EXPECT_DOUBLE_EQ(reloaded.m_GasManagement.m_dPressureIn[0], 200.0);
}

size_t CountLines(const std::string& text, std::string_view line) {
    const auto lines = SplitLines(text);
    return size_t(std::count(lines.begin(), lines.end(), line));
}

} // namespace

// ---- Save and reload: text logs ----------------------------------------------------------------

TEST(SaveRoundTrip, TextLogWithoutUserRecordsShowsEveryEditAfterReload) {
    for (bool frc : {false, true}) {
        SCOPED_TRACE(frc ? "FRC layout" : "short layout");
        CTempDir dir;
        const std::string path = dir.File("dive.ccl");
        const CSimLog sim = Simulate(frc, false);
        WriteAll(path, sim.ToText());
        const size_t before = SplitLines(sim.ToText()).size();

        CDiveLog log;
        Load(log, path);
        Edit(log);
        const CSaveResult r = SaveLogFile(log);
        ASSERT_TRUE(r.ok) << r.error;
        EXPECT_FALSE(log.m_bModified);
        const std::string saved = ReadAll(path);
        EXPECT_EQ(SplitLines(saved).size(), before + 27);
        // The download header lines are still on top.
        const auto savedLines = SplitLines(saved);
        for (size_t i = 0; i < sim.headerLines.size(); ++i)
            EXPECT_EQ(savedLines[i], sim.headerLines[i]);

        CDiveLog reloaded;
        Load(reloaded, path);
        ExpectEditsKept(log, reloaded);
        ExpectSameDive(log, reloaded);

        ASSERT_TRUE(SaveLogFile(reloaded).ok);
        EXPECT_EQ(ReadAll(path), saved);
    }
}

TEST(SaveRoundTrip, SavingNeverChangesWhichPowerOnRecordsCount) {
    // A short-layout log whose second power-on record stands off the four-line grid (behind an
    // old user record), so the loader skips it. Saving drops that record; the lines behind it
    // must not move, or the skipped power-on would count and the saved file show another dive.
    CSimOptions o;
    o.frcLayout = false;
    o.versionMajor = 5;
    o.versionMinor = 2;
    o.versionBuild = 46;
    o.durationSeconds = 10 * 60;
    const CSimLog sim = SimulateDive(o);
    std::vector<std::string> lines = sim.headerLines;
    lines.push_back(sim.logLines.front());
    lines.push_back(sim.userLines.front());
    lines.insert(lines.end(), sim.logLines.begin(), sim.logLines.end());
    CTempDir dir;
    const std::string path = dir.File("dive.ccl");
    WriteAll(path, Join(lines, "\r\n"));

    CDiveLog log;
    Load(log, path);
    Edit(log);
    ASSERT_TRUE(SaveLogFile(log).ok);
    CDiveLog reloaded;
    Load(reloaded, path);
    ExpectSameDive(log, reloaded);
    ExpectEditsKept(log, reloaded);
}

TEST(SaveRoundTrip, TextLogWithUserRecordsReplacesThem) {
    CTempDir dir;
    const std::string path = dir.File("dive.ccl");
    const CSimLog sim = Simulate(true, true);
    WriteAll(path, sim.ToText());
    CDiveLog log;
    Load(log, path);
    Edit(log);
    ASSERT_TRUE(SaveLogFile(log).ok);
    const std::string saved = ReadAll(path);
    EXPECT_EQ(SplitLines(saved).size(),
              SplitLines(sim.ToText()).size() - sim.userLines.size() + 27);
    CDiveLog reloaded;
    Load(reloaded, path);
    ExpectEditsKept(log, reloaded);
}

TEST(SaveRoundTrip, BlankLineAtTheEndDoesNotHideTheEdits) {
    CTempDir dir;
    const std::string path = dir.File("dive.ccl");
    WriteAll(path, Simulate(false, false).ToText() + "\r\n\r\n");
    CDiveLog log;
    Load(log, path);
    Edit(log);
    ASSERT_TRUE(SaveLogFile(log).ok);
    CDiveLog reloaded;
    Load(reloaded, path);
    ExpectEditsKept(log, reloaded);
}

TEST(SaveRoundTrip, UnreadLinesAfterABlankLineStayUnread) {
    CTempDir dir;
    const std::string path = dir.File("dive.ccl");
    // A note someone added after a blank line: never read, and it would fail its checksum.
    const std::string tail = "\r\nchecked by J. Smith\r\n";
    WriteAll(path, Simulate(false, false).ToText() + tail);
    CDiveLog log;
    Load(log, path);
    Edit(log);
    ASSERT_TRUE(SaveLogFile(log).ok);
    const std::string saved = ReadAll(path);
    EXPECT_EQ(saved.substr(saved.size() - tail.size()), tail);
    CDiveLog reloaded;
    Load(reloaded, path);
    ExpectEditsKept(log, reloaded);
    ExpectSameDive(log, reloaded);
}

TEST(SaveRoundTrip, PowerOnOffTheGridStaysWhereItIs) {
    CTempDir dir;
    const std::string path = dir.File("dive.ccl");
    CSimLog sim = Simulate(false, false);
    // Two records of an unused type and a second power-on after the first: the second one
    // sits at record line 4, off its boundary, and the loader skips it; a save must leave it
    // there, or the saved log would show one pre-dive more.
    const std::string unused = Record(0x45);
    const std::string powerOn = sim.logLines.front();
    ASSERT_EQ(RecordType(powerOn), 0x00u);
    sim.logLines.insert(sim.logLines.begin() + 1, {unused, unused, powerOn});
    WriteAll(path, sim.ToText());

    CDiveLog log;
    Load(log, path);
    Edit(log);
    ASSERT_TRUE(SaveLogFile(log).ok);
    const std::string once = ReadAll(path);
    EXPECT_EQ(CountLines(once, kFillerLine), 0u);
    CDiveLog reloaded;
    Load(reloaded, path);
    ExpectEditsKept(log, reloaded);
    ExpectSameDive(log, reloaded);

    ASSERT_TRUE(SaveLogFile(reloaded).ok);
    EXPECT_EQ(ReadAll(path), once);
}

// ---- Save and reload: binary logs --------------------------------------------------------------

TEST(SaveRoundTrip, BinaryLogUserRecordInsertedThenReplaced) {
    CTempDir dir;
    const std::string path = dir.File("dive.bin");
    std::string file, error;
    ASSERT_TRUE(BuildSimBinary(Simulate(true, false), file, error)) << error;
    WriteAll(path, file);

    CDiveLog log;
    Load(log, path);
    ASSERT_EQ(log.m_nFileKind, 2);
    Edit(log);
    ASSERT_TRUE(SaveLogFile(log).ok);

    std::vector<CStandardRecordData> records;
    ASSERT_TRUE(binarylog::ReadRecords(ReadAll(path), records, error)) << error;
    const auto typeAt = [&](size_t i) { return records[i].nType; };
    size_t users = 0;
    for (size_t i = 0; i < records.size(); ++i) {
        if (typeAt(i) == CStandardRecord::kTypeDLDataUser) {
            ++users;
            ASSERT_GT(i, 0u);
            EXPECT_EQ(typeAt(i - 1), CStandardRecord::kTypeDLDataComp);
        }
    }
    EXPECT_EQ(users, 1u);
    EXPECT_TRUE(binarylog::CheckFileCrc(ReadAll(path), error));

    CDiveLog reloaded;
    Load(reloaded, path);
    ExpectEditsKept(log, reloaded);
    ExpectSameDive(log, reloaded);

    reloaded.m_DiveInformation.m_strLocation = "Farne Islands";
    const size_t size = ReadAll(path).size();
    ASSERT_TRUE(SaveLogFile(reloaded).ok);
    EXPECT_EQ(ReadAll(path).size(), size + 3); // same place, three characters longer
    CDiveLog third;
    Load(third, path);
    EXPECT_EQ(third.m_DiveInformation.m_strLocation, "Farne Islands");
}
