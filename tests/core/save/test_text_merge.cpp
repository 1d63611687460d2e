#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SaveTestFiles.h"
#include "logfile/TextLogMerge.h"

using namespace savetest;

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> out;
    for (auto l : SplitLines(text))
        out.emplace_back(l);
    return out;
}

std::vector<std::string> UserRecords() {
    std::vector<std::string> lines;
    for (unsigned t = 0x80; t <= 0x8E; ++t)
        if (t != 0x8A)
            lines.push_back(CRecordLineWriter(t).Finish());
    for (unsigned t = 0xA0; t <= 0xAC; ++t)
        lines.push_back(CRecordLineWriter(t).PadTo(16).Finish());
    return lines;
}

} // namespace

// ---- MergeTextLog ------------------------------------------------------------------------------

TEST(MergeTextLog, NewRecordsGoAfterTheUnitRecordsAndBeforeSystemInformation) {
    const std::vector<std::string> original = {Record(0x00), Record(0x06), Record(0x06),
                                               Record(0x7F), Record(0xB0), Record(0xB1)};
    const auto user = UserRecords();
    ASSERT_EQ(user.size(), 27u);
    const auto out = Lines(MergeTextLog(Join(original), user));
    ASSERT_EQ(out.size(), original.size() + 27);
    EXPECT_EQ(out[3], Record(0x7F));
    EXPECT_EQ(out[4], "8080");
    EXPECT_EQ(out[4 + 26], user.back());
    EXPECT_EQ(out[31], Record(0xB0));
    EXPECT_EQ(out[32], Record(0xB1));
}

TEST(MergeTextLog, EarlierUserRecordsAreReplacedNotRepeated) {
    const std::vector<std::string> original = {Record(0x00), Record(0x80, 0x41), Record(0xA3),
                                               Record(0x06), Record(0xB0),       Record(0x8D, 0x42),
                                               Record(0xB1), Record(0xC5)};
    const auto user = UserRecords();
    const std::string once = MergeTextLog(Join(original), user);
    const auto out = Lines(once);
    // The two user records in front of a unit record leave fillers, so 0x06 stays line 4.
    const std::string filler(kFillerLine);
    ASSERT_EQ(out.size(), 4u + 27u + 2u);
    EXPECT_EQ(out[0], Record(0x00));
    EXPECT_EQ(out[1], filler);
    EXPECT_EQ(out[2], filler);
    EXPECT_EQ(out[3], Record(0x06));
    EXPECT_EQ(out[4], "8080");
    EXPECT_EQ(out[31], Record(0xB0));
    EXPECT_EQ(out[32], Record(0xB1));
    EXPECT_EQ(MergeTextLog(once, user), once);
}

TEST(MergeTextLog, EveryUnitRecordKeepsItsLineNumber) {
    // A power-on off the four-line grid (record line 3) is skipped by the loader; moving it onto
    // the grid would make it count after a save. System information in the middle leaves a
    // filler behind and goes to the end.
    const std::vector<std::string> original = {Record(0x00), Record(0x06), Record(0x00),
                                               Record(0xB0), Record(0x06), Record(0x00)};
    const std::string once = MergeTextLog(Join(original), {});
    const std::string filler(kFillerLine);
    const std::vector<std::string> expected = {Record(0x00), Record(0x06), Record(0x00), filler,
                                               Record(0x06), Record(0x00), Record(0xB0)};
    EXPECT_EQ(Lines(once), expected);
    EXPECT_TRUE(IsChecksumValid(filler));
    EXPECT_EQ(filler.size(), 34u);
    EXPECT_EQ(MergeTextLog(once, {}), once);
}

TEST(MergeTextLog, HeaderLinesStayOnTopAndDoNotShiftTheGrid) {
    const std::vector<std::string> headers = {"Porthole Link Version 1.2.3.4", "Date 1 March 2009",
                                              "Time 10:11:12"};
    std::vector<std::string> original = headers;
    for (unsigned type : {0x00, 0x06, 0x06, 0x06, 0x00, 0xB0})
        original.push_back(Record(type));
    const auto out = Lines(MergeTextLog(Join(original), UserRecords()));
    ASSERT_EQ(out.size(), original.size() + 27);
    EXPECT_EQ(std::vector<std::string>(out.begin(), out.begin() + 3), headers);
    // The second power-on is record line 5, already on the grid: no filler.
    EXPECT_EQ(out[7], Record(0x00));
    EXPECT_EQ(out.back(), Record(0xB0));
}

TEST(MergeTextLog, TrailingEmptyLinesAreDroppedSoTheNewRecordsStayReadable) {
    const std::string original = Join({Record(0x00), Record(0x06), Record(0xB0), "", ""});
    const auto out = Lines(MergeTextLog(original, UserRecords()));
    ASSERT_EQ(out.size(), 3u + 27u);
    for (const auto& line : out)
        EXPECT_FALSE(line.empty());
    EXPECT_EQ(out[2], "8080");
    EXPECT_EQ(out.back(), Record(0xB0));
}

TEST(MergeTextLog, WhatFollowsABlankLineStaysUnreadAndUnlost) {
    // Records after a blank line were never part of the dive: they must not become part of it,
    // nor be thrown away.
    const std::vector<std::string> original = {
        Record(0x00),       Record(0x06),       Record(0xB1), "",
        Record(0x00, 0x22), Record(0x80, 0x41), "",           ""};
    const std::string once = MergeTextLog(Join(original), UserRecords());
    const auto out = Lines(once);
    ASSERT_EQ(out.size(), 2u + 27u + 1u + 5u);
    EXPECT_EQ(out[2], "8080");
    EXPECT_EQ(out[29], Record(0xB1));
    const std::vector<std::string> tail(out.begin() + 30, out.end());
    EXPECT_EQ(tail, std::vector<std::string>(original.begin() + 3, original.end()));
    EXPECT_EQ(MergeTextLog(once, UserRecords()), once);
}

TEST(MergeTextLog, KeepsTheOriginalLineEnding) {
    const std::string crlf = Join({Record(0x00), Record(0x06)}, "\r\n");
    const std::string out = MergeTextLog(crlf, {"8080"});
    EXPECT_EQ(out, Join({Record(0x00), Record(0x06), "8080"}, "\r\n"));
    const std::string lf = Join({Record(0x00)});
    EXPECT_EQ(MergeTextLog(lf, {"8080"}), Join({Record(0x00), "8080"}));
    // A last line without a terminator still counts.
    EXPECT_EQ(MergeTextLog(Record(0x00), {}), Join({Record(0x00)}));
}
