#include "sim/CSimDiveModel.h"

#include <algorithm>
#include <cmath>

namespace {
// Sixteen-compartment inert gas model: half-times (minutes) and the M-value coefficients. Helium
// uses its own half-times with the nitrogen coefficients; a plausible ceiling is all we need.
constexpr double kHalfN2[16] = {5.0,   8.0,   12.5,  18.5,  27.0,  38.3,  54.3,  77.0,
                                109.0, 146.0, 187.0, 239.0, 305.0, 390.0, 498.0, 635.0};
constexpr double kHalfHe[16] = {1.88,  3.02,  4.72,  6.99,  10.21,  14.48,  20.53,  29.11,
                                41.20, 55.19, 70.69, 90.34, 115.29, 147.42, 188.24, 240.03};
constexpr double kA[16] = {1.1696, 1.0,  0.8618, 0.7562, 0.62,   0.5043, 0.441, 0.4,
                           0.375,  0.35, 0.3295, 0.3065, 0.2835, 0.261,  0.248, 0.2327};
constexpr double kB[16] = {0.5578, 0.6514, 0.7222, 0.7825, 0.8126, 0.8434, 0.8693, 0.891,
                           0.9092, 0.9222, 0.9319, 0.9403, 0.9477, 0.9544, 0.9602, 0.9653};
constexpr double kWaterVapour = 0.0627;

// Oxygen exposure limits (minutes) by PPO2, for the CNS clock.
double CnsLimitMinutes(double ppo2) {
    constexpr double kP[] = {0.5, 0.6, 0.7, 0.8, 0.9, 1.0, 1.1, 1.2, 1.3, 1.4, 1.5, 1.6};
    constexpr double kL[] = {1e9, 720, 570, 450, 360, 300, 240, 210, 180, 150, 120, 45};
    if (ppo2 <= 0.5)
        return 1e9;
    if (ppo2 >= 1.6)
        return 45.0;
    for (int i = 1; i < 12; ++i) {
        if (ppo2 <= kP[i]) {
            const double f = (ppo2 - kP[i - 1]) / (kP[i] - kP[i - 1]);
            return i == 1 ? 720.0 : kL[i - 1] + f * (kL[i] - kL[i - 1]);
        }
    }
    return 45.0;
}

double RoundTo(double v, double step) {
    return std::floor(v / step + 0.5) * step;
}

int AlignUp(int seconds, int interval) {
    return (seconds + interval - 1) / interval * interval;
}

// The controllers' own voting over three cells, so the measured value written in the FRC
// layout agrees with what the short layout's reader would work out.
double Vote(const std::array<double, 3>& c, unsigned excluded, double setpoint) {
    const bool b0 = excluded & 1, b1 = excluded & 2, b2 = excluded & 4;
    const int n = b0 + b1 + b2;
    if (n == 3)
        return setpoint;
    if (n == 2)
        return !b2 ? c[2] : !b1 ? c[1] : c[0];
    if (n == 1)
        return b2 ? (c[0] + c[1]) / 2 : b1 ? (c[0] + c[2]) / 2 : (c[1] + c[2]) / 2;
    const double d12 = std::fabs(c[0] - c[1]), d13 = std::fabs(c[0] - c[2]),
                 d23 = std::fabs(c[1] - c[2]);
    if (d12 < d13 && d12 < d23)
        return (c[0] + c[1]) / 2;
    if (d12 > d13 && d13 < d23)
        return (c[0] + c[2]) / 2;
    if (d12 > d23 && d13 > d23)
        return (c[1] + c[2]) / 2;
    return c[0];
}
} // namespace

CSimDiveModel::CSimDiveModel(const CSimOptions& options, CSimRandom& random)
    : m_Options(options), m_Random(random) {
    const int interval = std::clamp(options.intervalSeconds, 1, 120);
    m_nDiveStart = AlignUp(options.surfaceBeforeMinutes * 60, interval);
    const int duration =
        std::max(interval, (options.durationSeconds + interval / 2) / interval * interval);
    m_nDiveEnd = m_nDiveStart + duration;
    m_nPowerOff = m_nDiveEnd + AlignUp(options.surfaceAfterMinutes * 60, interval);
    m_nSurfacePressure = 1013 + m_Random.Int(-12, 12);
    m_dMaxDepth = RoundTo(options.maxDepthMetres, 0.01);
    m_dAirTemp = m_Random.Range(16.0, 26.0);
    m_dWaterTemp = m_Random.Range(9.0, 19.0);
    m_nDriftController = m_Random.Int(0, 1);
    m_nDriftCell = m_Random.Int(0, 2);
    // The drifting cell loses 6-14 % of its output over the dive.
    m_dDriftRate = m_Random.Range(0.06, 0.14) / duration;
    for (double& g : m_arCellGain)
        g = 1.0 + m_Random.Range(-0.02, 0.02);

    constexpr int kO2[12] = {21, 18, 10, 32, 50, 100, 21, 21, 21, 21, 21, 21};
    constexpr int kHe[12] = {0, 45, 50, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    std::copy(std::begin(kO2), std::end(kO2), m_arGasO2.begin());
    std::copy(std::begin(kHe), std::end(kHe), m_arGasHe.begin());
    m_State.gasNumber = m_dMaxDepth > 40.0 ? 1 : 0;
    m_State.gasO2 = m_arGasO2[m_State.gasNumber];
    m_State.gasHe = m_arGasHe[m_State.gasNumber];

    for (double& battery : m_arBattery)
        battery = 6.10 + m_Random.Range(0, 0.15);
    m_State.battery = m_arBattery;
    m_State.cylinder.fill(0);
    m_State.cylinder[0] = 190 + m_Random.Int(0, 20);
    m_State.cylinder[1] = 180 + m_Random.Int(0, 20);
    m_nOxygenStart = 185 + m_Random.Int(0, 20);
    m_State.cylinder[12] = m_nOxygenStart;
    m_State.ambientTemp = m_dAirTemp;
    const double surfaceBar = m_nSurfacePressure / 1000.0;
    m_State.tissueN2.fill((surfaceBar - kWaterVapour) * 0.7902);
    m_State.tissueHe.fill(0.0);
    m_State.pressure = m_nSurfacePressure;
    PlanProfile();
}

void CSimDiveModel::PlanProfile() {
    const double D = m_dMaxDepth;
    const double total = m_nDiveEnd - m_nDiveStart;
    const double interval = std::clamp(m_Options.intervalSeconds, 1, 120);
    double descent = D / 0.3;
    double stop6 = D > 20.0 ? 120.0 : 0.0;
    double stop3 = D > 4.0 ? 180.0 : 0.0;
    const double to6 = D > 9.0 ? (D - 6.0) / 0.15 : 0.0;
    const double to3 = D > 9.0 ? 20.0 : std::max(0.0, D - 3.0) / 0.15;
    const double toSurface = std::min(D, 3.0) / 0.1;
    double travel = descent + to6 + to3 + toSurface;
    double bottom = total - travel - stop6 - stop3;
    if (bottom < 0) {
        stop6 = 0;
        bottom = total - travel - stop3;
    }
    if (bottom < 0) {
        stop3 = std::max(0.0, stop3 + bottom);
        bottom = total - travel - stop3;
    }
    double scale = 1.0;
    if (bottom < 0) {
        scale = total / travel;
        bottom = 0;
        stop3 = 0;
    }
    // The deepest point falls on a sample so the log holds the maximum depth exactly.
    double reach = std::ceil(descent * scale / interval) * interval;
    if (reach > total)
        reach = total;
    const double rest = total - reach;
    const double plannedRest = (to6 + to3 + toSurface) * scale + stop6 + stop3 + bottom;
    const double k = plannedRest > 0 ? rest / plannedRest : 0.0;
    double t = 0;
    auto key = [&](double dt, double depth) {
        t += dt;
        m_arKeyTime[m_nKeys] = t;
        m_arKeyDepth[m_nKeys] = depth;
        ++m_nKeys;
    };
    key(0, 0);
    key(reach, D);
    key(bottom * k, D);
    if (D > 9.0) {
        key(to6 * scale * k, 6.0);
        key(stop6 * k, 6.0);
    }
    key(to3 * scale * k, std::min(D, 3.0));
    key(stop3 * k, std::min(D, 3.0));
    m_arKeyTime[m_nKeys] = total;
    m_arKeyDepth[m_nKeys] = 0.0;
    ++m_nKeys;
    m_nBottomStart = m_nDiveStart + static_cast<int>(reach);
}

double CSimDiveModel::PlannedDepth(int t) const {
    const double rel = t - m_nDiveStart;
    if (rel <= 0 || t >= m_nDiveEnd)
        return 0.0;
    double depth = 0.0;
    for (int i = 1; i < m_nKeys; ++i) {
        if (rel <= m_arKeyTime[i]) {
            const double span = m_arKeyTime[i] - m_arKeyTime[i - 1];
            const double f = span > 0 ? (rel - m_arKeyTime[i - 1]) / span : 1.0;
            depth = m_arKeyDepth[i - 1] + f * (m_arKeyDepth[i] - m_arKeyDepth[i - 1]);
            break;
        }
    }
    // A slow swell of the bottom phase, never deeper than the planned maximum.
    if (t > m_nBottomStart && rel <= m_arKeyTime[2])
        depth -= 0.2 * (1.0 - std::cos(2.0 * 3.141592653589793 * (t - m_nBottomStart) / 150.0));
    return std::clamp(RoundTo(depth, 0.01), 0.0, m_dMaxDepth);
}

bool CSimDiveModel::AlarmActive(ESimAlarm alarm, int t) const {
    if (t < m_nDiveStart || t > m_nDiveEnd)
        return false;
    const int rel = t - m_nDiveStart;
    for (const CSimAlarm& a : m_Options.alarms) {
        if (a.alarm == alarm && rel >= a.startSeconds && rel < a.startSeconds + a.durationSeconds)
            return true;
    }
    return false;
}

void CSimDiveModel::Step(int t) {
    CSimState& s = m_State;
    s.time = t;
    s.inDive = t >= m_nDiveStart && t <= m_nDiveEnd;
    const int previousPressure = s.pressure;
    s.depth = PlannedDepth(t);
    s.pressure = m_nSurfacePressure + static_cast<int>(std::lround(s.depth * 100.0));
    s.maxDepth = std::max(s.maxDepth, s.depth);
    if (previousPressure > 0 && s.pressure != previousPressure)
        s.loop *= static_cast<double>(s.pressure) / previousPressure;
    StepLoop(t);
    StepCells(t);
    StepEnvironment(t);
    StepTissues();
    StepToxicity();
    StepStatus(t);
}

void CSimDiveModel::StepLoop(int t) {
    CSimState& s = m_State;
    if (s.inDive && s.depth >= 10.0)
        m_bHighSetpoint = true;
    if (!s.inDive || (t > m_nBottomStart && s.depth < 2.0))
        m_bHighSetpoint = false;
    s.setpoint = m_bHighSetpoint ? 1.3 : 0.7;
    const double ambient = s.pressure / 1000.0;
    const bool low =
        AlarmActive(ESimAlarm::C1LowOxygen, t) || AlarmActive(ESimAlarm::C2LowOxygen, t);
    const bool high =
        AlarmActive(ESimAlarm::C1HighOxygen, t) || AlarmActive(ESimAlarm::C2HighOxygen, t);
    s.fired = {false, false};
    s.loop -= 0.004;               // metabolism
    if (s.loop > s.setpoint + 0.1) // the diver adds diluent after a compression spike
        s.loop -= (s.loop - s.setpoint) * 0.1;
    if (low) {
        s.loop += (0.38 - s.loop) * 0.1;
    } else if (high) {
        s.loop += (1.65 - s.loop) * 0.1;
    } else if (s.loop < s.setpoint - 0.01 && m_Random.Uniform() < 0.5) {
        s.fired[0] = true;
        s.loop += 0.035;
        m_dO2Used += 0.06;
    } else if (s.loop < s.setpoint - 0.06 && m_Random.Uniform() < 0.3) {
        s.fired[1] = true; // the second controller helps when the first falls behind
        s.loop += 0.035;
        m_dO2Used += 0.06;
    }
    s.loop = std::clamp(s.loop + m_Random.Noise(0.003), 0.16, std::max(0.21, ambient - 0.05));
    if (s.inDive && s.pressure > m_nSurfacePressure)
        m_dDilUsed += 0.0006 * ambient;
    s.cylinder[12] = std::max(0, m_nOxygenStart - static_cast<int>(m_dO2Used));
    s.cylinder[s.gasNumber] = std::max(0, s.cylinder[s.gasNumber] - (m_dDilUsed >= 1.0 ? 1 : 0));
    if (m_dDilUsed >= 1.0)
        m_dDilUsed -= 1.0;
}

void CSimDiveModel::StepCells(int t) {
    CSimState& s = m_State;
    const double drift = s.inDive || t > m_nDiveEnd
                             ? 1.0 - m_dDriftRate * (std::min(t, m_nDiveEnd) - m_nDiveStart)
                             : 1.0;
    for (int c = 0; c < 2; ++c) {
        std::array<double, 3>& cells = c == 0 ? s.c1Cell : s.c2Cell;
        for (int i = 0; i < 3; ++i) {
            double gain = m_arCellGain[c * 3 + i];
            if (c == m_nDriftController && i == m_nDriftCell)
                gain *= drift;
            cells[i] = std::clamp(RoundTo(s.loop * gain + m_Random.Noise(0.005), 0.01), 0.0, 2.55);
        }
    }
    s.c1Measured = RoundTo(Vote(s.c1Cell, 0, s.setpoint), 0.01);
    s.c2Measured = RoundTo(Vote(s.c2Cell, 0, s.setpoint), 0.01);
    // Batteries fall slowly while the unit is on.
    for (double& battery : m_arBattery)
        battery -= 0.08 / 3600.0;
    for (int i = 0; i < 4; ++i)
        s.battery[i] = m_arBattery[i];
}

void CSimDiveModel::StepEnvironment(int t) {
    CSimState& s = m_State;
    const double target =
        s.inDive && s.depth > 0.5 ? m_dWaterTemp - std::min(6.0, s.depth * 0.15) : m_dAirTemp;
    s.ambientTemp += (target - s.ambientTemp) / 90.0;
    // The warm reaction front moves down the scrubber through the nine probes.
    const double dive = m_nDiveEnd - m_nDiveStart;
    for (int k = 0; k < 9; ++k) {
        const double start = m_nDiveStart + dive * k / 12.0;
        const double end = start + dive * 0.5 + 600.0;
        double heat = 0.0;
        if (t > start) {
            heat = 16.0 * (1.0 - std::exp(-(std::min<double>(t, end) - start) / 300.0));
            if (t > end)
                heat *= std::exp(-(t - end) / 900.0);
        }
        s.probeTemp[k] = std::clamp(s.ambientTemp + heat - 0.5 * k, 0.0, 63.75);
    }
    const double used = t > m_nDiveStart ? std::min(1.0, (t - m_nDiveStart) / (dive + 1.0)) : 0.0;
    s.ppco2 = std::clamp(0.4 + 0.8 * used + m_Random.Noise(0.05), 0.0, 25.5);
    s.co2Temp = s.ambientTemp + 4.0;
    s.co2Ppm = 400.0 + 600.0 * used;
}

void CSimDiveModel::StepTissues() {
    CSimState& s = m_State;
    static const auto kFactors = [] {
        std::array<double, 32> f{};
        for (int i = 0; i < 16; ++i) {
            f[i] = 1.0 - std::exp2(-1.0 / (60.0 * kHalfN2[i]));
            f[16 + i] = 1.0 - std::exp2(-1.0 / (60.0 * kHalfHe[i]));
        }
        return f;
    }();
    const double ambient = s.pressure / 1000.0;
    const double inert = std::max(0.0, ambient - kWaterVapour - s.loop);
    const double n2 = 100.0 - s.gasO2 - s.gasHe;
    const double inertTotal = n2 + s.gasHe;
    const double fN2 = inertTotal > 0 ? n2 / inertTotal : 1.0;
    const double gfLow = m_Options.gfLow / 100.0;
    const double gfHigh = m_Options.gfHigh / 100.0;
    const double surface = m_nSurfacePressure / 1000.0;
    double ceiling = 0.0, gf = 0.0, ndl = 99.0;
    for (int i = 0; i < 16; ++i) {
        s.tissueN2[i] += (inert * fN2 - s.tissueN2[i]) * kFactors[i];
        s.tissueHe[i] += (inert * (1.0 - fN2) - s.tissueHe[i]) * kFactors[16 + i];
        const double p = s.tissueN2[i] + s.tissueHe[i];
        ceiling = std::max(ceiling, (p - kA[i] * gfLow) / (gfLow / kB[i] + 1.0 - gfLow));
        const double m = kA[i] + ambient / kB[i];
        if (m > ambient)
            gf = std::max(gf, (p - ambient) / (m - ambient));
        // Minutes until this compartment would stop a direct ascent.
        const double limit = kA[i] * gfHigh + surface * (gfHigh / kB[i] + 1.0 - gfHigh);
        if (p >= limit) {
            ndl = 0.0;
        } else if (inert > limit) {
            const double ratio = (inert - limit) / (inert - p);
            ndl = std::min(ndl, -kHalfN2[i] * std::log2(ratio));
        }
    }
    s.ceilingPressure = std::max(ceiling * 1000.0, static_cast<double>(m_nSurfacePressure));
    s.gradientFactor = std::max(0.0, gf);
    s.noDecoLimit = static_cast<int>(std::clamp(ndl, 0.0, 99.0));
    const double ceilingDepth = (s.ceilingPressure - m_nSurfacePressure) / 100.0;
    s.timeToSurface = static_cast<int>(std::ceil(s.depth / 9.0 + ceilingDepth / 1.5));
}

void CSimDiveModel::StepToxicity() {
    CSimState& s = m_State;
    const double p = s.loop;
    if (p > 0.5) {
        s.cns += 100.0 / (CnsLimitMinutes(p) * 60.0);
        s.otu += std::pow((p - 0.5) / 0.5, 0.83) / 60.0;
    } else {
        s.cns *= std::exp2(-1.0 / (90.0 * 60.0));
    }
    s.cns = std::min(s.cns, 255.0);
    s.otu = std::min(s.otu, 255.0);
}

void CSimDiveModel::StepStatus(int t) {
    CSimState& s = m_State;
    const bool level3 = SimVersionNumber(m_Options) >= 3009022;
    const bool level4 = SimVersionNumber(m_Options) >= 3009036;
    s.status.fill(0);
    s.status[0] = 0x01 | (s.inDive ? 0x14 : 0x00);
    s.status[1] = level3 && m_bHighSetpoint ? 0x20 : 0x00;
    s.status[2] = 0x01;
    s.status[3] = 0x20 | (s.inDive ? 0x40 : 0x00);
    s.status[4] = 0x01;
    s.status[5] = 0x10 | (s.inDive ? 0x40 : 0x00);
    s.c1Status = s.c2Status = s.cellStatusExtra = s.statusExt = 0;
    auto on = [&](ESimAlarm a) { return AlarmActive(a, t); };
    const unsigned controllerBits[4] = {0x10, 0x20, 0x40, 0x80};
    for (int i = 0; i < 4; ++i) {
        if (on(static_cast<ESimAlarm>(i)))
            s.c1Status |= controllerBits[i];
        if (on(static_cast<ESimAlarm>(4 + i)))
            s.c2Status |= controllerBits[i];
    }
    if (on(ESimAlarm::C1LowBattery))
        s.battery[0] = std::min(s.battery[0], 5.2);
    if (on(ESimAlarm::C2LowBattery))
        s.battery[2] = std::min(s.battery[2], 5.2);
    if (on(ESimAlarm::FastAscent))
        s.cellStatusExtra |= 0x01;
    if (on(ESimAlarm::CeilingViolation))
        s.cellStatusExtra |= 0x02;
    if (on(ESimAlarm::CnsExposure))
        s.cellStatusExtra |= 0x04;
    if (on(ESimAlarm::OtuExposure))
        s.cellStatusExtra |= 0x08;
    if (on(ESimAlarm::Scrubber1stWarning))
        s.cellStatusExtra |= 0x10;
    if (on(ESimAlarm::DiveStart))
        s.cellStatusExtra |= 0x20;
    if (on(ESimAlarm::Co2FirstWarning))
        s.cellStatusExtra |= 0x40;
    if (on(ESimAlarm::Scrubber2ndWarning)) {
        if (level4)
            s.statusExt |= 0x10;
        else
            s.cellStatusExtra |= 0x40; // older units report it with the CO2 warning bit
    }
    if (on(ESimAlarm::Co2SecondWarning))
        s.statusExt |= 0x20;
}
