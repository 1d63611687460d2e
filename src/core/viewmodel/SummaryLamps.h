#pragma once
// The thirteen alarm lamps of the dive summary: which are lit, decided from the summary's alarm
// flags. The page only turns the states into colours.
#include <array>

class CDiveLogInformation;

// In the order the page shows them. The controllers' four alarms each light one lamp for
// either controller; the other nine follow the flags one to one from "Fast Ascent" on.
enum ESummaryLamp {
    kLampCellWarning,
    kLampLowBattery,
    kLampLowOxygen,
    kLampHighOxygen,
    kLampFastAscent,
    kLampCeilingViolation,
    kLampCnsExposure,
    kLampOtuExposure,
    kLampScrubber2nd,
    kLampScrubber1st,
    kLampCo22nd,
    kLampCo21st,
    kLampDiveStart,
    kSummaryLampCount
};

enum class ELampState {
    Neutral, // no summary worked out
    Off,
    Lit,
};

std::array<ELampState, kSummaryLampCount> SummaryLampStates(const CDiveLogInformation& info);
