#include "logfile/FieldParsers.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstring>

#include "logfile/HexDigits.h"

namespace {

constexpr std::array<std::string_view, 6> kHeaderPrefixes = {"Porthole Bench Version",
                                                             "Porthole Relay Version",
                                                             "Porthole Link Version",
                                                             "Porthole Depot Version",
                                                             "Date",
                                                             "Time"};

constexpr char kHex[] = "0123456789ABCDEF";

} // namespace

unsigned int ParseHex(std::string_view line, size_t start, size_t count) {
    if (start >= line.size())
        return 0;
    const size_t end = std::min(line.size(), start + count);
    unsigned value = 0;
    for (size_t i = start; i < end; ++i)
        value = value * 16u + hexdigits::Digit(line[i]);
    return value;
}

int ParseSignedHex16(std::string_view field) {
    const int word = static_cast<int>(ParseHex(field, 0, 4));
    if (field.empty())
        return word;
    const char c = field[0];
    const bool negative =
        (c >= '8' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
    return negative ? word - 65536 : word;
}

double ParseFrc(std::string_view field) {
    if (field.size() != 8)
        return -1.0;
    const uint32_t ticks = ParseHex(field, 0, 2) | (ParseHex(field, 2, 2) << 8) |
                           (ParseHex(field, 4, 2) << 16) | (ParseHex(field, 6, 2) << 24);
    return static_cast<double>(ticks) * 0.000244140625;
}

float ParseFloatBE(std::string_view field) {
    if (field.size() != 8)
        return 0.0f;
    for (char c : field) {
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F')))
            return 0.0f;
    }
    const uint32_t bits = ParseHex(field, 0, 8);
    return std::bit_cast<float>(bits);
}

float ParseSplitFloat(unsigned a, unsigned b, unsigned c, unsigned d) {
    const uint32_t bits = (a & 0xFFu) | ((b & 0xFFu) << 8) | ((c & 0x7Fu) << 16) |
                          ((d & 0x01u) << 23) | (((d >> 1) & 0x7Fu) << 24) |
                          (((c >> 7) & 0x01u) << 31);
    return std::bit_cast<float>(bits);
}

CDateTime ParseDateTime(std::string_view line, size_t start) {
    return CDateTime::FromLogBytes(static_cast<int>(ParseHex(line, start, 2)),
                                   static_cast<int>(ParseHex(line, start + 2, 2)),
                                   static_cast<int>(ParseHex(line, start + 4, 2)),
                                   static_cast<int>(ParseHex(line, start + 6, 2)),
                                   static_cast<int>(ParseHex(line, start + 8, 2)),
                                   static_cast<int>(ParseHex(line, start + 10, 2)));
}

bool IsChecksumValid(std::string_view line) {
    if (line.size() < 4)
        return false;
    unsigned running = 0;
    for (size_t i = 0; i < line.size(); i += 2) {
        const unsigned byte = ParseHex(line, i, 2);
        if (i + 2 >= line.size())
            return byte == running;
        running ^= byte;
    }
    return false;
}

bool IsHeaderLine(std::string_view line) {
    for (std::string_view prefix : kHeaderPrefixes) {
        if (line.substr(0, prefix.size()) == prefix)
            return true;
    }
    return false;
}

// ---- Writing ----------------------------------------------------------------------------------

void AppendHexByte(std::string& out, unsigned value) {
    out += kHex[(value >> 4) & 0xF];
    out += kHex[value & 0xF];
}

std::string WithChecksum(std::string_view bytesWithoutChecksum) {
    unsigned running = 0;
    for (size_t i = 0; i + 1 < bytesWithoutChecksum.size(); i += 2)
        running ^= ParseHex(bytesWithoutChecksum, i, 2);
    std::string out(bytesWithoutChecksum);
    AppendHexByte(out, running);
    return out;
}

CRecordLineWriter& CRecordLineWriter::Byte(unsigned value) {
    value &= 0xFFu;
    AppendHexByte(m_text, value);
    m_xor ^= value;
    return *this;
}

CRecordLineWriter& CRecordLineWriter::Word(unsigned value) {
    return Byte(value >> 8).Byte(value);
}

CRecordLineWriter& CRecordLineWriter::Frc(double seconds) {
    const double ticksD = std::floor(seconds * 4096.0 + 0.5);
    const uint32_t ticks = ticksD <= 0              ? 0u
                           : ticksD >= 4294967295.0 ? 0xFFFFFFFFu
                                                    : static_cast<uint32_t>(ticksD);
    return Byte(ticks).Byte(ticks >> 8).Byte(ticks >> 16).Byte(ticks >> 24);
}

CRecordLineWriter& CRecordLineWriter::DateTime(const CDateTime& dt) {
    if (!dt.IsValid())
        return Byte(0).Byte(0).Byte(0).Byte(0).Byte(0).Byte(0);
    return Byte(dt.Day())
        .Byte(dt.Month())
        .Byte(dt.Year() - 2000)
        .Byte(dt.Hour())
        .Byte(dt.Minute())
        .Byte(dt.Second());
}

CRecordLineWriter& CRecordLineWriter::FloatBE(float value) {
    const uint32_t bits = std::bit_cast<uint32_t>(value);
    return Byte(bits >> 24).Byte(bits >> 16).Byte(bits >> 8).Byte(bits);
}

CRecordLineWriter& CRecordLineWriter::SplitFloat(float value) {
    const uint32_t bits = std::bit_cast<uint32_t>(value);
    const unsigned a = bits & 0xFF;
    const unsigned b = (bits >> 8) & 0xFF;
    const unsigned c = ((bits >> 16) & 0x7F) | (((bits >> 31) & 1) << 7);
    const unsigned d = ((bits >> 23) & 1) | (((bits >> 24) & 0x7F) << 1);
    return Byte(a).Byte(b).Byte(c).Byte(d);
}

CRecordLineWriter& CRecordLineWriter::PadTo(size_t bytes, unsigned value) {
    while (ByteCount() < bytes)
        Byte(value);
    return *this;
}

std::string CRecordLineWriter::Finish() const {
    std::string out = m_text;
    AppendHexByte(out, m_xor);
    return out;
}
