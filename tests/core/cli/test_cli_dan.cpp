// zelvorlog export --dan: the export from the command line and its details file.
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>

#include "CliTestHelpers.h"
#include "dan/DanLines.h"

using clitest::CRun;
using clitest::Zelvorlog;

namespace {
void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}
} // namespace

TEST(ExportDan, WritesBesideTheLogOrToOut) {
    const std::string log = clitest::TempPath("cli_dan.1.ccl");
    const std::string sample = std::string(ZELVOR_SAMPLE_DIR) + "/sample-short.ccl";
    const std::string original = clitest::ReadFile(sample);
    WriteText(log, original);
    const std::string details = clitest::TempPath("cli_dan_details.txt");
    WriteText(details, "DiverID=X-1\nProblems=8\nMedication=A\\r\\nB\nVisibility=7.9\n");
    ::setenv("SOURCE_DATE_EPOCH", "1767225600", 1);
    ::setenv("TZ", "UTC0", 1);

    CRun r = Zelvorlog({"export", "--dan", log, "--details", details});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string written = clitest::ReadFile(clitest::TempPath("cli_dan.1.dan"));
    ASSERT_EQ(written.substr(0, original.size()), original);
    // The details and the clock reached the lines.
    const std::string added = written.substr(original.size());
    EXPECT_EQ(std::count(added.begin(), added.end(), '\n'), 47);
    for (const char* payload :
         {"ZPD01X-1", "ZSR1110", "ZSR06A^B", "ZSR077", "FSH0520260101000000+0000"})
        EXPECT_NE(added.find(DanRecordLine(payload)), std::string::npos) << payload;
    EXPECT_EQ(clitest::ReadFile(log), original);

    const std::string out = clitest::TempPath("elsewhere.dan");
    r = Zelvorlog({"export", "--dan", sample, "-o", out});
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string exported = clitest::ReadFile(out);
    EXPECT_EQ(exported.substr(0, original.size()), original);
    EXPECT_EQ(
        std::count(exported.begin() + static_cast<long>(original.size()), exported.end(), '\n'),
        47);
    EXPECT_FALSE(std::filesystem::exists(std::string(ZELVOR_SAMPLE_DIR) + "/sample-short.dan"));
    ::unsetenv("SOURCE_DATE_EPOCH");
    ::unsetenv("TZ");
}

TEST(ExportDan, WrongUsageAndFailures) {
    const std::string sample = std::string(ZELVOR_SAMPLE_DIR) + "/sample-short.ccl";
    const std::string details = clitest::TempPath("cli_dan_typo.txt");
    WriteText(details, "DiverID=1\nCitizenship=NZ\n");
    const std::string out = clitest::TempPath("never.dan");
    CRun r = Zelvorlog({"export", "--dan", sample, "--details", details, "-o", out});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("line 2: unknown name \"Citizenship\""), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(out));

    EXPECT_EQ(Zelvorlog({"export", "--dan"}).status, 2);
    EXPECT_EQ(Zelvorlog({"export", "--dan", sample, "--csv"}).status, 2);
    EXPECT_EQ(Zelvorlog({"export", "--dan", sample, "--details", "/no/such/file"}).status, 1);
    EXPECT_EQ(Zelvorlog({"export", "--dan", "/no/such/log.ccl", "-o", out}).status, 1);
    EXPECT_FALSE(std::filesystem::exists(out));

    r = Zelvorlog({"export", "--help"});
    EXPECT_NE(r.out.find("export --dan FILE [-o OUT] [--details DETAILS]"), std::string::npos);
    r = Zelvorlog({"export", "--dan", "--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("Citiznship"), std::string::npos);
}
