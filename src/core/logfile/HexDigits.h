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
inline bool ChecksumValidWords(std::string_view line) {
    using namespace detail;
    const size_t n = line.size();
    if (n < 4 || n % 2 != 0)
        return ChecksumValidSlow(line);
    const size_t body = n - 2;
    uint64_t acc = 0;
    uint64_t valid = kHigh;
    size_t i = 0;
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

#if defined(__SSE2__)
namespace detail {
// Lines with stray characters are rare; kept out of the fast test's way.
[[gnu::noinline]] inline bool ChecksumValidStray(std::string_view line) {
    return ChecksumValidSlow(line);
}

// A hex character's digit, 0x10 for any other character.
inline constexpr std::array<unsigned char, 256> kPairDigit = [] {
    std::array<unsigned char, 256> t{};
    for (unsigned c = 0; c < 256; ++c) {
        const bool hex = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
        t[c] = static_cast<unsigned char>(hex ? kDigit[c] : 0x10);
    }
    return t;
}();

// Sixteen zero bytes, then sixteen of 0xFF: sixteen read from [k] keep the last k lanes.
inline constexpr unsigned char kKeepLast[32] = {
    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,
    0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

// The test sixteen characters at a time for an even line of at least sixteen (both record
// layouts are). The checksum pair is taken in with the others: a line passes when the high
// digits of all its pairs XOR to zero and so do the low ones. A hex character's digit is its
// low four bits, plus 9 for a letter; the four bits are taken once, from the XOR at the end.
// Lines with other characters take the character-by-character way, which gives such lines
// their own answer.
[[gnu::always_inline]] inline bool ChecksumValidSixteens(std::string_view line) {
    const char* p = line.data();
    const size_t n = line.size();
    // Unsigned steps: x - lo, wrapping, then less (hi - lo) with a floor of zero, is zero just
    // for x in [lo, hi].
    const __m128i zero = _mm_setzero_si128();
    const __m128i digits = _mm_set1_epi8('0');
    const __m128i lowerCase = _mm_set1_epi8(0x20);
    const __m128i letters = _mm_set1_epi8('a');
    const __m128i nine = _mm_set1_epi8(9);
    const __m128i five = _mm_set1_epi8(5);
    __m128i bad = zero;
    __m128i acc = zero;
    // One block: what is not hex into `bad` (non-zero lanes), the digits (above the low four bits
    // not yet cleared) into `acc` where `keep` says.
    auto block = [&](__m128i w, __m128i keep) {
        const __m128i pastDigit = _mm_subs_epu8(_mm_sub_epi8(w, digits), nine);
        const __m128i pastLetter =
            _mm_subs_epu8(_mm_sub_epi8(_mm_or_si128(w, lowerCase), letters), five);
        bad = _mm_or_si128(bad, _mm_min_epu8(pastDigit, pastLetter));
        const __m128i letter = _mm_cmpeq_epi8(pastLetter, zero);
        const __m128i value = _mm_add_epi8(w, _mm_and_si128(letter, nine));
        acc = _mm_xor_si128(acc, _mm_and_si128(value, keep));
    };
    size_t i = 0;
    for (; i + 16 <= n; i += 16)
        block(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i)), _mm_set1_epi8(-1));
    // Both record layouts end two characters past a whole block: that pair is read through a
    // table rather than a third block, into the place the fold below gives its pair (the high
    // digit in the low byte).
    unsigned last = 0;
    if (n - i == 2) {
        last = kPairDigit[static_cast<unsigned char>(p[i])] |
               kPairDigit[static_cast<unsigned char>(p[i + 1])] << 8;
    } else if (i < n) {
        // The last characters as the end of a block that overlaps the one before; the lanes
        // already taken are masked off (an even count, so the pairs stay in step).
        block(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + n - 16)),
              _mm_loadu_si128(reinterpret_cast<const __m128i*>(kKeepLast + (n - i))));
    }
    if (_mm_movemask_epi8(_mm_cmpeq_epi8(bad, zero)) != 0xFFFF || (last & 0x1010) != 0)
        return ChecksumValidStray(line);
    // Fold the lanes down to one even and one odd byte.
    acc = _mm_xor_si128(acc, _mm_shuffle_epi32(acc, 0x4E));
    acc = _mm_xor_si128(acc, _mm_shuffle_epi32(acc, 0xB1));
    auto folded = static_cast<unsigned>(_mm_cvtsi128_si32(acc));
    folded ^= (folded >> 16) ^ last;
    return (folded & 0x0F0F) == 0;
}
} // namespace detail
#endif

// The checksum test of a record line: exactly ChecksumValidSlow's answer for every line. Out of
// line: taken into the loader's line loop it costs that loop more in saved registers than the
// call costs.
[[gnu::noinline]] inline bool ChecksumValid(std::string_view line) {
#if defined(__SSE2__)
    if (line.size() >= 16 && line.size() % 2 == 0)
        return detail::ChecksumValidSixteens(line);
#endif
    return ChecksumValidWords(line);
}

} // namespace hexdigits
