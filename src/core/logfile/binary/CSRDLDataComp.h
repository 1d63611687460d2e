#pragma once
// The unit's log memory (type 32): four key-stream start bytes, then the log records of 16
// bytes (short layout) or 32 bytes (FRC layout), each the bytes of one text record line without
// its checksum. A trailing part shorter than a record is ignored.
#include <cstdint>
#include <string>
#include <vector>

#include "logfile/binary/CStandardRecord.h"

class CBinaryLogKey;

class CSRDLDataComp : public CStandardRecord {
public:
    static constexpr size_t kStartBytes = 4;
    static constexpr size_t kShortRecordSize = 16;
    static constexpr size_t kFrcRecordSize = 32;

    CSRDLDataComp() : CStandardRecord(kTypeDLDataComp) {}

    // The record size follows the file's layout; set it before SetData.
    void SetRecordSize(size_t size) { m_nRecordSize = size == 0 ? kShortRecordSize : size; }
    size_t GetRecordSize() const { return m_nRecordSize; }

    // False for a payload too short to hold the start bytes.
    bool SetData(const uint8_t* data, size_t length) override;
    size_t GetLineCount() const override;
    // The record's bytes as "%02X" each, then the checksum.
    std::string GetLine(size_t index) const override;

    // The lines of a whole payload (start bytes included) appended to `text`, each ending in
    // CR LF; false, appending nothing, when the payload cannot hold the start bytes.
    static bool AppendLines(const uint8_t* data, size_t length, size_t recordSize,
                            std::string& text);
    // The same for a payload still scrambled with `key`, unscrambled on the way to the digits:
    // a record of all 0xFF (erased) stays as it is, the others are XORed with the key stream.
    static bool AppendUnscrambledLines(const uint8_t* data, size_t length, size_t recordSize,
                                       const CBinaryLogKey& key, std::string& text);

private:
    std::vector<uint8_t> m_arData; // the log memory after the start bytes
    size_t m_nRecordSize = kShortRecordSize;
};

// The lines of one log-memory payload made on demand, any stretch of them at a time, so that a
// day's log never needs all of its text at once. The payload must outlive this. With a key the
// payload is still scrambled and is unscrambled on the way to the digits: a record of all 0xFF
// (erased) stays as it is, the others are XORed with the key stream.
class CLogMemoryLines {
public:
    CLogMemoryLines(const uint8_t* data, size_t length, size_t recordSize,
                    const CBinaryLogKey* key);

    // False for a payload that cannot hold the start bytes: it has no lines.
    bool Valid() const { return m_bValid; }
    size_t Count() const { return m_nCount; }
    // Characters of a line without its terminator: the digits and the checksum.
    size_t LineChars() const { return 2 * m_nRecordSize + 2; }
    // The first byte of a record as its line shows it, which is the line's record type.
    uint8_t FirstByte(size_t index) const;
    // Writes the lines [first, first + count) to `out`, each followed by CR LF when `crlf`, or
    // else back to back; returns the end of what was written.
    char* Write(size_t first, size_t count, bool crlf, char* out) const;

private:
    const uint8_t* KeyFor(size_t index) const;

    const uint8_t* m_pRecords = nullptr;
    size_t m_nRecordSize;
    size_t m_nCount = 0;
    size_t m_nStart = 0;
    bool m_bValid = false;
    std::vector<uint8_t> m_stream; // the key stream, with its start repeated; empty: no key
    std::vector<uint8_t> m_zeros;  // the "key" of records taken as they are
};
