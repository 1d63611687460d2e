#include <gtest/gtest.h>

#include "BinaryTestHelpers.h"
#include "logfile/FieldParsers.h"
#include "logfile/binary/BinaryLineBytes.h"
#include "logfile/binary/BinaryLog.h"
#include "logfile/binary/BinaryLogRecords.h"
#include "logfile/binary/CBinaryLogWriter.h"
#include "logfile/binary/CCrc32Static.h"

using Lines = std::vector<std::string>;

namespace {

std::string Line(int type, size_t bytes, int seed) {
    CRecordLineWriter w(type);
    for (size_t i = 1; i < bytes; ++i)
        w.Byte(seed + static_cast<int>(i) * 7);
    return w.Finish();
}

// A small text log in the order a converted binary log has: header, log memory, user records,
// system information pairs, DAN data.
Lines TextLog(size_t recordBytes) {
    Lines lines = {"Porthole Bench Version 3.1.4.15", "Date 05 March 2024", "Time 14:07:09"};
    for (int i = 0; i < 6; ++i)
        lines.push_back(Line(i % 2 ? 0x06 : 0x00, recordBytes, i));
    lines.push_back(CRecordLineWriter(0xFF).PadTo(recordBytes, 0xFF).Finish()); // erased
    lines.push_back(Line(0x80, 17, 40));
    lines.push_back(Line(0xA3, 9, 41));
    // Identity block of C1 and a block of its log memory (region 13), partly erased.
    lines.push_back(CRecordLineWriter(0xB0).Byte(0xB2).Byte(1).Word(0).Word(0x2000).Finish());
    lines.push_back(Line(0xB1, 65, 3));
    lines.push_back(CRecordLineWriter(0xB0).Byte(0xB2).Byte(1).Word(0).Word(0x4200).Finish());
    CRecordLineWriter logBlock(0xB1);
    for (int i = 0; i < 16; ++i)
        logBlock.Byte(i);
    logBlock.PadTo(33, 0xFF);
    lines.push_back(logBlock.Finish());
    CRecordLineWriter dan(0xD0);
    for (char c : std::string("ZPD05Smith^Anna^"))
        dan.Byte(static_cast<unsigned char>(c));
    lines.push_back(dan.Finish());
    return lines;
}

Lines ReadBack(const std::string& file, bool& frc) {
    CMemLineFile out;
    std::string error;
    EXPECT_TRUE(ConvertBinaryBytesToLines(file, out, frc, error)) << error;
    Lines lines;
    std::string_view line;
    while (out.ReadLine(line))
        lines.emplace_back(line);
    return lines;
}

} // namespace

// ---- CBinaryLogWriter -------------------------------------------------------------------------

TEST(CBinaryLogWriter, RoundTripGivesTheSameLinesInBothLayouts) {
    for (size_t recordBytes : {16, 32}) {
        const Lines text = TextLog(recordBytes);
        CBinaryLogWriter writer;
        std::string file;
        ASSERT_TRUE(writer.Build(text, file)) << writer.GetErrorText();
        bool frc = recordBytes == 16;
        EXPECT_EQ(ReadBack(file, frc), text) << recordBytes;
        EXPECT_EQ(frc, recordBytes == 32);
    }
}

TEST(CBinaryLogWriter, RecordsAreScrambledAndProtected) {
    const Lines text = TextLog(16);
    CBinaryLogWriter writer;
    std::string file;
    ASSERT_TRUE(writer.Build(text, file));
    std::vector<CStandardRecordData> records;
    std::string error;
    ASSERT_TRUE(binarylog::ReadRecords(file, records, error));
    ASSERT_EQ(records.size(), 6u); // header, log, user, two blocks, DAN
    EXPECT_EQ(records[1].nType, 32);
    EXPECT_EQ(records[2].nType, 33);
    EXPECT_EQ(records[3].nType, 16);
    EXPECT_EQ(records[5].nType, 34);
    for (const auto& record : records)
        EXPECT_TRUE(record.bCrcValid);
    // The first log record is not stored plain; the erased one is.
    std::string first;
    ASSERT_TRUE(LineToBytes(text[3], first));
    EXPECT_NE(records[1].strPayload.substr(4, 16), first.substr(0, 16));
    EXPECT_EQ(records[1].strPayload.substr(4 + 6 * 16, 16), std::string(16, '\xFF'));
    const uint32_t stored =
        CStandardRecord::ReadBE32(reinterpret_cast<const uint8_t*>(file.data() + file.size() - 4));
    EXPECT_EQ(stored, CCrc32Static::Compute(file.data(), file.size() - 4));
}

TEST(CBinaryLogWriter, OptionsSplitTheLogAndDropTheFileCrc) {
    CBinaryLogWriter::Options options;
    options.linesPerLogRecord = 4;
    options.protect = false;
    options.key = CBinaryLogKey(CBinaryLogKey::Key{1, 2, 3});
    CBinaryLogWriter writer(options);
    const Lines text = TextLog(16);
    std::string file;
    ASSERT_TRUE(writer.Build(text, file));
    EXPECT_EQ(file.substr(file.size() - 4), std::string(4, '\0'));
    std::vector<CStandardRecordData> records;
    std::string error;
    ASSERT_TRUE(binarylog::ReadRecords(file, records, error));
    EXPECT_EQ(records[1].nType, 32);
    EXPECT_EQ(records[2].nType, 32);
    CMemLineFile out;
    bool frc = false;
    ASSERT_TRUE(ConvertBinaryBytesToLines(file, out, frc, error, &*options.key)) << error;
    EXPECT_EQ(JoinLines(text), out.Content());
}

TEST(CBinaryLogWriter, LinesOutOfOrderComeBackGrouped) {
    const Lines text = {Line(0x80, 17, 1), Line(0x00, 16, 2), "Time 01:02:03", Line(0x06, 16, 3)};
    CBinaryLogWriter writer;
    std::string file;
    ASSERT_TRUE(writer.Build(text, file));
    bool frc = false;
    EXPECT_EQ(ReadBack(file, frc), (Lines{"Time 01:02:03", text[1], text[3], text[0]}));
}

TEST(CBinaryLogWriter, StopsAtTheFirstEmptyLine) {
    const Lines text = {Line(0x00, 16, 2), "", Line(0x06, 16, 3)};
    CBinaryLogWriter writer;
    std::string file;
    ASSERT_TRUE(writer.Build(text, file));
    bool frc = false;
    EXPECT_EQ(ReadBack(file, frc), Lines{text[0]});
}

TEST(CBinaryLogWriter, ShortRecordIsPaddedToTheRecordSize) {
    const std::string cylinders = Line(0x1A, 12, 9); // 26 characters
    CBinaryLogWriter writer;
    std::string file;
    ASSERT_TRUE(writer.Build({Line(0x00, 16, 1), cylinders}, file));
    bool frc = false;
    const Lines back = ReadBack(file, frc);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[1].size(), 34u);
    EXPECT_EQ(back[1].substr(0, 24), cylinders.substr(0, 24));
    EXPECT_TRUE(IsChecksumValid(back[1]));
}

TEST(CBinaryLogWriter, RefusesWhatItCannotCarry) {
    CBinaryLogWriter writer;
    std::string file;
    std::string bad = Line(0x06, 16, 1);
    bad[5] = bad[5] == '0' ? '1' : '0';
    EXPECT_FALSE(writer.Build({bad}, file));
    EXPECT_EQ(writer.GetErrorText(), "Line 1 is not a record line with a valid checksum");
    EXPECT_FALSE(writer.Build({Line(0x00, 16, 1), Line(0xB1, 5, 1)}, file));
    EXPECT_EQ(writer.GetErrorText(), "Line 2 is a B1 line without a B0 line");
    EXPECT_FALSE(writer.Build({Line(0x00, 16, 1), Line(0x06, 33, 1)}, file));
    EXPECT_EQ(writer.GetErrorText(), "Line 2 is too long for a log record");
    EXPECT_FALSE(writer.Build({Line(0xD0, 4, 1)}, file));
    EXPECT_TRUE(file.empty());
}

// ---- Record level: ReadRecords, WriteRecords, PlaceRecord -------------------------------------

TEST(ReadRecords, WritingBackIsByteForByte) {
    std::string file;
    ASSERT_TRUE(CBinaryLogWriter().Build(TextLog(16), file));
    std::vector<CStandardRecordData> records;
    std::string error;
    ASSERT_TRUE(binarylog::ReadRecords(file, records, error));
    EXPECT_EQ(binarylog::WriteRecords(records), file);
}

TEST(ReadRecords, ABadRecordStaysBad) {
    std::string file = binarylog::WriteRecords({{32, "abcdefgh"}, {33, "xyz"}});
    file[7] ^= 1; // first payload byte
    std::vector<CStandardRecordData> records;
    std::string error;
    ASSERT_TRUE(binarylog::ReadRecords(file, records, error));
    ASSERT_EQ(records.size(), 2u);
    EXPECT_FALSE(records[0].bCrcValid);
    EXPECT_TRUE(records[1].bCrcValid);
    const std::string again = binarylog::WriteRecords(records);
    EXPECT_EQ(again.substr(0, again.size() - 4), file.substr(0, file.size() - 4));
}

TEST(PlaceRecord, ReplacesInPlaceOrInsertsAfterOrAppends) {
    using R = CStandardRecordData;
    auto types = [](const std::vector<R>& rs) {
        std::vector<int> t;
        for (const auto& r : rs)
            t.push_back(r.nType);
        return t;
    };
    std::vector<R> records = {{0, "h"}, {32, "a"}, {32, "b"}, {16, "m"}};
    binarylog::PlaceRecord(records, {33, "user"}, {32});
    EXPECT_EQ(types(records), (std::vector<int>{0, 32, 33, 32, 16}));
    binarylog::PlaceRecord(records, {33, "new"}, {32});
    EXPECT_EQ(types(records), (std::vector<int>{0, 32, 33, 32, 16}));
    EXPECT_EQ(records[2].strPayload, "new");
    binarylog::PlaceRecord(records, {34, "dan"}, {33, 32});
    EXPECT_EQ(types(records), (std::vector<int>{0, 32, 33, 34, 32, 16}));
    std::vector<R> bare = {{16, "m"}};
    binarylog::PlaceRecord(bare, {33, "user"}, {32});
    EXPECT_EQ(types(bare), (std::vector<int>{16, 33}));
}

TEST(UserDataPayload, OneEntryPerLineWithoutTheChecksum) {
    std::string payload;
    ASSERT_TRUE(binarylog::UserDataPayload({"800102" + std::string("83")}, payload));
    EXPECT_EQ(payload, bintest::Bytes({0x80, 0, 0, 0, 2, 1, 2}));
    EXPECT_FALSE(binarylog::UserDataPayload({"80010"}, payload));
    std::string dan;
    EXPECT_FALSE(binarylog::DanDataPayload({Line(0xD0, 1, 0)}, dan));
}
