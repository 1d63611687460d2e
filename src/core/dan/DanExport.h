#pragma once
// Writing the DAN export file: the loaded log unchanged plus the DAN data lines, beside the log
// under the name DanExportPath gives. The log itself is never touched, and the export is written
// through a temporary file renamed into place, so a failure leaves nothing half written.
#include <string>
#include <string_view>
#include <vector>

#include "dan/DanLines.h"

struct CDanWriteResult {
    bool ok = false;
    // String-table id of the message to show on failure: 2221 (reading) or 2222 (writing).
    int messageId = 0;
    std::string error;          // the reason, for the status log
    std::string strDanFilePath; // where the export went (or was to go)
};

inline constexpr int kDanReadFailedId = 2221;  // "Unable to open data file for reading."
inline constexpr int kDanWriteFailedId = 2222; // "Unable to open data file for writing."

// The log's path without its extension, followed by ".dan" (dive.1.ccl -> dive.1.dan; a name
// without an extension keeps it whole). Only a dot in the file name counts, never one in a
// folder name.
std::string DanExportPath(const std::string& logPath);

// A text log's content followed by the DAN lines; every line ends as the log's lines do (CR LF
// when the log has no line end to copy).
std::string DanTextContent(std::string_view log, const std::vector<std::string>& danLines);

// A binary log with a DAN data record (type 34) in place: over the first existing one, else
// after the first user record (33), else after the first log-memory record (32), else at the
// end; fresh record CRCs and a fresh whole-file CRC. False with a reason when the records
// cannot be walked.
bool DanBinaryContent(std::string_view file, const std::vector<std::string>& danLines,
                      std::string& out, std::string& error);

// `danPath` empty: DanExportPath(logPath).
CDanWriteResult WriteDanTextFile(const std::string& logPath,
                                 const std::vector<std::string>& danLines,
                                 const std::string& danPath = {});
CDanWriteResult WriteDanBinaryFile(const std::string& logPath,
                                   const std::vector<std::string>& danLines,
                                   const std::string& danPath = {});

// The export of a loaded log by its kind (1 text, 2 binary); any other kind writes nothing and
// fails without a message.
CDanWriteResult WriteDanFile(int fileKind, const std::string& logPath, const CDanExportData& data,
                             const std::string& danPath = {});
