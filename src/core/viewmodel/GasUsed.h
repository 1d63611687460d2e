#pragma once
// The arithmetic and texts of the gas management page: mixes, nitrogen, gas used and the unit
// conversions of the cylinder entries. Pressures are kept in bar; entries made in psi are
// converted on the way in.
#include <optional>
#include <string>

namespace gas {

inline constexpr const char* kErrorText = "Error";

// "%.0f", or "Error" outside 0-100 %.
std::string FormatPercent(double percent);
// 100 - (oxygen + helium), truncated to a whole percent.
int NitrogenPercent(double oxygen, double helium);

// Gas used from the start and end pressures (bar): litres in metric units,
// size(cf) / maximum working pressure(psi) x pressure drop(psi) in imperial units. Empty when it
// cannot be worked out: the end pressure is above the start pressure, or (imperial) the
// cylinder has no maximum working pressure to scale by.
std::optional<double> GasUsedLitres(double sizeLitres, double pressureIn, double pressureOut);
std::optional<double> GasUsedCubicFeet(double sizeCubicFeet, double maxPressurePsi,
                                       double pressureIn, double pressureOut);
// "%.1f" or "Error".
std::string FormatGasUsed(const std::optional<double>& used);

double PsiToBar(double psi);
double BarToPsi(double bar);

// A setting keeps sizes and pressures as the value x 100, truncated.
unsigned SettingHundredths(double value);

// Range and step of one spin control.
struct CSpinRange {
    double min;
    double max;
    double step;
    int decimals;
};
CSpinRange CylinderSizeRange(bool metric, bool oxygenRow);
CSpinRange MaxPressureRange(); // psi; the column is shown in imperial units only
CSpinRange PressureRange(bool metric);

} // namespace gas
