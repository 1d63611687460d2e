#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <string>
#include <sys/stat.h>
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
        const FileWriteFault fault{step};
        std::string error;
        EXPECT_FALSE(ReplaceFileContent(file.string(), "replacement\n", error, &fault));
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

TEST(ReplaceFileContent, KilledSavesNeitherBlockLaterOnesNorPileUp) {
    CTempDir dir;
    const fs::path file = dir.File("dive.ccl");
    WriteAll(file, "old\n");
    // What a hundred killed saves of a fixed naming left behind once made every save fail.
    for (int i = 0; i < 100; ++i)
        WriteAll(dir.File(".dive.ccl.saving" + std::to_string(i)), "x");
    const fs::path stale = dir.File(".dive.ccl.savingAb12Cd");
    const fs::path fresh = dir.File(".dive.ccl.savingXy34Zw");
    const fs::path folder = dir.File(".other.ccl.savingQq99Rr");
    WriteAll(stale, "left by a killed save");
    WriteAll(fresh, "a save running now");
    fs::create_directory(folder);
    const auto twoDaysAgo = fs::file_time_type::clock::now() - std::chrono::hours(48);
    fs::last_write_time(stale, twoDaysAgo);
    fs::last_write_time(folder, twoDaysAgo);

    std::string error;
    ASSERT_TRUE(ReplaceFileContent(file.string(), "new\n", error)) << error;
    EXPECT_EQ(ReadAll(file), "new\n");
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(fs::exists(fresh));
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(EntryCount(dir.Path()), 1u + 100u + 2u);
    EXPECT_TRUE(fileio::IsTemporaryName(".dive.ccl.savingAb12Cd"));
    EXPECT_FALSE(fileio::IsTemporaryName("dive.ccl.savingAb12Cd"));
    EXPECT_FALSE(fileio::IsTemporaryName(".dive.ccl.saving7"));
}

TEST(ReplaceFileContent, HardLinksStayLinkedThroughAnInPlaceRewrite) {
    CTempDir dir;
    const fs::path file = dir.File("dive.ccl");
    const fs::path other = dir.File("backup.ccl");
    WriteAll(file, "old content that is longer\n");
    fs::create_hard_link(file, other);
    std::string error;
    fileio::EReplaceMode mode = fileio::EReplaceMode::Renamed;
    ASSERT_TRUE(ReplaceFileContent(file.string(), "new\n", error, nullptr, &mode)) << error;
    EXPECT_EQ(mode, fileio::EReplaceMode::InPlace);
    EXPECT_EQ(ReadAll(other), "new\n");
    EXPECT_EQ(fs::hard_link_count(file), 2u);

    // A failure on the way puts the old content back.
    for (auto step : {EFileWriteStep::Write, EFileWriteStep::Flush, EFileWriteStep::ReadBack}) {
        const FileWriteFault fault{step};
        EXPECT_FALSE(ReplaceFileContent(file.string(), "replacement\n", error, &fault));
        EXPECT_EQ(ReadAll(other), "new\n");
    }
}

TEST(ReplaceFileContent, KeepsTheOwnerOfAnotherUsersFile) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can give a file to another user";
    CTempDir dir;
    const fs::path file = dir.File("dive.ccl");
    WriteAll(file, "old\n");
    ASSERT_EQ(::chown(file.c_str(), 4321, 8765), 0);
    std::string error;
    ASSERT_TRUE(ReplaceFileContent(file.string(), "new\n", error)) << error;
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 4321u);
    EXPECT_EQ(st.st_gid, 8765u);
}

// ---- ReadFile
// ------------------------------------------------------------------------------------

TEST(ReadFile, OnlyRegularFilesWithinTheLimitAreRead) {
    CTempDir dir;
    std::string content = "left over";
    // A folder named like a log once crashed the viewer; a FIFO blocked; a device never ended.
    fs::create_directory(dir.File("d.ccl"));
    ASSERT_EQ(::mkfifo(dir.File("f.ccl").c_str(), 0600), 0);
    for (const std::string& path :
         {dir.File("d.ccl"), dir.File("f.ccl"), std::string("/dev/zero")}) {
        SCOPED_TRACE(path);
        const fileio::ReadOutcome r = fileio::ReadFile(path, content);
        EXPECT_FALSE(r.ok);
        EXPECT_FALSE(r.error.empty());
        EXPECT_TRUE(content.empty());
    }
    EXPECT_EQ(fileio::ReadFile(dir.File("d.ccl"), content).error, "Is a folder, not a file");

    const std::string file = dir.File("dive.ccl");
    WriteAll(file, "0123456789");
    EXPECT_FALSE(fileio::ReadFile(file, content, 9).ok);
    EXPECT_TRUE(fileio::ReadFile(file, content, 9, true).ok);
    EXPECT_EQ(content, "012345678");
    const fileio::ReadOutcome whole = fileio::ReadFile(file, content, 10);
    ASSERT_TRUE(whole.ok);
    EXPECT_EQ(content, "0123456789");
    EXPECT_EQ(whole.identity, fileio::IdentityOf(file));
    EXPECT_EQ(whole.identity.size, 10u);

    const fileio::ReadOutcome missing = fileio::ReadFile(dir.File("none.ccl"), content);
    EXPECT_EQ(missing.osError, ENOENT);
    EXPECT_EQ(missing.error, "No such file or directory");
}
