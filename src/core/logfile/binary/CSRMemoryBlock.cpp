#include "logfile/binary/CSRMemoryBlock.h"

#include <algorithm>
#include <iterator>

#include "logfile/CDeviceList.h"
#include "logfile/FieldParsers.h"
#include "logfile/binary/CBinaryLogKey.h"

namespace {

// Processors whose log memory a block may copy: the two display models and the controllers.
constexpr uint8_t kLogProcessors[] = {0xB0, 0xBC, 0xB2, 0xB4};
constexpr int kLogMemoryRegion = 13;

} // namespace

bool CSRMemoryBlock::SetData(const uint8_t* data, size_t length) {
    m_bDecoded = false;
    m_arData.clear();
    if (!data || length < kDataOffset)
        return false;
    m_nBus = data[4];
    m_nSpace = data[5];
    m_nAddress = ReadBE32(data + 6);
    m_arData.assign(data + kDataOffset, data + length);
    m_bDecoded = true;
    return true;
}

std::string CSRMemoryBlock::GetLine(size_t index) const {
    if (!m_bDecoded || index > 1)
        return {};
    if (index == 0) {
        CRecordLineWriter line(0xB0);
        line.Byte(m_nBus).Byte(m_nSpace);
        for (int shift = 24; shift >= 0; shift -= 8)
            line.Byte(m_nAddress >> shift);
        return line.Finish();
    }
    CRecordLineWriter line(0xB1);
    for (uint8_t b : m_arData)
        line.Byte(b);
    return line.Finish();
}

bool CSRMemoryBlock::UsesBlockRule(uint8_t busAddress, uint8_t memorySpace, uint32_t address) {
    if (std::find(std::begin(kLogProcessors), std::end(kLogProcessors), busAddress) ==
        std::end(kLogProcessors))
        return false;
    const CDevice* device = CDeviceList::Instance().FindByBusAddress(busAddress);
    const CMemoryRegion* region = device ? device->FindRegion(kLogMemoryRegion) : nullptr;
    return region && region->m_byMemorySpace == memorySpace && region->m_nStart == address;
}

bool CSRMemoryBlock::ApplyKey(uint8_t* payload, size_t size, const CBinaryLogKey& key,
                              bool forWriting) {
    if (size <= kDataOffset)
        return true;
    const size_t start = CBinaryLogKey::StartOffset(payload);
    uint8_t* data = payload + kDataOffset;
    const size_t length = size - kDataOffset;
    if (!UsesBlockRule(payload[4], payload[5], ReadBE32(payload + 6))) {
        key.ApplyBytes(data, length, start);
        return true;
    }
    if (forWriting)
        return key.ScrambleBlocks(data, length, kBlockSize, start);
    key.ApplyBlocks(data, length, kBlockSize, start);
    return true;
}
