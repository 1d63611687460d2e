#pragma once
// The CRC-32 of IEEE 802.3 (reflected polynomial 0xEDB88320, start 0xFFFFFFFF, final
// complement) that protects every record of a binary log and the file as a whole.
#include <cstddef>
#include <cstdint>
#include <string_view>

class CCrc32Static {
public:
    // CRC of a whole buffer.
    static uint32_t Compute(const void* data, size_t length);
    static uint32_t Compute(std::string_view bytes) { return Compute(bytes.data(), bytes.size()); }

    // Incremental form: start with kInitial, feed the parts with Update, then Finish.
    static constexpr uint32_t kInitial = 0xFFFFFFFFu;
    static uint32_t Update(uint32_t running, const void* data, size_t length);
    static uint32_t Finish(uint32_t running) { return ~running; }

    // The CRC of A followed by B from the CRCs of A and B and the length of B, without reading
    // either again: the file check then costs nothing beyond the records' own checks.
    static uint32_t Combine(uint32_t crcA, uint32_t crcB, uint64_t lengthB);
};
