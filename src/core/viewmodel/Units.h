#pragma once
// Unit conversions of the display. Values are stored metric; the "Units" setting picks what the
// user sees.
#include <string>

namespace units {
inline constexpr double kFeetPerMetre = 3.28083;
// The ascent rate alone has always been converted with this factor; kept so the numbers match
// what divers are used to.
inline constexpr double kAscentFeetPerMetre = 3.2568;
inline constexpr double kPsiPerBar = 14.50377;

inline double MetresToFeet(double m) {
    return m * kFeetPerMetre;
}
inline double BarToPsi(double bar) {
    return bar * kPsiPerBar;
}
inline double CelsiusToFahrenheit(double c) {
    return c * 1.8 + 32.0;
}
} // namespace units

// "%d' %d\"": whole feet and the inches of the fraction (x 12), both truncated.
std::string FormatFeetInches(double metres);
