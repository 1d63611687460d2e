#pragma once
// Table-driven reading of the hex fields on the loader's hot path. Every character maps to the
// digit value ParseHex gives it (0-9, A-F and a-f as usual; anything else code - 87, wrapping
// as unsigned), so a field reads the same either way; these skip the bounds checks, and the
// callers have checked the line's length first.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace hexdigits {

constexpr std::array<unsigned, 256> MakeTable() {
    std::array<unsigned, 256> t{};
    for (unsigned c = 0; c < 256; ++c) {
        if (c >= '0' && c <= '9')
            t[c] = c - '0';
        else if (c >= 'A' && c <= 'F')
            t[c] = c - 'A' + 10;
        else
            t[c] = c - 87u;
    }
    return t;
}

inline constexpr std::array<unsigned, 256> kDigit = MakeTable();

inline unsigned Digit(char c) {
    return kDigit[static_cast<unsigned char>(c)];
}
inline bool IsHex(char ch) {
    const unsigned char c = static_cast<unsigned char>(ch);
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}
// The strict reading for code that must refuse what is not hex (keys, binary line packing):
// 0-15, or -1 for any other character.
inline int Value(char c) {
    return IsHex(c) ? static_cast<int>(Digit(c)) : -1;
}
// Two characters at pos (pos + 1 < line.size()).
inline unsigned Byte(std::string_view line, size_t pos) {
    return Digit(line[pos]) * 16u + Digit(line[pos + 1]);
}
// Four characters at pos (pos + 3 < line.size()).
inline unsigned Word(std::string_view line, size_t pos) {
    return ((Digit(line[pos]) * 16u + Digit(line[pos + 1])) * 16u + Digit(line[pos + 2])) * 16u +
           Digit(line[pos + 3]);
}
// A word whose first character is 8-9, A-F or a-f is negative.
inline int SignedWord(std::string_view line, size_t pos) {
    const int word = static_cast<int>(Word(line, pos));
    const char c = line[pos];
    const bool negative =
        (c >= '8' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
    return negative ? word - 65536 : word;
}

// The XOR checksum test of a record line, as IsChecksumValid does it, one character at a time.
inline bool ChecksumValidSlow(std::string_view line) {
    const size_t n = line.size();
    if (n < 4)
        return false;
    unsigned running = 0;
    size_t i = 0;
    for (; i + 2 < n; i += 2)
        running ^= Byte(line, i);
    // The last pair is the checksum; with an odd length it is a single character.
    const unsigned last = i + 1 < n ? Byte(line, i) : Digit(line[i]);
    return last == running;
}

namespace detail {
constexpr uint64_t kOnes = 0x0101010101010101ull;
constexpr uint64_t kHigh = 0x8080808080808080ull;

// Bytes (all below 0x80) lying in [lo, hi] get their high bit set.
inline uint64_t InRange(uint64_t w, unsigned lo, unsigned hi) {
    const uint64_t atLeast = w + kOnes * (0x80 - lo);
    const uint64_t above = w + kOnes * (0x80 - (hi + 1));
    return atLeast & ~above & kHigh;
}
} // namespace detail

// The same test eight characters at a time. For hex digits the byte of a pair is
// (high digit << 4) | low digit, so the XOR of all pairs is the XOR of the digits at even
// positions, shifted, with the XOR of those at odd positions. Lines with other characters, or
// of odd length, take the character-by-character way.
inline bool ChecksumValid(std::string_view line) {
    using namespace detail;
    const size_t n = line.size();
    if (n < 4 || n % 2 != 0)
        return ChecksumValidSlow(line);
    const size_t body = n - 2;
    uint64_t acc = 0;
    uint64_t valid = kHigh;
    size_t i = 0;
#if defined(__SSE2__)
    // Sixteen at a time first, as above: both record layouts have bodies of whole sixteens.
    if (body >= 16) {
        const __m128i low = _mm_set1_epi8(0x0F);
        const __m128i one = _mm_set1_epi8(1);
        const __m128i lowerCase = _mm_set1_epi8(0x20);
        __m128i acc16 = _mm_setzero_si128();
        __m128i bad = _mm_setzero_si128();
        for (; i + 16 <= body; i += 16) {
            const __m128i w = _mm_loadu_si128(reinterpret_cast<const __m128i*>(line.data() + i));
            // Signed compares: bytes from 0x80 on are negative and fall below '0'. A byte is
            // bad when it is neither a digit nor, folded to lower case, a letter a-f.
            const __m128i notDigit = _mm_or_si128(_mm_cmplt_epi8(w, _mm_set1_epi8('0')),
                                                  _mm_cmpgt_epi8(w, _mm_set1_epi8('9')));
            const __m128i folded = _mm_or_si128(w, lowerCase);
            const __m128i notLetter = _mm_or_si128(_mm_cmplt_epi8(folded, _mm_set1_epi8('a')),
                                                   _mm_cmpgt_epi8(folded, _mm_set1_epi8('f')));
            bad = _mm_or_si128(bad, _mm_and_si128(notDigit, notLetter));
            const __m128i isLetter = _mm_and_si128(_mm_srli_epi16(w, 6), one); // 0 or 1
            const __m128i value = _mm_add_epi8(_mm_and_si128(w, low),
                                               _mm_add_epi8(_mm_slli_epi16(isLetter, 3), isLetter));
            acc16 = _mm_xor_si128(acc16, value);
        }
        if (_mm_movemask_epi8(bad) != 0)
            return ChecksumValidSlow(line);
        uint64_t halves[2];
        _mm_storeu_si128(reinterpret_cast<__m128i*>(halves), acc16);
        acc = halves[0] ^ halves[1];
        if (i == body) {
            // Where both record layouts end: only the two checksum characters are left. The
            // even bytes of `acc` hold the high digits, the odd ones the low digits.
            const char high = line[body];
            const char low = line[body + 1];
            if (!IsHex(high) || !IsHex(low))
                return ChecksumValidSlow(line);
            uint64_t folded = acc ^ (acc >> 32);
            folded ^= folded >> 16;
            const auto sum = static_cast<unsigned>((folded & 0xFF) << 4 | ((folded >> 8) & 0xFF));
            return sum == Digit(high) * 16u + Digit(low);
        }
    }
#endif
    for (; i + 8 <= body; i += 8) {
        uint64_t w;
        std::memcpy(&w, line.data() + i, 8);
        const uint64_t ascii = ~w & kHigh;
        const uint64_t hex = InRange(w, '0', '9') | InRange(w | (kOnes * 0x20), 'a', 'f');
        valid &= ascii & hex;
        acc ^= (w & (kOnes * 0x0F)) + ((w >> 6) & kOnes) * 9;
    }
    if (valid != kHigh)
        return ChecksumValidSlow(line);
    unsigned even = 0, odd = 0;
    for (int k = 0; k < 8; k += 2) {
        even ^= static_cast<unsigned>(acc >> (8 * k)) & 0xFF;
        odd ^= static_cast<unsigned>(acc >> (8 * (k + 1))) & 0xFF;
    }
    for (; i < n; ++i) {
        if (!IsHex(line[i]))
            return ChecksumValidSlow(line);
    }
    for (i = body - body % 8; i < body; ++i)
        (i % 2 == 0 ? even : odd) ^= Digit(line[i]);
    return ((even << 4) | odd) == Byte(line, body);
}

} // namespace hexdigits
