#pragma once
// What the dive simulator is asked to produce: one power-on period around one dive, with the
// record layout, display code version and alarms chosen by the caller. Every value that varies
// between runs comes from the seed, so the same options give the same bytes.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "logfile/CDateTime.h"

// The alarms in the order the dive summary lists them.
enum class ESimAlarm {
    C1CellWarning,
    C1LowBattery,
    C1LowOxygen,
    C1HighOxygen,
    C2CellWarning,
    C2LowBattery,
    C2LowOxygen,
    C2HighOxygen,
    FastAscent,
    CeilingViolation,
    CnsExposure,
    OtuExposure,
    Scrubber2ndWarning,
    Scrubber1stWarning,
    Co2SecondWarning,
    Co2FirstWarning,
    DiveStart,
};
inline constexpr int kSimAlarmCount = 17;

// Command-line name of an alarm ("c1-cell-warning", "fast-ascent", ...).
std::string_view SimAlarmName(ESimAlarm alarm);
// The alarm of that name; false when there is none.
bool SimAlarmFromName(std::string_view name, ESimAlarm& alarm);

struct CSimAlarm {
    ESimAlarm alarm = ESimAlarm::FastAscent;
    int startSeconds = 0;     // after the dive start
    int durationSeconds = 30; // how long the bit stays set
};
// "NAME@TIME[+SECONDS]" where TIME is seconds or mm:ss after the dive start.
bool ParseSimAlarm(std::string_view text, CSimAlarm& out, std::string& error);

struct CSimOptions {
    bool frcLayout = true;
    // Display code version as major, minor, build (each 0-99); 07.00.20 by default.
    int versionMajor = 7;
    int versionMinor = 0;
    int versionBuild = 20;
    // Short layout only: the colour display (BC) instead of the plain one (B0). The FRC layout
    // always comes from the colour display.
    bool colourDisplay = false;
    int durationSeconds = 45 * 60;
    double maxDepthMetres = 30.0;
    int intervalSeconds = 10; // 1-120
    int surfaceBeforeMinutes = 5;
    int surfaceAfterMinutes = 3;
    uint64_t seed = 1;
    CDateTime powerOn = CDateTime(2026, 6, 14, 9, 30, 0);
    int diveNumber = 42;
    std::vector<CSimAlarm> alarms;
    // 0 = every controller calibrated normally; low nibble controller 1, high nibble controller 2.
    int calibrationError = 0;
    bool cylinderPressures = true;
    bool diveInformation = true; // records 0x80-0x8E
    bool cylinderRecords = true; // records 0xA0-0xAC
    int gfLow = 30;
    int gfHigh = 85;
    // After the dive the unit is switched off and on again this many times (ten minutes off,
    // two minutes on each), as divers do between dives.
    int powerCycles = 0;
};

// Checks ranges and that every alarm lies within the dive; the first problem goes to `error`.
bool ValidateSimOptions(const CSimOptions& options, std::string& error);
// major * 1,000,000 + minor * 1,000 + build.
inline int SimVersionNumber(const CSimOptions& o) {
    return o.versionMajor * 1000000 + o.versionMinor * 1000 + o.versionBuild;
}
// "07.00.20" → major, minor, build.
bool ParseSimVersion(std::string_view text, int& major, int& minor, int& build);
