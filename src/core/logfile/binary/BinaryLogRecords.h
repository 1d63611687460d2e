#pragma once
// The record level of a binary log, for code that rewrites a file: read it into its records,
// change or place one, and write them back with fresh CRCs and a fresh whole-file CRC. Payloads
// are kept exactly as stored (scrambled records stay scrambled), so records we do not touch go
// back byte for byte.
//
//   std::vector<CStandardRecordData> records;
//   if (!binarylog::ReadRecordsFromFile(path, records, error)) ...
//   binarylog::PlaceRecord(records, {CStandardRecord::kTypeDLDataUser, payload},
//                          {CStandardRecord::kTypeDLDataComp});
//   fileio::ReplaceFileContent(path, binarylog::WriteRecords(records), error);
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

struct CStandardRecordData {
    uint16_t nType = 0;
    std::string strPayload; // the payload bytes as stored
    // A record that failed its CRC keeps its stored CRC when written back, so it stays marked
    // bad instead of being passed off as sound.
    bool bCrcValid = true;
    uint32_t nStoredCrc = 0;
};

namespace binarylog {

// Walks the records before the trailing file CRC, checking every length against what remains
// before anything is read or allocated. `onRecord` gets each record's type, payload and stored
// CRC. False with the reader's error text ("File to small, ...") when a header, a payload or
// a CRC does not fit.
using RecordVisitor =
    std::function<void(uint16_t type, const uint8_t* payload, size_t length, uint32_t storedCrc)>;
bool ParseRecords(std::string_view file, const RecordVisitor& onRecord, std::string& error);

// True when the last four bytes are 0 (unprotected) or the CRC-32 of everything before them.
// False with "crc32 mismatch"; a file shorter than four bytes has no CRC to read and fails with
// "Unable to read full file contents".
bool CheckFileCrc(std::string_view file, std::string& error);
// The file CRC as stored in the last four bytes; the file must hold at least four.
uint32_t StoredFileCrc(std::string_view file);

// Every record of a file; the whole-file CRC is not checked (the file was checked on loading).
bool ReadRecords(std::string_view file, std::vector<CStandardRecordData>& records,
                 std::string& error);
// As ReadRecords, from disk (with the open retries); open failures give
// "Unable to open source file: " and the detail.
bool ReadRecordsFromFile(const std::string& path, std::vector<CStandardRecordData>& records,
                         std::string& error);

// The file image: each record with its CRC, then the CRC of all of it (0 when not `protect`).
std::string WriteRecords(const std::vector<CStandardRecordData>& records, bool protect = true);

// Puts `record` in place: over the first record of its own type when there is one; otherwise
// directly after the first record of the first type in `after` that the file holds; otherwise
// at the end. The user record goes after the log memory ({32}); the DAN record after the user
// record or else the log memory ({33, 32}).
void PlaceRecord(std::vector<CStandardRecordData>& records, CStandardRecordData record,
                 std::initializer_list<uint16_t> after);

// Payloads built from text record lines (with their checksums, which are not stored). False
// for a line that is not a run of hex digit pairs (or, for DAN lines, not a 0xD0 line with a
// two-digit field number).
bool UserDataPayload(const std::vector<std::string>& lines, std::string& payload);
bool DanDataPayload(const std::vector<std::string>& lines, std::string& payload);

} // namespace binarylog
