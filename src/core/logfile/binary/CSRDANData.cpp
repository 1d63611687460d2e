#include "logfile/binary/CSRDANData.h"

#include <cstdio>

#include "logfile/FieldParsers.h"
#include "logfile/binary/BinaryLineBytes.h"

namespace {

constexpr size_t kEntryHeader = 8; // three letters, field, 4-byte length

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

bool CSRDANData::SetData(const uint8_t* data, size_t length) {
    m_arEntries.clear();
    if (!data)
        return length == 0;
    size_t pos = 0;
    while (pos < length) {
        if (length - pos < kEntryHeader)
            return false;
        const uint32_t m = ReadBE32(data + pos + 4);
        if (m > length - pos - kEntryHeader)
            return false;
        Entry entry;
        std::copy(data + pos, data + pos + 3, entry.arKey);
        entry.nField = data[pos + 3];
        entry.arData.assign(data + pos + kEntryHeader, data + pos + kEntryHeader + m);
        m_arEntries.push_back(std::move(entry));
        pos += kEntryHeader + size_t(m);
    }
    return true;
}

std::string CSRDANData::GetLine(size_t index) const {
    if (index >= m_arEntries.size())
        return {};
    const Entry& entry = m_arEntries[index];
    CRecordLineWriter line(0xD0);
    for (uint8_t b : entry.arKey)
        line.Byte(b);
    char field[8];
    std::snprintf(field, sizeof field, "%02d", entry.nField);
    for (const char* c = field; *c; ++c)
        line.Byte(static_cast<unsigned char>(*c));
    for (uint8_t b : entry.arData)
        line.Byte(b);
    return line.Finish();
}

void CSRDANData::AppendEntry(std::string& payload, std::string_view segment, uint8_t field,
                             std::string_view value) {
    for (size_t i = 0; i < 3; ++i)
        payload += i < segment.size() ? segment[i] : ' ';
    payload += static_cast<char>(field);
    AppendBE32(payload, static_cast<uint32_t>(value.size()));
    payload.append(value);
}

bool CSRDANData::AppendLineAsEntry(std::string& payload, std::string_view line) {
    std::string bytes;
    // D0, three letters, two digits, checksum at the least.
    if (!LineToBytes(line, bytes) || bytes.size() < 7 || static_cast<uint8_t>(bytes[0]) != 0xD0)
        return false;
    if (!IsDigit(bytes[4]) || !IsDigit(bytes[5]))
        return false;
    const int field = (bytes[4] - '0') * 10 + (bytes[5] - '0');
    AppendEntry(payload, std::string_view(bytes).substr(1, 3), static_cast<uint8_t>(field),
                std::string_view(bytes).substr(6, bytes.size() - 7));
    return true;
}
