#include "sim/SimOptions.h"

#include <charconv>

namespace {
constexpr std::string_view kAlarmNames[kSimAlarmCount] = {
    "c1-cell-warning", "c1-low-battery", "c1-low-oxygen",  "c1-high-oxygen", "c2-cell-warning",
    "c2-low-battery",  "c2-low-oxygen",  "c2-high-oxygen", "fast-ascent",    "ceiling-violation",
    "cns-exposure",    "otu-exposure",   "scrubber-2nd",   "scrubber-1st",   "co2-2nd",
    "co2-1st",         "dive-start",
};

bool ParseInt(std::string_view text, int& value) {
    if (text.empty())
        return false;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), value);
    return res.ec == std::errc() && res.ptr == text.data() + text.size();
}

// Seconds, or mm:ss.
bool ParseClock(std::string_view text, int& seconds) {
    const size_t colon = text.find(':');
    if (colon == std::string_view::npos)
        return ParseInt(text, seconds) && seconds >= 0;
    int minutes = 0, secs = 0;
    if (!ParseInt(text.substr(0, colon), minutes) || !ParseInt(text.substr(colon + 1), secs))
        return false;
    if (minutes < 0 || secs < 0 || secs > 59)
        return false;
    seconds = minutes * 60 + secs;
    return true;
}
} // namespace

std::string_view SimAlarmName(ESimAlarm alarm) {
    const int i = static_cast<int>(alarm);
    return i >= 0 && i < kSimAlarmCount ? kAlarmNames[i] : std::string_view();
}

bool SimAlarmFromName(std::string_view name, ESimAlarm& alarm) {
    for (int i = 0; i < kSimAlarmCount; ++i) {
        if (kAlarmNames[i] == name) {
            alarm = static_cast<ESimAlarm>(i);
            return true;
        }
    }
    return false;
}

bool ParseSimAlarm(std::string_view text, CSimAlarm& out, std::string& error) {
    const size_t at = text.find('@');
    if (at == std::string_view::npos) {
        error = "alarm \"" + std::string(text) + "\" needs a time: NAME@TIME[+SECONDS]";
        return false;
    }
    CSimAlarm alarm;
    if (!SimAlarmFromName(text.substr(0, at), alarm.alarm)) {
        error = "unknown alarm \"" + std::string(text.substr(0, at)) + "\"";
        return false;
    }
    std::string_view when = text.substr(at + 1);
    const size_t plus = when.find('+');
    if (plus != std::string_view::npos) {
        if (!ParseInt(when.substr(plus + 1), alarm.durationSeconds) || alarm.durationSeconds < 1) {
            error = "bad alarm duration in \"" + std::string(text) + "\"";
            return false;
        }
        when = when.substr(0, plus);
    }
    if (!ParseClock(when, alarm.startSeconds)) {
        error = "bad alarm time in \"" + std::string(text) + "\" (seconds or mm:ss)";
        return false;
    }
    out = alarm;
    return true;
}

bool ParseSimVersion(std::string_view text, int& major, int& minor, int& build) {
    if (text.size() != 8 || text[2] != '.' || text[5] != '.')
        return false;
    return ParseInt(text.substr(0, 2), major) && ParseInt(text.substr(3, 2), minor) &&
           ParseInt(text.substr(6, 2), build) && major >= 0 && minor >= 0 && build >= 0;
}

bool ValidateSimOptions(const CSimOptions& o, std::string& error) {
    error.clear();
    const int version = SimVersionNumber(o);
    if (o.versionMajor > 15 || o.versionMinor > 99 || o.versionBuild > 99 || o.versionMajor < 0 ||
        o.versionMinor < 0 || o.versionBuild < 0)
        error = "the display code version must be MM.mm.bb with MM at most 15";
    else if (o.frcLayout && version < 7000003)
        error = "the FRC layout needs a display code version of 07.00.03 or above";
    else if (!o.frcLayout && version >= 7000003)
        error = "the short layout needs a display code version below 07.00.03";
    else if (o.intervalSeconds < 1 || o.intervalSeconds > 120)
        error = "the sample interval must be 1-120 seconds";
    else if (o.durationSeconds < 60 || o.durationSeconds > 24 * 3600)
        error = "the dive must last between one minute and 24 hours";
    else if (!(o.maxDepthMetres >= 1.0 && o.maxDepthMetres <= 300.0))
        error = "the maximum depth must be 1-300 m";
    else if (o.surfaceBeforeMinutes < 0 || o.surfaceBeforeMinutes > 600 ||
             o.surfaceAfterMinutes < 0 || o.surfaceAfterMinutes > 600)
        error = "surface minutes must be 0-600";
    else if (!o.powerOn.IsValid() || o.powerOn.Year() < 2000 || o.powerOn.Year() > 2200)
        error = "the power-on date must be a valid date from 2000 on";
    else if (o.diveNumber < 1 || o.diveNumber > 65535)
        error = "the dive number must be 1-65535";
    else if (o.calibrationError < 0 || o.calibrationError > 255)
        error = "the calibration error must be a byte";
    else if (o.gfLow < 1 || o.gfLow > 100 || o.gfHigh < o.gfLow || o.gfHigh > 100)
        error = "gradient factors must satisfy 1 <= low <= high <= 100";
    else if (o.powerCycles < 0 || o.powerCycles > 5)
        error = "power cycles must be 0-5";
    if (!error.empty())
        return false;
    for (const CSimAlarm& a : o.alarms) {
        if (a.startSeconds > o.durationSeconds) {
            error = "alarm " + std::string(SimAlarmName(a.alarm)) + " starts after the dive ends";
            return false;
        }
    }
    return true;
}
