#pragma once
// One look over the samples of a dive before anything is written: which samples form the dive,
// and from which sample on each channel carries a value the unit really logged. A sample made
// before the first record of a kind holds that kind's initial zero, which the export must not
// pass off as a measurement; so a channel starts at its first non-zero value and a channel that
// never leaves zero is left out altogether.
#include <array>
#include <cstddef>
#include <vector>

class CDiveLog;
class CDiveLogSample;

namespace uddf {

// Every sample read by the export goes through this, so the way samples are stored can change
// in one place.
const CDiveLogSample& SampleAt(const CDiveLog& log, std::size_t index);

// The controller whose loop reading counts as the breathed loop: 1 or 2, by the master-mode
// bits, controller 1 when neither says so (as the display shows it).
int MasterController(const CDiveLogSample& sample);
// The diluent (1-12) the sample's mix matches in the gas table, or by the logged gas number;
// 0 when neither tells.
int BreathedDiluent(const CDiveLog& log, const CDiveLogSample& sample);

struct CUddfDiveScan {
    static constexpr std::size_t kNever = static_cast<std::size_t>(-1);
    // Sample cylinders: 0-11 diluents 1-12, 12 the oxygen cylinder.
    static constexpr int kSampleCylinders = 13;

    // Indices of the samples from the dive start to the dive end, in order.
    std::vector<std::size_t> m_arWindow;
    // Position in m_arWindow from which each channel is written; kNever when it never is.
    std::size_t m_nCns = kNever;
    std::size_t m_nOtu = kNever;
    std::size_t m_nSetpoint = kNever;
    std::size_t m_nTemperature = kNever;
    std::size_t m_nGradientFactor = kNever;
    std::size_t m_nLoopPPO2 = kNever;
    std::array<std::size_t, 2> m_nCells{kNever, kNever}; // controller 1, controller 2
    std::array<std::size_t, kSampleCylinders> m_nCylinder{};
    // Diluents 1-12 breathed during the dive (index 0 unused).
    std::array<bool, 13> m_bDiluentBreathed{};

    bool Logs(std::size_t channelStart, std::size_t position) const {
        return channelStart != kNever && position >= channelStart;
    }
};

CUddfDiveScan ScanDive(const CDiveLog& log);

} // namespace uddf
