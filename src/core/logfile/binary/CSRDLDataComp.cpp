#include "logfile/binary/CSRDLDataComp.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <vector>

#include "logfile/FieldParsers.h"
#include "logfile/binary/CBinaryLogKey.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// The two digits of a byte as a little-endian pair: first digit in the low half.
constexpr std::array<uint16_t, 256> MakeHexPairs16() {
    std::array<uint16_t, 256> t{};
    for (unsigned b = 0; b < 256; ++b)
        t[b] = uint16_t(uint8_t(kHexPairs[2 * b]) | uint8_t(kHexPairs[2 * b + 1]) << 8);
    return t;
}

constexpr std::array<uint16_t, 256> kHexPairs16 = MakeHexPairs16();

uint16_t Pair(uint8_t b) {
    return kHexPairs16[b];
}

// Eight characters, the lowest byte of `v` first, whatever the machine's byte order.
void StoreLe64(char* out, uint64_t v) {
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(out, &v, sizeof v);
    } else {
        for (int k = 0; k < 8; ++k)
            out[k] = static_cast<char>(v >> (8 * k));
    }
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

namespace {

#if defined(__SSE2__)
// Sixteen bytes to their 32 upper-case digits at once; every x86-64 processor has SSE2.
void PutBytes16(char* out, __m128i v) {
    const __m128i lowNibbles = _mm_set1_epi8(0x0F);
    const __m128i hi = _mm_and_si128(_mm_srli_epi16(v, 4), lowNibbles);
    const __m128i lo = _mm_and_si128(v, lowNibbles);
    auto digits = [](__m128i n) {
        // '0' + n, and 7 more to skip from '9' to 'A' for n above nine.
        const __m128i letter = _mm_and_si128(_mm_cmpgt_epi8(n, _mm_set1_epi8(9)), _mm_set1_epi8(7));
        return _mm_add_epi8(_mm_add_epi8(n, _mm_set1_epi8('0')), letter);
    };
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), digits(_mm_unpacklo_epi8(hi, lo)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 16), digits(_mm_unpackhi_epi8(hi, lo)));
}

// The XOR of the sixteen bytes of `v`.
unsigned XorOfBytes(__m128i v) {
    uint64_t x = uint64_t(_mm_cvtsi128_si64(v)) ^ uint64_t(_mm_cvtsi128_si64(_mm_srli_si128(v, 8)));
    x ^= x >> 32;
    x ^= x >> 16;
    x ^= x >> 8;
    return unsigned(x & 0xFFu);
}
#endif

} // namespace

CLogMemoryLines::CLogMemoryLines(const uint8_t* data, size_t length, size_t recordSize,
                                 const CBinaryLogKey* key)
    : m_nRecordSize(recordSize == 0 ? CSRDLDataComp::kShortRecordSize : recordSize) {
    if (!data || length < CSRDLDataComp::kStartBytes)
        return;
    m_bValid = true;
    m_pRecords = data + CSRDLDataComp::kStartBytes;
    m_nCount = (length - CSRDLDataComp::kStartBytes) / m_nRecordSize;
    m_zeros.assign(m_nRecordSize, 0);
    if (key) {
        m_nStart = CBinaryLogKey::StartOffset(data);
        // The key stream with its start repeated after its end, so a record's stretch of it
        // never wraps.
        m_stream.resize(CBinaryLogKey::kStreamSize + m_nRecordSize);
        for (size_t i = 0; i < m_stream.size(); ++i)
            m_stream[i] = key->StreamByte(i);
    }
}

const uint8_t* CLogMemoryLines::KeyFor(size_t index) const {
    // Erased memory was stored as it is; its stretch of key is zeros.
    const uint8_t* record = m_pRecords + index * m_nRecordSize;
    if (m_stream.empty() || CBinaryLogKey::IsErased(record, m_nRecordSize))
        return m_zeros.data();
    return m_stream.data() + (m_nStart + index * m_nRecordSize) % CBinaryLogKey::kStreamSize;
}

uint8_t CLogMemoryLines::FirstByte(size_t index) const {
    return m_pRecords[index * m_nRecordSize] ^ KeyFor(index)[0];
}

char* CLogMemoryLines::Write(size_t first, size_t count, bool crlf, char* out) const {
    const size_t recordSize = m_nRecordSize;
    const uint8_t* data = m_pRecords + first * recordSize;
    for (size_t r = first; r < first + count; ++r, data += recordSize) {
        // The key is applied as the digits are written rather than into a copy first.
        const uint8_t* k = KeyFor(r);
        unsigned sum = 0;
        size_t i = 0;
#if defined(__SSE2__)
        if (recordSize >= 16) {
            __m128i sums = _mm_setzero_si128();
            for (; i + 16 <= recordSize; i += 16, out += 32) {
                const __m128i v =
                    _mm_xor_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i)),
                                  _mm_loadu_si128(reinterpret_cast<const __m128i*>(k + i)));
                PutBytes16(out, v);
                sums = _mm_xor_si128(sums, v);
            }
            sum = XorOfBytes(sums);
        }
#endif
        // Four bytes' digits are gathered into one eight-byte store.
        for (; i + 4 <= recordSize; i += 4) {
            const uint8_t b0 = data[i] ^ k[i];
            const uint8_t b1 = data[i + 1] ^ k[i + 1];
            const uint8_t b2 = data[i + 2] ^ k[i + 2];
            const uint8_t b3 = data[i + 3] ^ k[i + 3];
            StoreLe64(out, uint64_t(Pair(b0)) | uint64_t(Pair(b1)) << 16 |
                               uint64_t(Pair(b2)) << 32 | uint64_t(Pair(b3)) << 48);
            out += 8;
            sum ^= b0 ^ b1 ^ b2 ^ b3;
        }
        for (; i < recordSize; ++i) {
            const uint8_t b = data[i] ^ k[i];
            out = PutByte(out, b);
            sum ^= b;
        }
        out = PutByte(out, sum);
        if (crlf) {
            *out++ = '\r';
            *out++ = '\n';
        }
    }
    return out;
}

namespace {

// One line per whole record: digits, checksum, CR LF. With a key the records are unscrambled
// on the fly; the record size is the scrambling block size, so each line is one block.
bool AppendRecordLines(const uint8_t* data, size_t length, size_t recordSize,
                       const CBinaryLogKey* key, std::string& text) {
    const CLogMemoryLines lines(data, length, recordSize, key);
    if (!lines.Valid())
        return false;
    const size_t lineChars = lines.LineChars() + 2;
    // Lines are made in a small buffer and appended: growing the text first would fill it
    // with zeros only to overwrite them, twice the memory traffic for a day's log.
    text.reserve(text.size() + lines.Count() * lineChars);
    constexpr size_t kChunk = 8192;
    const size_t perChunk = std::max<size_t>(1, kChunk / lineChars);
    std::vector<char> chunk(perChunk * lineChars);
    for (size_t r = 0; r < lines.Count(); r += perChunk) {
        const size_t n = std::min(perChunk, lines.Count() - r);
        text.append(chunk.data(), lines.Write(r, n, true, chunk.data()));
    }
    return true;
}

} // namespace

bool CSRDLDataComp::AppendLines(const uint8_t* data, size_t length, size_t recordSize,
                                std::string& text) {
    return AppendRecordLines(data, length, recordSize, nullptr, text);
}

bool CSRDLDataComp::AppendUnscrambledLines(const uint8_t* data, size_t length, size_t recordSize,
                                           const CBinaryLogKey& key, std::string& text) {
    return AppendRecordLines(data, length, recordSize, &key, text);
}
