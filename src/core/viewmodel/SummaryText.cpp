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

std::string FormatDate(const CDateTime& dt) {
    return dt.Format("%d %B %Y");
}

std::string FormatTime(const CDateTime& dt) {
    return dt.Format("%H:%M:%S");
}

std::string FormatMaxDepth(double metres, bool metric) {
    return metric ? Printf("%.1f m", metres) : FormatFeetInches(metres);
}

std::string FormatHoursMinutes(int minutes) {
    if (minutes < 1)
        return {};
    return Printf("%d:%02d hh:mm", minutes / 60, minutes % 60);
}

std::string FormatAtmPressure(double millibar) {
    return Printf("%.0f mBar", millibar);
}

std::string FormatAtmTemperature(double celsius, bool metric) {
    if (metric)
        return Printf("%.1f Celcius", celsius);
    return Printf("%.1f Fahrenheit", units::CelsiusToFahrenheit(celsius));
}

std::string FormatSetpoint(double bar) {
    return Printf("%.2f Bar", bar);
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
                                const std::string& decompressionOption) {
    CSummaryTexts t;
    t.deco = DecoVisibility(decompressionOption);
    if (!info.m_bSummaryValid)
        return t; // nothing worked out: an empty summary rather than zeros
    t.date = FormatDate(info.m_dtDiveDateTime);
    t.time = FormatTime(info.m_dtDiveDateTime);
    t.diveTime = info.m_strDiveTime;
    t.maxDepth = FormatMaxDepth(info.m_dMaxDepth, metric);
    t.diveNumber = Printf("%d", info.m_nDiveNumber);
    t.totalUnitOnTime = FormatHoursMinutes(info.m_nTotalUnitOnTime);
    t.totalDiveTime = FormatHoursMinutes(info.m_nTotalDiveTime);
    t.elapsedOnTime = FormatHoursMinutes(info.m_nElapsedOnTime);
    t.atmPressure = FormatAtmPressure(info.m_dAtmPressure);
    t.atmTemperature = FormatAtmTemperature(info.m_dAtmTemperature, metric);
    t.peakSetpoint = FormatSetpoint(info.m_dPeakSetpoint);
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
