#pragma once
// What the profile chart draws: the depth trace, the solenoid row, the ten trace slots, the
// y-axis slot and the trace group last chosen. Chart Options and the Graph Pop menu change it.
#include <array>
#include <cstdint>
#include <string>

#include "settings/SettingField.h"

struct CTraceSettings {
    uint32_t m_nDepth = 0;
    uint32_t m_nSolenoids = 0;
    std::array<uint32_t, settings::kTraceSlots> m_nTrace{};
    std::array<uint32_t, settings::kTraceSlots> m_nTraceEnable{};
    uint32_t m_nYAxisSelection = 0;
    uint32_t m_nTraceGroup = 0;
    std::string m_strTraceGroupOEM;

    bool operator==(const CTraceSettings&) const = default;

    static const CSettingTable<CTraceSettings>& Table();
};
