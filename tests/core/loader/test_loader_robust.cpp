// Garbled input must never crash the loader or leave it half-loaded: random records with good
// checksums (so that they reach the decoders), mangled copies of a real dive, and raw noise.
#include <gtest/gtest.h>

#include <random>

#include "LogBuilder.h"
#include "logfile/CDiveLogSample.h"
#include "sim/CDiveSimulator.h"

using namespace loadertest;

namespace {

constexpr unsigned kInteresting[] = {0x00, 0x01, 0x02, 0x03, 0x04, 0x06, 0x07, 0x08, 0x09, 0x0A,
                                     0x0B, 0x0C, 0x0D, 0x13, 0x14, 0x19, 0x1A, 0x1B, 0x1C, 0x1D,
                                     0x20, 0x21, 0x23, 0x26, 0x30, 0x31, 0x32, 0x33, 0x40, 0x42,
                                     0x7F, 0x80, 0x8E, 0xA0, 0xAC, 0xB0, 0xB1, 0xFF};

// A record with a correct checksum, often of its layout's length, with random bytes; date-time
// fields are sometimes valid so that the time arithmetic runs with far-apart dates.
std::string RandomRecord(std::mt19937& rng, bool frc) {
    std::uniform_int_distribution<unsigned> byte(0, 255);
    std::uniform_int_distribution<int> pick(0, 9);
    const unsigned type =
        pick(rng) == 0 ? byte(rng) : kInteresting[byte(rng) % std::size(kInteresting)];
    CRecordLineWriter w(type);
    const int shape = pick(rng);
    if (frc)
        w.Frc(std::uniform_real_distribution<double>(0, 2e5)(rng));
    if (shape < 5) {
        const int year = static_cast<int>(byte(rng) % 30);
        w.Byte(1 + byte(rng) % 28)
            .Byte(1 + byte(rng) % 12)
            .Byte(year)
            .Byte(byte(rng) % 24)
            .Byte(byte(rng) % 60);
    }
    const size_t length = shape < 8 ? (frc ? 32 : 16) : byte(rng) % 40;
    while (w.ByteCount() < length)
        w.Byte(byte(rng));
    return w.Finish();
}

void LoadMustSurvive(const std::string& name, const std::string& content) {
    CDiveLog log;
    const CLoadResult r = log.LoadLogFile(WriteFile(name, content));
    EXPECT_FALSE(log.m_bLoading);
    EXPECT_EQ(r.loaded, log.m_bFileLoaded);
    if (!r.loaded) {
        EXPECT_TRUE(log.m_arSamples.empty());
    }
    for (const auto& s : log.m_arSamples)
        EXPECT_GE(s->m_nSampleInterval, 1);
    log.UnloadLogFile();
}

} // namespace

TEST(LoadRobust, RandomRecordsWithGoodChecksums) {
    std::mt19937 rng(20200601);
    for (int file = 0; file < 120; ++file) {
        const bool frc = file % 2 == 1;
        std::string content;
        if (frc) {
            for (const auto& l : VersionLines(7, 0, 20))
                content += l + "\n";
        }
        for (int i = 0; i < 150; ++i)
            content += RandomRecord(rng, frc) + (i % 3 ? "\n" : "\r\n");
        LoadMustSurvive("random.ccl", content);
    }
}

TEST(LoadRobust, MangledDives) {
    ShortLog b;
    b.PowerOn(At(10, 0, 0));
    b.Add(SStatus01(1013)).Add(SDiveDetect(1, 2)).Add(SDepth(1013));
    b.Add(SDiveStart(At(10, 0, 30), 7)).Add(SDated(0x1B, At(10, 0, 40), 5));
    for (int i = 0; i < 20; ++i)
        b.Add(SDepth(1013 + 100 * i)).Add(SStatus07(i % 2 ? 4 : 0));
    b.Add(SDiveEnd(At(10, 5, 0), 300)).Add(SDated(0x0B, At(10, 6, 0))).Add(SPowerOff(At(10, 7, 0)));
    std::string base;
    for (const auto& l : b.Lines())
        base += l + "\n";

    std::mt19937 rng(7);
    const std::string alphabet = "0123456789ABCDEFabcdefxZ \r\n\t";
    for (int round = 0; round < 150; ++round) {
        std::string content = base;
        const int edits = 1 + static_cast<int>(rng() % 12);
        for (int e = 0; e < edits; ++e) {
            const size_t pos = rng() % content.size();
            switch (rng() % 3) {
            case 0:
                content[pos] = alphabet[rng() % alphabet.size()];
                break;
            case 1:
                content.erase(pos, 1 + rng() % 40);
                break;
            default:
                content.insert(pos, std::string(1 + rng() % 5, alphabet[rng() % alphabet.size()]));
                break;
            }
            if (content.empty())
                content = "0";
        }
        LoadMustSurvive("mangled.ccl", content);
    }
}

TEST(LoadRobust, NonHexFieldsThatPassTheChecksumWrapIntoTheirWidth) {
    // The same two non-hex pairs cancel in the XOR checksum, so the line loads, and each cell
    // status byte reads 'z','z' as 35 * 16 + 35 = 595: kept modulo 256, not converted blindly.
    std::string depth = SDepth(1500);
    depth.replace(16, 2, "zz");
    depth.replace(28, 2, "zz");
    ShortLog b;
    b.PowerOn(At(10, 0, 0));
    b.Add(SStatus01(1013)).Add(SDiveDetect(1, 2)).Add(SDepth(1013));
    b.Add(SDiveStart(At(10, 0, 30), 7));
    for (int i = 0; i < 4; ++i)
        b.Add(depth).Add(SStatus07(0));
    b.Add(SDiveEnd(At(10, 5, 0), 300)).Add(SPowerOff(At(10, 7, 0)));
    std::string content;
    for (const auto& l : b.Lines())
        content += l + "\n";
    CDiveLog log;
    ASSERT_TRUE(log.LoadLogFile(WriteFile("nonhex.ccl", content)).loaded);
    bool seen = false;
    for (const auto& s : log.m_arSamples) {
        if (s->m_byC1CellStatus == (595 & 0xFF)) {
            EXPECT_EQ(s->m_byC2CellStatus, 595 & 0xFF);
            seen = true;
        }
    }
    EXPECT_TRUE(seen);
    log.UnloadLogFile();
}

TEST(LoadRobust, RawNoise) {
    std::mt19937 rng(99);
    for (int round = 0; round < 60; ++round) {
        std::string content(1 + rng() % 3000, '\0');
        for (char& c : content)
            c = static_cast<char>(rng() % 256);
        if (round % 2)
            content[0] = '0'; // text, not binary
        LoadMustSurvive("noise.ccl", content);
    }
}

TEST(LoadRobust, ReservationsFollowWhatTheLinesCanHold) {
    // Minimal solenoid records hold no bitmap at all; each once reserved 104 events on both
    // solenoid arrays (a 10 MB file of them asked for well over a gigabyte).
    StatusCapture quiet;
    CSimOptions o;
    o.frcLayout = false;
    o.versionMajor = 5;
    o.versionMinor = 2;
    o.versionBuild = 46;
    o.durationSeconds = 5 * 60;
    const CSimLog sim = SimulateDive(o);
    std::string content;
    for (const auto& l : sim.headerLines)
        content += l + "\r\n";
    content += sim.logLines.front() + "\r\n";
    for (int i = 0; i < 20000; ++i)
        content += "3030\r\n";
    for (size_t i = 1; i < sim.logLines.size(); ++i)
        content += sim.logLines[i] + "\r\n";
    CDiveLog log;
    ASSERT_TRUE(log.LoadLogBytes(content, "solenoids.ccl").loaded);
    EXPECT_LT(log.m_arSolenoidC1.capacity(), 20000u);
    EXPECT_LT(log.m_arSolenoidC2.capacity(), 20000u);
}
