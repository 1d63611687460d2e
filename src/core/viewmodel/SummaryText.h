#pragma once
// The texts of the dive summary as the dive information page, its printout and the command line
// tool show them, in metric or imperial units.
#include <string>

#include "logfile/CDateTime.h"
#include "viewmodel/ProfileStrings.h"

class CDiveLogInformation;

namespace summary {

// Numbers of the summary's unit words and month names; `lookup` (the current language; empty
// for the built-in English) turns them into text.
enum : int {
    kHoursMinutesFormat = 23900,
    kMillibarFormat = 23901,
    kCelsiusFormat = 23902,
    kFahrenheitFormat = 23903,
    kSetpointFormat = 23904,
    kInvalidDate = 23905,
    kJanuary = 23910, // to 23921, December
};

// Dive date and time of day; empty for a null value, "Invalid" for an invalid one.
std::string FormatDate(const CDateTime& dt, const TextLookup& lookup = {});
std::string FormatTime(const CDateTime& dt);
// "%.1f m", or feet and inches in imperial units.
std::string FormatMaxDepth(double metres, bool metric);
// "%d:%02d hh:mm"; empty below one minute.
std::string FormatHoursMinutes(int minutes, const TextLookup& lookup = {});
// "%.0f mBar".
std::string FormatAtmPressure(double millibar, const TextLookup& lookup = {});
// "%.1f Celcius", or the Fahrenheit value as "%.1f Fahrenheit".
std::string FormatAtmTemperature(double celsius, bool metric, const TextLookup& lookup = {});
// "%.2f Bar".
std::string FormatSetpoint(double bar, const TextLookup& lookup = {});
// "%.0f%%".
std::string FormatPeakPercent(double percent);
// "%.0f": gradient factors and conservatism.
std::string FormatWhole(double value);

// Which of the decompression figures the display's decompression option allows.
struct CDecoVisibility {
    bool gradientFactors = false; // "Trimix"
    bool conservatism = false;    // "Nitrox"
};
CDecoVisibility DecoVisibility(const std::string& decompressionOption);

// Every value text of the summary area.
struct CSummaryTexts {
    std::string date, time, diveTime, maxDepth, diveNumber;
    std::string totalUnitOnTime, totalDiveTime, elapsedOnTime;
    std::string atmPressure, atmTemperature, peakSetpoint, peakCns, peakOtu, surfaceInterval;
    std::string gfLow, gfHigh, conservatism;
    CDecoVisibility deco;
};
CSummaryTexts BuildSummaryTexts(const CDiveLogInformation& info, bool metric,
                                const std::string& decompressionOption,
                                const TextLookup& lookup = {});

} // namespace summary
