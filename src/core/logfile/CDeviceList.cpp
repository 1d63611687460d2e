#include "logfile/CDeviceList.h"

#include <utility>

namespace {

// Spaces 1-5 shared by both display models.
void AddDisplaySpaces(CDevice& device) {
    device.AddRange(1, 0x0, 0x1FFFF);
    device.AddRange(1, 0x200000, 0x200007);
    device.AddRange(1, 0x300000, 0x3FFFFF);
    device.AddRange(2, 0x0, 0x3FF);
    device.AddRange(3, 0x0, 0xFFF);
    device.AddRange(4, 0x300000, 0x30000D);
    device.AddRange(5, 0x0, 0xFF);
}

// A processor whose space 1 is its code flash of `flashEnd` bytes plus the two fixed windows.
void AddProcessorSpaces(CDevice& device, uint32_t flashEnd, uint32_t eepromEnd, uint32_t regEnd) {
    device.AddRange(1, 0x0, flashEnd);
    device.AddRange(1, 0x200000, 0x200007);
    device.AddRange(1, 0x3FFFFE, 0x3FFFFF);
    device.AddRange(2, 0x0, eepromEnd);
    device.AddRange(3, 0x0, 0xFFF);
    device.AddRange(4, 0x300000, 0x30000D);
    device.AddRange(5, 0x0, regEnd);
}

struct RegionRow {
    int number;
    int space;
    uint32_t start;
    uint32_t length;
};

template <size_t N> void AddRegions(CDevice& device, const RegionRow (&rows)[N]) {
    for (const RegionRow& r : rows)
        device.AddRegion(r.number, r.space, r.start, r.length);
}

constexpr RegionRow kDisplayRegions[] = {
    {0, 1, 0x4000, 0x40},      {1, 1, 0x4040, 0x40},   {2, 1, 0x4080, 0x40},  {3, 1, 0x40C0, 0x40},
    {4, 1, 0x4100, 0x1BF00},   {6, 1, 0x4100, 0xBF00}, {7, 1, 0x200000, 0x8}, {8, 2, 0x0, 0x400},
    {13, 1, 0x10000, 0x10000}, {16, 1, 0x3FFFFE, 0x2},
};

constexpr RegionRow kColourDisplayRegions[] = {
    {15, 1, 0x1000, 0x80},       {0, 1, 0x1080, 0x80},    {1, 1, 0x1100, 0x80},
    {2, 1, 0x1180, 0x80},        {3, 1, 0x1200, 0x80},    {5, 1, 0x1380, 0x80},
    {4, 1, 0x1000, 0x1F000},     {6, 1, 0x1000, 0x1F000}, {14, 1, 0x1400, 0x4200},
    {7, 1, 0x200000, 0x8},       {8, 2, 0x0, 0x100},      {9, 2, 0x120, 0x2E0},
    {10, 2, 0x100, 0x300},       {12, 2, 0x100, 0x20},    {11, 6, 0x0, 0x10000},
    {13, 6, 0x10000, 0x1FEFFFF}, {16, 1, 0x3FFFFE, 0x2},
};

constexpr RegionRow kControllerRegions[] = {
    {0, 1, 0x2000, 0x40}, {1, 1, 0x2040, 0x40},    {2, 1, 0x2080, 0x40},
    {3, 1, 0x20C0, 0x40}, {4, 1, 0x2100, 0x2100},  {7, 1, 0x200000, 0x8},
    {8, 2, 0x0, 0x100},   {13, 1, 0x4200, 0x3E00}, {16, 1, 0x3FFFFE, 0x2},
};

constexpr RegionRow kAteRegions[] = {{4, 1, 0x2100, 0xDF00}};

constexpr RegionRow kCo2SensorRegions[] = {
    {4, 1, 0x800, 0x3800}, {7, 1, 0x200000, 0x8}, {16, 1, 0x3FFFFE, 0x2}};

} // namespace

CDeviceList::CDeviceList() {
    m_arDevices.reserve(23);
    AddDisplays();
    AddControllers();
    AddPlainDevice("RTC", 0xA2);
    const char* probes[] = {"T0", "T1", "T2", "T3", "T4", "T5", "T6", "T7", "T8"};
    const int probeAddresses[] = {0x90, 0x80, 0x92, 0x94, 0x96, 0x98, 0x9A, 0x9C, 0x9E};
    for (int i = 0; i < 9; ++i)
        AddPlainDevice(probes[i], probeAddresses[i]);
    AddOtherProcessors();
}

const CDeviceList& CDeviceList::Instance() {
    static const CDeviceList list;
    return list;
}

const CDevice* CDeviceList::FindByBusAddress(int busAddress) const {
    for (const CDevice& device : m_arDevices)
        if (device.BusAddress() == busAddress)
            return &device;
    return nullptr;
}

void CDeviceList::AddDisplays() {
    CDevice display("Display", kBusDisplay, true);
    AddDisplaySpaces(display);
    AddRegions(display, kDisplayRegions);
    m_arDevices.push_back(display);

    CDevice colour("Display - Colour", kBusColourDisplay, true);
    AddDisplaySpaces(colour);
    colour.AddRange(6, 0x0, 0x1FFFFFF);
    AddRegions(colour, kColourDisplayRegions);
    m_arDevices.push_back(colour);
}

void CDeviceList::AddControllers() {
    for (auto [name, address] : {std::pair{"C1", kBusC1}, std::pair{"C2", kBusC2}}) {
        CDevice controller(name, address, true);
        AddProcessorSpaces(controller, 0x7FFF, 0xFF, 0x100);
        AddRegions(controller, kControllerRegions);
        m_arDevices.push_back(controller);
    }
}

// The test-equipment rows, the CO2 sensor, the compass and the catch-all user row, in table
// order after the temperature probes.
void CDeviceList::AddOtherProcessors() {
    CDevice ate("ATE Processor", 0xBE, true);
    AddProcessorSpaces(ate, 0x1FFFF, 0x3FF, 0xFF);
    AddRegions(ate, kAteRegions);
    m_arDevices.push_back(ate);

    AddPlainDevice("ATE Sensor Pots", 0x58);
    AddPlainDevice("ATE Battery Pots", 0x5A);
    AddPlainDevice("ATE Dig I/O 1", 0x40);
    AddPlainDevice("ATE Dig I/O 2", 0x42);
    AddPlainDevice("ATE Dig I/O 3", 0x44);

    CDevice co2("CO2 Sensor", 0xB6, true);
    AddProcessorSpaces(co2, 0x3FFF, 0xFF, 0xFF);
    AddRegions(co2, kCo2SensorRegions);
    m_arDevices.push_back(co2);

    AddPlainDevice("Compass", 0x3A);

    CDevice user("User Defined", 0x00, true);
    user.AddRange(5, 0x0, 0xFF);
    m_arDevices.push_back(user);
}

void CDeviceList::AddPlainDevice(const char* name, int busAddress) {
    CDevice device(name, busAddress, false);
    device.AddRange(5, 0x0, 0xFF);
    m_arDevices.push_back(device);
}
