// The loader reads the lines once: the version records are found by a scan ahead of the pass,
// and what the version pass would have said is said in its place, in its order. A bad checksum
// still ends the load with only what a version pass stopping there says.
#include <gtest/gtest.h>

#include <algorithm>

#include "LogBuilder.h"

using namespace loadertest;

namespace {

// Power-on on line 1, depth lines, a power-on off its grid on line 3, the version at the end.
std::vector<std::string> OffGridThenVersion(unsigned major, unsigned minor, unsigned build) {
    ShortLog b;
    b.PowerOn(At(10, 0, 0));
    b.Add(SDepth(1100)).Add(SPowerOn(At(10, 5, 0))).Add(SDepth(1200));
    std::vector<std::string> lines = b.Lines();
    for (const auto& l : VersionLines(major, minor, build))
        lines.push_back(l);
    return lines;
}

std::string OffGridNotice(const std::string& path, int line) {
    return "Power On record skipped due to location in file " + path + " at line " +
           std::to_string(line);
}

} // namespace

TEST(LoadScan, VersionRecordsAnywhereChooseTheLayoutUnlessABlankLineHidesThem) {
    std::vector<std::string> frc = {FPowerOn(0.0, At(10, 0, 0)), FDepth(1.0, 1013),
                                    FDepth(2.0, 1200)};
    std::vector<std::string> atEnd = frc;
    for (const auto& l : VersionLines(7, 0, 20))
        atEnd.push_back(l);
    CDiveLog log;
    ASSERT_TRUE(log.LoadLogFile(WriteLog("scan-end.ccl", atEnd)).loaded);
    EXPECT_TRUE(log.m_bFrcLayout);
    EXPECT_TRUE(log.VersionLevel(9));
    ASSERT_EQ(log.m_arSamples.size(), 2u);
    EXPECT_EQ(log.m_arSamples[1]->m_dPressure, 1200.0);

    // Lower-case digits are the same record type; a later 0xB0 line heads the next 0xB1.
    std::vector<std::string> lower = VersionLines(5, 0, 40);
    lower[0][0] = 'b';
    lower[1][0] = 'b';
    std::vector<std::string> mixed = SimpleShort();
    mixed.insert(mixed.end(), lower.begin(), lower.end());
    ASSERT_TRUE(log.LoadLogFile(WriteLog("scan-lower.ccl", mixed)).loaded);
    EXPECT_TRUE(log.VersionLevel(5));
    EXPECT_FALSE(log.VersionLevel(6));

    std::vector<std::string> hidden = frc;
    hidden.push_back("");
    for (const auto& l : VersionLines(7, 0, 20))
        hidden.push_back(l);
    CDiveLog other;
    other.LoadLogFile(WriteLog("scan-hidden.ccl", hidden));
    EXPECT_FALSE(other.m_bFrcLayout);
    for (int level = 1; level <= 9; ++level)
        EXPECT_TRUE(other.VersionLevel(level)) << level; // the default when no version is found
}

TEST(LoadScan, EventsComeInTheOrderOfAVersionPassAndAMainPass) {
    StatusCapture status(3);
    const std::string path = WriteLog("scan-order.ccl", OffGridThenVersion(5, 2, 46));
    CDiveLog log;
    const CLoadResult r = log.LoadLogFile(path, status.Options());
    ASSERT_TRUE(r.loaded);
    const std::vector<std::string> head = {
        "File format check passed",
        "Starting first pass to determine version number",
        OffGridNotice(path, 3),
        "Display Code Version 05.02.46 or above",
        "Version number obtained",
        "Reset to start of file",
        "Reset to start of file completed",
        "Starting main load of file",
        OffGridNotice(path, 3),
    };
    ASSERT_GE(status.Lines().size(), head.size());
    EXPECT_EQ(std::vector<std::string>(status.Lines().begin(),
                                       status.Lines().begin() + static_cast<long>(head.size())),
              head);
    EXPECT_TRUE(status.Has("File " + path + " loaded OK"));
    // The result carries the same events, with their lines.
    ASSERT_EQ(r.events.size(), status.Lines().size());
    EXPECT_EQ(r.events[2].line, 3);
    EXPECT_EQ(r.events[2].kind, ReportKind::kNotice);
}

// The one pass has decoded lines before the bad one; none of it may show.
TEST(LoadScan, ABadLineSaysOnlyWhatTheVersionPassSawAndLeavesTheWindowValues) {
    CDiveLog log;
    ShortLog good;
    good.PowerOn(At(10, 0, 0));
    good.Add(SStatus01(1010)).Add(SDepth(1100)).Add(SDated(0x0B, At(10, 1, 0), 5));
    ASSERT_TRUE(log.LoadLogFile(WriteLog("scan-good.ccl", good.Lines())).loaded);
    ASSERT_EQ(log.m_dSurfacePressure, 1010.0);
    ASSERT_EQ(log.m_nSampleInterval, 5);

    ShortLog b;
    b.PowerOn(At(10, 0, 0));
    b.Add(SStatus01(990)).Add(SPowerOn(At(10, 5, 0))).Add(SDated(0x0B, At(10, 6, 0), 30));
    b.Add(SDepth(1100));
    std::vector<std::string> lines = b.Lines();
    std::string bad = SDepth(1300);
    bad.back() = bad.back() == '0' ? '1' : '0';
    lines.push_back(bad);                    // line 6
    lines.push_back(SPowerOn(At(10, 9, 0))); // line 7, off the grid but never reached
    for (const auto& l : VersionLines(7, 0, 20))
        lines.push_back(l);
    const std::string path = WriteLog("scan-bad.ccl", lines);

    StatusCapture status(4);
    const CLoadResult r = log.LoadLogFile(path, status.Options());
    EXPECT_FALSE(r.loaded);
    EXPECT_EQ(r.messageId, 2219);
    const std::vector<std::string> expected = {
        "File format check passed", "Starting first pass to determine version number",
        OffGridNotice(path, 3), "Invalid checksum in file " + path + " at line 6"};
    EXPECT_EQ(status.Lines(), expected);
    EXPECT_EQ(r.events.size(), expected.size());
    EXPECT_EQ(log.m_dSurfacePressure, 1010.0);
    EXPECT_EQ(log.m_nSampleInterval, 5);
    EXPECT_FALSE(log.m_bFrcLayout);
    EXPECT_TRUE(log.m_arSamples.empty());
    EXPECT_TRUE(log.m_arPreDives.empty());
    EXPECT_FALSE(log.m_bLoading);
}

// A line like the latest of its type is not decoded again, since the newest sample holds it
// already; a power-on that starts the log afresh forgets the latest lines, so the same line
// after it must be decoded into the new samples.
TEST(LoadScan, ARepeatedLineAfterAFreshStartIsDecodedAgain) {
    ShortLog b;
    b.PowerOn(At(10, 0, 0));
    b.Add(SDiveDetect(3, 5)).Add(SDepth(1100)).Add(SDiveDetect(3, 5));
    b.PowerOn(At(10, 5, 0));
    b.Add(SDepth(1200)).Add(SDiveDetect(3, 5)).Add(SDepth(1300));
    CDiveLog log;
    ASSERT_TRUE(log.LoadLogFile(WriteLog("scan-repeat.ccl", b.Lines())).loaded);
    ASSERT_EQ(log.m_arSamples.size(), 3u); // the second power-on, then two depth lines
    EXPECT_FALSE(log.m_arSamples[0]->m_bHasDiveDetect);
    EXPECT_TRUE(log.m_arSamples[1]->m_bHasDiveDetect);
    EXPECT_EQ(log.m_arSamples[1]->m_dDiveStartDepth, 5.0);
    EXPECT_TRUE(log.m_arSamples[2]->m_bHasDiveDetect);
}
