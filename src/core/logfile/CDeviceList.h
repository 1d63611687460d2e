#pragma once
// The fixed table of the devices known on the unit's I2C bus, built once and shared.
#include <vector>

#include "logfile/CDevice.h"

// Bus addresses of the processors whose memory copies a log carries.
inline constexpr int kBusDisplay = 0xB0;
inline constexpr int kBusColourDisplay = 0xBC;
inline constexpr int kBusC1 = 0xB2;
inline constexpr int kBusC2 = 0xB4;

class CDeviceList {
public:
    CDeviceList();

    // The one shared table.
    static const CDeviceList& Instance();

    int Count() const { return static_cast<int>(m_arDevices.size()); }
    const CDevice& At(int index) const { return m_arDevices[static_cast<size_t>(index)]; }
    // The first device with this bus address; nullptr when none is listed.
    const CDevice* FindByBusAddress(int busAddress) const;

private:
    void AddDisplays();
    void AddControllers();
    void AddOtherProcessors();
    void AddPlainDevice(const char* name, int busAddress);

    std::vector<CDevice> m_arDevices;
};
