#include <gtest/gtest.h>

#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

#include "SaveTestFiles.h"
#include "logfile/CDiveLog.h"
#include "logfile/LogSaver.h"
#include "logfile/SafeFileWrite.h"

using namespace savetest;

namespace {

void PrepareLoaded(CDiveLog& log, const std::string& path, int kind) {
    log.m_strFilePath = path;
    log.m_nFileKind = kind;
    log.m_bFileLoaded = true;
    log.m_bModified = true;
}

void Edit(CDiveLog& log) {
    log.m_DiveInformation.m_strLocation = "Scapa Flow";
    log.m_GasManagement.m_dPressureIn[12] = 232.5;
}

const std::vector<std::string> kUnitRecords = {Record(0x00), Record(0x06), Record(0x06),
                                               Record(0x7F)};

} // namespace

// ---- SaveLogFile, text logs --------------------------------------------------------------------
// Where the records go is checked by the merge tests, every field's encoding by the record tests,
// and a save with its reload by the round trips; here the failures.

TEST(SaveLogFile, FailuresLeaveTheFileAndTheChangeMark) {
    CTempDir dir;
    const std::string path = dir.File("dive.ccl");
    const std::string original = Join(kUnitRecords);
    WriteAll(path, original);
    CDiveLog log;
    PrepareLoaded(log, path, 1);
    Edit(log);

    const FileWriteFault create{EFileWriteStep::Create};
    CSaveResult r = SaveLogFile(log, &create);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.messageId, kSaveWriteFailedId);
    EXPECT_TRUE(log.m_bModified);
    EXPECT_EQ(ReadAll(path), original);

    const FileWriteFault flush{EFileWriteStep::Flush};
    r = SaveLogFile(log, &flush);
    EXPECT_EQ(r.messageId, kSaveWriteFailedId);
    EXPECT_EQ(ReadAll(path), original);
    EXPECT_TRUE(r.notice.empty()); // a failure is never announced as a save

    r = SaveLogFile(log);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.notice, "Dive information saved to file " + path);

    std::filesystem::remove(path);
    r = SaveLogFile(log);
    EXPECT_EQ(r.messageId, kSaveReadFailedId);
    EXPECT_FALSE(std::filesystem::exists(path));
}

// Runs `body` as an ordinary user: the superuser may write anywhere, so a folder's permissions
// only mean something to someone else. Returns the body's result, or -1 when it could not run.
template <typename Body> int AsOrdinaryUser(Body body) {
    if (::geteuid() != 0)
        return body();
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(100);
        ::_exit(body());
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status) == 100)
        return -1;
    return WEXITSTATUS(status);
}

TEST(SaveLogFile, WritableFileInAReadOnlyFolderIsSavedInPlace) {
    CTempDir dir;
    const std::string path = dir.File("dive.ccl");
    const std::string original = Join(kUnitRecords);
    WriteAll(path, original);
    namespace fs = std::filesystem;
    // The file itself may be written; only its folder may not.
    fs::permissions(path,
                    fs::perms::all &
                        ~(fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec),
                    fs::perm_options::replace);
    const fs::perms readOnly = fs::perms::owner_read | fs::perms::owner_exec |
                               fs::perms::group_read | fs::perms::group_exec |
                               fs::perms::others_read | fs::perms::others_exec;
    fs::permissions(dir.Path(), readOnly, fs::perm_options::replace);
    const int outcome = AsOrdinaryUser([&] {
        CDiveLog log;
        PrepareLoaded(log, path, 1);
        Edit(log);
        const CSaveResult r = SaveLogFile(log);
        return r.ok && !log.m_bModified ? 0 : 1;
    });
    if (outcome < 0)
        GTEST_SKIP() << "cannot run as an ordinary user here";
    EXPECT_EQ(outcome, 0);
    EXPECT_EQ(ReadAll(path).substr(0, original.size()), original);
    EXPECT_GT(ReadAll(path).size(), original.size());
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

TEST(SaveLogFile, ReadOnlyFileIsNotReplacedThroughItsFolder) {
    CTempDir dir;
    const std::string path = dir.File("dive.ccl");
    const std::string original = Join(kUnitRecords);
    WriteAll(path, original);
    namespace fs = std::filesystem;
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read,
                    fs::perm_options::replace);
    fs::permissions(dir.Path(), fs::perms::all, fs::perm_options::replace);
    const int outcome = AsOrdinaryUser([&] {
        CDiveLog log;
        PrepareLoaded(log, path, 1);
        const CSaveResult r = SaveLogFile(log);
        return r.ok ? 1 : r.messageId == kSaveWriteFailedId ? 0 : 2;
    });
    if (outcome < 0)
        GTEST_SKIP() << "cannot run as an ordinary user here";
    EXPECT_EQ(outcome, 0);
    EXPECT_EQ(ReadAll(path), original);
}

TEST(SaveLogFile, RefusesAFileReplacedSinceItWasLoaded) {
    CTempDir dir;
    const std::string path = dir.File("dive.ccl");
    const std::string other = dir.File("other.ccl");
    WriteAll(path, Join(kUnitRecords));
    CDiveLog log;
    ASSERT_TRUE(log.LoadLogFile(path).loaded);
    Edit(log);
    log.m_bModified = true;

    // Another log moved over the loaded one (a binary log here): saving must not merge the
    // text records into it.
    const std::string binary = BinaryFile({BinaryRecord(0, std::string(24, '\x11'))});
    WriteAll(other, binary);
    std::filesystem::rename(other, path);
    CSaveResult r = SaveLogFile(log);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.messageId, kSaveChangedOnDiskId);
    EXPECT_NE(r.error.find(kChangedOnDisk), std::string::npos);
    EXPECT_TRUE(log.m_bModified);
    EXPECT_EQ(ReadAll(path), binary);

    // The same for a text log of the same kind written over it in place.
    WriteAll(path, Join({Record(0x00), Record(0x06)}));
    EXPECT_FALSE(SaveLogFile(log).ok);
    EXPECT_EQ(ReadAll(path), Join({Record(0x00), Record(0x06)}));

    // A log loaded from memory has no identity to compare, but its kind still counts.
    CDiveLog fromBytes;
    ASSERT_TRUE(fromBytes.LoadLogBytes(Join(kUnitRecords), path).loaded);
    WriteAll(path, binary);
    EXPECT_FALSE(SaveLogFile(fromBytes).ok);
    EXPECT_EQ(ReadAll(path), binary);
}

TEST(SaveLogFile, DoesNothingWithoutALoadedLog) {
    CTempDir dir;
    const std::string path = dir.File("dive.ccl");
    WriteAll(path, Join(kUnitRecords));
    CDiveLog log;
    PrepareLoaded(log, path, 0);
    CSaveResult r = SaveLogFile(log);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.messageId, 0);
    EXPECT_EQ(ReadAll(path), Join(kUnitRecords));
    PrepareLoaded(log, path, 1);
    log.m_bFileLoaded = false;
    EXPECT_EQ(SaveLogFile(log).messageId, 0);
    EXPECT_EQ(ReadAll(path), Join(kUnitRecords));
}
