// The DAN data lines: payloads, record lines, the field table and the time stamp.
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>

#include "dan/DanClock.h"
#include "dan/DanLines.h"

namespace {

std::string Payload(int segment, int field, const CDanExportData& data) {
    return DanPayload(segment, field, data);
}

// Sets TZ for one test and puts the old value back.
class CZone {
public:
    explicit CZone(const char* tz) {
        if (const char* old = std::getenv("TZ"))
            m_old = old, m_hadOld = true;
        ::setenv("TZ", tz, 1);
        ::tzset();
    }
    ~CZone() {
        if (m_hadOld)
            ::setenv("TZ", m_old.c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }

private:
    std::string m_old;
    bool m_hadOld = false;
};

std::time_t Utc(int year, int month, int day) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    return ::timegm(&t);
}

} // namespace

// ---- DanRecordLine ---------------------------------------------------------------------------

TEST(DanRecordLine, WrapsThePayloadWithTypeAndChecksum) {
    EXPECT_EQ(DanRecordLine("ZPD01"), "D05A504430319F");
    EXPECT_EQ(DanRecordLine(""), "");
    // Bytes above 0x7F are their byte value, in the checksum as well.
    EXPECT_EQ(DanRecordLine("\xE9\x80"), "D0E980B9");
}

// ---- BuildDanLine ----------------------------------------------------------------------------

TEST(BuildDanLine, EmptyDetailsStillGiveEveryFieldInTableOrder) {
    CDanExportData data;
    const std::vector<std::string> lines = BuildDanLines(data);
    ASSERT_EQ(lines.size(), 47u);
    EXPECT_EQ(lines[9], "D05A504430319F"); // ZPD01, nothing after the key
    EXPECT_EQ(BuildDanLine(kSegZPD, 1, data), lines[9]);
    // Keys in order, segments 0, 1, 2, 3, 7, 8.
    const int expected[][2] = {
        {0, 3},  {0, 4},  {0, 5},  {1, 3},  {1, 5},  {1, 6},  {1, 7},  {1, 8}, {1, 9}, {2, 1},
        {2, 3},  {2, 4},  {2, 5},  {2, 8},  {2, 10}, {2, 11}, {2, 12}, {3, 1}, {3, 2}, {3, 3},
        {3, 4},  {3, 5},  {3, 6},  {7, 3},  {7, 4},  {7, 5},  {7, 6},  {7, 7}, {7, 8}, {7, 9},
        {7, 10}, {7, 11}, {7, 12}, {7, 13}, {8, 3},  {8, 4},  {8, 5},  {8, 6}, {8, 7}, {8, 8},
        {8, 9},  {8, 10}, {8, 11}, {8, 12}, {8, 13}, {8, 14}, {8, 15}};
    for (size_t i = 0; i < 47; ++i)
        EXPECT_EQ(BuildDanLine(expected[i][0], expected[i][1], data), lines[i]) << i;
    // Pairs the table does not list, and the unused segments.
    EXPECT_EQ(BuildDanLine(kSegZPD, 2, data), "");
    EXPECT_EQ(BuildDanLine(4, 3, data), "");
    EXPECT_EQ(BuildDanLine(kSegZSR, 16, data), "");
}

TEST(BuildDanLine, ConstantsAndCompositesKeepEverySeparator) {
    CDanExportData data;
    data.strTimeStamp = "20260102030405-0100";
    EXPECT_EQ(Payload(kSegFSH, 3, data), "FSH03VERw01^123456^C");
    EXPECT_EQ(Payload(kSegFSH, 4, data), "FSH04ZXL^P");
    EXPECT_EQ(Payload(kSegFSH, 5, data), "FSH0520260102030405-0100");
    EXPECT_EQ(Payload(kSegZRH, 9, data), "ZRH09L");
    EXPECT_EQ(Payload(kSegZPA, 1, data), "ZPA01^^^^");
    EXPECT_EQ(Payload(kSegZPD, 5, data), "ZPD05^^");
    data.details.m_strNameFirst = "Anna";
    data.details.m_strNameFamily = "Berg";
    data.details.m_strCity = "Kiel";
    data.details.m_strCitiznship = "DE";
    data.details.m_strPhoneHomeNumber = "123";
    EXPECT_EQ(Payload(kSegZPD, 5, data), "ZPD05Berg^Anna^");
    EXPECT_EQ(Payload(kSegZPA, 1, data), "ZPA01^^Kiel^^");
    EXPECT_EQ(Payload(kSegZPA, 2, data), "ZPA02^^123");
    EXPECT_EQ(Payload(kSegZPA, 6, data), "ZPA06DE");
}

TEST(BuildDanLine, ChoicesAreWrittenFromOneAndProblemsSkipEight) {
    CDanExportData data;
    EXPECT_EQ(Payload(kSegZPD, 10, data), "ZPD101");
    EXPECT_EQ(Payload(kSegZPD, 11, data), "ZPD110^1");
    data.details.m_nSex = 2;
    data.details.m_nWeight = 80;
    data.details.m_nWeightUnits = 1;
    data.details.m_nDetailsDecompression = 4;
    data.answers.m_nAlcohol = 3; // a number, not a choice
    data.answers.m_nAnySymptoms = 1;
    EXPECT_EQ(Payload(kSegZPD, 10, data), "ZPD103");
    EXPECT_EQ(Payload(kSegZPD, 11, data), "ZPD1180^2");
    EXPECT_EQ(Payload(kSegZDD, 13, data), "ZDD135");
    EXPECT_EQ(Payload(kSegZSR, 4, data), "ZSR043");
    EXPECT_EQ(Payload(kSegZSR, 13, data), "ZSR132");
    const std::pair<uint32_t, const char*> problems[] = {
        {0, "ZSR111"}, {6, "ZSR117"}, {7, "ZSR119"}, {8, "ZSR1110"}};
    for (const auto& [position, payload] : problems) {
        data.answers.m_nProblems = position;
        EXPECT_EQ(Payload(kSegZSR, 11, data), payload);
    }
}

TEST(BuildDanLine, TextsOfTheAnswers) {
    CDanExportData data;
    data.answers.m_strMedication = "A\r\nB";
    EXPECT_EQ(Payload(kSegZSR, 6, data), "ZSR06A^B");
    data.answers.m_strMedication = "\r\n\r\nAspirin \r\n\n\r\r\nB\n";
    EXPECT_EQ(Payload(kSegZSR, 6, data), "ZSR06Aspirin ^B");
    data.answers.m_strComments = "Air 30m\r\nEAN50 at 21m";
    EXPECT_EQ(Payload(kSegZSR, 15, data), "ZSR15Air 30m\r\nEAN50 at 21m");
    data.answers.m_strComments.clear();
    EXPECT_EQ(Payload(kSegZSR, 15, data), "ZSR15");
}

TEST(BuildDanLine, VisibilityAndCurrentTruncateTowardsZero) {
    CDanExportData data;
    const std::pair<double, const char*> cases[] = {
        {7.9, "7"}, {0.4, "0"}, {-1.7, "-1"}, {12.0, "12"}, {1e300, "0"}, {std::nan(""), "0"}};
    for (const auto& [value, text] : cases) {
        data.answers.m_dVisibility = value;
        data.answers.m_dCurrent = value;
        EXPECT_EQ(Payload(kSegZSR, 7, data), std::string("ZSR07") + text) << value;
        EXPECT_EQ(Payload(kSegZSR, 8, data), std::string("ZSR08") + text) << value;
    }
}

// ---- Time stamp ------------------------------------------------------------------------------

TEST(DanTimeStamp, StandardBiasWithoutDaylightSaving) {
    EXPECT_EQ(FormatBias(0), "+0000");
    EXPECT_EQ(FormatBias(-60), "-0100");
    EXPECT_EQ(FormatBias(300), "+0500");
    EXPECT_EQ(FormatBias(-330), "-0530");
    EXPECT_EQ(FormatBias(-30), "-0030");
    {
        CZone zone("UTC0");
        EXPECT_EQ(StandardBiasMinutes(Utc(2026, 7, 1)), 0);
        EXPECT_EQ(DanTimeStamp(Utc(2026, 3, 4) + 3661), "20260304010101+0000");
    }
    {
        CZone zone("XXX-1"); // one hour east, no daylight saving
        EXPECT_EQ(DanTimeStamp(Utc(2026, 3, 4)), "20260304010000-0100");
    }
    {
        // Central Europe in summer: local time is two hours ahead, the bias stays one hour.
        CZone zone("CET-1CEST,M3.5.0,M10.5.0/3");
        EXPECT_EQ(DanTimeStamp(Utc(2026, 7, 15)), "20260715020000-0100");
        EXPECT_EQ(StandardBiasMinutes(Utc(2026, 1, 15)), -60);
    }
    {
        // The southern summer is in January.
        CZone zone("AEST-10AEDT,M10.1.0,M4.1.0/3");
        EXPECT_EQ(StandardBiasMinutes(Utc(2026, 1, 15)), -600);
        EXPECT_EQ(StandardBiasMinutes(Utc(2026, 7, 15)), -600);
    }
    {
        CZone zone("EST5EDT,M3.2.0,M11.1.0");
        EXPECT_EQ(DanTimeStamp(Utc(2026, 7, 15)), "20260714200000+0500");
    }
}

TEST(DanExportClock, FollowsSourceDateEpoch) {
    ::setenv("SOURCE_DATE_EPOCH", "1767225600", 1);
    EXPECT_EQ(DanExportClock(), 1767225600);
    ::setenv("SOURCE_DATE_EPOCH", "soon", 1);
    EXPECT_GT(DanExportClock(), 1600000000);
    ::unsetenv("SOURCE_DATE_EPOCH");
    EXPECT_GT(DanExportClock(), 1600000000);
}
