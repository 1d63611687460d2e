#pragma once
// The cylinder values a log without its own cylinder records starts from, in hundredths as the
// store keeps them; cylinder 0 is the oxygen, 1-12 the diluents. The gas management page
// changes them.
#include <array>
#include <cstdint>

#include "settings/SettingField.h"

struct CCylinderDefaults {
    using Values = std::array<uint32_t, settings::kCylinderCount>;
    Values m_nMaxPressure{};    // bar x 100
    Values m_nCylinderSizeSI{}; // litres x 100
    Values m_nCylinderSizeI{};  // cubic feet x 100

    bool operator==(const CCylinderDefaults&) const = default;

    static const CSettingTable<CCylinderDefaults>& Table();
};
