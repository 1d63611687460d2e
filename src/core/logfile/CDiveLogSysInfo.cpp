#include "logfile/CDiveLogSysInfo.h"

#include <new>

#include "logfile/CDeviceList.h"
#include "logfile/FieldParsers.h"
#include "logfile/SysInfoTables.h"

namespace {

const CSysInfoTexts kNoTexts{};
const std::vector<CSysHistoryEntry> kNoHistory{};

// Positions in a 0xB0 header line.
constexpr size_t kHeaderBusPos = 2;
constexpr size_t kHeaderSpacePos = 4;
constexpr size_t kHeaderAddressPos = 6;
constexpr size_t kHeaderMinLength = 14;

// The identity area spans regions 0-3 of a processor's map.
size_t IdentityAreaLength(const CDevice& device) {
    const CMemoryRegion* first = device.FindRegion(0);
    const CMemoryRegion* last = device.FindRegion(3);
    if (!first || !last || last->m_nStart + last->m_nLength <= first->m_nStart)
        return 0;
    return last->m_nStart + last->m_nLength - first->m_nStart;
}

// How many bytes a copy of `region` of this processor holds, and whether the data line must be
// exactly that long; 0 when the region's copy is not kept for this processor.
size_t StoredLength(const CDevice& device, int region, bool& exact) {
    const int bus = device.BusAddress();
    exact = false;
    if (region == 0) {
        // The plain display's download tool always sends the whole area in one line; anything
        // else is a damaged copy.
        exact = bus == kBusDisplay;
        return IdentityAreaLength(device);
    }
    const bool colourOnly = region == 10 || region == 11 || region == 12;
    if (region != 7 && region != 8 && !colourOnly)
        return 0;
    if (colourOnly && bus != kBusColourDisplay)
        return 0;
    const CMemoryRegion* r = device.FindRegion(region);
    return r ? r->m_nLength : 0;
}

} // namespace

CDiveLogSysInfo::CDiveLogSysInfo() = default;

void CDiveLogSysInfo::Clear() {
    for (CColumn& column : m_arColumns)
        column = CColumn{};
    m_nDisplayBus = 0;
    m_nLostRegions = 0;
}

int CDiveLogSysInfo::ColumnOf(int busAddress) {
    switch (busAddress) {
    case kBusDisplay:
    case kBusColourDisplay:
        return kColumnDisplay;
    case kBusC1:
        return kColumnC1;
    case kBusC2:
        return kColumnC2;
    default:
        return -1;
    }
}

int CDiveLogSysInfo::SlotOf(int region) {
    for (size_t i = 0; i < kStoredRegions.size(); ++i)
        if (kStoredRegions[i] == region)
            return static_cast<int>(i);
    return -1;
}

const CDiveLogSysInfo::CRegionCopy* CDiveLogSysInfo::Copy(int column, int region) const {
    const int slot = SlotOf(region);
    if (column < 0 || slot < 0)
        return nullptr;
    const CRegionCopy& copy = m_arColumns[static_cast<size_t>(column)].m_arRegions[slot];
    return copy.m_bPresent ? &copy : nullptr;
}

void CDiveLogSysInfo::Decode(std::string_view headerLine, std::string_view dataLine) {
    if (headerLine.size() < kHeaderMinLength)
        return;
    const int bus = static_cast<int>(ParseHex(headerLine, kHeaderBusPos, 2));
    const unsigned space = ParseHex(headerLine, kHeaderSpacePos, 2);
    const uint32_t address = ParseHex(headerLine, kHeaderAddressPos, 8);
    const CDevice* device = CDeviceList::Instance().FindByBusAddress(bus);
    if (!device)
        return;
    if (bus == kBusDisplay || bus == kBusColourDisplay)
        m_nDisplayBus = bus;
    if (ColumnOf(bus) < 0)
        return;
    // Several regions may start at the same address (the colour display's settings and its
    // large store both start at 0, regions 10 and 12 both at 0x100): every one the line is long
    // enough for takes its copy.
    for (int i = 0; i < device->RegionCount(); ++i) {
        const CMemoryRegion& region = *device->RegionAt(i);
        if (!region.m_bInUse || region.m_nStart != address)
            continue;
        if (bus == kBusColourDisplay && region.m_nNumber == 8 && space != region.m_byMemorySpace)
            continue;
        bool exact = false;
        const size_t length = StoredLength(*device, region.m_nNumber, exact);
        if (length > 0)
            StoreRegion(bus, region.m_nNumber, dataLine, length, exact);
    }
}

void CDiveLogSysInfo::StoreRegion(int busAddress, int region, std::string_view dataLine,
                                  size_t length, bool exactLength) {
    const size_t required = 2 * length + 4;
    if (dataLine.size() < required || (exactLength && dataLine.size() != required))
        return;
    const int slot = SlotOf(region);
    if (slot < 0)
        return;
    CRegionCopy& copy = m_arColumns[static_cast<size_t>(ColumnOf(busAddress))].m_arRegions[slot];
    try {
        std::vector<uint8_t> bytes(length);
        for (size_t k = 0; k < length; ++k)
            bytes[k] = static_cast<uint8_t>(ParseHex(dataLine, 2 + 2 * k, 2));
        copy.m_arBytes = std::move(bytes);
    } catch (const std::bad_alloc&) {
        ++m_nLostRegions;
        return;
    }
    copy.m_nSourceBus = busAddress;
    copy.m_bPresent = true;
}

std::string CDiveLogSysInfo::CodeVersionText(int busAddress) const {
    const CRegionCopy* code = Copy(ColumnOf(busAddress), 7);
    if (!code || code->m_arBytes.size() < 8)
        return {};
    std::string text;
    for (size_t i = 3; i <= 7; ++i) {
        if (i > 3)
            text += '.';
        AppendHexByte(text, code->m_arBytes[i]);
    }
    return text;
}

bool CDiveLogSysInfo::CodeVersionValid(int busAddress) const {
    const int column = ColumnOf(busAddress);
    const CRegionCopy* code = Copy(column, 7);
    if (!code || code->m_arBytes.size() != 8)
        return false;
    const std::vector<uint8_t>& b = code->m_arBytes;
    const bool display = column == kColumnDisplay;
    if (b[3] != (display ? 0xDC : 0xCC))
        return false;
    if (b[4] > (display ? 15 : 0))
        return false;
    return b[5] <= 8 && b[6] <= 0x99 && b[7] <= 0x99;
}

const std::vector<uint8_t>* CDiveLogSysInfo::RegionBytes(int busAddress, int region) const {
    const CRegionCopy* copy = Copy(ColumnOf(busAddress), region);
    if (!copy || copy->m_nSourceBus != busAddress)
        return nullptr;
    return &copy->m_arBytes;
}

const CSysInfoTexts& CDiveLogSysInfo::Texts(int busAddress) const {
    const int column = ColumnOf(busAddress);
    return column < 0 ? kNoTexts : m_arColumns[static_cast<size_t>(column)].m_Texts;
}

const std::vector<CSysHistoryEntry>& CDiveLogSysInfo::History(int busAddress) const {
    const int column = ColumnOf(busAddress);
    return column < 0 ? kNoHistory : m_arColumns[static_cast<size_t>(column)].m_arHistory;
}

EDecoOption CDiveLogSysInfo::DecoOption(int busAddress) const {
    const int column = ColumnOf(busAddress);
    return column < 0 ? EDecoOption::None : m_arColumns[static_cast<size_t>(column)].m_eDecoOption;
}

bool CDiveLogSysInfo::BatteryLiPoly(int busAddress) const {
    const int column = ColumnOf(busAddress);
    return column >= 0 && m_arColumns[static_cast<size_t>(column)].m_bLiPoly;
}

bool CDiveLogSysInfo::BatteryTypesConsistent() const {
    const bool a = m_arColumns[kColumnDisplay].m_bLiPoly;
    return m_arColumns[kColumnC1].m_bLiPoly == a && m_arColumns[kColumnC2].m_bLiPoly == a;
}

const char* CDiveLogSysInfo::DecoOptionText(EDecoOption option) {
    return sysinfo::DecoOptionText(option);
}

void CDiveLogSysInfo::Complete() {
    for (CColumn& column : m_arColumns)
        CompleteColumn(column);
}

void CDiveLogSysInfo::CompleteColumn(CColumn& column) {
    column.m_Texts = CSysInfoTexts{};
    column.m_arHistory.clear();
    column.m_eDecoOption = EDecoOption::None;
    column.m_bLiPoly = false;
    const CRegionCopy& identity = column.m_arRegions[static_cast<size_t>(SlotOf(0))];
    if (!identity.m_bPresent)
        return;
    const CRegionCopy& code = column.m_arRegions[static_cast<size_t>(SlotOf(7))];
    const sysinfo::CIdentity id(identity.m_arBytes, identity.m_nSourceBus == kBusColourDisplay);
    id.FillTexts(column.m_Texts);
    column.m_arHistory = id.History();
    column.m_eDecoOption = id.DecoOption();
    column.m_bLiPoly = id.BatteryLiPoly();
    if (code.m_bPresent)
        sysinfo::FillCodeTexts(code.m_arBytes, column.m_Texts);
}
