#include "logfile/binary/CBinaryLogKey.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "logfile/HexDigits.h"
#include "statuslog/CReport.h"

namespace {

// "ZelvorLogTestKey": easy to recognise in a hex dump, and plainly not a device secret.
constexpr CBinaryLogKey::Key kTestKey = {0x5A, 0x65, 0x6C, 0x76, 0x6F, 0x72, 0x4C, 0x6F,
                                         0x67, 0x54, 0x65, 0x73, 0x74, 0x4B, 0x65, 0x79};

} // namespace

bool CBinaryLogKey::IsErased(const uint8_t* data, size_t length) {
    return std::all_of(data, data + length, [](uint8_t b) { return b == 0xFF; });
}

CBinaryLogKey::CBinaryLogKey() : m_key(kTestKey) {
    BuildStream();
}

CBinaryLogKey::CBinaryLogKey(const Key& key) : m_key(key) {
    BuildStream();
}

// 128 copies of the register; after each copy the register turns left by one bit as a 128-bit
// number whose most significant byte is byte 0, so 128 turns bring it back to the key.
void CBinaryLogKey::BuildStream() {
    Key reg = m_key;
    for (size_t copy = 0; copy < kStreamSize / kKeySize; ++copy) {
        std::copy(reg.begin(), reg.end(), m_stream.begin() + copy * kKeySize);
        const uint8_t carry = reg[0] >> 7;
        for (size_t i = 0; i + 1 < kKeySize; ++i)
            reg[i] = static_cast<uint8_t>((reg[i] << 1) | (reg[i + 1] >> 7));
        reg[kKeySize - 1] = static_cast<uint8_t>((reg[kKeySize - 1] << 1) | carry);
    }
}

std::optional<CBinaryLogKey> CBinaryLogKey::FromHex(std::string_view hex) {
    while (!hex.empty() && (hex.front() == ' ' || hex.front() == '\t'))
        hex.remove_prefix(1);
    while (!hex.empty() &&
           (hex.back() == ' ' || hex.back() == '\t' || hex.back() == '\r' || hex.back() == '\n'))
        hex.remove_suffix(1);
    if (hex.size() != 2 * kKeySize)
        return std::nullopt;
    Key key{};
    for (size_t i = 0; i < kKeySize; ++i) {
        const int hi = hexdigits::Value(hex[2 * i]);
        const int lo = hexdigits::Value(hex[2 * i + 1]);
        if (hi < 0 || lo < 0)
            return std::nullopt;
        key[i] = static_cast<uint8_t>(hi * 16 + lo);
    }
    return CBinaryLogKey(key);
}

CBinaryLogKey CBinaryLogKey::Resolve(std::string_view setting, CReport* report) {
    const auto passOver = [report](const char* text) {
        if (report)
            report->Add(ReportKind::kNotice, text);
    };
    if (const char* env = std::getenv("ZELVOR_LOG_KEY"); env && *env) {
        if (auto key = FromHex(env))
            return *key;
        passOver("ZELVOR_LOG_KEY is not 32 hex digits, ignored");
    }
    if (!setting.empty()) {
        if (auto key = FromHex(setting))
            return *key;
        passOver("Binary Log Key setting is not 32 hex digits, ignored");
    }
    return TestKey();
}

int32_t CBinaryLogKey::StartProduct(const uint8_t* fourBytes) {
    // Wraps like the unit's 32-bit arithmetic: done unsigned, read back as signed.
    uint32_t product = 1;
    for (int i = 0; i < 4; ++i)
        product *= fourBytes[i];
    return static_cast<int32_t>(product);
}

size_t CBinaryLogKey::StartOffset(const uint8_t* fourBytes) {
    const int32_t product = StartProduct(fourBytes);
    return product < 0 ? 0 : static_cast<size_t>(product) % kStreamSize;
}

void CBinaryLogKey::ApplyBlocks(uint8_t* data, size_t length, size_t blockSize,
                                size_t start) const {
    XorBlocks(data, length, blockSize, start, false);
}

void CBinaryLogKey::ApplyBytes(uint8_t* data, size_t length, size_t start) const {
    for (size_t k = 0; k < length; ++k)
        data[k] ^= StreamByte(start + k);
}

bool CBinaryLogKey::ScrambleBlocks(uint8_t* data, size_t length, size_t blockSize,
                                   size_t start) const {
    return XorBlocks(data, length, blockSize, start, true);
}

bool CBinaryLogKey::XorBlocks(uint8_t* data, size_t length, size_t blockSize, size_t start,
                              bool refuseErasedResult) const {
    if (blockSize == 0)
        blockSize = length;
    for (size_t block = 0; block < length; block += blockSize) {
        const size_t n = std::min(blockSize, length - block);
        // Erased memory is stored as it is in both directions.
        if (IsErased(data + block, n))
            continue;
        for (size_t k = block; k < block + n; ++k)
            data[k] ^= StreamByte(start + k);
        // A block that scrambles to all 0xFF would read back as erased and stay scrambled.
        if (refuseErasedResult && IsErased(data + block, n))
            return false;
    }
    return true;
}
