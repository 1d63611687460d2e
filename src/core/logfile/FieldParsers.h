#pragma once
// Readers of the fixed-position fields of a log record line, and the writer side the encoders
// share. Every reader takes character positions counted from 0 at the record type.
#include <cstdint>
#include <string>
#include <string_view>

#include "logfile/CDateTime.h"

// Hexadecimal number in line[start, start + count). A field that runs past the end is shortened
// to what is there; one that starts past the end reads 0. Characters that are not hex digits are
// not rejected: they contribute (code - 87), as the unit's own tools read them.
unsigned int ParseHex(std::string_view line, size_t start, size_t count);
// A word whose first digit is 8-F is word - 65536.
int ParseSignedHex16(std::string_view field);
// Four bytes, least significant first, of 1/4096 s ticks; -1.0 unless exactly 8 characters.
double ParseFrc(std::string_view field);
// Four bytes, most significant first, as an IEEE single. Only 0-9 and upper-case A-F are
// accepted; anything else (or a length other than 8) gives 0.0.
float ParseFloatBE(std::string_view field);
// The unit's own float layout: exponent spread over the third and fourth bytes.
float ParseSplitFloat(unsigned a, unsigned b, unsigned c, unsigned d);
// Day, month, year - 2000, hour, minute, second from character start.
CDateTime ParseDateTime(std::string_view line, size_t start);
// XOR of every byte before the last equals the last byte.
bool IsChecksumValid(std::string_view line);
inline unsigned int RecordType(std::string_view line) {
    return ParseHex(line, 0, 2);
}
// Download-tool lines ("Porthole ... Version", "Date", "Time") that are not records.
bool IsHeaderLine(std::string_view line);

// ---- Writing ----------------------------------------------------------------------------------

// Builds record lines byte by byte and finishes them with the "%02X" XOR checksum.
class CRecordLineWriter {
public:
    explicit CRecordLineWriter(unsigned recordType) { Byte(recordType); }
    CRecordLineWriter& Byte(unsigned value);
    // Most significant byte first, as the word fields are read.
    CRecordLineWriter& Word(unsigned value);
    // Least significant byte first, as the FRC timestamp is read.
    CRecordLineWriter& Frc(double seconds);
    CRecordLineWriter& DateTime(const CDateTime& dt);
    CRecordLineWriter& FloatBE(float value);
    CRecordLineWriter& SplitFloat(float value);
    // Pads with the given byte until the line (without checksum) holds `bytes` bytes.
    CRecordLineWriter& PadTo(size_t bytes, unsigned value = 0);
    size_t ByteCount() const { return m_text.size() / 2; }
    // The finished line: every byte written so far plus the checksum.
    std::string Finish() const;

private:
    std::string m_text;
    unsigned m_xor = 0;
};

// Appends a byte as two upper-case hex digits.
void AppendHexByte(std::string& out, unsigned value);
// Appends the checksum byte of the line built so far.
std::string WithChecksum(std::string_view bytesWithoutChecksum);
