// The binary line source makes the log memory's lines a piece at a time into one buffer. Its
// lines, its look-ahead scan, its failures and the model a load makes from it must be those of
// the whole converted text, wherever the pieces end.
#include <gtest/gtest.h>

#include <utility>

#include "BinaryTestHelpers.h"
#include "cli/DumpJson.h"
#include "logfile/CDiveLog.h"
#include "logfile/binary/BinaryLineSource.h"
#include "logfile/binary/BinaryLog.h"
#include "logfile/binary/CBinaryLogWriter.h"
#include "logfile/binary/CCrc32Static.h"
#include "sim/CDiveSimulator.h"
#include "statuslog/CReport.h"

using bintest::Bytes;
using bintest::File;
using bintest::LogRecord;

namespace {

const CBinaryLogKey kKey;

std::string ScrambledLogMemory(std::string payload, size_t recordSize) {
    auto* p = reinterpret_cast<uint8_t*>(payload.data());
    kKey.ApplyBlocks(p + 4, payload.size() - 4, recordSize, CBinaryLogKey::StartOffset(p));
    return payload;
}

// Every kind of line in one file: header lines, two log-memory records with erased memory, a
// system-information pair split between them, a lone data line, a trailing part short of a
// record, then the user's records, a memory block and DAN data.
std::string MixedFile(bool frc) {
    const size_t size = frc ? 32 : 16;
    const std::string first = Bytes({3, 5, 7, 11}) + LogRecord(6, size) +
                              std::string(size, '\xFF') + LogRecord(0xB1, size, 40) +
                              LogRecord(9, size, 90) + LogRecord(0xB0, size, 0x10) + "tail";
    const std::string second = Bytes({100, 100, 100, 3}) + LogRecord(0xB1, size, 20) +
                               LogRecord(7, size, 20) + std::string(size, '\xFF');
    return File({{0, bintest::HeaderPayload(frc ? 7 : 5, frc ? 0 : 2, frc ? 3 : 46)},
                 {32, ScrambledLogMemory(first, size)},
                 {32, ScrambledLogMemory(second, size)},
                 {33, Bytes({0x80, 0, 0, 0, 3, 'a', 'b', 'c'})},
                 {16, Bytes({0, 0, 0, 1, 0xB2, 1, 0, 0, 0x20, 0x00, 0xDE, 0xAD})},
                 {34, Bytes({'Z', 'P', 'D', 3, 0, 0, 0, 2, 'x', 'y'})}});
}

std::string SimulatedFile(bool frc) {
    CSimOptions options;
    options.frcLayout = frc;
    if (!frc) {
        options.versionMajor = 5;
        options.versionMinor = 2;
        options.versionBuild = 46;
    }
    options.durationSeconds = 20 * 60;
    options.intervalSeconds = 2;
    options.powerCycles = 2;
    const CSimLog sim = SimulateDive(options);
    CBinaryLogWriter::Options writerOptions;
    writerOptions.key = kKey;
    writerOptions.displayVersion = {0, uint8_t(sim.versionMajor), uint8_t(sim.versionMinor),
                                    uint8_t(sim.versionBuild)};
    CBinaryLogWriter writer(writerOptions);
    std::string file;
    EXPECT_TRUE(writer.Build(CBinaryLogWriter::SplitLines(sim.ToText()), file))
        << writer.GetErrorText();
    return file;
}

std::vector<std::pair<std::string, std::string>> Files() {
    return {{"mixed FRC", MixedFile(true)},
            {"mixed short", MixedFile(false)},
            {"simulated FRC", SimulatedFile(true)},
            {"simulated short", SimulatedFile(false)}};
}

// Piece sizes that put a boundary after every line, inside lines, and the usual one.
std::vector<size_t> PieceSizes() {
    return {1, 33, 67, 3 * 66 + 5, 1000, CBinaryLineSource::kPieceChars};
}

std::vector<std::string> ReadAll(CLineSource& source, size_t most = SIZE_MAX) {
    std::vector<std::string> lines;
    std::string_view line;
    while (lines.size() < most && source.ReadLine(line))
        lines.emplace_back(line);
    return lines;
}

struct Opened {
    bool ok = false;
    std::string error;
    std::vector<std::string> events;
};

std::vector<std::string> EventTexts(const CReport& report) {
    std::vector<std::string> texts;
    for (const auto& event : report.Events())
        texts.push_back(event.text);
    return texts;
}

// `convert` is ConvertBinaryBytesToLines or OpenBinaryBytesAsLines.
template <class Source, class Convert>
Opened OpenWith(Convert convert, std::string_view file, Source& out) {
    Opened o;
    CReport report(0);
    bool frc = false;
    o.ok = convert(file, out, frc, o.error, &kKey, &report);
    o.events = EventTexts(report);
    return o;
}

Opened OpenWhole(std::string_view file, CMemLineFile& out) {
    return OpenWith(ConvertBinaryBytesToLines, file, out);
}

Opened OpenPieces(std::string_view file, CBinaryLineSource& out) {
    return OpenWith(OpenBinaryBytesAsLines, file, out);
}

// What a scan hands on, as (kind, line) pairs.
std::vector<std::pair<int, std::string>> Scan(const CLineSource& source,
                                              const LineStartKinds& kinds) {
    std::vector<std::pair<int, std::string>> seen;
    source.ScanLines(kinds, [&](unsigned char kind, std::string_view line) {
        seen.emplace_back(kind, std::string(line));
    });
    return seen;
}

unsigned Pair(const char* two) {
    return static_cast<unsigned char>(two[0]) | static_cast<unsigned char>(two[1]) << 8;
}

} // namespace

TEST(BinaryLineSource, GivesTheConvertedLinesWhereverPiecesEndAndAfterRewind) {
    for (const auto& [name, file] : Files()) {
        CMemLineFile whole;
        ASSERT_TRUE(OpenWhole(file, whole).ok) << name;
        const std::vector<std::string> expected = ReadAll(whole);
        ASSERT_GT(expected.size(), 8u) << name;
        for (const size_t piece : PieceSizes()) {
            CBinaryLineSource source(piece);
            ASSERT_TRUE(OpenPieces(file, source).ok) << name;
            EXPECT_EQ(ReadAll(source), expected) << name << ", pieces of " << piece;
            std::string_view line;
            EXPECT_FALSE(source.ReadLine(line)) << "the end stays the end";
            // Back to the start from the end, and from part way through a piece.
            source.Rewind();
            EXPECT_EQ(ReadAll(source, 5),
                      std::vector<std::string>(expected.begin(), expected.begin() + 5));
            source.Rewind();
            EXPECT_EQ(ReadAll(source), expected) << name << ", pieces of " << piece;
        }
    }
}

// The scan passes over the log memory by its records' first bytes; it must hand on exactly
// what the text scan finds in the whole text, system-information lines inside the log memory
// included, and stop where a line ends the text, in the log memory too.
TEST(BinaryLineSource, ScanFindsWhatTheTextScanFinds) {
    LineStartKinds kinds{};
    kinds[Pair("B0")] = 2;
    kinds[Pair("B1")] = 3;
    kinds[Pair("80")] = 4; // a user record
    kinds[Pair("\r\n")] = kLineEndsText;
    LineStartKinds stopping = kinds;
    stopping[Pair("09")] = kLineEndsText; // a log-memory record
    for (const auto& [name, file] : Files()) {
        CMemLineFile whole;
        ASSERT_TRUE(OpenWhole(file, whole).ok) << name;
        CBinaryLineSource source(67);
        ASSERT_TRUE(OpenPieces(file, source).ok) << name;
        const auto expected = Scan(whole, kinds);
        EXPECT_FALSE(expected.empty()) << name;
        EXPECT_EQ(Scan(source, kinds), expected) << name;
        EXPECT_EQ(Scan(source, stopping), Scan(whole, stopping)) << name;
        // The scan leaves the reading where it was.
        std::string_view line;
        ASSERT_TRUE(source.ReadLine(line));
        EXPECT_EQ(line, ReadAll(whole, 1).at(0));
    }
    // The mixed file's log memory holds a header line and data lines of its own.
    CMemLineFile whole;
    ASSERT_TRUE(OpenWhole(MixedFile(true), whole).ok);
    const auto found = Scan(whole, kinds);
    ASSERT_EQ(found.size(), 6u);
    EXPECT_EQ(found[0].first, 3);
    EXPECT_EQ(found[1].first, 2);
    EXPECT_EQ(found[2].first, 3);
    EXPECT_EQ(found[3].first, 4);
}

TEST(BinaryLineSource, FailsAndReportsAsTheConversionDoes) {
    const std::string log = bintest::LogPayload({LogRecord(6, 16)});
    std::string badCrc = MixedFile(false);
    // Spoil the second log-memory record's CRC and make the file CRC afresh.
    size_t at = 0;
    for (int seen = 0;;) {
        const size_t length =
            CStandardRecord::ReadBE32(reinterpret_cast<const uint8_t*>(badCrc.data()) + at + 2);
        at += CStandardRecord::kHeaderSize + length;
        if (badCrc[at - length - 5] == 32 && ++seen == 2)
            break;
        at += CStandardRecord::kCrcSize;
    }
    badCrc[at] ^= 1;
    badCrc.resize(badCrc.size() - 4);
    CStandardRecord::AppendBE32(badCrc, CCrc32Static::Compute(badCrc));
    const std::string cases[] = {
        File({{32, log}, {33, Bytes({0x80, 0, 0})}}),
        File({{32, Bytes({0, 0})}, {33, Bytes({0x80, 0, 0})}}),
        File({{32, log}, {16, Bytes({0, 0, 0, 1, 0xB0})}}),
        File({{34, Bytes({'Z', 'P', 'D', 3, 0x7F, 0, 0, 0})}}),
        MixedFile(true).substr(0, 200),
        badCrc,
    };
    for (const std::string& file : cases) {
        CMemLineFile whole;
        const Opened expected = OpenWhole(file, whole);
        CBinaryLineSource source(1);
        const Opened opened = OpenPieces(file, source);
        EXPECT_EQ(opened.ok, expected.ok) << expected.error;
        EXPECT_EQ(opened.error, expected.error);
        EXPECT_EQ(opened.events, expected.events);
        if (expected.ok) {
            EXPECT_EQ(ReadAll(source), ReadAll(whole));
        }
    }
}

// The loader keeps lines beyond the next one it reads (the latest line of each type feeds every
// new sample). With a piece per line every such line outlives its piece: the model must still
// be the one of the usual pieces.
TEST(BinaryLineSource, LoadsTheSameModelWhereverPiecesEnd) {
    for (const bool frc : {true, false}) {
        const std::string file = SimulatedFile(frc);
        std::string expected;
        for (const size_t piece : PieceSizes()) {
            CLoadOptions options;
            options.key = kKey;
            options.binaryPieceChars = piece;
            CDiveLog log;
            const CLoadResult result = log.LoadLogBytes(file, "day.bin", options);
            ASSERT_TRUE(result.loaded);
            const std::string model = zelvorlog::DumpJson("day.bin", log, result);
            if (expected.empty())
                expected = model;
            EXPECT_TRUE(model == expected) << (frc ? "FRC" : "short") << ", pieces of " << piece;
        }
    }
}
