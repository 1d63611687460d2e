#include <gtest/gtest.h>

#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

#include "SaveTestFiles.h"
#include "logfile/CDiveLog.h"
#include "logfile/LogSaver.h"
#include "logfile/SafeFileWrite.h"
#include "logfile/TextLogMerge.h"

using namespace savetest;

namespace {

void PrepareLoaded(CDiveLog& log, const std::string& path, int kind) {
    log.m_strFilePath = path;
    log.m_nFileKind = kind;
    log.m_bFileLoaded = true;
    log.m_bModified = true;
}

void EditEverything(CDiveLog& log) {
    auto& info = log.m_DiveInformation;
    info.m_strLocation = "Scapa Flow";
    info.m_strDiveSite = "SMS C\xF6ln"; // a character above 0x7F
    info.m_strVisibility = "8 m";
    info.m_strPartner = "Ann";
    info.m_strDiveBoat = "Jean Elaine";
    info.m_strDiveNumberText = "412";
    info.m_strLatHemisphere = "S";
    info.m_nLatDegrees = 58;
    info.m_nLatMinutes = 53;
    info.m_nLatSeconds = 12;
    info.m_strLongHemisphere = "E";
    info.m_nLongDegrees = 3;
    info.m_nLongMinutes = 9;
    info.m_nLongSeconds = 59;
    info.m_nWeather = 2;
    info.m_nWindDirection = 7;
    info.m_nWindSpeed = 10;
    info.m_nSeaState = 6;
    info.m_bDiveType[CDiveLogInformation::kWreck] = true;
    info.m_bDiveType[CDiveLogInformation::kOther] = true;
    info.m_strOtherDiveType = "Scooter";
    info.m_strNotes = "Cold, dark\r\nand lovely";
    auto& gas = log.m_GasManagement;
    gas.m_dCylinderSizeL[0] = 3.0;
    gas.m_dPressureIn[0] = 200.0;
    gas.m_dPressureOut[0] = 50.0;
    gas.m_dCylinderSizeCuft[12] = 80.5;
    gas.m_dMaxPressure[12] = 3000.0;
    gas.m_dPressureIn[12] = 232.5;
}

// Decodes the user records of a saved text log into a fresh model.
void DecodeUserRecords(const std::string& text, CDiveLog& into) {
    for (auto line : SplitLines(text)) {
        const unsigned type = RecordType(line);
        if (type >= 0x80 && type <= 0x8E)
            into.m_DiveInformation.Decode(type, line);
        else if (type >= 0xA0 && type <= 0xAC)
            into.m_GasManagement.Decode(type, line);
    }
}

void ExpectSameUserData(const CDiveLog& a, const CDiveLog& b) {
    EXPECT_EQ(a.m_DiveInformation.EncodeAll(), b.m_DiveInformation.EncodeAll());
    EXPECT_EQ(a.m_GasManagement.EncodeAll(), b.m_GasManagement.EncodeAll());
    EXPECT_EQ(b.m_DiveInformation.m_strDiveSite, "SMS C\xF6ln");
    EXPECT_EQ(b.m_DiveInformation.m_strNotes, a.m_DiveInformation.m_strNotes);
    EXPECT_DOUBLE_EQ(b.m_GasManagement.m_dPressureIn[12], 232.5);
}

const std::vector<std::string> kUnitRecords = {Record(0x00), Record(0x06), Record(0x06),
                                               Record(0x7F)};

} // namespace

// ---- SaveLogFile, text logs --------------------------------------------------------------------

TEST(SaveLogFile, TextLogGainsTheUserRecordsAndKeepsTheRest) {
    CTempDir dir;
    const std::string path = dir.File("dive.ccl");
    const std::vector<std::string> sysInfo = {Record(0xB0), Record(0xB1)};
    std::vector<std::string> original = {"Porthole Link Version 1.0.0.1", "Date 2 May 2009"};
    original.insert(original.end(), kUnitRecords.begin(), kUnitRecords.end());
    original.insert(original.end(), sysInfo.begin(), sysInfo.end());
    WriteAll(path, Join(original));

    CDiveLog log;
    PrepareLoaded(log, path, 1);
    EditEverything(log);
    const CSaveResult r = SaveLogFile(log);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_FALSE(log.m_bModified);

    const std::string saved = ReadAll(path);
    const auto lines = SplitLines(saved);
    ASSERT_EQ(lines.size(), original.size() + 27);
    EXPECT_EQ(lines[0], original[0]);
    EXPECT_EQ(lines[1], original[1]);
    EXPECT_EQ(lines[5], kUnitRecords.back());
    EXPECT_EQ(RecordType(lines[6]), 0x80u);
    EXPECT_EQ(RecordType(lines[32]), 0xACu);
    EXPECT_EQ(lines[33], sysInfo[0]);
    for (auto line : lines) {
        if (!IsHeaderLine(line)) {
            EXPECT_TRUE(IsChecksumValid(line)) << line;
        }
    }

    CDiveLog reread;
    DecodeUserRecords(saved, reread);
    ExpectSameUserData(log, reread);

    // Saving again changes nothing.
    ASSERT_TRUE(SaveLogFile(log).ok);
    EXPECT_EQ(ReadAll(path), saved);
}

TEST(SaveLogFile, FileEndingInABlankLineKeepsTheEditsReadable) {
    CTempDir dir;
    const std::string path = dir.File("dive.ccl");
    WriteAll(path, Join(kUnitRecords, "\r\n") + "\r\n");
    CDiveLog log;
    PrepareLoaded(log, path, 1);
    EditEverything(log);
    ASSERT_TRUE(SaveLogFile(log).ok);
    const std::string saved = ReadAll(path);
    // Nothing before the user records may end the reading.
    const size_t firstUser = saved.find("\r\n80");
    ASSERT_NE(firstUser, std::string::npos);
    EXPECT_EQ(saved.substr(0, firstUser).find("\r\n\r\n"), std::string::npos);
    EXPECT_EQ(saved.find("\n\n"), std::string::npos);
}

TEST(SaveLogFile, FailuresLeaveTheFileAndTheChangeMark) {
    CTempDir dir;
    const std::string path = dir.File("dive.ccl");
    const std::string original = Join(kUnitRecords);
    WriteAll(path, original);
    CDiveLog log;
    PrepareLoaded(log, path, 1);
    EditEverything(log);

    SetFileWriteFaultForTesting(true, EFileWriteStep::Create);
    CSaveResult r = SaveLogFile(log);
    SetFileWriteFaultForTesting(false);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.messageId, kSaveWriteFailedId);
    EXPECT_TRUE(log.m_bModified);
    EXPECT_EQ(ReadAll(path), original);

    SetFileWriteFaultForTesting(true, EFileWriteStep::Flush);
    r = SaveLogFile(log);
    SetFileWriteFaultForTesting(false);
    EXPECT_EQ(r.messageId, kSaveWriteFailedId);
    EXPECT_EQ(ReadAll(path), original);

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

TEST(SaveLogFile, ReadOnlyFolderLeavesTheOriginalIntact) {
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
    const int messageId = AsOrdinaryUser([&] {
        CDiveLog log;
        PrepareLoaded(log, path, 1);
        EditEverything(log);
        const CSaveResult r = SaveLogFile(log);
        return r.ok ? 1 : r.messageId == kSaveWriteFailedId && log.m_bModified ? 0 : 2;
    });
    if (messageId < 0)
        GTEST_SKIP() << "cannot run as an ordinary user here";
    EXPECT_EQ(messageId, 0);
    EXPECT_EQ(ReadAll(path), original);
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
