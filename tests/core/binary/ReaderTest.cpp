#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "BinaryTestHelpers.h"
#include "logfile/binary/BinaryLog.h"
#include "logfile/binary/CBinaryLogKey.h"
#include "logfile/binary/CCrc32Static.h"
#include "logfile/binary/CQorBinaryFile.h"
#include "logfile/binary/CSRDLDataComp.h"
#include "logfile/binary/CSRMemoryBlock.h"
#include "statuslog/CReport.h"

using bintest::Bytes;
using bintest::File;
using bintest::LineOf;
using bintest::LogPayload;
using bintest::LogRecord;
using Records = std::vector<CStandardRecordData>;

namespace {

// The all-zero key leaves data as it is, so a test can write plain payloads.
const CBinaryLogKey& ZeroKey() {
    static const CBinaryLogKey key(CBinaryLogKey::Key{});
    return key;
}

struct Converted {
    bool ok = false;
    bool frc = false;
    std::string error;
    std::vector<std::string> lines;
};

Converted Convert(std::string_view file, const CBinaryLogKey& key = ZeroKey(),
                  CReport* report = nullptr) {
    Converted c;
    CMemLineFile out;
    c.ok = ConvertBinaryBytesToLines(file, out, c.frc, c.error, &key, report);
    std::string_view line;
    while (out.ReadLine(line))
        c.lines.emplace_back(line);
    return c;
}

const std::string kLoadFailed = "Binary file load failed - ";
const std::string kCheckFailed =
    "Binary file load failed - Binary file load inital CRC32 check failed - ";

std::string TempPath(const std::string& name) {
    return (std::filesystem::temp_directory_path() / ("zelvor_binary_" + name)).string();
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

} // namespace

// ---- Whole-file check -------------------------------------------------------------------------

TEST(CheckCRC32, LastFourBytesZeroMeanUnprotected) {
    const std::string file =
        File({{0, bintest::HeaderPayload(5, 2, 46)}, {32, LogPayload({LogRecord(6, 16)})}}, false);
    EXPECT_EQ(file.substr(file.size() - 4), std::string(4, '\0'));
    const Converted c = Convert(file);
    EXPECT_TRUE(c.ok) << c.error;
    EXPECT_EQ(c.lines.size(), 4u);
}

TEST(CheckCRC32, MissingFileNamesTheCauseAfterTenAttempts) {
    const std::string path = TempPath("does_not_exist.bin");
    std::remove(path.c_str());
    CQorBinaryFile reader;
    int attempts = 0;
    reader.SetOpener([&](const std::string& p) {
        ++attempts;
        return std::fopen(p.c_str(), "rb");
    });
    EXPECT_FALSE(reader.Load(path));
    EXPECT_EQ(attempts, 10);
    EXPECT_EQ(reader.GetErrorText(),
              "Binary file load inital CRC32 check failed - CheckCRC32 Unable to open source "
              "file: No such file or directory - m_cause 2, m_lOsError 2, m_strFileName " +
                  path);
}

TEST(CheckCRC32, AFileHeldForAMomentIsOpenedOnRetry) {
    const std::string path = TempPath("held.bin");
    WriteFileBytes(path, File({{32, LogPayload({LogRecord(6, 16)})}}));
    CQorBinaryFile reader;
    reader.SetKey(ZeroKey());
    int attempts = 0;
    int refusals = 0;
    reader.SetOpener([&](const std::string& p) -> std::FILE* {
        ++attempts;
        if (refusals < 3) { // three refusals before each open succeeds
            ++refusals;
            errno = EBUSY;
            return nullptr;
        }
        refusals = 0;
        return std::fopen(p.c_str(), "rb");
    });
    EXPECT_TRUE(reader.Load(path)) << reader.GetErrorText();
    EXPECT_EQ(attempts, 8); // four for the check, four for the records
    std::remove(path.c_str());
}

TEST(CheckCRC32, AHugeFileIsRefusedBeforeAllocating) {
    const std::string path = TempPath("huge.bin");
    WriteFileBytes(path, std::string(2, '\0'));
    std::filesystem::resize_file(path, 300ull * 1024 * 1024); // sparse, costs no disk
    CMemLineFile out;
    bool frc = false;
    std::string error;
    EXPECT_FALSE(ConvertBinaryLogToLines(path, out, frc, error));
    EXPECT_EQ(error, kCheckFailed + "Unable to allocate memory");
    std::remove(path.c_str());
}

// ---- Walking the records ----------------------------------------------------------------------

// Damaged and hostile files give an error, never a crash or a huge allocation.
TEST(Load, DamagedFilesGiveTheirErrors) {
    const std::string sound = File({{32, LogPayload({LogRecord(6, 16)})}}, false);
    std::string mismatch = File({{32, LogPayload({LogRecord(6, 16)})}});
    mismatch.back() ^= 1;
    std::string cutHeader = sound; // a header cut short after a sound record
    cutHeader.insert(cutHeader.size() - 4, Bytes({0, 33, 0}));
    std::string overlap = sound; // a record whose CRC would overlap the file CRC
    overlap.erase(overlap.size() - 6, 2);
    const std::string noHeader = "File to small, at least six bytes required for record header";
    const std::string noRecord = "File to small, insufficient data for a standard record";
    const struct {
        std::string file, error;
    } cases[] = {
        {mismatch, kCheckFailed + "crc32 mismatch"},
        {"", kCheckFailed + "Unable to read full file contents"},
        {Bytes({0, 0}), kCheckFailed + "Unable to read full file contents"},
        {std::string(4, '\0'), kLoadFailed + noHeader},
        // A record claiming 4 GB.
        {Bytes({0, 32, 0xFF, 0xFF, 0xFF, 0xFF}) + std::string(20, 'x') + std::string(4, '\0'),
         kLoadFailed + noRecord},
        {cutHeader, kLoadFailed + noHeader},
        {overlap, kLoadFailed + "File to small, insufficient data for a CRC"},
        // A payload that reaches into the file CRC.
        {Bytes({0, 32, 0, 0, 0, 8}) + std::string(4, 'x') + std::string(4, '\0'),
         kLoadFailed + noRecord},
    };
    for (size_t n = 0; n < std::size(cases); ++n) {
        const Converted c = Convert(cases[n].file);
        EXPECT_FALSE(c.ok) << "case " << n;
        EXPECT_EQ(c.error, cases[n].error) << "case " << n;
    }
}

// The file CRC of a protected file is worked out from its records' CRCs; where the records do
// not fit together it must still be the wrong file CRC that is reported first.
TEST(Load, ProtectedFilesCheckTheFileCrcBeforeTheRecords) {
    std::string cut = File({{32, LogPayload({LogRecord(6, 16)})}}, false);
    cut.erase(cut.size() - 6, 2); // the record's CRC now overlaps the file CRC
    cut.resize(cut.size() - 4);
    const std::string sealed = cut + Bytes({0, 0, 0, 0});
    std::string protectedCut = cut;
    CStandardRecord::AppendBE32(protectedCut, CCrc32Static::Compute(cut));
    EXPECT_EQ(Convert(protectedCut).error,
              kLoadFailed + "File to small, insufficient data for a CRC");
    std::string wrongCut = protectedCut;
    wrongCut.back() ^= 1;
    EXPECT_EQ(Convert(wrongCut).error, kCheckFailed + "crc32 mismatch");
    EXPECT_EQ(Convert(sealed).error, kLoadFailed + "File to small, insufficient data for a CRC");

    // A record with a bad CRC in a file whose own CRC is right: the file CRC covers the stored
    // record CRC, not the one the record should have had.
    std::string spoilt = File({{0, bintest::HeaderPayload(5, 2, 46)},
                               {32, LogPayload({LogRecord(6, 16, 1)})},
                               {32, LogPayload({LogRecord(6, 16, 50)})}},
                              false);
    spoilt[6 + 19 + 4 + 6 + 5] ^= 0x40;
    spoilt.resize(spoilt.size() - 4);
    CStandardRecord::AppendBE32(spoilt, CCrc32Static::Compute(spoilt));
    CReport report;
    const Converted c = Convert(spoilt, ZeroKey(), &report);
    ASSERT_TRUE(c.ok) << c.error;
    ASSERT_EQ(c.lines.size(), 4u);
    EXPECT_EQ(report.Texts().size(), 1u);
}

TEST(Load, BadRecordCrcIsReportedAndSkipped) {
    std::string file = File({{0, bintest::HeaderPayload(5, 2, 46)},
                             {32, LogPayload({LogRecord(6, 16, 1)})},
                             {32, LogPayload({LogRecord(6, 16, 50)})}},
                            false);
    // Spoil the first log record's payload; its stored CRC no longer matches.
    const size_t firstLog = 6 + 19 + 4;
    file[firstLog + 6 + 5] ^= 0x40;
    CReport report;
    const Converted c = Convert(file, ZeroKey(), &report);
    const std::vector<std::string> status = report.Texts();
    ASSERT_TRUE(c.ok) << c.error;
    ASSERT_EQ(c.lines.size(), 4u);
    EXPECT_EQ(c.lines[3], LineOf(LogRecord(6, 16, 50)));
    ASSERT_EQ(status.size(), 1u);
    EXPECT_NE(status[0].find("Invalid record, continuing"), std::string::npos);
}

TEST(Load, DisplayCodeVersionChoosesTheLayout) {
    const std::string record32 = LogRecord(6, 32);
    const Records frc = {{0, bintest::HeaderPayload(7, 0, 3)}, {32, LogPayload({record32})}};
    const Converted c = Convert(File(frc));
    ASSERT_TRUE(c.ok);
    EXPECT_TRUE(c.frc);
    ASSERT_EQ(c.lines.size(), 4u);
    EXPECT_EQ(c.lines[3].size(), 66u);
    EXPECT_EQ(c.lines[3], LineOf(record32));

    const Records older = {{0, bintest::HeaderPayload(7, 0, 2)}, {32, LogPayload({record32})}};
    const Converted s = Convert(File(older));
    ASSERT_TRUE(s.ok);
    EXPECT_FALSE(s.frc);
    ASSERT_EQ(s.lines.size(), 5u); // the 32 bytes are two short records
    EXPECT_EQ(s.lines[3].size(), 34u);
}

TEST(Load, TrailingPartOfALogRecordIsIgnored) {
    std::string payload = LogPayload({LogRecord(6, 16, 1), LogRecord(7, 16, 2)}) + "12345678";
    const Converted c = Convert(File({{32, payload}}));
    ASSERT_TRUE(c.ok);
    ASSERT_EQ(c.lines.size(), 2u);
    EXPECT_EQ(c.lines[0], LineOf(LogRecord(6, 16, 1)));
    EXPECT_EQ(c.lines[1], LineOf(LogRecord(7, 16, 2)));
}

TEST(Load, WithoutAHeaderNoHeaderLinesAndShortLayout) {
    const Converted c = Convert(File({{32, LogPayload({LogRecord(6, 32)})}}));
    ASSERT_TRUE(c.ok);
    EXPECT_FALSE(c.frc);
    ASSERT_EQ(c.lines.size(), 2u);
    EXPECT_EQ(c.lines[0].substr(0, 2), "06");
}

TEST(Load, UnknownRecordTypesAreKeptButGiveNoLines) {
    const Converted c = Convert(File({{77, "whatever"}, {32, LogPayload({LogRecord(6, 16)})}}));
    ASSERT_TRUE(c.ok);
    EXPECT_EQ(c.lines.size(), 1u);
}

// ---- Header lines -----------------------------------------------------------------------------

TEST(ConvertToLines, HeaderLinesOfTheFirstHeader) {
    const Converted c = Convert(
        File({{0, bintest::HeaderPayload(5, 2, 46, 3)}, {0, bintest::HeaderPayload(7, 0, 3, 0)}}));
    ASSERT_TRUE(c.ok);
    EXPECT_FALSE(c.frc);
    EXPECT_EQ(c.lines, (std::vector<std::string>{"Porthole Link Version 1.2.3.4",
                                                 "Date 05 March 2024", "Time 14:07:09"}));
    const char* tools[] = {"Porthole Relay", "Porthole Depot", "Porthole Bench"};
    for (int tool = 0; tool < 3; ++tool)
        EXPECT_EQ(Convert(File({{0, bintest::HeaderPayload(5, 2, 46, tool)}})).lines[0],
                  std::string(tools[tool]) + " Version 1.2.3.4");
}

// Regression: a bad tool byte or download date/time used to give an empty line, which ends the
// reading of the converted log before its first record, so the whole dive was lost.
TEST(ConvertToLines, BadHeaderFieldsGiveNoLineNeverAnEmptyOne) {
    std::string header = bintest::HeaderPayload(5, 2, 46, 4); // tool byte above 3
    header[10] = 13;                                          // month 13
    header[12] = 24;                                          // hour 24
    const Converted c = Convert(File({{0, header}, {32, LogPayload({LogRecord(6, 16)})}}));
    ASSERT_TRUE(c.ok);
    ASSERT_EQ(c.lines.size(), 1u);
    EXPECT_EQ(c.lines[0], LineOf(LogRecord(6, 16)));

    // Each field stands alone: a bad time keeps the tool and date lines.
    std::string badTime = bintest::HeaderPayload(5, 2, 46);
    badTime[13] = 60;
    EXPECT_EQ(Convert(File({{0, badTime}})).lines,
              (std::vector<std::string>{"Porthole Link Version 1.2.3.4", "Date 05 March 2024"}));

    // A new header (all 0xFF after the format bytes) gives no header lines at all; its version
    // bytes read as 255.255.255, which is the FRC layout.
    const std::string fresh = Bytes({0, 0, 0, 1}) + std::string(15, '\xFF');
    const Converted n = Convert(File({{0, fresh}, {32, LogPayload({LogRecord(6, 32)})}}));
    ASSERT_TRUE(n.ok);
    EXPECT_TRUE(n.frc);
    EXPECT_EQ(n.lines.size(), 1u);
    for (const auto& line : n.lines)
        EXPECT_FALSE(line.empty());
}

TEST(ConvertToLines, ShortHeaderIsIgnored) {
    const Converted c =
        Convert(File({{0, Bytes({0, 0, 0, 1, 3, 1, 2, 3, 4, 24, 3, 5, 14, 7, 9, 0, 7, 0})},
                      {32, LogPayload({LogRecord(6, 32)})}}));
    ASSERT_TRUE(c.ok);
    EXPECT_FALSE(c.frc);
    EXPECT_EQ(c.lines.size(), 2u);
}

// ---- The other record types -------------------------------------------------------------------

TEST(ConvertToLines, UserMemoryAndDanLinesInOrder) {
    std::string user = Bytes({0x80, 0, 0, 0, 3, 'a', 'b', 'c', 0xA1, 0, 0, 0, 0});
    std::string block = Bytes({0, 0, 0, 1, 0xB2, 1, 0, 0, 0x20, 0x00, 0xDE, 0xAD});
    std::string dan = Bytes({'Z', 'P', 'D', 3, 0, 0, 0, 2, 'x', 'y'});
    const Converted c =
        Convert(File({{34, dan}, {16, block}, {33, user}, {32, LogPayload({LogRecord(6, 16)})}}));
    ASSERT_TRUE(c.ok) << c.error;
    ASSERT_EQ(c.lines.size(), 6u);
    EXPECT_EQ(c.lines[0], LineOf(LogRecord(6, 16)));
    EXPECT_EQ(c.lines[1], LineOf(Bytes({0x80, 'a', 'b', 'c'})));
    EXPECT_EQ(c.lines[2], "A1A1");
    EXPECT_EQ(c.lines[3], LineOf(Bytes({0xB0, 0xB2, 1, 0, 0, 0x20, 0})));
    EXPECT_EQ(c.lines[3].substr(0, 14), "B0B20100002000");
    EXPECT_EQ(c.lines[4], LineOf(Bytes({0xB1, 0xDE, 0xAD})));
    // DAN: letters, the field number as the characters "03", the value.
    EXPECT_EQ(c.lines[5], LineOf(Bytes({0xD0, 'Z', 'P', 'D', '0', '3', 'x', 'y'})));
}

TEST(ConvertToLines, MalformedPayloadsFailTheirStep) {
    const std::string log = LogPayload({LogRecord(6, 16)});
    EXPECT_EQ(Convert(File({{32, log}, {33, Bytes({0x80, 0xFF, 0xFF, 0xFF, 0xFF, 1})}})).error,
              "Create ccl text dive log data user failed");
    EXPECT_EQ(Convert(File({{32, log}, {33, Bytes({0x80, 0, 0})}})).error,
              "Create ccl text dive log data user failed");
    EXPECT_EQ(Convert(File({{32, Bytes({0, 0})}})).error,
              "Create ccl text dive log data comp failed");
    EXPECT_EQ(Convert(File({{16, Bytes({0, 0, 0, 1, 0xB0})}})).error,
              "Create ccl memory blocks failed");
    EXPECT_EQ(Convert(File({{34, Bytes({'Z', 'P', 'D', 3, 0x7F, 0, 0, 0})}})).error,
              "Create DAN data failed");
}

// ---- Unscrambling -----------------------------------------------------------------------------

namespace {

std::string Scrambled(std::string payload, size_t dataOffset, bool blockRule,
                      const CBinaryLogKey& key) {
    auto* p = reinterpret_cast<uint8_t*>(payload.data());
    const size_t start = CBinaryLogKey::StartOffset(p);
    if (blockRule)
        key.ApplyBlocks(p + dataOffset, payload.size() - dataOffset, 16, start);
    else
        key.ApplyBytes(p + dataOffset, payload.size() - dataOffset, start);
    return payload;
}

} // namespace

TEST(Unscramble, LogMemoryWithStartOffsetAndErasedRecords) {
    const CBinaryLogKey key;
    std::string plain =
        Bytes({3, 5, 7, 11}) + LogRecord(6, 16) + std::string(16, '\xFF') + LogRecord(9, 16);
    const Converted c = Convert(File({{32, Scrambled(plain, 4, true, key)}}), key);
    ASSERT_TRUE(c.ok);
    ASSERT_EQ(c.lines.size(), 3u);
    EXPECT_EQ(c.lines[0], LineOf(LogRecord(6, 16)));
    EXPECT_EQ(c.lines[1], LineOf(std::string(16, '\xFF')));
    EXPECT_EQ(c.lines[2], LineOf(LogRecord(9, 16)));

    // A wrong key still loads; the records are nonsense but present.
    const Converted wrong = Convert(File({{32, Scrambled(plain, 4, true, key)}}), ZeroKey());
    ASSERT_TRUE(wrong.ok);
    EXPECT_EQ(wrong.lines.size(), 3u);
    EXPECT_NE(wrong.lines[0], c.lines[0]);
}

// The loader's conversion unscrambles the log memory straight from the file's bytes; it must
// give the very text the records give after unscrambling in place: start offsets, erased
// records, both layouts, several log records and a bad one among them.
TEST(Unscramble, ConversionFromTheFileBytesMatchesTheRecords) {
    const CBinaryLogKey key;
    for (const bool frc : {false, true}) {
        const size_t size = frc ? 32 : 16;
        const std::string header = bintest::HeaderPayload(frc ? 7 : 5, frc ? 0 : 2, frc ? 3 : 46);
        const std::string first = Bytes({3, 5, 7, 11}) + LogRecord(6, size) +
                                  std::string(size, '\xFF') + LogRecord(9, size, 90) + "tail";
        const std::string second = Bytes({100, 100, 100, 3}) + LogRecord(7, size, 20);
        auto scramble = [&](std::string payload) {
            auto* p = reinterpret_cast<uint8_t*>(payload.data());
            key.ApplyBlocks(p + 4, payload.size() - 4, size, CBinaryLogKey::StartOffset(p));
            return payload;
        };
        std::string file = File({{0, header},
                                 {32, scramble(first)},
                                 {32, scramble(second)},
                                 {32, scramble(second)},
                                 {33, Bytes({0x40, 0, 0, 0, 1, 9})}});
        // Spoil the last log record; the file CRC is made afresh to cover the change.
        file[file.size() - 4 - 10 - 6] ^= 1;
        file.resize(file.size() - 4);
        CStandardRecord::AppendBE32(file, CCrc32Static::Compute(file));

        CQorBinaryFile records;
        records.SetKey(key);
        ASSERT_TRUE(records.LoadFromBytes(file));
        std::string expected, error;
        ASSERT_TRUE(ConvertToText(records, expected, error));
        const Converted c = Convert(file, key);
        ASSERT_TRUE(c.ok) << c.error;
        EXPECT_EQ(JoinLines(c.lines), expected) << (frc ? "FRC" : "short");
        EXPECT_EQ(c.lines.size(), 3u + 4u + 1u) << (frc ? "FRC" : "short");
    }
}

// The digits are written sixteen bytes, four bytes or one byte at a time depending on what is
// left of a record; every mix of those, with and without a key, must give the record's line
// with its checksum over all bytes, including bytes above 0x9F and 0xF0 (digits A-F).
TEST(Unscramble, RecordLinesOfAnySizeMatchTheLineWriter) {
    const CBinaryLogKey key;
    for (const size_t size : {1u, 3u, 4u, 7u, 16u, 21u, 32u, 36u, 48u}) {
        std::string plain = Bytes({0, 0, 0, 5}); // start offset 5 into the key stream
        for (int r = 0; r < 3; ++r)
            plain += LogRecord(r * 0x55 + 0x0A, size, 0xE0 + 9 * r);
        plain += std::string(size - 1, 'x'); // a trailing part short of a record: no line
        std::string scrambled = plain;
        auto* p = reinterpret_cast<uint8_t*>(scrambled.data());
        key.ApplyBlocks(p + 4, scrambled.size() - 4, size, CBinaryLogKey::StartOffset(p));
        std::string expected;
        for (int r = 0; r < 3; ++r)
            expected += LineOf(plain.substr(4 + r * size, size)) + "\r\n";

        std::string text = "kept";
        ASSERT_TRUE(CSRDLDataComp::AppendLines(reinterpret_cast<const uint8_t*>(plain.data()),
                                               plain.size(), size, text));
        EXPECT_EQ(text, "kept" + expected) << "size " << size;
        text.clear();
        ASSERT_TRUE(CSRDLDataComp::AppendUnscrambledLines(p, scrambled.size(), size, key, text));
        EXPECT_EQ(text, expected) << "scrambled, size " << size;
    }
}

// Unscrambling works on the record's payload in place; its image must still end in the CRC of
// the unscrambled bytes, as a record rebuilt from them would.
TEST(Unscramble, ImageCrcFollowsTheUnscrambledPayload) {
    const CBinaryLogKey key;
    const std::string plain = Bytes({3, 5, 7, 11}) + LogRecord(6, 16) + LogRecord(9, 16);
    CQorBinaryFile reader;
    reader.SetKey(key);
    ASSERT_TRUE(reader.LoadFromBytes(File({{32, Scrambled(plain, 4, true, key)}})));
    const CStandardRecord& record = *reader.GetRecords().front();
    CStandardRecord rebuilt(32);
    rebuilt.SetPayload(reinterpret_cast<const uint8_t*>(plain.data()), plain.size());
    EXPECT_EQ(record.GetCrc(), rebuilt.GetCrc());
    EXPECT_EQ(record.GetImage(), rebuilt.GetImage());
}

TEST(Unscramble, RegionThirteenUsesTheBlockRuleOtherBlocksEveryByte) {
    EXPECT_TRUE(CSRMemoryBlock::UsesBlockRule(0xB0, 1, 0x10000));
    EXPECT_TRUE(CSRMemoryBlock::UsesBlockRule(0xBC, 6, 0x10000));
    EXPECT_TRUE(CSRMemoryBlock::UsesBlockRule(0xB2, 1, 0x4200));
    EXPECT_TRUE(CSRMemoryBlock::UsesBlockRule(0xB4, 1, 0x4200));
    EXPECT_FALSE(CSRMemoryBlock::UsesBlockRule(0xB0, 1, 0x4000));
    EXPECT_FALSE(CSRMemoryBlock::UsesBlockRule(0xB0, 2, 0x10000));
    EXPECT_FALSE(CSRMemoryBlock::UsesBlockRule(0xBE, 1, 0x2100));

    const CBinaryLogKey key;
    const std::string erased(16, '\xFF');
    const std::string logBlock = Bytes({0, 2, 0, 3, 0xB2, 1, 0, 0, 0x42, 0x00}) + erased;
    const std::string identity = Bytes({0, 2, 0, 3, 0xB2, 1, 0, 0, 0x20, 0x00}) + erased;
    const Converted c = Convert(
        File({{16, Scrambled(logBlock, 10, true, key)}, {16, Scrambled(identity, 10, false, key)}}),
        key);
    ASSERT_TRUE(c.ok);
    ASSERT_EQ(c.lines.size(), 4u);
    EXPECT_EQ(c.lines[1], LineOf("\xB1" + erased));
    EXPECT_EQ(c.lines[3], LineOf("\xB1" + erased));
    // The region-13 block was stored as it is; the identity block was really scrambled.
    EXPECT_EQ(Scrambled(logBlock, 10, true, key), logBlock);
    EXPECT_NE(Scrambled(identity, 10, false, key), identity);
}

TEST(Unscramble, DepotBlocksWithANegativeStartAreLeftAlone) {
    const CBinaryLogKey key;
    const std::string block = Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xB2, 1, 0, 0, 0x20, 0x00, 1, 2});
    const std::string depot = bintest::HeaderPayload(5, 2, 46, 1);
    const Converted d = Convert(File({{0, depot}, {16, block}}), key);
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.lines.back(), LineOf(Bytes({0xB1, 1, 2})));
    // Another tool unscrambles the same block from stream byte 0.
    const Converted l = Convert(File({{0, bintest::HeaderPayload(5, 2, 46, 3)}, {16, block}}), key);
    EXPECT_EQ(l.lines.back(), LineOf(Bytes({0xB1, 1 ^ key.StreamByte(0), 2 ^ key.StreamByte(1)})));
}
