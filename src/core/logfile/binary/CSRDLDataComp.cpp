#include "logfile/binary/CSRDLDataComp.h"

#include <array>

#include "logfile/FieldParsers.h"

namespace {

// "00" ... "FF": one lookup writes both digits of a byte.
constexpr std::array<char, 512> MakeHexPairs() {
    constexpr char kDigits[] = "0123456789ABCDEF";
    std::array<char, 512> t{};
    for (unsigned b = 0; b < 256; ++b) {
        t[2 * b] = kDigits[b >> 4];
        t[2 * b + 1] = kDigits[b & 0xF];
    }
    return t;
}

constexpr std::array<char, 512> kHexPairs = MakeHexPairs();

char* PutByte(char* out, unsigned b) {
    out[0] = kHexPairs[2 * b];
    out[1] = kHexPairs[2 * b + 1];
    return out + 2;
}

} // namespace

bool CSRDLDataComp::SetData(const uint8_t* data, size_t length) {
    m_arData.clear();
    if (!data || length < kStartBytes)
        return false;
    m_arData.assign(data + kStartBytes, data + length);
    return true;
}

size_t CSRDLDataComp::GetLineCount() const {
    return m_arData.size() / m_nRecordSize;
}

std::string CSRDLDataComp::GetLine(size_t index) const {
    if (index >= GetLineCount())
        return {};
    const uint8_t* record = m_arData.data() + index * m_nRecordSize;
    CRecordLineWriter line(record[0]);
    for (size_t i = 1; i < m_nRecordSize; ++i)
        line.Byte(record[i]);
    return line.Finish();
}

bool CSRDLDataComp::AppendLines(const uint8_t* data, size_t length, size_t recordSize,
                                std::string& text) {
    if (!data || length < kStartBytes)
        return false;
    if (recordSize == 0)
        recordSize = kShortRecordSize;
    data += kStartBytes;
    const size_t count = (length - kStartBytes) / recordSize;
    const size_t lineChars = 2 * recordSize + 2 + 2; // digits, checksum, CR LF
    const size_t old = text.size();
    text.resize(old + count * lineChars);
    char* out = text.data() + old;
    for (size_t r = 0; r < count; ++r, data += recordSize) {
        unsigned sum = 0;
        for (size_t i = 0; i < recordSize; ++i) {
            out = PutByte(out, data[i]);
            sum ^= data[i];
        }
        out = PutByte(out, sum);
        *out++ = '\r';
        *out++ = '\n';
    }
    return true;
}
