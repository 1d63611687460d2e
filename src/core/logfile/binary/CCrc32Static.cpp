#include "logfile/binary/CCrc32Static.h"

#include <array>
#include <cstring>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define ZELVOR_CRC_CLMUL 1
#endif

namespace {

// Slicing by sixteen: table k gives the CRC of a byte followed by k zero bytes, so sixteen
// bytes are folded in with sixteen lookups and no dependency between them.
constexpr size_t kSlices = 16;
using CTables = std::array<std::array<uint32_t, 256>, kSlices>;

constexpr CTables MakeTables() {
    CTables t{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t c = i;
        for (int bit = 0; bit < 8; ++bit)
            c = (c & 1u) ? (0xEDB88320u ^ (c >> 1)) : (c >> 1);
        t[0][i] = c;
    }
    for (size_t k = 1; k < kSlices; ++k)
        for (uint32_t i = 0; i < 256; ++i)
            t[k][i] = (t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFFu];
    return t;
}

constexpr CTables kTables = MakeTables();

uint32_t Bytewise(uint32_t running, const unsigned char* p, size_t length) {
    for (size_t i = 0; i < length; ++i)
        running = kTables[0][(running ^ p[i]) & 0xFFu] ^ (running >> 8);
    return running;
}

constexpr uint32_t kPoly = 0xEDB88320u;

// a * b modulo the polynomial, both in the reflected bit order of the CRC (bit 31 is x^0).
// `a` is a power of x here, never 0.
constexpr uint32_t MultModP(uint32_t a, uint32_t b) {
    uint32_t product = 0;
    for (uint32_t m = 1u << 31; m != 0; m >>= 1) {
        if (a & m) {
            product ^= b;
            if ((a & (m - 1)) == 0)
                break;
        }
        b = (b & 1u) ? (b >> 1) ^ kPoly : b >> 1;
    }
    return product;
}

// x^(2^k) modulo the polynomial for k = 0 ... 31.
constexpr std::array<uint32_t, 32> MakePowers() {
    std::array<uint32_t, 32> t{};
    uint32_t p = 1u << 30; // x^1
    for (auto& entry : t) {
        entry = p;
        p = MultModP(p, p);
    }
    return t;
}

constexpr std::array<uint32_t, 32> kPowers = MakePowers();

// x^(8 * bytes) modulo the polynomial: shifting a CRC over that many zero bytes.
uint32_t ShiftForBytes(uint64_t bytes) {
    uint32_t p = 1u << 31; // x^0
    for (unsigned k = 3; bytes != 0; bytes >>= 1, ++k)
        if (bytes & 1u)
            p = MultModP(kPowers[k & 31u], p);
    return p;
}

} // namespace

uint32_t CCrc32Static::Combine(uint32_t crcA, uint32_t crcB, uint64_t lengthB) {
    return MultModP(ShiftForBytes(lengthB), crcA) ^ crcB;
}

namespace {

// Four bytes little-endian, assembled by hand so the fold is right on any byte order.
uint32_t Le32(const unsigned char* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// The four bytes of `w` looked up in the tables that put them `zeros` .. `zeros` + 3 bytes
// before the end of the group.
uint32_t Fold(uint32_t w, size_t zeros) {
    return kTables[zeros + 3][w & 0xFFu] ^ kTables[zeros + 2][(w >> 8) & 0xFFu] ^
           kTables[zeros + 1][(w >> 16) & 0xFFu] ^ kTables[zeros][w >> 24];
}

} // namespace

#if ZELVOR_CRC_CLMUL
// An attribute rather than a target pragma: Clang (the fuzzing build) honours only this, and
// lambdas would not inherit it, hence the small functions below.
#define ZELVOR_CLMUL_TARGET __attribute__((target("pclmul,sse4.1")))
namespace {

ZELVOR_CLMUL_TARGET inline __m128i Load16(const unsigned char* at) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
}

// Both halves of `a` carried 128 bits further on (low half by k.low, high by k.high), then the
// next 16 bytes added in.
ZELVOR_CLMUL_TARGET inline __m128i Fold16(__m128i a, __m128i k, __m128i next) {
    return _mm_xor_si128(
        _mm_xor_si128(_mm_clmulepi64_si128(a, k, 0x00), _mm_clmulepi64_si128(a, k, 0x11)), next);
}

// Carry-less multiplication folds 64 bytes per step, several times the table's speed on the
// log memory. Built for the instructions alone and chosen at run time, so the program still
// runs on a processor without them. The constants are powers of x modulo the polynomial in
// the CRC's reflected order: x^(4*128+32) and x^(4*128-32) fold four lanes, x^(128+32) and
// x^(128-32) one lane, x^64 reduces to 64 bits, then Barrett reduction with the polynomial and
// floor(x^64 / P). `length` is a multiple of 16, at least 64; `running` is the raw state.
ZELVOR_CLMUL_TARGET uint32_t FoldClmul(uint32_t running, const unsigned char* p, size_t length) {
    const __m128i k1k2 = _mm_set_epi64x(0x01c6e41596, 0x0154442bd4);
    const __m128i k3k4 = _mm_set_epi64x(0x00ccaa009e, 0x01751997d0);
    const __m128i k5 = _mm_set_epi64x(0, 0x0163cd6124);
    const __m128i poly = _mm_set_epi64x(0x01f7011641, 0x01db710641);
    const __m128i low32 = _mm_setr_epi32(~0, 0, ~0, 0);

    __m128i x1 = _mm_xor_si128(Load16(p), _mm_cvtsi32_si128(static_cast<int>(running)));
    __m128i x2 = Load16(p + 16);
    __m128i x3 = Load16(p + 32);
    __m128i x4 = Load16(p + 48);
    p += 64;
    length -= 64;
    for (; length >= 64; p += 64, length -= 64) {
        x1 = Fold16(x1, k1k2, Load16(p));
        x2 = Fold16(x2, k1k2, Load16(p + 16));
        x3 = Fold16(x3, k1k2, Load16(p + 32));
        x4 = Fold16(x4, k1k2, Load16(p + 48));
    }
    x1 = Fold16(x1, k3k4, x2);
    x1 = Fold16(x1, k3k4, x3);
    x1 = Fold16(x1, k3k4, x4);
    for (; length >= 16; p += 16, length -= 16)
        x1 = Fold16(x1, k3k4, Load16(p));

    // 128 bits to 64.
    __m128i x2r = _mm_clmulepi64_si128(x1, k3k4, 0x10);
    x1 = _mm_xor_si128(_mm_srli_si128(x1, 8), x2r);
    x2r = _mm_srli_si128(x1, 4);
    x1 = _mm_xor_si128(_mm_clmulepi64_si128(_mm_and_si128(x1, low32), k5, 0x00), x2r);

    // Barrett reduction to 32 bits.
    __m128i t = _mm_clmulepi64_si128(_mm_and_si128(x1, low32), poly, 0x10);
    t = _mm_clmulepi64_si128(_mm_and_si128(t, low32), poly, 0x00);
    x1 = _mm_xor_si128(x1, t);
    return static_cast<uint32_t>(_mm_extract_epi32(x1, 1));
}

bool HasClmul() {
    static const bool has = __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse4.1");
    return has;
}

} // namespace
#endif

uint32_t CCrc32Static::Update(uint32_t running, const void* data, size_t length) {
    const auto* p = static_cast<const unsigned char*>(data);
    size_t i = 0;
#if ZELVOR_CRC_CLMUL
    if (length >= 64 && HasClmul()) {
        i = length & ~size_t(15);
        running = FoldClmul(running, p, i);
    }
#endif
    for (; i + kSlices <= length; i += kSlices)
        running = Fold(Le32(p + i) ^ running, 12) ^ Fold(Le32(p + i + 4), 8) ^
                  Fold(Le32(p + i + 8), 4) ^ Fold(Le32(p + i + 12), 0);
    return Bytewise(running, p + i, length - i);
}

uint32_t CCrc32Static::Compute(const void* data, size_t length) {
    return Finish(Update(kInitial, data, length));
}
