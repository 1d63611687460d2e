// Golden files: the whole `dump` (and `info`) output of the bundled sample dives, compared as a
// whole. A deliberate change is taken over with UPDATE_GOLDEN=1, never automatically.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ostream>
#include <streambuf>

#include "CliTestHelpers.h"
#include "cli/DumpJson.h"
#include "sim/CDiveSimulator.h"

namespace {

const std::string kSamples = ZELVOR_SAMPLE_DIR;
const std::string kGolden = std::string(ZELVOR_TEST_DATA_DIR) + "/golden";

// The dump of a sample under its bare name, so the output does not depend on the checkout.
std::string SampleDump(const std::string& name) {
    CDiveLog log;
    const CLoadResult result = log.LoadLogFile(kSamples + "/" + name);
    EXPECT_TRUE(result.loaded) << name;
    return zelvorlog::DumpJson(name, log, result);
}

void CompareWithGolden(const std::string& actual, const std::string& goldenName) {
    const std::string path = kGolden + "/" + goldenName;
    const char* update = std::getenv("UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        std::ofstream(path, std::ios::binary) << actual;
        GTEST_SKIP() << "rewrote " << path;
    }
    const std::string expected = clitest::ReadFile(path);
    ASSERT_FALSE(expected.empty())
        << "missing golden file " << path << " (make it with UPDATE_GOLDEN=1)";
    if (actual == expected)
        return;
    std::istringstream a(actual), e(expected);
    std::string la, le;
    for (int line = 1;; ++line) {
        const bool moreA = static_cast<bool>(std::getline(a, la));
        const bool moreE = static_cast<bool>(std::getline(e, le));
        if (!moreA && !moreE)
            break;
        if (!moreA || !moreE || la != le) {
            ADD_FAILURE() << goldenName << " differs first at line " << line
                          << "\n  expected: " << le.substr(0, 300)
                          << "\n  actual:   " << la.substr(0, 300);
            break;
        }
    }
    EXPECT_EQ(actual.size(), expected.size()) << goldenName;
}

std::string InfoOf(const std::string& name, bool metric) {
    std::vector<std::string> args = {"info", kSamples + "/" + name};
    if (!metric)
        args.insert(args.end(), {"--units", "imperial"});
    const clitest::CRun r = clitest::Zelvorlog(args);
    EXPECT_EQ(r.status, 0) << r.err;
    // The path is printed as given; keep the golden independent of the checkout.
    std::string text = r.out;
    const size_t at = text.find(kSamples + "/");
    if (at != std::string::npos)
        text.replace(at, kSamples.size() + 1, "");
    return text;
}

} // namespace

TEST(GoldenDump, SampleFrc) {
    CompareWithGolden(SampleDump("sample-frc.ccl"), "sample-frc.json");
}

TEST(GoldenDump, SampleShort) {
    CompareWithGolden(SampleDump("sample-short.ccl"), "sample-short.json");
}

TEST(GoldenDump, BinarySampleMatchesItsTextTwin) {
    // The binary sample carries the same dive as the FRC text sample: only the file name and
    // kind differ.
    std::string binary = SampleDump("sample-frc.bin");
    std::string text = SampleDump("sample-frc.ccl");
    const auto body = [](const std::string& json) { return json.substr(json.find("\"loaded\"")); };
    EXPECT_NE(binary.find("\"kind\": 2,"), std::string::npos);
    EXPECT_TRUE(body(binary) == body(text)) << "binary and text samples load differently";
}

TEST(GoldenInfo, SampleFrcMetricAndShortImperial) {
    CompareWithGolden(InfoOf("sample-frc.ccl", true), "sample-frc.info.txt");
    CompareWithGolden(InfoOf("sample-short.ccl", false), "sample-short.imperial.info.txt");
}

// Counts what reaches the stream and the largest single write.
class CWriteCounter : public std::streambuf {
public:
    std::string text;
    std::streamsize largest = 0;

protected:
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        text.append(s, static_cast<size_t>(n));
        largest = std::max(largest, n);
        return n;
    }
    int_type overflow(int_type c) override {
        if (c != traits_type::eof())
            xsputn(reinterpret_cast<const char*>(&c), 1);
        return c;
    }
};

TEST(GoldenDump, StreamedInPiecesIsTheSameText) {
    // An hour at one second dumps to megabytes: the streamed dump must be the same text, handed
    // over in pieces far smaller than the whole.
    CSimOptions options;
    options.durationSeconds = 60 * 60;
    options.intervalSeconds = 1;
    CDiveLog log;
    const CLoadResult result = log.LoadLogBytes(SimulateDive(options).ToText(), "hour.ccl");
    ASSERT_TRUE(result.loaded);
    const std::string whole = zelvorlog::DumpJson("hour.ccl", log, result);
    CWriteCounter counter;
    std::ostream out(&counter);
    zelvorlog::WriteDumpJson(out, "hour.ccl", log, result);
    EXPECT_TRUE(counter.text == whole);
    EXPECT_GT(whole.size(), 1'000'000u);
    EXPECT_LT(counter.largest, static_cast<std::streamsize>(whole.size() / 8));
}
