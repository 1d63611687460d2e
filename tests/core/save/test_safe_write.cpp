#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>

#include "SaveTestFiles.h"
#include "logfile/SafeFileWrite.h"

namespace fs = std::filesystem;

using namespace savetest;

namespace {

size_t EntryCount(const fs::path& dir) {
    size_t n = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir))
        ++n;
    return n;
}

} // namespace

// ---- ReplaceFileContent ------------------------------------------------------------------------

TEST(ReplaceFileContent, ReplacesAndKeepsPermissions) {
    CTempDir dir;
    const fs::path file = dir.File("dive.ccl");
    WriteAll(file, "old content\n");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read,
                    fs::perm_options::replace);
    std::string error;
    ASSERT_TRUE(ReplaceFileContent(file.string(), "new\n", error)) << error;
    EXPECT_EQ(ReadAll(file), "new\n");
    EXPECT_EQ(fs::status(file).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(EntryCount(dir.Path()), 1u); // no temporary file left behind
}

TEST(ReplaceFileContent, FollowsASymbolicLink) {
    CTempDir dir;
    const fs::path real = dir.File("real.ccl");
    const fs::path link = dir.File("link.ccl");
    WriteAll(real, "old\n");
    fs::create_symlink(real, link);
    std::string error;
    ASSERT_TRUE(ReplaceFileContent(link.string(), "new\n", error)) << error;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadAll(real), "new\n");
}

TEST(ReplaceFileContent, EveryFailingStepLeavesTheOriginalUntouched) {
    CTempDir dir;
    const fs::path file = dir.File("dive.ccl");
    for (auto step : {EFileWriteStep::Create, EFileWriteStep::Write, EFileWriteStep::Flush,
                      EFileWriteStep::Rename}) {
        WriteAll(file, "original\n");
        SetFileWriteFaultForTesting(true, step);
        std::string error;
        EXPECT_FALSE(ReplaceFileContent(file.string(), "replacement\n", error));
        SetFileWriteFaultForTesting(false);
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(ReadAll(file), "original\n");
        EXPECT_EQ(EntryCount(dir.Path()), 1u);
    }
}

TEST(ReplaceFileContent, MissingFileFails) {
    CTempDir dir;
    std::string error;
    EXPECT_FALSE(ReplaceFileContent(dir.File("missing.ccl"), "x", error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(EntryCount(dir.Path()), 0u);
}
