#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "logfile/CDiveLogSysInfo.h"
#include "logfile/FieldParsers.h"
#include "viewmodel/LogBook.h"

namespace {

using Rows = std::vector<std::vector<std::string>>;

CLogBookEntry Entry(int number, int durationSeconds, int depthCm) {
    CLogBookEntry e;
    e.m_nNumber = number;
    e.m_nDay = 5;
    e.m_nMonth = 3;
    e.m_nYear = 23;
    e.m_nHour = 14;
    e.m_nMinute = 7;
    e.m_nSecond = 9;
    e.m_nDuration = durationSeconds;
    e.m_nDepth = depthCm;
    return e;
}

void Put(std::vector<uint8_t>& block, std::size_t offset, const CLogBookEntry& e, bool longLayout) {
    EncodeLogBookEntry(e, longLayout, block.data() + offset);
}

// Feeds one memory copy to the record as the download tool writes it: a 0xB0 header naming the
// processor, memory space and address, then the 0xB1 line with the bytes.
void Feed(CDiveLogSysInfo& info, int bus, int space, uint32_t address,
          const std::vector<uint8_t>& bytes) {
    CRecordLineWriter header(0xB0);
    header.Byte(static_cast<unsigned>(bus)).Byte(static_cast<unsigned>(space));
    header.Word(address >> 16).Word(address & 0xFFFF);
    CRecordLineWriter data(0xB1);
    for (uint8_t b : bytes)
        data.Byte(b);
    info.Decode(header.Finish(), data.Finish());
}

std::vector<std::string> Numbers(const std::vector<CLogBookEntry>& entries) {
    std::vector<std::string> out;
    for (const auto& e : entries)
        out.push_back(LogBookRowTexts(e, true)[0]);
    return out;
}

} // namespace

// ---- DecodeLogBook
// -------------------------------------------------------------------------------

TEST(DecodeLogBook, LongLayoutFromColourDisplayRegions) {
    std::vector<uint8_t> main(65536, 0xFF); // erased memory: no tag
    Put(main, 0, Entry(12, 0xFFFF, 0xFFFF), true);
    Put(main, 5 * 32, Entry(17, 75 * 60 + 10, 2345), true);
    Put(main, 2047 * 32, Entry(2000, 60, 100), true);
    std::vector<uint8_t> eeprom(32);
    Put(eeprom, 0, Entry(18, 600, 1500), true);

    CDiveLogSysInfo info;
    Feed(info, 0xBC, 6, 0x0, main);
    Feed(info, 0xBC, 2, 0x100, eeprom);
    const auto entries = DecodeLogBook(info, true);

    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(Numbers(entries), (std::vector<std::string>{"12", "17", "2000", "18 (Eeprom)"}));
    EXPECT_EQ(LogBookRowTexts(entries[0], true),
              (std::vector<std::string>{"12", "05/03/2023 14:07:09", "------", "------"}));
    EXPECT_EQ(LogBookRowTexts(entries[1], true),
              (std::vector<std::string>{"17", "05/03/2023 14:07:09", "75:10", "23.4"}));
}

TEST(DecodeLogBook, LongLayoutWithoutBlocksIsEmpty) {
    CDiveLogSysInfo info;
    EXPECT_TRUE(DecodeLogBook(info, true).empty());
    // An EEPROM block whose entry is not tagged adds nothing.
    Feed(info, 0xBC, 2, 0x100, std::vector<uint8_t>(32, 0));
    EXPECT_TRUE(DecodeLogBook(info, true).empty());
}

TEST(DecodeLogBook, ShortLayoutPlainDisplayReadsFromOffset256) {
    std::vector<uint8_t> settings(0x400);
    Put(settings, 0, Entry(99, 10, 10), false); // before the log book: not an entry
    Put(settings, 256, Entry(3, 0xFFFF, 0xFFFF), false);
    Put(settings, 256 + 16, Entry(0, 100, 100), false); // empty slot
    Put(settings, 256 + 47 * 16, Entry(4, 75 * 60 + 10, 1234), false);

    CDiveLogSysInfo info;
    Feed(info, 0xB0, 2, 0x0, settings);
    const auto entries = DecodeLogBook(info, false);

    ASSERT_EQ(entries.size(), 2u);
    // Without the long layout's "not recorded" marker the words are plain numbers.
    EXPECT_EQ(LogBookRowTexts(entries[0], true),
              (std::vector<std::string>{"3", "05/03/2023 14:07:09", "1092:15", "655.4"}));
    EXPECT_EQ(LogBookRowTexts(entries[1], true),
              (std::vector<std::string>{"4", "05/03/2023 14:07:09", "75:10", "12.3"}));
}

TEST(DecodeLogBook, ShortLayoutColourDisplayUsesRegion10) {
    std::vector<uint8_t> block(0x300);
    Put(block, 0, Entry(7, 61, 500), false);
    Put(block, 47 * 16, Entry(8, 62, 600), false);

    CDiveLogSysInfo info;
    Feed(info, 0xBC, 2, 0x100, block);
    EXPECT_EQ(Numbers(DecodeLogBook(info, false)), (std::vector<std::string>{"7", "8"}));
}

TEST(DecodeLogBook, ShortLayoutChosenBlockAbsentListsNothing) {
    // The plain display's block is there, but the colour display sent the last header: its
    // block is the one to read, and it is missing.
    std::vector<uint8_t> settings(0x400);
    Put(settings, 256, Entry(3, 60, 100), false);
    CDiveLogSysInfo info;
    Feed(info, 0xB0, 2, 0x0, settings);
    Feed(info, 0xBC, 2, 0x200000, std::vector<uint8_t>(8));
    EXPECT_EQ(info.DisplayBusAddress(), 0xBC);
    EXPECT_TRUE(DecodeLogBook(info, false).empty());
}

TEST(DecodeLogBook, ShortBlockReadsZerosPastItsEnd) {
    // A block that ends inside an entry: the missing bytes read 0, so only complete numbers
    // count, and nothing is read past the copy.
    std::vector<uint8_t> block(16 + 3);
    EncodeLogBookEntry(Entry(5, 60, 100), false, block.data());
    block[16] = 0x00;
    block[17] = 0x09; // entry 2: number 9, everything after it missing
    const auto entries = DecodeLogBookShort(&block, 0);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].m_nNumber, 9);
    EXPECT_EQ(LogBookRowTexts(entries[1], true)[2], "00:00");
    EXPECT_TRUE(DecodeLogBookShort(nullptr, 0).empty());
}

// ---- LogBookRowTexts
// -----------------------------------------------------------------------------

TEST(LogBookRowTexts, ImperialDepthAndHeaders) {
    const CLogBookEntry e = Entry(1, 59, 1234);
    EXPECT_EQ(LogBookDepthText(e, false), "40.5"); // 12.34 m x 3.28083
    EXPECT_EQ(LogBookDurationText(e), "00:59");
    EXPECT_EQ(LogBookHeaders(true)[3], "Max Depth (m)");
    EXPECT_EQ(LogBookHeaders(false)[3], "Max Depth (ft)");
}

TEST(LogBookRowTexts, ShortLayoutYearHasFourDigits) {
    CLogBookEntry e = Entry(1, 0, 0);
    e.m_nYear = 5;
    EXPECT_EQ(LogBookRowTexts(e, true)[1], "05/03/2005 14:07:09");
    e.m_bLongLayout = true;
    EXPECT_EQ(LogBookRowTexts(e, true)[1], "05/03/2005 14:07:09");
}

// ---- ListClipboardText
// ---------------------------------------------------------------------------

TEST(ListClipboardText, EveryCellEndsWithTab) {
    const auto headers = LogBookHeaders(true);
    EXPECT_EQ(ListClipboardText(headers, {}),
              "Dive Number\tDate\tDuration (mm:ss)\tMax Depth (m)\t\r\n");
    EXPECT_EQ(ListClipboardText({"A", "B"}, {{"1", "2"}, {"3", ""}}),
              "A\tB\t\r\n1\t2\t\r\n3\t\t\r\n");
}

// ---- CompareListCells / SortListRows
// -------------------------------------------------------------

TEST(CompareListCells, NumbersDatesAndTimes) {
    EXPECT_LT(CompareListCells("9", "10"), 0);
    EXPECT_GT(CompareListCells("10.5", "9.75"), 0);
    EXPECT_LT(CompareListCells("9 (Eeprom)", "10"), 0);
    EXPECT_LT(CompareListCells("75:10", "1092:15"), 0);
    EXPECT_LT(CompareListCells("59:59", "1:00:00"), 0);
    // Day first: the year and the month decide before the day.
    EXPECT_LT(CompareListCells("31/12/2022 23:59:59", "01/01/2023 00:00:00"), 0);
    EXPECT_LT(CompareListCells("05/03/2023 09:00:00", "05/03/2023 10:00:00"), 0);
    EXPECT_EQ(CompareListCells("05/03/2023 09:00:00", "05/03/2023 09:00:00"), 0);
    // Mixed kinds compare as text.
    EXPECT_LT(CompareListCells("------", "75:10"), 0);
    EXPECT_LT(CompareListCells("abc", "ABD"), 0);
}

TEST(SortListRows, BothDirectionsAndStable) {
    Rows rows = {{"9", "x"}, {"10", "a"}, {"2", "b"}, {"10", "c"}};
    SortListRows(rows, 0, true);
    EXPECT_EQ(rows, (Rows{{"2", "b"}, {"9", "x"}, {"10", "a"}, {"10", "c"}}));
    SortListRows(rows, 0, false);
    EXPECT_EQ(rows, (Rows{{"10", "a"}, {"10", "c"}, {"9", "x"}, {"2", "b"}}));
    SortListRows(rows, 1, true);
    EXPECT_EQ(rows[0][1], "a");
    SortListRows(rows, 7, true); // a column past the row's cells reads empty: order kept
    EXPECT_EQ(rows[0][1], "a");
}
