#include "viewmodel/SummaryLamps.h"

#include "logfile/CDiveLogInformation.h"

namespace {

bool Lit(const CDiveLogInformation& info, int lamp) {
    using Info = CDiveLogInformation;
    const auto& a = info.m_bAlarm;
    switch (lamp) {
    case kLampCellWarning:
        return a[Info::kC1CellWarning] || a[Info::kC2CellWarning];
    case kLampLowBattery:
        return a[Info::kC1LowBattery] || a[Info::kC2LowBattery];
    case kLampLowOxygen:
        return a[Info::kC1LowOxygen] || a[Info::kC2LowOxygen];
    case kLampHighOxygen:
        return a[Info::kC1HighOxygen] || a[Info::kC2HighOxygen];
    default:
        return a[Info::kFastAscent + (lamp - kLampFastAscent)];
    }
}

} // namespace

std::array<ELampState, kSummaryLampCount> SummaryLampStates(const CDiveLogInformation& info) {
    std::array<ELampState, kSummaryLampCount> states{};
    for (int l = 0; l < kSummaryLampCount; ++l) {
        if (!info.m_bSummaryValid)
            states[size_t(l)] = ELampState::Neutral;
        else
            states[size_t(l)] = Lit(info, l) ? ELampState::Lit : ELampState::Off;
    }
    return states;
}
