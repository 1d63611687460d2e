// Whole-file behaviour of the loader: the format check, header and blank lines, checksum
// failures, version detection, status-log levels and what a failed load leaves behind.
#include <gtest/gtest.h>

#include <algorithm>

#include "LogBuilder.h"
#include "logfile/CDiveLogPreDive.h"
#include "logfile/CDiveLogSample.h"
#include "logfile/FileIO.h"

using namespace loadertest;

// ==== Format check ===============================================================================

TEST(LoadFormat, OneByteFileIsRefused) {
    StatusCapture status;
    CDiveLog log;
    const CLoadResult r = log.LoadLogFile(WriteFile("one.ccl", "0"), status.Options());
    EXPECT_FALSE(r.loaded);
    EXPECT_EQ(r.messageId, 2218);
    EXPECT_EQ(log.m_nFileKind, 0);
    EXPECT_FALSE(log.m_bLoading);
    const std::vector<std::string> expected = {
        "Invalid file format",
        "Error Message - File to small, at least two bytes required for format check"};
    EXPECT_EQ(r.errors, expected);
    EXPECT_TRUE(status.Has(expected[1]));
}

TEST(LoadFormat, MissingFileNamesTheSystemError) {
    CDiveLog log;
    const std::string path = TempPath("does-not-exist.ccl");
    const CLoadResult r = log.LoadLogFile(path);
    EXPECT_EQ(r.messageId, 2218);
    ASSERT_EQ(r.errors.size(), 2u);
    EXPECT_EQ(r.errors[1], "Error Message - Unable to open source file: No such file or "
                           "directory - m_cause 2, m_lOsError 2, m_strFileName " +
                               path);
}

TEST(LoadFormat, TwoZeroBytesGoToTheBinaryReader) {
    StatusCapture status;
    CDiveLog log;
    std::string content(2, '\0');
    content += SPowerOn(At(10, 0, 0)) + "\r\n";
    const CLoadResult r = log.LoadLogFile(WriteFile("zero.ccl", content), status.Options());
    EXPECT_EQ(log.m_nFileKind, 2);
    EXPECT_FALSE(r.loaded);
    // The diver is told that the file is no log, and why, rather than left with an empty window.
    EXPECT_EQ(r.messageId, 2220);
    EXPECT_FALSE(r.reason.empty());
    ASSERT_EQ(r.errors.size(), 2u);
    EXPECT_EQ(r.errors[1], "Error Message - " + r.reason);
    EXPECT_EQ(r.errors[0], "Unable to convert the binary file to a CMemStdioFile");
    EXPECT_EQ(r.errors[1].rfind("Error Message - ", 0), 0u);
    EXPECT_TRUE(status.Has(r.errors[0]));
    EXPECT_FALSE(log.m_bLoading);
}

TEST(LoadFormat, TitleAfterEitherSeparator) {
    CDiveLog log;
    ASSERT_TRUE(log.LoadLogFile(WriteLog("dir\\inner.ccl", SimpleShort())).loaded);
    EXPECT_EQ(log.m_strFileTitle, "inner.ccl"); // the plain case is in the basic short dive
}

// ==== Header lines, blank line, checksum =========================================================

TEST(LoadLines, HeaderLinesAreNotCountedAndABlankLineEndsThePass) {
    StatusCapture status(4);
    std::vector<std::string> lines = {"Porthole Link Version 3.2.1", "Date 01/06/2020",
                                      "Time 10:00:00"};
    for (const auto& l : SimpleShort())
        lines.push_back(l);
    lines.push_back("");
    lines.push_back("not a record at all");
    lines.push_back(SDepth(1300));
    CDiveLog log;
    const std::string path = WriteLog("headers.ccl", lines);
    ASSERT_TRUE(log.LoadLogFile(path, status.Options()).loaded);
    EXPECT_EQ(log.m_arSamples.size(), 2u);
    // The power-on after the header lines is record line 1, on the grid.
    EXPECT_EQ(log.m_arPreDives.size(), 1u);
    EXPECT_TRUE(status.Has("Read line 1, Record type 0x00"));
    EXPECT_TRUE(status.Has("Read line 3, Record type 0x06"));
    EXPECT_FALSE(status.Has("Read line 4, Record type 0x06"));
}

TEST(LoadLines, ChecksumErrorOnTheLastLineDiscardsEverything) {
    StatusCapture status;
    std::vector<std::string> lines = SimpleShort();
    std::string bad = SDepth(1300);
    bad.back() = bad.back() == '0' ? '1' : '0';
    lines.push_back(bad);
    const std::string path = WriteLog("checksum.ccl", lines);
    CDiveLog log;
    // A good load first, not unloaded: the failed one must not leave it marked as loaded over
    // empty arrays.
    ASSERT_TRUE(log.LoadLogFile(WriteLog("good.ccl", SimpleShort()), status.Options()).loaded);
    const CLoadResult r = log.LoadLogFile(path, status.Options());
    EXPECT_FALSE(r.loaded);
    EXPECT_EQ(r.messageId, 2219);
    const std::string message = "Invalid checksum in file " + path + " at line 4";
    EXPECT_EQ(r.errors, std::vector<std::string>{message});
    EXPECT_EQ(status.Count(message), 1);
    EXPECT_TRUE(log.m_arSamples.empty());
    EXPECT_TRUE(log.m_arPreDives.empty());
    EXPECT_FALSE(log.m_bFileLoaded);
    EXPECT_TRUE(log.m_strFilePath.empty());
    EXPECT_FALSE(log.m_bLoading);
    for (int level = 1; level <= 9; ++level)
        EXPECT_FALSE(log.VersionLevel(level));
}

TEST(LoadLines, NoPowerOnIsNoDiveData) {
    StatusCapture status;
    CDiveLog log;
    const std::string path = WriteLog("nopoweron.ccl", {SDepth(1100), SDepth(1200)});
    const CLoadResult r = log.LoadLogFile(path, status.Options());
    EXPECT_FALSE(r.loaded);
    EXPECT_EQ(r.messageId, 2220);
    EXPECT_TRUE(log.m_arSamples.empty());
    EXPECT_TRUE(log.m_strFilePath.empty());
    EXPECT_TRUE(status.Has("File " + path + " loaded but contains no valid dive data"));
}

// ==== Version detection ==========================================================================

TEST(LoadVersion, Level8AnnouncesItsOwnText) {
    StatusCapture status;
    std::vector<std::string> lines = VersionLines(7, 0, 12);
    lines.push_back(FPowerOn(0.0, At(10, 0, 0)));
    lines.push_back(FDepth(1.0, 1013));
    CDiveLog log;
    ASSERT_TRUE(log.LoadLogFile(WriteLog("v070012.ccl", lines), status.Options()).loaded);
    EXPECT_TRUE(log.VersionLevel(8));
    EXPECT_FALSE(log.VersionLevel(9));
    EXPECT_TRUE(log.m_bFrcLayout);
    EXPECT_TRUE(status.Has("Display Code Version 07.00.17 or above"));
}

TEST(LoadVersion, OlderCodesStayInTheShortLayout) {
    struct Case {
        unsigned major, minor, build;
        int highest;
        const char* text;
    };
    const Case cases[] = {
        {2, 1, 2, 0, "Display Code Version prior to 02.01.03"},
        {3, 9, 36, 4, "Display Code Version 03.09.36 or above"},
        {5, 1, 42, 6, "Display Code Version 05.01.42 or above"},
        {7, 0, 2, 7, "Display Code Version 05.02.46 or above"},
    };
    for (const Case& c : cases) {
        StatusCapture status;
        std::vector<std::string> lines = VersionLines(c.major, c.minor, c.build);
        lines.push_back(SFiller());
        lines.push_back(SFiller());
        for (const auto& l : SimpleShort())
            lines.push_back(l);
        CDiveLog log;
        ASSERT_TRUE(log.LoadLogFile(WriteLog("version.ccl", lines), status.Options()).loaded)
            << c.text;
        EXPECT_FALSE(log.m_bFrcLayout) << c.text;
        for (int level = 1; level <= 9; ++level)
            EXPECT_EQ(log.VersionLevel(level), level <= c.highest) << c.text << " " << level;
        EXPECT_TRUE(status.Has(c.text)) << c.text;
    }
}

// ==== Status-log levels ==========================================================================

TEST(LoadStatus, ProgressAndTraceOnlyAtTheirLevels) {
    const std::string path = WriteLog("levels.ccl", SimpleShort());
    const char* progress[] = {"File format check passed",
                              "Starting first pass to determine version number",
                              "Version number obtained",
                              "Reset to start of file",
                              "Reset to start of file completed",
                              "Starting main load of file",
                              "Finished loading file",
                              "Checking file validity",
                              "Starting to display data"};
    {
        StatusCapture quiet;
        CDiveLog log;
        ASSERT_TRUE(log.LoadLogFile(path, quiet.Options()).loaded);
        for (const char* p : progress)
            EXPECT_FALSE(quiet.Has(p)) << p;
        EXPECT_TRUE(quiet.Has("File " + path + " loaded OK"));
    }
    {
        StatusCapture level3(3);
        CDiveLog log;
        ASSERT_TRUE(log.LoadLogFile(path, level3.Options()).loaded);
        for (const char* p : progress)
            EXPECT_EQ(level3.Count(p), 1) << p;
        EXPECT_FALSE(level3.Has("Read line 1, Record type 0x00"));
    }
}

// ==== Events in the result ======================================================================

// The result carries what the load said, typed and with its line, whether or not anybody
// observed it; nothing reaches a status log the caller did not hand in.
TEST(LoadStatus, EventsCarryKindAndLine) {
    std::vector<std::string> lines = SimpleShort();
    std::string bad = SDepth(1300);
    bad.back() = bad.back() == '0' ? '1' : '0';
    lines.push_back(bad);
    const std::string path = WriteLog("events.ccl", lines);
    CDiveLog log;
    CLoadOptions options;
    options.messageLevel = 4;
    const CLoadResult r = log.LoadLogFile(path, options);
    ASSERT_FALSE(r.loaded);
    const CReportEvent expected{ReportKind::kError, 4,
                                "Invalid checksum in file " + path + " at line 4"};
    ASSERT_FALSE(r.events.empty());
    EXPECT_EQ(r.events.back(), expected);
    int traced = 0;
    for (const CReportEvent& e : r.events)
        traced += e.kind == ReportKind::kTrace;
    EXPECT_EQ(traced, 0); // the first pass stopped at the bad line; the main pass never ran

    const CLoadResult ok = log.LoadLogFile(WriteLog("events-ok.ccl", SimpleShort()), options);
    ASSERT_TRUE(ok.loaded);
    const CReportEvent trace{ReportKind::kTrace, 3, "Read line 3, Record type 0x06"};
    EXPECT_NE(std::find(ok.events.begin(), ok.events.end(), trace), ok.events.end());
    for (const CReportEvent& e : ok.events)
        EXPECT_NE(e.kind, ReportKind::kError) << e.text;
}

// ==== Reloading ==================================================================================

TEST(LoadReload, ASecondFileReplacesTheFirstCompletely) {
    ShortLog dive;
    dive.PowerOn(At(10, 0, 0));
    dive.Add(SDepth(1100))
        .Add(SDiveStart(At(10, 0, 40), 1))
        .Add(Short(CRecordLineWriter(0x0A).Word(200)));
    CDiveLog log;
    ASSERT_TRUE(log.LoadLogFile(WriteLog("first.ccl", dive.Lines())).loaded);
    EXPECT_EQ(log.m_dDiveStartTime, 40.0);
    EXPECT_TRUE(log.m_bCylinderPressures);
    log.UnloadLogFile();
    EXPECT_TRUE(log.m_arSamples.empty());
    EXPECT_EQ(log.m_ChartRange.diveEnd, 1);
    ASSERT_TRUE(log.LoadLogFile(WriteLog("second.ccl", SimpleShort())).loaded);
    // Nothing of the first file's dive survives.
    EXPECT_EQ(log.m_dDiveStartTime, 0.0);
    EXPECT_FALSE(log.m_dtDiveStart.IsValid());
    EXPECT_FALSE(log.m_bCylinderPressures);
    EXPECT_EQ(log.m_arSamples.size(), 2u);
    EXPECT_EQ(log.m_strFileTitle, "second.ccl");
}

// The file is read straight into the string it ends up in: sizes around the read sizes, and a
// string that held something before, must come back byte for byte.
TEST(LoadFormat, ReadingAFileGivesItsBytesAtEverySize) {
    for (size_t size : {size_t(0), size_t(1), size_t(4095), size_t(4096), size_t(4097),
                        size_t(65536), size_t(300001)}) {
        SCOPED_TRACE(size);
        std::string bytes(size, '\0');
        for (size_t i = 0; i < size; ++i)
            bytes[i] = static_cast<char>((i * 131 + i / 7) & 0xFF);
        const std::string path = WriteFile("sized.bin", bytes);
        std::string content = "left over from before";
        const fileio::ReadOutcome read = fileio::ReadFile(path, content);
        ASSERT_TRUE(read.ok);
        EXPECT_TRUE(content == bytes);
        // A prefix stops at the limit; a file over it is refused and leaves nothing.
        if (size > 10) {
            EXPECT_TRUE(fileio::ReadFile(path, content, 10, true).ok);
            EXPECT_EQ(content, bytes.substr(0, 10));
            EXPECT_FALSE(fileio::ReadFile(path, content, size - 1).ok);
            EXPECT_TRUE(content.empty());
        }
    }
}

// The loader's own room for a file: the same bytes as the string reader at every size, large
// ones included (those take another way to their memory), and the same refusals.
TEST(LoadFormat, FileRoomGivesTheBytesOfTheStringReader) {
    for (size_t size :
         {size_t(0), size_t(1), size_t(4096), size_t(300001), size_t(5u << 20) + 17}) {
        SCOPED_TRACE(size);
        std::string bytes(size, '\0');
        for (size_t i = 0; i < size; ++i)
            bytes[i] = static_cast<char>((i * 131 + i / 7) & 0xFF);
        const std::string path = WriteFile("room.bin", bytes);
        fileio::CFileBytes room;
        room.append("left over", 9);
        const fileio::ReadOutcome read = fileio::ReadFile(path, room);
        ASSERT_TRUE(read.ok);
        EXPECT_TRUE(room.View() == bytes);
        EXPECT_GE(room.capacity(), room.size());
        // Moving hands the memory over; the one moved from is empty.
        fileio::CFileBytes moved = std::move(room);
        EXPECT_TRUE(moved.View() == bytes);
        EXPECT_EQ(room.size(), 0u);
        if (size > 10) {
            EXPECT_TRUE(fileio::ReadFile(path, moved, 10, true).ok);
            EXPECT_EQ(moved.View(), bytes.substr(0, 10));
            EXPECT_FALSE(fileio::ReadFile(path, moved, size - 1).ok);
            EXPECT_EQ(moved.size(), 0u);
        }
    }
}

// Growing past the room keeps what is held, as a file that grows while it is read needs.
TEST(LoadFormat, FileRoomKeepsItsBytesWhenItGrows) {
    fileio::CFileBytes room;
    std::string expected;
    for (int k = 0; k < 3000; ++k) {
        const std::string piece = std::to_string(k * 7919) + ",";
        room.append(piece.data(), piece.size());
        expected += piece;
    }
    EXPECT_TRUE(room.View() == expected);
    room.resize(5);
    EXPECT_EQ(room.View(), expected.substr(0, 5));
    room.Release();
    EXPECT_EQ(room.capacity(), 0u);
    EXPECT_TRUE(room.View().empty());
}
