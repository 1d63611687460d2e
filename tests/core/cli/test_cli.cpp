// zelvorlog end to end: every command through RunZelvorLog with captured output.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "CliTestHelpers.h"
#include "logfile/CDiveLog.h"
#include "logfile/CDiveLogSample.h"
#include "viewmodel/DataRows.h"

using namespace clitest;

namespace {

std::vector<std::string> Split(const std::string& text, char sep) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, sep))
        parts.push_back(part);
    return parts;
}

// A simulated FRC dive with two alarms, written once per test program.
const std::string& SampleDive() {
    static const std::string path = [] {
        const std::string p = TempPath("dive.ccl");
        const CRun r =
            Zelvorlog({"simulate", "-o", p, "--depth", "27.5", "--duration", "38", "--seed", "5",
                       "--alarm", "fast-ascent@30:00+40", "--alarm", "co2-1st@600"});
        EXPECT_EQ(r.status, 0) << r.err;
        return p;
    }();
    return path;
}

} // namespace

// ---- the tool as a whole ----------------------------------------------------------------------

TEST(RunZelvorLog, UsageAndHelp) {
    EXPECT_EQ(Zelvorlog({}).status, 2);
    const CRun unknown = Zelvorlog({"frobnicate"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("unknown command"), std::string::npos);
    EXPECT_EQ(Zelvorlog({"--help"}).status, 0);
    for (const char* command : {"dump", "info", "check", "export", "convert", "simulate"}) {
        const CRun r = Zelvorlog({command, "--help"});
        EXPECT_EQ(r.status, 0) << command;
        EXPECT_EQ(r.out.rfind("Usage: zelvorlog ", 0), 0u) << command;
        const CRun bad = Zelvorlog({command, "--no-such-option"});
        EXPECT_EQ(bad.status, 2) << command;
        EXPECT_NE(bad.err.find("unknown option --no-such-option"), std::string::npos) << command;
    }
}

// ---- dump -------------------------------------------------------------------------------------

TEST(Dump, LoadedLog) {
    const CRun r = Zelvorlog({"dump", SampleDive()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"loaded\": true"), std::string::npos);
    EXPECT_EQ(r.out.find("\n  \"error\""), std::string::npos); // only for failed loads
    EXPECT_NE(r.out.find("\"max_depth\": 27.5"), std::string::npos);
    EXPECT_NE(r.out.find("\"dive_time\": \"38:00 mm:ss\""), std::string::npos);
    EXPECT_NE(r.out.find("\"display_model\": \"BC\""), std::string::npos);
    EXPECT_NE(r.out.find("\"display_code_version\": \"DC.00.07.00.20\""), std::string::npos);
    // Fast Ascent is the ninth alarm, CO2 1st Warning the sixteenth.
    EXPECT_NE(r.out.find("\"alarms\": [false, false, false, false, false, false, false, false, "
                         "true, false, false, false, false, false, false, true, false]"),
              std::string::npos);
}

TEST(Dump, FailedLoadStillPrintsJson) {
    const CRun missing = Zelvorlog({"dump", TempPath("missing.ccl")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.out.find("\"loaded\": false"), std::string::npos);
    EXPECT_NE(missing.out.find("\"error\": \"No such file"), std::string::npos);
    EXPECT_NE(missing.err.find("No such file"), std::string::npos);

    std::ofstream(TempPath("notalog.ccl")) << "hello\nworld\n";
    const CRun garbage = Zelvorlog({"dump", TempPath("notalog.ccl")});
    EXPECT_EQ(garbage.status, 1);
    EXPECT_NE(garbage.out.find("\"error\": \"Invalid checksum in file"), std::string::npos);
    EXPECT_EQ(Zelvorlog({"dump"}).status, 2);
    EXPECT_EQ(Zelvorlog({"dump", "a", "b"}).status, 2);
    // The info report itself is compared with golden files.
    EXPECT_EQ(Zelvorlog({"info", TempPath("missing.ccl")}).status, 1);
}

// ---- check ------------------------------------------------------------------------------------

TEST(Check, CorruptCopyFails) {
    const std::string good = SampleDive();
    std::string text = ReadFile(good);
    // Change one digit of the fifth record line (after the three header lines).
    std::vector<std::string> lines = Split(text, '\n');
    lines[3 + 4][12] = lines[3 + 4][12] == '0' ? '1' : '0';
    std::string corrupt;
    for (const std::string& l : lines)
        corrupt += l + "\n";
    const std::string bad = TempPath("corrupt.ccl");
    std::ofstream(bad, std::ios::binary) << corrupt;

    const CRun ok = Zelvorlog({"check", good});
    EXPECT_EQ(ok.status, 0);
    EXPECT_NE(ok.out.find(": OK: "), std::string::npos);
    EXPECT_NE(ok.out.find("dive end 2580 s"), std::string::npos) << ok.out;

    const CRun both = Zelvorlog({"check", good, bad});
    EXPECT_EQ(both.status, 1);
    EXPECT_NE(both.out.find(bad + ": FAILED: Invalid checksum in file " + bad + " at line 5"),
              std::string::npos)
        << both.out;
    EXPECT_NE(both.out.find("2 files checked, 1 OK, 1 failed"), std::string::npos);
    EXPECT_EQ(Zelvorlog({"check"}).status, 2);
}

TEST(Check, FolderStandsForItsLogs) {
    const std::filesystem::path dir = TempPath("folder");
    std::filesystem::create_directories(dir);
    std::filesystem::copy_file(SampleDive(), dir / "a.ccl",
                               std::filesystem::copy_options::overwrite_existing);
    std::ofstream(dir / "notes.txt") << "not a log";
    const CRun r = Zelvorlog({"check", dir.string()});
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out.find("notes.txt"), std::string::npos);
}

// ---- export -----------------------------------------------------------------------------------

TEST(Export, CsvHeaderAndRowByValue) {
    const CRun r = Zelvorlog({"export", "--csv", SampleDive()});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> rows = Split(r.out, '\n');
    ASSERT_GT(rows.size(), 10u);
    EXPECT_EQ(rows[0], "Dive Time (s),Depth (m),PPO2 - Setpoint (Bar),PPO2 - C1 Cell 1 (Bar),"
                       "PPO2 - C1 Cell 2 (Bar),PPO2 - C1 Cell 3 (Bar),PPO2 - C1 Measured (Bar),"
                       "PPO2 - C2 Cell 1 (Bar),PPO2 - C2 Cell 2 (Bar),PPO2 - C2 Cell 3 (Bar),"
                       "PPO2 - C2 Measured (Bar),C1 Battery 1 (Volts),C1 Battery 2 (Volts),"
                       "C2 Battery 1 (Volts),C2 Battery 2 (Volts),Diluent 1 Pressure (Bar),"
                       "Diluent 2 Pressure (Bar),Diluent 3 Pressure (Bar),Diluent 4 Pressure (Bar),"
                       "Diluent 5 Pressure (Bar),Diluent 6 Pressure (Bar),O2 Pressure (Bar),"
                       "Ambient Temp. (Celcius),OTU Exposure (%),CNS Exposure (%),Deco Ceiling (m),"
                       "Gradient Factor");
    // The row of the deepest sample, against the loaded sample itself.
    CDiveLog log;
    ASSERT_TRUE(log.LoadLogFile(SampleDive()).loaded);
    const std::vector<size_t> listed = DataSampleIndices(log);
    ASSERT_EQ(rows.size(), listed.size() + 1);
    size_t deepest = 0;
    for (size_t k = 0; k < listed.size(); ++k) {
        if (log.m_arSamples[listed[k]]->GetDepth() > log.m_arSamples[listed[deepest]]->GetDepth())
            deepest = k;
    }
    const CDiveLogSample& s = *log.m_arSamples[listed[deepest]];
    const std::vector<std::string> cells = Split(rows[deepest + 1], ',');
    ASSERT_EQ(cells.size(), 27u);
    EXPECT_EQ(cells[0], FormatFixed(s.m_dTime - log.m_ChartRange.diveStart, 1));
    EXPECT_EQ(cells[1], "27.5");
    EXPECT_EQ(cells[2], "1.30");
    EXPECT_EQ(cells[3], FormatFixed(s.m_dC1Cell[0], 2));
    EXPECT_EQ(cells[21], FormatFixed(s.m_dCylinder[12], 2));
    EXPECT_EQ(cells[22], FormatFixed(s.m_dAmbientTemp, 2));

    const std::string out = TempPath("dive.csv");
    ASSERT_EQ(Zelvorlog({"export", "--csv", SampleDive(), "-o", out, "--units", "imperial"}).status,
              0);
    EXPECT_EQ(ReadFile(out).rfind("Dive Time (s),Depth (ft),", 0), 0u);
    EXPECT_EQ(Zelvorlog({"export", SampleDive()}).status, 2); // no format
    EXPECT_EQ(Zelvorlog({"export", "--csv", SampleDive(), "--units", "furlongs"}).status, 2);
}

// ---- simulate, convert ------------------------------------------------------------------------

TEST(Simulate, SameOptionsSameBytesAndBadOptions) {
    const std::string a = TempPath("a.ccl"), b = TempPath("b.ccl");
    const std::vector<std::string> options = {"--layout", "short", "--interval", "4",
                                              "--seed",   "9",     "--display",  "bc"};
    std::vector<std::string> argsA = {"simulate", "-o", a}, argsB = {"simulate", "-o", b};
    argsA.insert(argsA.end(), options.begin(), options.end());
    argsB.insert(argsB.end(), options.begin(), options.end());
    ASSERT_EQ(Zelvorlog(argsA).status, 0);
    ASSERT_EQ(Zelvorlog(argsB).status, 0);
    EXPECT_EQ(ReadFile(a), ReadFile(b));
    EXPECT_EQ(Zelvorlog({"check", a}).status, 0);

    const std::vector<std::vector<std::string>> bad = {
        {"simulate"},
        {"simulate", "-o", a, "--layout", "short", "--version", "07.00.20"},
        {"simulate", "-o", a, "--alarm", "bogus@10"},
        {"simulate", "-o", a, "--duration", "10", "--alarm", "fast-ascent@20:00"},
        {"simulate", "-o", a, "--interval", "0"},
        {"simulate", "-o", a, "--depth", "deep"},
        {"simulate", "-o", a, "--key", "00112233445566778899AABBCCDDEEFF"},
        {"simulate", "-o", a, "--binary", "--key", "0011"},
    };
    for (const auto& args : bad) {
        const CRun r = Zelvorlog(args);
        EXPECT_EQ(r.status, 2) << args.back();
        EXPECT_FALSE(r.err.empty());
    }
    EXPECT_EQ(Zelvorlog({"simulate", "-o", TempPath("no/such/folder/x.ccl")}).status, 1);
}

TEST(Convert, BinaryGivesBackTheTextLog) {
    const std::string text = TempPath("c.ccl"), bin = TempPath("c.bin"), back = TempPath("c2.ccl");
    ASSERT_EQ(Zelvorlog({"simulate", "-o", text, "--seed", "3"}).status, 0);
    ASSERT_EQ(Zelvorlog({"simulate", "-o", bin, "--seed", "3", "--binary"}).status, 0);
    const CRun r = Zelvorlog({"convert", bin, "-o", back});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFile(back), ReadFile(text));

    // Both kinds load to the same dump, apart from the file name and kind.
    const CRun dumpText = Zelvorlog({"dump", text}), dumpBin = Zelvorlog({"dump", bin});
    ASSERT_EQ(dumpBin.status, 0) << dumpBin.err;
    const auto body = [](const std::string& json) { return json.substr(json.find("\"loaded\"")); };
    EXPECT_EQ(body(dumpText.out), body(dumpBin.out));
    EXPECT_NE(dumpBin.out.find("\"kind\": 2"), std::string::npos);

    const CRun notBinary = Zelvorlog({"convert", text, "-o", back});
    EXPECT_EQ(notBinary.status, 1);
    EXPECT_NE(notBinary.err.find("not a binary log"), std::string::npos);
    EXPECT_EQ(Zelvorlog({"convert", bin}).status, 2);
}
