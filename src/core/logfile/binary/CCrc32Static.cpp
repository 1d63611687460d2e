#include "logfile/binary/CCrc32Static.h"

#include <array>
#include <cstring>

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

uint32_t CCrc32Static::Update(uint32_t running, const void* data, size_t length) {
    const auto* p = static_cast<const unsigned char*>(data);
    size_t i = 0;
    for (; i + kSlices <= length; i += kSlices)
        running = Fold(Le32(p + i) ^ running, 12) ^ Fold(Le32(p + i + 4), 8) ^
                  Fold(Le32(p + i + 8), 4) ^ Fold(Le32(p + i + 12), 0);
    return Bytewise(running, p + i, length - i);
}

uint32_t CCrc32Static::Compute(const void* data, size_t length) {
    return Finish(Update(kInitial, data, length));
}
