#include "sim/CSimDiveModel.h"

#include "logfile/CellVoting.h"
#include "sim/SimProfile.h"

#include <algorithm>
#include <cmath>

namespace {
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

} // namespace

CSimDiveModel::CSimDiveModel(const CSimOptions& options, CSimRandom& random)
    : m_Options(options), m_Random(random) {
    const int interval = std::clamp(options.intervalSeconds, 1, 120);
    m_nDiveStart = AlignUp(options.surfaceBeforeMinutes * 60, interval);
    const int duration =
        std::max(interval, (options.durationSeconds + interval / 2) / interval * interval);
    m_nDiveEnd = m_nDiveStart + duration;
    m_nPowerOff = m_nDiveEnd + AlignUp(options.surfaceAfterMinutes * 60, interval);
    m_arPeriods.push_back({0, m_nPowerOff});
    for (int k = 0; k < options.powerCycles; ++k) {
        const int on = m_arPeriods.back().off + AlignUp(600, interval);
        m_arPeriods.push_back({on, on + AlignUp(120, interval)});
    }
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
    m_Tissues.Reset(surfaceBar);
    m_State.tissueN2 = m_Tissues.Nitrogen();
    m_State.tissueHe = m_Tissues.Helium();
    m_State.pressure = m_nSurfacePressure;
    PlanProfile();
}

void CSimDiveModel::PlanProfile() {
    const int interval = std::clamp(m_Options.intervalSeconds, 1, 120);
    CSimProfileInput in;
    in.maxDepth = m_dMaxDepth;
    in.duration = m_nDiveEnd - m_nDiveStart;
    // The deepest point falls on a sample so the log holds the maximum depth exactly.
    in.reach = static_cast<int>(std::ceil(m_dMaxDepth / 0.3 / interval)) * interval;
    in.surfaceBar = m_nSurfacePressure / 1000.0;
    in.gfLow = m_Options.gfLow / 100.0;
    in.gfHigh = m_Options.gfHigh / 100.0;
    in.fN2 = InertNitrogenShare();
    const CSimProfile plan = PlanDiveProfile(in);
    m_arDepth = plan.depth;
    m_dFirstStop = plan.firstStop;
    m_nBottomStart = m_nDiveStart + std::min(in.reach, in.duration);
    m_nAscentStart = m_nDiveStart + plan.bottomEnd;
    // A slow swell on the bottom, never deeper than the planned maximum.
    for (int t = in.reach + 1; t < plan.bottomEnd && t < static_cast<int>(m_arDepth.size()); ++t)
        m_arDepth[t] -= 0.2 * (1.0 - std::cos(2.0 * 3.141592653589793 * (t - in.reach) / 150.0));
    for (double& d : m_arDepth)
        d = std::clamp(RoundTo(d, 0.01), 0.0, m_dMaxDepth);
}

double CSimDiveModel::InertNitrogenShare() const {
    const double n2 = 100.0 - m_State.gasO2 - m_State.gasHe;
    return n2 + m_State.gasHe > 0 ? n2 / (n2 + m_State.gasHe) : 1.0;
}

double CSimDiveModel::PlannedDepth(int t) const {
    const int rel = t - m_nDiveStart;
    if (rel <= 0 || t >= m_nDiveEnd || rel >= static_cast<int>(m_arDepth.size()))
        return 0.0;
    return m_arDepth[rel];
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
    // While the unit is switched off nothing fires and the diver is off the loop.
    bool powered = false;
    for (const CPeriod& p : m_arPeriods)
        powered = powered || (t >= p.on && t <= p.off);
    if (!powered)
        return;
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
    s.c1Measured = RoundTo(VoteCells(s.c1Cell.data(), 0, s.setpoint), 0.01);
    s.c2Measured = RoundTo(VoteCells(s.c2Cell.data(), 0, s.setpoint), 0.01);
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
    const double ambient = s.pressure / 1000.0;
    const double surface = m_nSurfacePressure / 1000.0;
    m_Tissues.Step(ambient, s.loop, InertNitrogenShare());
    s.tissueN2 = m_Tissues.Nitrogen();
    s.tissueHe = m_Tissues.Helium();
    const double gfLow = m_Options.gfLow / 100.0, gfHigh = m_Options.gfHigh / 100.0;
    // Until the ascent starts the ceiling is shown at the low gradient factor, as the first stop
    // is worked out with it; on the way up it relaxes towards the high one.
    const double gf = s.time < m_nAscentStart || !s.inDive
                          ? gfLow
                          : GradientFactorAt(s.depth, m_dFirstStop, gfLow, gfHigh);
    s.ceilingPressure = std::max(m_Tissues.CeilingBar(gf) * 1000.0, double(m_nSurfacePressure));
    s.gradientFactor = m_Tissues.CurrentGradient(ambient);
    const double inert = std::max(0.0, ambient - CSimTissues::kWaterVapour - s.loop);
    s.noDecoLimit = static_cast<int>(m_Tissues.NoDecoMinutes(inert, surface, gfHigh));
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
