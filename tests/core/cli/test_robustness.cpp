// Bad input never crashes the tool: truncated and damaged copies of the samples, and the bundled
// samples stay what scripts/make-samples makes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

#include "CliTestHelpers.h"

using namespace clitest;

namespace {

const std::string kSamples = ZELVOR_SAMPLE_DIR;

// The words of a bash array assignment NAME=( ... ) in the script, with "..." quoting.
std::vector<std::string> ScriptArray(const std::string& script, const std::string& name) {
    const size_t start = script.find(name + "=(");
    const size_t end = script.find(')', start);
    EXPECT_NE(start, std::string::npos) << name;
    std::vector<std::string> words;
    std::string word;
    bool quoted = false, inWord = false;
    for (size_t i = start + name.size() + 2; i < end; ++i) {
        const char c = script[i];
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if (!quoted && (c == ' ' || c == '\n')) {
            if (inWord)
                words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words.push_back(word);
    return words;
}

} // namespace

TEST(Robustness, TruncatedAndDamagedCopiesNeverCrash) {
    for (const char* name : {"sample-short.ccl", "sample-frc.bin"}) {
        const std::string original = ReadFile(kSamples + "/" + name);
        ASSERT_FALSE(original.empty()) << name;
        for (size_t cut : {size_t{0}, size_t{1}, size_t{2}, size_t{5}, size_t{40}, size_t{1000},
                           original.size() / 2, original.size() - 3}) {
            std::string copy = original.substr(0, cut);
            const std::string path = TempPath("cut.dat");
            std::ofstream(path, std::ios::binary) << copy;
            for (const char* command : {"dump", "info", "check"}) {
                const int status = Zelvorlog({command, path}).status;
                EXPECT_TRUE(status == 0 || status == 1) << name << " cut " << cut << " " << command;
            }
        }
        // Bytes flipped all through the file.
        std::string damaged = original;
        for (size_t i = 7; i < damaged.size(); i += 997)
            damaged[i] = static_cast<char>(damaged[i] ^ 0x5A);
        const std::string path = TempPath("damaged.dat");
        std::ofstream(path, std::ios::binary) << damaged;
        EXPECT_EQ(Zelvorlog({"check", path}).status, 1) << name;
        EXPECT_NE(Zelvorlog({"convert", path, "-o", TempPath("out.ccl")}).status, 2);
    }
}

TEST(Robustness, BundledSamplesAreWhatTheScriptMakes) {
    // When the simulator changes on purpose, run scripts/make-samples and refresh the goldens.
    const std::string script = ReadFile(kSamples + "/../../scripts/make-samples");
    ASSERT_FALSE(script.empty());
    const std::string key = "5A656C766F724C6F67546573744B6579";
    struct CCase {
        const char* array;
        const char* sample;
        bool binary;
    } cases[] = {{"FRC", "sample-frc.ccl", false},
                 {"FRC", "sample-frc.bin", true},
                 {"SHORT", "sample-short.ccl", false}};
    for (const CCase& c : cases) {
        std::vector<std::string> args = {"simulate"};
        const std::vector<std::string> options = ScriptArray(script, c.array);
        args.insert(args.end(), options.begin(), options.end());
        if (c.binary)
            args.insert(args.end(), {"--binary", "--key", key});
        const std::string out = TempPath(c.sample);
        args.insert(args.end(), {"-o", out});
        ASSERT_EQ(Zelvorlog(args).status, 0) << c.sample;
        EXPECT_TRUE(ReadFile(out) == ReadFile(kSamples + "/" + c.sample))
            << c.sample << " is stale: run scripts/make-samples";
    }
}

// ---- hostile files and failing output --------------------------------------------------------

TEST(Robustness, OnlyRegularFilesAreRead) {
    // A FIFO once blocked `check` forever and /dev/zero made `dump` grow until memory ran out.
    const std::string fifo = TempPath("f.ccl");
    std::filesystem::remove(fifo);
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {fifo, std::string("/dev/zero")}) {
        for (const char* command : {"check", "dump", "info"}) {
            SCOPED_TRACE(std::string(command) + " " + path);
            const CRun r = Zelvorlog({command, path});
            EXPECT_EQ(r.status, 1);
            EXPECT_NE((r.out + r.err).find("Not a regular file"), std::string::npos);
        }
    }
}

TEST(Robustness, FilesBeyondTheSizeLimitAreRefusedUnread) {
    // Two gigabytes of nothing (sparse, so the test costs no disk) once were read whole.
    const std::string big = TempPath("big.bin");
    {
        std::ofstream f(big, std::ios::binary);
        f.write("\0\0", 2);
    }
    std::filesystem::resize_file(big, 2ull << 30);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"check", big},
          std::vector<std::string>{"convert", big, "-o", TempPath("big.ccl")}}) {
        const CRun r = Zelvorlog(args);
        EXPECT_EQ(r.status, 1);
        EXPECT_NE((r.out + r.err).find("File too large"), std::string::npos) << r.out << r.err;
    }
    std::filesystem::remove(big);
}

TEST(Robustness, OutputThatCannotBeWrittenIsAFailure) {
    const std::string sample = kSamples + "/sample-short.ccl";
    const std::vector<std::vector<std::string>> commands = {
        {"dump", sample}, {"info", sample}, {"export", "--csv", sample}, {"--help"}};
    for (const auto& args : commands) {
        SCOPED_TRACE(args[0]);
        std::ofstream full("/dev/full");
        ASSERT_TRUE(full.is_open());
        std::ostringstream err;
        EXPECT_EQ(zelvorlog::RunZelvorLog(args, full, err), 1);
        EXPECT_NE(err.str().find("could not write the output"), std::string::npos);
    }
}

TEST(Robustness, NoCommandWritesOntoItsInput) {
    const std::string binary = TempPath("onto.bin");
    const std::string link = TempPath("onto-link.bin");
    ASSERT_EQ(Zelvorlog({"simulate", "--binary", "--duration", "2", "-o", binary}).status, 0);
    std::filesystem::remove(link);
    std::filesystem::create_hard_link(binary, link);
    const std::string before = ReadFile(binary);
    for (const std::string& output : {binary, link}) {
        const CRun r = Zelvorlog({"convert", binary, "-o", output});
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find("is the input file"), std::string::npos);
    }
    EXPECT_EQ(ReadFile(binary), before);

    const std::string text = TempPath("onto.ccl");
    ASSERT_EQ(Zelvorlog({"simulate", "--duration", "2", "-o", text}).status, 0);
    const std::string textBefore = ReadFile(text);
    EXPECT_EQ(Zelvorlog({"export", "--csv", text, "-o", text}).status, 1);
    EXPECT_EQ(ReadFile(text), textBefore);
}

TEST(Robustness, OutOfRangeOptionsNameTheRange) {
    const std::string out = TempPath("range.ccl");
    EXPECT_NE(Zelvorlog({"simulate", "--duration", "100000", "-o", out}).err.find("1440:00"),
              std::string::npos);
    EXPECT_NE(Zelvorlog({"simulate", "--seed", "-1", "-o", out}).err.find("from 0 to"),
              std::string::npos);
}
