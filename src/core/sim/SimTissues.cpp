#include "sim/SimTissues.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kHalfN2[16] = {5.0,   8.0,   12.5,  18.5,  27.0,  38.3,  54.3,  77.0,
                                109.0, 146.0, 187.0, 239.0, 305.0, 390.0, 498.0, 635.0};
constexpr double kHalfHe[16] = {1.88,  3.02,  4.72,  6.99,  10.21,  14.48,  20.53,  29.11,
                                41.20, 55.19, 70.69, 90.34, 115.29, 147.42, 188.24, 240.03};
// M-value coefficients; helium shares the nitrogen ones, close enough for a simulation.
constexpr double kA[16] = {1.1696, 1.0,  0.8618, 0.7562, 0.62,   0.5043, 0.441, 0.4,
                           0.375,  0.35, 0.3295, 0.3065, 0.2835, 0.261,  0.248, 0.2327};
constexpr double kB[16] = {0.5578, 0.6514, 0.7222, 0.7825, 0.8126, 0.8434, 0.8693, 0.891,
                           0.9092, 0.9222, 0.9319, 0.9403, 0.9477, 0.9544, 0.9602, 0.9653};

const std::array<double, 32>& Factors() {
    static const std::array<double, 32> factors = [] {
        std::array<double, 32> f{};
        for (int i = 0; i < 16; ++i) {
            f[i] = 1.0 - std::exp2(-1.0 / (60.0 * kHalfN2[i]));
            f[16 + i] = 1.0 - std::exp2(-1.0 / (60.0 * kHalfHe[i]));
        }
        return f;
    }();
    return factors;
}
} // namespace

void CSimTissues::Reset(double surfaceBar) {
    m_arN2.fill((surfaceBar - kWaterVapour) * 0.7902);
    m_arHe.fill(0.0);
}

void CSimTissues::Step(double ambientBar, double ppo2, double fN2) {
    const std::array<double, 32>& f = Factors();
    const double inert = std::max(0.0, ambientBar - kWaterVapour - ppo2);
    const double n2 = inert * fN2, he = inert - n2;
    for (int i = 0; i < 16; ++i) {
        m_arN2[i] += (n2 - m_arN2[i]) * f[i];
        m_arHe[i] += (he - m_arHe[i]) * f[16 + i];
    }
}

double CSimTissues::CeilingBar(double gf) const {
    double ceiling = 0.0;
    for (int i = 0; i < 16; ++i) {
        const double p = m_arN2[i] + m_arHe[i];
        ceiling = std::max(ceiling, (p - kA[i] * gf) / (gf / kB[i] + 1.0 - gf));
    }
    return ceiling;
}

double CSimTissues::CurrentGradient(double ambientBar) const {
    double gradient = 0.0;
    for (int i = 0; i < 16; ++i) {
        const double m = kA[i] + ambientBar / kB[i];
        if (m > ambientBar)
            gradient = std::max(gradient, (m_arN2[i] + m_arHe[i] - ambientBar) / (m - ambientBar));
    }
    return gradient;
}

double CSimTissues::NoDecoMinutes(double inertBar, double surfaceBar, double gf) const {
    double minutes = 99.0;
    for (int i = 0; i < 16; ++i) {
        const double p = m_arN2[i] + m_arHe[i];
        const double limit = kA[i] * gf + surfaceBar * (gf / kB[i] + 1.0 - gf);
        if (p >= limit)
            return 0.0;
        if (inertBar > limit)
            minutes =
                std::min(minutes, -kHalfN2[i] * std::log2((inertBar - limit) / (inertBar - p)));
    }
    return std::clamp(minutes, 0.0, 99.0);
}
