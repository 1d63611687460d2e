#include "logfile/LogSaver.h"

#include "logfile/BinaryLogMerge.h"
#include "logfile/CDiveLog.h"
#include "logfile/FileIO.h"
#include "logfile/TextLogMerge.h"

namespace {

constexpr int kTextFile = 1;
constexpr int kBinaryFile = 2;

// The caller shows the message and writes `error` to the status log.
CSaveResult Fail(const CDiveLog& log, int messageId, const std::string& reason) {
    CSaveResult r;
    r.messageId = messageId;
    r.error = "Unable to save file " + log.m_strFilePath + " - " + reason;
    return r;
}

} // namespace

std::vector<std::string> UserRecordLines(const CDiveLog& log) {
    std::vector<std::string> lines = log.m_DiveInformation.EncodeAll();
    for (auto& line : log.m_GasManagement.EncodeAll())
        lines.push_back(std::move(line));
    return lines;
}

CSaveResult SaveLogFile(CDiveLog& log, const fileio::FileWriteFault* fault) {
    if (!log.m_bFileLoaded || log.m_strFilePath.empty() ||
        (log.m_nFileKind != kTextFile && log.m_nFileKind != kBinaryFile))
        return {};

    std::string original, error;
    const fileio::ReadOutcome read = fileio::ReadFile(log.m_strFilePath, original);
    if (!read.ok)
        return Fail(log, kSaveReadFailedId, "cannot read: " + read.error);
    // Merging the records into another file than the one loaded would destroy that file: the
    // diver's edits stay in the window instead.
    const int kindOnDisk = original.size() >= 2 && original[0] == '\0' && original[1] == '\0'
                               ? kBinaryFile
                               : kTextFile;
    if ((log.m_fileIdentity.valid && !(read.identity == log.m_fileIdentity)) ||
        kindOnDisk != log.m_nFileKind) {
        CSaveResult r = Fail(log, kSaveChangedOnDiskId, kChangedOnDisk);
        r.reason = kChangedOnDisk;
        return r;
    }

    const std::vector<std::string> lines = UserRecordLines(log);
    std::string content;
    if (log.m_nFileKind == kTextFile) {
        content = MergeTextLog(original, lines);
    } else if (!MergeBinaryLog(original, lines, content, error)) {
        return Fail(log, kSaveReadFailedId, error);
    }

    if (!fileio::ReplaceFileContent(log.m_strFilePath, content, error, fault))
        return Fail(log, kSaveWriteFailedId, error);
    if (log.m_fileIdentity.valid)
        log.m_fileIdentity = fileio::IdentityOf(log.m_strFilePath);

    log.m_bModified = false;
    CSaveResult r;
    r.ok = true;
    r.notice = "Dive information saved to file " + log.m_strFilePath;
    return r;
}
