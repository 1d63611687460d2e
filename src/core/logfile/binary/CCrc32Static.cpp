#include "logfile/binary/CCrc32Static.h"

#include <array>

namespace {

constexpr std::array<uint32_t, 256> MakeTable() {
    std::array<uint32_t, 256> table{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t c = i;
        for (int bit = 0; bit < 8; ++bit)
            c = (c & 1u) ? (0xEDB88320u ^ (c >> 1)) : (c >> 1);
        table[i] = c;
    }
    return table;
}

constexpr std::array<uint32_t, 256> kTable = MakeTable();

} // namespace

uint32_t CCrc32Static::Update(uint32_t running, const void* data, size_t length) {
    const auto* p = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < length; ++i)
        running = kTable[(running ^ p[i]) & 0xFFu] ^ (running >> 8);
    return running;
}

uint32_t CCrc32Static::Compute(const void* data, size_t length) {
    return Finish(Update(kInitial, data, length));
}
