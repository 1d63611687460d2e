#pragma once
// The 16-byte key that scrambles the log memory and the memory blocks of a binary log, and the
// 2048-byte key stream made from it.
//
// The unit's own key is a constant of its software that we do not have. The key in use comes
// from, in this order:
//   1. the environment variable ZELVOR_LOG_KEY (32 hex digits),
//   2. the setting "Binary Log Key" (32 hex digits),
//   3. the built-in test key: the ASCII text "ZelvorLogTestKey", that is
//      5A656C766F724C6F67546573744B6579.
// A value that is not exactly 32 hex digits is ignored (with a status line) and the next source
// is tried. Files written by our own writer with the test key read back with it; files of a real
// unit need the real key, and with a wrong key they still load: the records simply decode to
// nonsense or fail their checksums.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

class CReport;

class CBinaryLogKey {
public:
    static constexpr size_t kKeySize = 16;
    static constexpr size_t kStreamSize = 2048;
    using Key = std::array<uint8_t, kKeySize>;

    // The built-in test key.
    CBinaryLogKey();
    explicit CBinaryLogKey(const Key& key);

    static CBinaryLogKey TestKey() { return CBinaryLogKey(); }
    // Exactly 32 hex digits (either case, surrounding blanks allowed); empty otherwise.
    static std::optional<CBinaryLogKey> FromHex(std::string_view hex);
    // The key in use: environment, then `setting` (the "Binary Log Key" text as read at
    // start-up), then the test key (see above). A value passed over is reported as a notice.
    static CBinaryLogKey Resolve(std::string_view setting = {}, CReport* report = nullptr);

    const Key& Bytes() const { return m_key; }
    uint8_t StreamByte(size_t index) const { return m_stream[index % kStreamSize]; }

    // Where in the key stream a payload starts, from its four start bytes: their product as a
    // signed 32-bit number; negative gives 0, else the product modulo 2048.
    static int32_t StartProduct(const uint8_t* fourBytes);
    static size_t StartOffset(const uint8_t* fourBytes);
    // Every byte 0xFF: erased memory, which is stored unscrambled.
    static bool IsErased(const uint8_t* data, size_t length);

    // XORs data byte k with stream byte (start + k), block by block, leaving alone every block
    // whose bytes are all 0xFF (erased memory). A short last block is treated the same way.
    void ApplyBlocks(uint8_t* data, size_t length, size_t blockSize, size_t start) const;
    // XORs every byte, erased or not.
    void ApplyBytes(uint8_t* data, size_t length, size_t start) const;
    // The inverse of ApplyBlocks for a writer. False when a block that is not erased would
    // scramble to all 0xFF, which a reader would take for erased memory; the data are then
    // left partly scrambled and must not be written.
    bool ScrambleBlocks(uint8_t* data, size_t length, size_t blockSize, size_t start) const;

private:
    void BuildStream();
    bool XorBlocks(uint8_t* data, size_t length, size_t blockSize, size_t start,
                   bool refuseErasedResult) const;

    Key m_key{};
    std::array<uint8_t, kStreamSize> m_stream{};
};
