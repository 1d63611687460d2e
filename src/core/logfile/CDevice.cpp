#include "logfile/CDevice.h"

#include <utility>

CDevice::CDevice(std::string name, int busAddress, bool processor)
    : m_strName(std::move(name)), m_nBusAddress(busAddress), m_bProcessor(processor) {
    m_bNamed = !m_strName.empty() && m_nBusAddress != 0;
}

bool CDevice::AddRange(int space, uint32_t start, uint32_t end) {
    if (space < 0 || space >= kMemorySpaces || m_arRangeCount[space] >= kRangesPerSpace)
        return false;
    m_arRanges[space][m_arRangeCount[space]++] = CMemoryRange{start, end, true};
    return true;
}

bool CDevice::AddRegion(int number, int space, uint32_t start, uint32_t length) {
    if (m_nRegionCount >= kMaxRegions)
        return false;
    m_arRegions[m_nRegionCount++] =
        CMemoryRegion{number, static_cast<uint8_t>(space), start, length, true};
    return true;
}

int CDevice::RangeCount(int space) const {
    return (space < 0 || space >= kMemorySpaces) ? 0 : m_arRangeCount[space];
}

const CMemoryRange* CDevice::Range(int space, int index) const {
    if (index < 0 || index >= RangeCount(space))
        return nullptr;
    return &m_arRanges[space][index];
}

const CMemoryRegion* CDevice::RegionAt(int index) const {
    return (index < 0 || index >= m_nRegionCount) ? nullptr : &m_arRegions[index];
}

const CMemoryRegion* CDevice::FindRegion(int number) const {
    for (int i = 0; i < m_nRegionCount; ++i)
        if (m_arRegions[i].m_bInUse && m_arRegions[i].m_nNumber == number)
            return &m_arRegions[i];
    return nullptr;
}
