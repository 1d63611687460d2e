#pragma once
// Entry point from the loader into the binary log reader.
#include <string>
#include <string_view>
#include <vector>

#include "logfile/CLineSource.h"

class CQorBinaryFile;
class CBinaryLogKey;
class CBinaryLineSource;
class CReport;

// Reads the binary log at `path`, checks it and converts it into the text lines it carries.
// On success `out` holds the lines and `frcLayout` says which record layout they use; on
// failure `errorText` says why. `key` null: $ZELVOR_LOG_KEY or the test key. Records that fail
// their CRC are reported to `report` when one is given.
bool ConvertBinaryLogToLines(const std::string& path, CMemLineFile& out, bool& frcLayout,
                             std::string& errorText, const CBinaryLogKey* key = nullptr,
                             CReport* report = nullptr);

// The same for a file already in memory.
bool ConvertBinaryBytesToLines(std::string_view file, CMemLineFile& out, bool& frcLayout,
                               std::string& errorText, const CBinaryLogKey* key = nullptr,
                               CReport* report = nullptr);

// The lines of the binary log in `file` made a piece at a time as `out` is read, for the loader:
// the lines, errors and notices are those of ConvertBinaryBytesToLines, but the log memory's
// text is never held whole. `file` must outlive `out`.
bool OpenBinaryBytesAsLines(std::string_view file, CBinaryLineSource& out, bool& frcLayout,
                            std::string& errorText, const CBinaryLogKey* key = nullptr,
                            CReport* report = nullptr);

// The lines of a loaded file, in the order the loader expects: header lines, the log memory,
// the user's records, the memory blocks as 0xB0/0xB1 pairs, the DAN data. Never an empty line.
// False with the failing step's text when a record's payload is malformed.
bool ConvertToLines(const CQorBinaryFile& file, std::vector<std::string>& lines,
                    std::string& errorText);

// The same lines as one text with CR LF endings, as the line file holds them.
bool ConvertToText(const CQorBinaryFile& file, std::string& text, std::string& errorText);

// Lines joined with CR LF endings, as the line file holds them.
std::string JoinLines(const std::vector<std::string>& lines);

// Parts of ConvertToText for a source that makes the log memory's lines itself: the header
// lines; the failure text of a malformed log memory; and the lines after the log memory, false
// with the failing step's text.
void AppendHeaderLines(const CQorBinaryFile& file, std::string& text);
extern const char* const kLogMemoryFailure;
bool AppendLinesAfterLogMemory(const CQorBinaryFile& file, std::string& text,
                               std::string& errorText);
