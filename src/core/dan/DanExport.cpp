#include "dan/DanExport.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "logfile/CLineSource.h"
#include "logfile/FileIO.h"
#include "logfile/SafeFileWrite.h"
#include "logfile/binary/BinaryLogRecords.h"
#include "logfile/binary/CStandardRecord.h"

namespace fs = std::filesystem;

namespace {

CDanWriteResult Failure(int messageId, std::string error, std::string path) {
    CDanWriteResult r;
    r.messageId = messageId;
    r.error = std::move(error);
    r.strDanFilePath = std::move(path);
    return r;
}

// The safe writer replaces existing files; an export is usually new, so an empty file is made
// first for it to replace, and removed again when the write fails.
bool WriteExport(const std::string& path, std::string_view content, std::string& error) {
    std::error_code ec;
    bool created = false;
    if (!fs::exists(fs::symlink_status(path, ec))) {
        std::FILE* f = std::fopen(path.c_str(), "wbx");
        if (!f) {
            error = "cannot create " + path + ": " + std::strerror(errno);
            return false;
        }
        std::fclose(f);
        created = true;
    }
    if (ReplaceFileContent(path, content, error))
        return true;
    if (created)
        fs::remove(path, ec);
    return false;
}

// Reads the log and checks that the export would not land on it.
bool ReadLog(const std::string& logPath, const std::string& danPath, std::string& content,
             CDanWriteResult& failure) {
    const fileio::ReadOutcome read = fileio::ReadFile(logPath, content);
    if (!read.ok) {
        failure = Failure(kDanReadFailedId, logPath + ": " + read.error, danPath);
        return false;
    }
    std::error_code ec;
    if (danPath == logPath || fs::equivalent(logPath, danPath, ec)) {
        failure = Failure(kDanWriteFailedId, danPath + ": the export would replace the log itself",
                          danPath);
        return false;
    }
    return true;
}

} // namespace

std::string DanExportPath(const std::string& logPath) {
    const size_t slash = logPath.find_last_of('/');
    const size_t dot = logPath.find_last_of('.');
    const bool dotInName = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (dotInName ? logPath.substr(0, dot) : logPath) + ".dan";
}

std::string DanTextContent(std::string_view log, const std::vector<std::string>& danLines) {
    const size_t firstLf = log.find('\n');
    const bool lfOnly =
        firstLf != std::string_view::npos && (firstLf == 0 || log[firstLf - 1] != '\r');
    const std::string_view eol = lfOnly ? "\n" : "\r\n";

    std::string out;
    out.reserve(log.size() + danLines.size() * 64);
    size_t start = 0;
    while (start < log.size()) {
        size_t end = log.find('\n', start);
        const size_t next = end == std::string_view::npos ? log.size() : end + 1;
        if (end == std::string_view::npos)
            end = log.size();
        std::string_view line = log.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        out += line;
        out += eol;
        start = next;
    }
    for (const std::string& line : danLines) {
        out += line;
        out += eol;
    }
    return out;
}

bool DanBinaryContent(std::string_view file, const std::vector<std::string>& danLines,
                      std::string& out, std::string& error) {
    std::vector<CStandardRecordData> records;
    if (!binarylog::ReadRecords(file, records, error))
        return false;
    CStandardRecordData dan;
    dan.nType = CStandardRecord::kTypeDANData;
    if (!binarylog::DanDataPayload(danLines, dan.strPayload)) {
        error = "a DAN line cannot be packed";
        return false;
    }
    binarylog::PlaceRecord(records, std::move(dan),
                           {CStandardRecord::kTypeDLDataUser, CStandardRecord::kTypeDLDataComp});
    out = binarylog::WriteRecords(records);
    return true;
}

CDanWriteResult WriteDanTextFile(const std::string& logPath,
                                 const std::vector<std::string>& danLines,
                                 const std::string& givenPath) {
    const std::string danPath = givenPath.empty() ? DanExportPath(logPath) : givenPath;
    std::string log;
    CDanWriteResult result;
    if (!ReadLog(logPath, danPath, log, result))
        return result;
    std::string error;
    if (!WriteExport(danPath, DanTextContent(log, danLines), error))
        return Failure(kDanWriteFailedId, error, danPath);
    result.ok = true;
    result.strDanFilePath = danPath;
    return result;
}

CDanWriteResult WriteDanBinaryFile(const std::string& logPath,
                                   const std::vector<std::string>& danLines,
                                   const std::string& givenPath) {
    const std::string danPath = givenPath.empty() ? DanExportPath(logPath) : givenPath;
    std::string file;
    CDanWriteResult result;
    if (!ReadLog(logPath, danPath, file, result))
        return result;
    std::string image, error;
    if (!DanBinaryContent(file, danLines, image, error))
        return Failure(kDanReadFailedId, logPath + ": " + error, danPath);
    if (!WriteExport(danPath, image, error))
        return Failure(kDanWriteFailedId, error, danPath);
    result.ok = true;
    result.strDanFilePath = danPath;
    return result;
}

CDanWriteResult WriteDanFile(int fileKind, const std::string& logPath, const CDanExportData& data,
                             const std::string& danPath) {
    switch (fileKind) {
    case 1:
        return WriteDanTextFile(logPath, BuildDanLines(data), danPath);
    case 2:
        return WriteDanBinaryFile(logPath, BuildDanLines(data), danPath);
    default:
        return Failure(0, logPath + ": not a dive log",
                       danPath.empty() ? DanExportPath(logPath) : danPath);
    }
}
