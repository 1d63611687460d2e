#pragma once
// Sixteen-compartment inert gas loading with gradient factors: enough of a decompression model
// for the simulator to give its dives a plausible ceiling and to plan stops that respect it.
#include <array>

class CSimTissues {
public:
    static constexpr double kWaterVapour = 0.0627; // bar

    // Saturated at the surface on air.
    void Reset(double surfaceBar);
    // One second breathing the loop at `ambientBar` with oxygen at `ppo2`; fN2 is the nitrogen
    // share of the diluent's inert gas.
    void Step(double ambientBar, double ppo2, double fN2);
    // Shallowest tolerated ambient pressure (bar) at gradient factor gf (fraction).
    double CeilingBar(double gf) const;
    // How close the leading compartment is to its M-value at this ambient pressure (0 while
    // on-gassing).
    double CurrentGradient(double ambientBar) const;
    // Minutes before a direct ascent to `surfaceBar` would break gradient factor gf, breathing
    // inert gas at `inertBar`; capped at 99.
    double NoDecoMinutes(double inertBar, double surfaceBar, double gf) const;

    const std::array<double, 16>& Nitrogen() const { return m_arN2; }
    const std::array<double, 16>& Helium() const { return m_arHe; }

private:
    std::array<double, 16> m_arN2{}, m_arHe{};
};
