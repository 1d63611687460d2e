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

} // namespace summary
