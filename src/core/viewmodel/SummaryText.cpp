#include "viewmodel/SummaryText.h"

#include <cstdio>

#include "logfile/CDiveLogInformation.h"
#include "viewmodel/Units.h"

namespace summary {

namespace {
template <typename... Args> std::string Printf(const char* format, Args... args) {
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, format, args...);
    return buffer;
}
} // namespace

std::string FormatDate(const CDateTime& dt, const TextLookup& lookup) {
    std::string text = dt.Format("%d %B %Y");
    if (!lookup)
        return text;
    if (text == BuiltInText(kInvalidDate))
        return CheckedFormat(lookup, kInvalidDate);
    // The month's name in the current language in place of the English one.
    const std::string english = dt.Format("%B");
    for (int m = 0; m < 12 && !english.empty(); ++m) {
        if (english != BuiltInText(kJanuary + m))
            continue;
        const size_t at = text.find(english);
        if (at != std::string::npos)
            text.replace(at, english.size(), CheckedFormat(lookup, kJanuary + m));
        break;
    }
    return text;
}

std::string FormatTime(const CDateTime& dt) {
    return dt.Format("%H:%M:%S");
}

std::string FormatMaxDepth(double metres, bool metric) {
    return metric ? Printf("%.1f m", metres) : FormatFeetInches(metres);
}

std::string FormatHoursMinutes(int minutes, const TextLookup& lookup) {
    if (minutes < 1)
        return {};
    return FormatText(CheckedFormat(lookup, kHoursMinutesFormat).c_str(), minutes / 60,
                      minutes % 60);
}

std::string FormatAtmPressure(double millibar, const TextLookup& lookup) {
    return FormatText(CheckedFormat(lookup, kMillibarFormat).c_str(), millibar);
}

std::string FormatAtmTemperature(double celsius, bool metric, const TextLookup& lookup) {
    if (metric)
        return FormatText(CheckedFormat(lookup, kCelsiusFormat).c_str(), celsius);
    return FormatText(CheckedFormat(lookup, kFahrenheitFormat).c_str(),
                      units::CelsiusToFahrenheit(celsius));
}

std::string FormatSetpoint(double bar, const TextLookup& lookup) {
    return FormatText(CheckedFormat(lookup, kSetpointFormat).c_str(), bar);
}

std::string FormatPeakPercent(double percent) {
    return Printf("%.0f%%", percent);
}

std::string FormatWhole(double value) {
    return Printf("%.0f", value);
}

CDecoVisibility DecoVisibility(const std::string& option) {
    CDecoVisibility v;
    v.gradientFactors = option == "Trimix";
    v.conservatism = option == "Nitrox";
    return v;
}

CSummaryTexts BuildSummaryTexts(const CDiveLogInformation& info, bool metric,
                                const std::string& decompressionOption, const TextLookup& lookup) {
    CSummaryTexts t;
    t.deco = DecoVisibility(decompressionOption);
    if (!info.m_bSummaryValid)
        return t; // nothing worked out: an empty summary rather than zeros
    t.date = FormatDate(info.m_dtDiveDateTime, lookup);
    t.time = FormatTime(info.m_dtDiveDateTime);
    t.diveTime = info.m_strDiveTime;
    t.maxDepth = FormatMaxDepth(info.m_dMaxDepth, metric);
    t.diveNumber = Printf("%d", info.m_nDiveNumber);
    t.totalUnitOnTime = FormatHoursMinutes(info.m_nTotalUnitOnTime, lookup);
    t.totalDiveTime = FormatHoursMinutes(info.m_nTotalDiveTime, lookup);
    t.elapsedOnTime = FormatHoursMinutes(info.m_nElapsedOnTime, lookup);
    t.atmPressure = FormatAtmPressure(info.m_dAtmPressure, lookup);
    t.atmTemperature = FormatAtmTemperature(info.m_dAtmTemperature, metric, lookup);
    t.peakSetpoint = FormatSetpoint(info.m_dPeakSetpoint, lookup);
    t.peakCns = FormatPeakPercent(info.m_dPeakCNS);
    t.peakOtu = FormatPeakPercent(info.m_dPeakOTU);
    t.surfaceInterval = info.m_strSurfaceInterval;
    t.gfLow = FormatWhole(info.m_dGfLow);
    t.gfHigh = FormatWhole(info.m_dGfHigh);
    // No sample logged a conservatism value.
    if (info.m_dConservatism >= 0.0)
        t.conservatism = FormatWhole(info.m_dConservatism);
    return t;
}

} // namespace summary
