#pragma once
// The physics of a simulated dive, stepped one second at a time: the depth profile (descent,
// bottom, ascent with stops), the oxygen loop with its cells and solenoids, batteries,
// temperatures, oxygen toxicity, a tissue model for the ceiling, cylinders, and the chosen
// alarms. The record writers only format what this holds.
#include <array>
#include <vector>

#include "sim/SimOptions.h"
#include "sim/SimRandom.h"
#include "sim/SimTissues.h"

struct CSimState {
    int time = 0; // seconds since power-on
    bool inDive = false;
    double depth = 0.0;  // metres, to the centimetre
    int pressure = 1013; // mbar
    double setpoint = 0.7;
    double loop = 0.7; // the true PPO2 of the loop
    std::array<double, 3> c1Cell{}, c2Cell{};
    double c1Measured = 0.0, c2Measured = 0.0;
    unsigned c1Status = 0, c2Status = 0, cellStatusExtra = 0, statusExt = 0;
    std::array<unsigned, 10> status{};
    std::array<double, 4> battery{};
    double ambientTemp = 20.0;
    std::array<double, 9> probeTemp{};
    double cns = 0.0, otu = 0.0, ppco2 = 0.5;
    double ceilingPressure = 0.0;            // mbar, absolute
    double gradientFactor = 0.0;             // fraction
    int timeToSurface = 0, noDecoLimit = 99; // minutes
    double maxDepth = 0.0;
    std::array<int, 13> cylinder{}; // bar; entry 12 oxygen
    std::array<bool, 2> fired{};
    std::array<double, 16> tissueN2{}, tissueHe{};
    int gasNumber = 0, gasO2 = 21, gasHe = 0;
    double co2Temp = 20.0, co2Ppm = 400.0;
};

class CSimDiveModel {
public:
    CSimDiveModel(const CSimOptions& options, CSimRandom& random);

    // Advances to second t; the first call is Step(0), then t + 1 each time.
    void Step(int t);
    const CSimState& State() const { return m_State; }

    int DiveStart() const { return m_nDiveStart; }
    int DiveEnd() const { return m_nDiveEnd; }
    // The first power-off, after the dive.
    int PowerOff() const { return m_nPowerOff; }
    // Every stretch the unit was switched on, [on, off] in seconds, the first from 0.
    struct CPeriod {
        int on;
        int off;
    };
    const std::vector<CPeriod>& PowerPeriods() const { return m_arPeriods; }
    int LogEnd() const { return m_arPeriods.back().off; }
    int SurfacePressure() const { return m_nSurfacePressure; }
    double MaxDepth() const { return m_dMaxDepth; }
    // Depth of the planned profile at t seconds after power-on.
    double PlannedDepth(int t) const;
    bool AlarmActive(ESimAlarm alarm, int t) const;
    // The gas table: oxygen and helium percentages of diluents 1-12.
    const std::array<int, 12>& GasO2() const { return m_arGasO2; }
    const std::array<int, 12>& GasHe() const { return m_arGasHe; }

private:
    void PlanProfile();
    void StepLoop(int t);
    void StepCells(int t);
    void StepEnvironment(int t);
    void StepTissues();
    void StepToxicity();
    void StepStatus(int t);

    const CSimOptions& m_Options;
    CSimRandom& m_Random;
    CSimState m_State;
    int m_nDiveStart = 0, m_nDiveEnd = 0, m_nPowerOff = 0;
    int m_nSurfacePressure = 1013;
    std::vector<CPeriod> m_arPeriods;
    double m_dMaxDepth = 0.0;
    double InertNitrogenShare() const;

    std::vector<double> m_arDepth; // metres, per second after the dive start
    double m_dFirstStop = 0.0;
    int m_nBottomStart = 0, m_nAscentStart = 0;
    CSimTissues m_Tissues;
    int m_nDriftController = 0, m_nDriftCell = 0;
    double m_dDriftRate = 0.0;
    std::array<double, 6> m_arCellGain{};
    double m_dAirTemp = 20.0, m_dWaterTemp = 15.0;
    std::array<int, 12> m_arGasO2{}, m_arGasHe{};
    bool m_bHighSetpoint = false;
    double m_dO2Used = 0.0, m_dDilUsed = 0.0;
    int m_nOxygenStart = 0;
    std::array<double, 4> m_arBattery{};
};
