#include "viewmodel/GasUsed.h"

#include <cmath>
#include <cstdio>

#include "viewmodel/Units.h"

namespace gas {

namespace {
std::string Format(const char* format, double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}
} // namespace

std::string FormatPercent(double percent) {
    if (!(percent >= 0.0 && percent <= 100.0))
        return kErrorText;
    return Format("%.0f", percent);
}

int NitrogenPercent(double oxygen, double helium) {
    return static_cast<int>(100.0 - (oxygen + helium));
}

std::optional<double> GasUsedLitres(double sizeLitres, double pressureIn, double pressureOut) {
    if (pressureOut > pressureIn)
        return std::nullopt;
    return (pressureIn - pressureOut) * sizeLitres;
}

std::optional<double> GasUsedCubicFeet(double sizeCubicFeet, double maxPressurePsi,
                                       double pressureIn, double pressureOut) {
    if (pressureOut > pressureIn)
        return std::nullopt;
    // A zero working pressure would print "inf" or "nan"; there is no sensible figure to show.
    if (!(maxPressurePsi > 0.0))
        return std::nullopt;
    return sizeCubicFeet / maxPressurePsi * (pressureIn - pressureOut) * units::kPsiPerBar;
}

std::string FormatGasUsed(const std::optional<double>& used) {
    if (!used || !std::isfinite(*used))
        return kErrorText;
    return Format("%.1f", *used);
}

double PsiToBar(double psi) {
    return psi / units::kPsiPerBar;
}

double BarToPsi(double bar) {
    return units::BarToPsi(bar);
}

unsigned SettingHundredths(double value) {
    // A hair above the product, so that 1.15 (114.999... in binary) keeps its last hundredth.
    const double raw = value * 100.0 + 1e-6;
    if (!(raw > 0.0))
        return 0;
    if (raw >= 4294967295.0)
        return 0xFFFFFFFFu;
    return static_cast<unsigned>(raw);
}

CSpinRange CylinderSizeRange(bool metric, bool oxygenRow) {
    if (metric)
        return {0.0, 50.0, 0.5, 2};
    // The small oxygen bottle is sized in whole cubic feet; diluents come in half steps.
    return {0.0, 450.0, oxygenRow ? 1.0 : 0.5, 2};
}

CSpinRange MaxPressureRange() {
    return {0.0, 5800.0, 10.0, 0};
}

CSpinRange PressureRange(bool metric) {
    if (metric)
        return {0.0, 400.0, 1.0, 1};
    return {0.0, 5800.0, 10.0, 0};
}

} // namespace gas
