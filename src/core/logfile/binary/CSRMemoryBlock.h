#pragma once
// One block of a processor's memory (type 16): four key-stream start bytes, the processor's bus
// address, a memory space, a 32-bit address and the block data. It becomes the two system
// information lines, a 0xB0 header and a 0xB1 data line.
#include <string>
#include <vector>

#include "logfile/binary/CStandardRecord.h"

class CBinaryLogKey;

class CSRMemoryBlock : public CStandardRecord {
public:
    static constexpr size_t kDataOffset = 10;
    // Erased-memory blocks of a processor's log memory are this long.
    static constexpr size_t kBlockSize = 16;

    CSRMemoryBlock() : CStandardRecord(kTypeMemoryBlock) {}

    // False for a payload shorter than the 10 bytes before the data.
    bool SetData(const uint8_t* data, size_t length) override;
    size_t GetLineCount() const override { return m_bDecoded ? 2 : 0; }
    // 0: "B0", bus address, memory space, address "%08X", checksum; 1: "B1", data, checksum.
    std::string GetLine(size_t index) const override;

    // A processor's log memory (its region 13) is scrambled block by block with erased blocks
    // left alone, like the log memory record; every other block byte by byte.
    static bool UsesBlockRule(uint8_t busAddress, uint8_t memorySpace, uint32_t address);

    // Unscrambles (or, being a plain XOR, scrambles) the data of a memory block payload in
    // place. With `forWriting` it also checks that no block turns into erased memory, which a
    // reader would leave scrambled; false when one would.
    static bool ApplyKey(uint8_t* payload, size_t size, const CBinaryLogKey& key,
                         bool forWriting = false);
    static bool ApplyKey(std::vector<uint8_t>& payload, const CBinaryLogKey& key,
                         bool forWriting = false) {
        return ApplyKey(payload.data(), payload.size(), key, forWriting);
    }

private:
    bool m_bDecoded = false;
    uint8_t m_nBus = 0;
    uint8_t m_nSpace = 0;
    uint32_t m_nAddress = 0;
    std::vector<uint8_t> m_arData;
};
