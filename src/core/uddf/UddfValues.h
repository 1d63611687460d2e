#pragma once
// The units of the exchange format and the number texts written for them. The log keeps bar,
// mbar, degrees Celsius, litres and percent; the format wants pascal, kelvin, cubic metres and
// fractions.
#include <optional>
#include <string>
#include <string_view>

#include "logfile/CDateTime.h"

namespace uddf {

inline constexpr double kPascalPerBar = 100000.0;
inline constexpr double kPascalPerMillibar = 100.0;
inline constexpr double kKelvinAtZeroCelsius = 273.15;
inline constexpr double kCubicMetresPerLitre = 0.001;
inline constexpr double kMetresPerFoot = 0.3048;

inline double BarToPascal(double bar) {
    return bar * kPascalPerBar;
}
inline double MillibarToPascal(double mbar) {
    return mbar * kPascalPerMillibar;
}
inline double CelsiusToKelvin(double celsius) {
    return celsius + kKelvinAtZeroCelsius;
}
inline double LitresToCubicMetres(double litres) {
    return litres * kCubicMetresPerLitre;
}
inline double PercentToFraction(double percent) {
    return percent / 100.0;
}

// Digits after the point each kind of value is written with; trailing zeros are dropped.
enum Decimals : int {
    kPascalDecimals = 0,
    kDepthDecimals = 2,
    kTimeDecimals = 3,
    kKelvinDecimals = 2,
    kFractionDecimals = 4,
    kVolumeDecimals = 6,
    kDegreeDecimals = 6,
    kOtuDecimals = 2,
};

// Fixed notation rounded to `decimals`, without trailing zeros ("298.95", "19300000", "0.003");
// empty for a value that is not finite.
std::string FormatNumber(double value, int decimals);

// "YYYY-MM-DDThh:mm:ss" as xs:dateTime wants it; empty for a date-time that is not valid.
std::string FormatDateTime(const CDateTime& dt);

// A visibility the diver typed ("12 m", "8", "30 ft", "15,5m") in metres; empty when the text
// does not begin with a number.
std::optional<double> ParseVisibilityMetres(std::string_view text);

// The dive time text of the summary ("45:00 mm:ss", "1:00:30 hh:mm:ss") in seconds; empty for
// any other text.
std::optional<long long> ParseDiveTimeText(std::string_view text);

} // namespace uddf
