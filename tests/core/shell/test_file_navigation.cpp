#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "viewmodel/FileNavigation.h"

namespace fs = std::filesystem;
using namespace filenav;

// ---- DirectoryPart / FileNamePart / Join ---------------------------------------------------

TEST(PathParts, SplitAtEitherSeparator) {
    EXPECT_EQ(DirectoryPart("/home/diver/logs/a_1.ccl"), "/home/diver/logs");
    EXPECT_EQ(FileNamePart("/home/diver/logs/a_1.ccl"), "a_1.ccl");
    EXPECT_EQ(DirectoryPart("C:\\Logs\\a_1.ccl"), "C:\\Logs");
    EXPECT_EQ(FileNamePart("C:\\Logs\\a_1.ccl"), "a_1.ccl");
    EXPECT_EQ(DirectoryPart("a_1.ccl"), "");
    EXPECT_EQ(FileNamePart("a_1.ccl"), "a_1.ccl");
    EXPECT_EQ(DirectoryPart("/a_1.ccl"), "");
}

TEST(PathParts, JoinDoesNotDoubleSeparators) {
    EXPECT_EQ(Join("/home/diver", "x.ccl"), "/home/diver/x.ccl");
    EXPECT_EQ(Join("/home/diver/", "x.ccl"), "/home/diver/x.ccl");
    EXPECT_EQ(Join("", "x.ccl"), "x.ccl");
}

// ---- UnitPrefix / MatchesUnit ---------------------------------------------------------------

TEST(UnitPrefix, UpToFirstUnderscore) {
    EXPECT_EQ(UnitPrefix("ZV100_0001_b.ccl"), "ZV100");
    EXPECT_EQ(UnitPrefix("single.ccl"), "single.ccl");
    EXPECT_EQ(UnitPrefix("_odd.ccl"), "");
}

TEST(MatchesUnit, PrefixAndExtension) {
    EXPECT_TRUE(MatchesUnit("ZV100_0001.ccl", "ZV100"));
    EXPECT_TRUE(MatchesUnit("ZV100_0001.CCL", "ZV100"));
    EXPECT_FALSE(MatchesUnit("ZV100_0001.txt", "ZV100"));
    EXPECT_FALSE(MatchesUnit("ZV101_0001.ccl", "ZV100"));
    // A title without "_" is its own prefix: only itself matches.
    EXPECT_FALSE(MatchesUnit("single.ccl", "single.ccl"));
    EXPECT_FALSE(MatchesUnit(".ccl", "x"));
    // Glob characters in a name are plain characters here.
    EXPECT_TRUE(MatchesUnit("a*b_1.ccl", "a*b"));
    EXPECT_FALSE(MatchesUnit("axb_1.ccl", "a*b"));
}

// ---- SiblingLogFiles -----------------------------------------------------------------------

class SiblingFiles : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("zelvor_nav_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                 "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }
    void Touch(const std::string& name) { std::ofstream(m_dir / name) << "x"; }
    fs::path m_dir;
};

TEST_F(SiblingFiles, SameUnitInByteOrder) {
    Touch("ZV1_0003.ccl");
    Touch("ZV1_0001.ccl");
    Touch("ZV1_0002.CCL");
    Touch("ZV2_0001.ccl");
    Touch("ZV1_notes.txt");
    fs::create_directories(m_dir / "ZV1_dir.ccl");
    const auto names = SiblingLogFiles(m_dir.string(), "ZV1_0002.CCL");
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names[0], "ZV1_0001.ccl");
    EXPECT_EQ(names[1], "ZV1_0002.CCL");
    EXPECT_EQ(names[2], "ZV1_0003.ccl");
}

TEST_F(SiblingFiles, MissingDirectoryGivesNothing) {
    EXPECT_TRUE(SiblingLogFiles((m_dir / "gone").string(), "ZV1_0001.ccl").empty());
}

// ---- StepTarget ----------------------------------------------------------------------------

TEST(StepTarget, EachButtonAndNowhereToGo) {
    const struct {
        Step step;
        int current, count, target;
    } cases[] = {
        {Step::First, 2, 5, 0},   {Step::Previous, 2, 5, 1}, {Step::Next, 2, 5, 3},
        {Step::Last, 2, 5, 4},    {Step::First, 0, 5, -1},   {Step::Previous, 0, 5, -1},
        {Step::Next, 4, 5, -1},   {Step::Last, 4, 5, -1},    {Step::First, 0, 1, -1},
        {Step::First, -1, 0, -1}, // the shown file is not in an empty list
        {Step::Last, -1, 0, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StepTarget(c.step, c.current, c.count), c.target)
            << static_cast<int>(c.step) << " from " << c.current << " of " << c.count;
}
