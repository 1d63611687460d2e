#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "statuslog/StatusLog.h"

namespace fs = std::filesystem;

namespace {
fs::path FreshDir(const char* name) {
    fs::path d = fs::temp_directory_path() /
                 ("zelvor-statuslog-" + std::string(name) + "-" + std::to_string(::getpid()));
    fs::remove_all(d);
    return d;
}
std::string ReadAll(const fs::path& p) {
    std::ifstream f(p);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}
} // namespace

TEST(StatusLog, ElevenStartsLeaveElevenFiles) {
    const fs::path base = FreshDir("rotate");
    for (int run = 0; run < 12; ++run) {
        StatusLog log;
        log.OpenIn(base.string(), "Zelvor\\Zelvor Log Viewer", "StatusLog.txt", false);
        log.Write("run %d", run);
    }
    const fs::path dir = base / "Zelvor" / "Zelvor Log Viewer";
    int files = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir))
        ++files;
    EXPECT_EQ(files, 11);
    EXPECT_EQ(ReadAll(dir / "StatusLog.txt"), "run 11\n");
    EXPECT_EQ(ReadAll(dir / "StatusLog01.txt"), "run 10\n");
    EXPECT_EQ(ReadAll(dir / "StatusLog10.txt"), "run 1\n"); // run 0 is gone
    fs::remove_all(base);
}

TEST(StatusLog, RotationLeavesFoldersWithItsNamesAlone) {
    const fs::path base = FreshDir("folders");
    const fs::path dir = base / "logs";
    fs::create_directories(dir / "StatusLog03.txt" / "inside");
    fs::create_directories(dir / "StatusLog10.txt");
    for (int run = 0; run < 6; ++run) {
        StatusLog log;
        log.OpenIn(base.string(), "logs", "StatusLog.txt", false);
        log.Write("run %d", run);
    }
    EXPECT_TRUE(fs::is_directory(dir / "StatusLog03.txt" / "inside"));
    EXPECT_TRUE(fs::is_directory(dir / "StatusLog10.txt"));
    EXPECT_EQ(ReadAll(dir / "StatusLog.txt"), "run 5\n");
    EXPECT_EQ(ReadAll(dir / "StatusLog01.txt"), "run 4\n");
    fs::remove_all(base);
}

TEST(StatusLog, LineFormatCutAndPercentSafety) {
    const fs::path base = FreshDir("format");
    StatusLog log;
    log.OpenIn(base.string(), "logs", "StatusLog.txt", false);
    log.SetTimestamp(true);
    EXPECT_TRUE(log.Write("File %s loaded OK", "/dives/100%d.ccl"));
    EXPECT_TRUE(log.WriteText("%s%n literal"));
    log.SetTimestamp(false);
    EXPECT_TRUE(log.Write("%s", std::string(4000, 'x').c_str()));
    const std::string text = ReadAll(base / "logs" / "StatusLog.txt");
    std::istringstream lines(text);
    std::string first, second, third;
    std::getline(lines, first);
    std::getline(lines, second);
    std::getline(lines, third);
    // "dd/mm/yyyy hh:mm:ss : message"
    ASSERT_GE(first.size(), 22u);
    EXPECT_EQ(first[2], '/');
    EXPECT_EQ(first.substr(19, 3), " : ");
    EXPECT_EQ(first.substr(22), "File /dives/100%d.ccl loaded OK");
    EXPECT_EQ(second.substr(22), "%s%n literal");
    EXPECT_EQ(third.size(), 3000u);
    fs::remove_all(base);
}

TEST(StatusLog, MessageLevelsAndDisabling) {
    StatusLog log;
    std::vector<std::string> seen;
    log.SetSink([&](std::string_view m) { seen.emplace_back(m); });
    log.SetEnabled(true);
    log.SetMessageLevel(5); // above 4 counts as 0
    log.WriteLevel(3, "progress");
    log.WriteLevel(0, "always");
    log.SetMessageLevel(3);
    log.WriteLevel(3, "progress %d", 2);
    log.WriteLevel(4, "trace");
    EXPECT_EQ(seen, (std::vector<std::string>{"always", "progress 2"}));
    StatusLog unopened;
    EXPECT_FALSE(unopened.Write("x"));
}
