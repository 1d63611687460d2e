// Writing the export file: its name, the text and binary writers, and what a failure leaves.
#include <gtest/gtest.h>

#include "../save/SaveTestFiles.h"

#include "cli/DumpJson.h"
#include "dan/DanExport.h"
#include "logfile/CDiveLog.h"
#include "logfile/CLineSource.h"
#include "logfile/binary/BinaryLog.h"
#include "logfile/binary/BinaryLogRecords.h"
#include "logfile/binary/CStandardRecord.h"
#include "sim/CDiveSimulator.h"
#include "sim/SimBinary.h"

namespace fs = std::filesystem;

namespace {

using savetest::CTempDir;
using savetest::ReadAll;
using savetest::WriteAll;

CDanExportData SomeDetails() {
    CDanExportData data;
    data.strTimeStamp = "20261208120000+0000";
    data.details.m_strDiverID = "D-42";
    data.details.m_strNameFamily = "M\xFCller"; // an 8-bit text
    data.answers.m_strComments = "Air\r\nEAN32";
    data.answers.m_nProblems = 8;
    return data;
}

CStandardRecordData Rec(uint16_t type, std::string payload) {
    CStandardRecordData r;
    r.nType = type;
    r.strPayload = std::move(payload);
    return r;
}

// The record types in order; every record's CRC and the closing CRC must check out.
std::vector<uint16_t> SoundTypes(const std::string& file) {
    std::vector<CStandardRecordData> records;
    std::string error;
    EXPECT_TRUE(binarylog::CheckFileCrc(file, error)) << error;
    EXPECT_TRUE(binarylog::ReadRecords(file, records, error)) << error;
    std::vector<uint16_t> types;
    for (const auto& r : records) {
        EXPECT_TRUE(r.bCrcValid) << "record type " << r.nType;
        types.push_back(r.nType);
    }
    return types;
}

} // namespace

// ---- DanExportPath ---------------------------------------------------------------------------

TEST(DanExportPath, ReplacesOnlyTheFileNamesExtension) {
    EXPECT_EQ(DanExportPath("dive.1.ccl"), "dive.1.dan");
    EXPECT_EQ(DanExportPath("/logs/ZV1_0001.ccl"), "/logs/ZV1_0001.dan");
    EXPECT_EQ(DanExportPath("/logs/dive"), "/logs/dive.dan");
    // A dot in a folder name is not an extension.
    EXPECT_EQ(DanExportPath("/home/a.b/dive"), "/home/a.b/dive.dan");
}

// ---- WriteDanTextFile ------------------------------------------------------------------------

TEST(WriteDanTextFile, AppendsTheLinesAndLeavesTheLogAlone) {
    CTempDir dir;
    const std::string log = dir.File("dive.1.ccl");
    const std::string original = "Porthole Link Version 2.4.0.11\r\n0101\r\n\r\nFF00\r\n";
    WriteAll(log, original);
    const std::vector<std::string> lines = BuildDanLines(SomeDetails());
    const CDanWriteResult r = WriteDanTextFile(log, lines);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.strDanFilePath, dir.File("dive.1.dan"));
    std::string expected = original;
    for (const auto& l : lines)
        expected += l + "\r\n";
    EXPECT_EQ(ReadAll(r.strDanFilePath), expected);
    EXPECT_EQ(ReadAll(log), original);
    // A second export replaces the first.
    ASSERT_TRUE(WriteDanTextFile(log, lines).ok);
    EXPECT_EQ(ReadAll(r.strDanFilePath), expected);
}

TEST(DanTextContent, KeepsTheLogsLineEnds) {
    const std::vector<std::string> dan = {"D0AA", "D0BB"};
    EXPECT_EQ(DanTextContent("a\nb\n", dan), "a\nb\nD0AA\nD0BB\n");
    EXPECT_EQ(DanTextContent("a\r\nb", dan), "a\r\nb\r\nD0AA\r\nD0BB\r\n");
    EXPECT_EQ(DanTextContent("", dan), "D0AA\r\nD0BB\r\n");
}

TEST(WriteDanTextFile, FailuresNameTheirMessageAndWriteNothing) {
    CTempDir dir;
    const auto lines = BuildDanLines(SomeDetails());
    CDanWriteResult r = WriteDanTextFile(dir.File("missing.ccl"), lines);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.messageId, 2221);
    EXPECT_FALSE(fs::exists(dir.File("missing.dan")));

    // The export's place is taken by a folder: nothing can be written there.
    const std::string log = dir.File("busy.ccl");
    WriteAll(log, "0101\r\n");
    fs::create_directory(dir.File("busy.dan"));
    r = WriteDanTextFile(log, lines);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.messageId, 2222);
    EXPECT_EQ(ReadAll(log), "0101\r\n");

    // A log that already has the export's name is never overwritten by its own export.
    const std::string dan = dir.File("old.dan");
    WriteAll(dan, "0101\r\n");
    r = WriteDanTextFile(dan, lines);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.messageId, 2222);
    EXPECT_EQ(ReadAll(dan), "0101\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(fs::path(log).parent_path()), {}), 3)
        << "no temporary file left behind";
}

// ---- WriteDanBinaryFile ----------------------------------------------------------------------

TEST(DanBinaryContent, PlacesTheDanRecordInAllFourWays) {
    const std::vector<std::string> lines = BuildDanLines(SomeDetails());
    std::string expectedPayload, out, error;
    ASSERT_TRUE(binarylog::DanDataPayload(lines, expectedPayload));
    struct CCase {
        std::vector<uint16_t> before;
        std::vector<uint16_t> after;
    };
    const CCase cases[] = {
        {{0, 32, 34, 16, 34}, {0, 32, 34, 16, 34}}, // over the first existing one
        {{0, 32, 33, 16}, {0, 32, 33, 34, 16}},     // after the user record
        {{0, 32, 16, 32}, {0, 32, 34, 16, 32}},     // after the first log memory
        {{0, 16}, {0, 16, 34}},                     // at the end
    };
    for (const CCase& c : cases) {
        std::vector<CStandardRecordData> records;
        for (uint16_t type : c.before)
            records.push_back(Rec(type, "payload " + std::to_string(type)));
        const std::string file = binarylog::WriteRecords(records);
        ASSERT_TRUE(DanBinaryContent(file, lines, out, error)) << error;
        EXPECT_EQ(SoundTypes(out), c.after);
        std::vector<CStandardRecordData> written;
        ASSERT_TRUE(binarylog::ReadRecords(out, written, error));
        int danRecords = 0;
        for (size_t i = 0; i < written.size(); ++i) {
            if (written[i].nType != 34)
                continue;
            // Only the first DAN record is new; a later one stays as it was.
            EXPECT_EQ(written[i].strPayload,
                      danRecords++ == 0 ? expectedPayload : std::string("payload 34"));
        }
    }
}

TEST(WriteDanBinaryFile, ExportLoadsToTheSameDiveAndCarriesTheLines) {
    CTempDir dir;
    CSimOptions options;
    options.durationSeconds = 15 * 60;
    const CSimLog sim = SimulateDive(options);
    std::string image, error;
    ASSERT_TRUE(BuildSimBinary(sim, image, error)) << error;
    const std::string log = dir.File("ZV1_0007.bin");
    WriteAll(log, image);

    const CDanExportData data = SomeDetails();
    const CDanWriteResult r = WriteDanFile(2, log, data);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.strDanFilePath, dir.File("ZV1_0007.dan"));
    EXPECT_EQ(ReadAll(log), image) << "the log itself is untouched";

    CDiveLog before, after;
    const CLoadResult loadedBefore = before.LoadLogFile(log);
    const CLoadResult loadedAfter = after.LoadLogFile(r.strDanFilePath);
    ASSERT_TRUE(loadedBefore.loaded);
    ASSERT_TRUE(loadedAfter.loaded);
    EXPECT_EQ(zelvorlog::DumpJson("dive", before, loadedBefore),
              zelvorlog::DumpJson("dive", after, loadedAfter));

    // Read back, the record gives exactly the text lines a text export appends.
    CMemLineFile converted;
    bool frc = false;
    ASSERT_TRUE(ConvertBinaryBytesToLines(ReadAll(r.strDanFilePath), converted, frc, error));
    std::vector<std::string> danLines;
    std::string_view line;
    while (converted.ReadLine(line))
        if (line.substr(0, 2) == "D0")
            danLines.emplace_back(line);
    EXPECT_EQ(danLines, BuildDanLines(data));
}

TEST(WriteDanFile, OnlyLogsAreExported) {
    CTempDir dir;
    const std::string path = dir.File("notes.txt");
    WriteAll(path, "hello");
    const CDanWriteResult r = WriteDanFile(0, path, {});
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.messageId, 0);
    EXPECT_FALSE(fs::exists(dir.File("notes.dan")));
    EXPECT_EQ(WriteDanBinaryFile(dir.File("none.bin"), {}).messageId, 2221);
}
