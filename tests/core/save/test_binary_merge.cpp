#include <gtest/gtest.h>

#include "SaveTestFiles.h"
#include "logfile/BinaryLogMerge.h"
#include "logfile/CDiveLog.h"
#include "logfile/LogSaver.h"
#include "logfile/binary/CCrc32Static.h"

using namespace savetest;

namespace {

const std::string kHeader = BinaryRecord(0, std::string(19, '\x01'));
const std::string kComputer = BinaryRecord(32, std::string(4 + 32, '\x5A'));
const std::string kBlock = BinaryRecord(16, std::string(10 + 16, '\x22'));

// The user record as the format defines it: per line the type byte, the data length
// (big-endian) and the data bytes, without the checksum.
std::string UserRecordOf(const std::vector<std::string>& lines) {
    std::string payload;
    for (const auto& line : lines) {
        const size_t data = line.size() / 2 - 2;
        payload.push_back(static_cast<char>(RecordType(line)));
        payload += std::string("\0\0\0", 3) + static_cast<char>(data);
        for (size_t i = 0; i < data; ++i)
            payload.push_back(static_cast<char>(ParseHex(line, 2 + 2 * i, 2)));
    }
    return BinaryRecord(33, payload);
}

bool FileCrcHolds(const std::string& file) {
    const std::string body = file.substr(0, file.size() - 4);
    const uint32_t stored = (uint32_t(uint8_t(file[file.size() - 4])) << 24) |
                            (uint32_t(uint8_t(file[file.size() - 3])) << 16) |
                            (uint32_t(uint8_t(file[file.size() - 2])) << 8) |
                            uint32_t(uint8_t(file[file.size() - 1]));
    return stored == CCrc32Static::Compute(body);
}

} // namespace

// ---- MergeBinaryLog ----------------------------------------------------------------------------

TEST(MergeBinaryLog, InsertsAfterTheFirstComputerLogThenReplacesInPlace) {
    const std::vector<std::string> first = {"8080", "81414243C1"};
    const std::vector<std::string> second = {"8441C5"};
    const std::string original = BinaryFile({kHeader, kComputer, kComputer, kBlock});

    std::string once, error;
    ASSERT_TRUE(MergeBinaryLog(original, first, once, error)) << error;
    EXPECT_EQ(once, BinaryFile({kHeader, kComputer, UserRecordOf(first), kComputer, kBlock}));
    EXPECT_TRUE(FileCrcHolds(once));

    std::string twice;
    ASSERT_TRUE(MergeBinaryLog(once, second, twice, error)) << error;
    EXPECT_EQ(twice, BinaryFile({kHeader, kComputer, UserRecordOf(second), kComputer, kBlock}));

    std::string again;
    ASSERT_TRUE(MergeBinaryLog(twice, second, again, error));
    EXPECT_EQ(again, twice);
}

TEST(MergeBinaryLog, AppendsWithoutAComputerLogAndDropsLaterUserRecords) {
    const std::vector<std::string> lines = {"8080"};
    std::string out, error;
    ASSERT_TRUE(MergeBinaryLog(BinaryFile({kHeader, kBlock}), lines, out, error));
    EXPECT_EQ(out, BinaryFile({kHeader, kBlock, UserRecordOf(lines)}));

    const std::string old = UserRecordOf({"8441C5"});
    ASSERT_TRUE(MergeBinaryLog(BinaryFile({kHeader, old, kComputer, old}), lines, out, error));
    EXPECT_EQ(out, BinaryFile({kHeader, UserRecordOf(lines), kComputer}));
}

TEST(MergeBinaryLog, KeepsARecordWithABadCrcAsItWas) {
    std::string damaged = kComputer;
    damaged[10] ^= 0x40; // the reader skips it; the save must not make it look valid
    std::string out, error;
    ASSERT_TRUE(MergeBinaryLog(BinaryFile({kHeader, damaged}), {"8080"}, out, error));
    EXPECT_EQ(out, BinaryFile({kHeader, damaged, UserRecordOf({"8080"})}));
}

TEST(MergeBinaryLog, RefusesRecordsThatRunPastTheEnd) {
    std::string out, error;
    std::string truncated = BinaryFile({kHeader, kComputer});
    truncated.erase(truncated.size() - 10, 6); // body of the last record cut short
    EXPECT_FALSE(MergeBinaryLog(truncated, {"8080"}, out, error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(MergeBinaryLog(std::string("\0\0", 2), {"8080"}, out, error));
    EXPECT_FALSE(MergeBinaryLog(std::string(7, '\0'), {"8080"}, out, error)); // 3-byte header
    std::string huge = BinaryFile({kHeader});
    huge.insert(huge.size() - 4, std::string("\0\x20\xFF\xFF\xFF\xFF", 6));
    EXPECT_FALSE(MergeBinaryLog(huge, {"8080"}, out, error));
}

// ---- SaveLogFile, binary logs ------------------------------------------------------------------

// Insertion through SaveLogFile is covered by the binary round trip; here a damaged file.
TEST(SaveLogFile, BinaryLogThatCannotBeReadIsLeftAlone) {
    CTempDir dir;
    const std::string path = dir.File("dive.bin");
    const std::string junk = std::string("\0\0\0\x20", 4) + "junk";
    WriteAll(path, junk);
    CDiveLog log;
    log.m_strFilePath = path;
    log.m_nFileKind = 2;
    log.m_bFileLoaded = true;
    log.m_bModified = true;
    log.m_DiveInformation.m_strLocation = "Farne Islands";
    EXPECT_EQ(SaveLogFile(log).messageId, kSaveReadFailedId);
    EXPECT_EQ(ReadAll(path), junk);
}
