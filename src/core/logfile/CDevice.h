#pragma once
// One device on the unit's I2C bus: its name, address and, for processors, the memory map that
// tells which named region a memory address belongs to.
#include <array>
#include <cstdint>
#include <string>

struct CMemoryRange {
    uint32_t m_nStart = 0;
    uint32_t m_nEnd = 0;
    bool m_bInUse = false;
};

struct CMemoryRegion {
    int m_nNumber = 0;
    uint8_t m_byMemorySpace = 0;
    uint32_t m_nStart = 0;
    uint32_t m_nLength = 0;
    bool m_bInUse = false;
};

class CDevice {
public:
    static constexpr int kMemorySpaces = 7;
    static constexpr int kRangesPerSpace = 5;
    static constexpr int kMaxRegions = 20;

    CDevice() = default;
    CDevice(std::string name, int busAddress, bool processor);

    // False when the space number is above 6 (or negative) or the space is full.
    bool AddRange(int space, uint32_t start, uint32_t end);
    // False when every region slot is taken.
    bool AddRegion(int number, int space, uint32_t start, uint32_t length);

    const std::string& Name() const { return m_strName; }
    int BusAddress() const { return m_nBusAddress; }
    bool IsProcessor() const { return m_bProcessor; }
    bool IsNamed() const { return m_bNamed; }

    int RangeCount(int space) const;
    // The range `index` of `space`; nullptr when out of bounds.
    const CMemoryRange* Range(int space, int index) const;
    int RegionCount() const { return m_nRegionCount; }
    // The region in slot `index` (table order), nullptr when out of bounds.
    const CMemoryRegion* RegionAt(int index) const;
    // The first region in use with this region number, nullptr when there is none.
    const CMemoryRegion* FindRegion(int number) const;

private:
    std::array<std::array<CMemoryRange, kRangesPerSpace>, kMemorySpaces> m_arRanges{};
    std::array<int, kMemorySpaces> m_arRangeCount{};
    std::array<CMemoryRegion, kMaxRegions> m_arRegions{};
    int m_nRegionCount = 0;
    std::string m_strName;
    int m_nBusAddress = 0;
    bool m_bProcessor = false;
    bool m_bNamed = false;
};
