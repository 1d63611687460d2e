#include "uddf/CUddfDiveScan.h"

#include <cmath>

#include "logfile/CDiveLog.h"
#include "logfile/CDiveLogSample.h"
#include "viewmodel/DataRows.h"

namespace uddf {

namespace {

void Mark(std::size_t& start, std::size_t position, double value) {
    if (start == CUddfDiveScan::kNever && value != 0.0 && std::isfinite(value))
        start = position;
}

} // namespace

const CDiveLogSample& SampleAt(const CDiveLog& log, std::size_t index) {
    return *log.m_arSamples[index];
}

int MasterController(const CDiveLogSample& sample) {
    constexpr unsigned char kMasterMode = 0x20;
    const bool c1 = (sample.m_byStatus[3] & kMasterMode) != 0;
    const bool c2 = (sample.m_byStatus[5] & kMasterMode) != 0;
    return c1 || !c2 ? 1 : 2;
}

int BreathedDiluent(const CDiveLog& log, const CDiveLogSample& sample) {
    const CDiveLogGasManagement& gases = log.m_GasManagement;
    // A sample without any mix logged has 0/0, which no real diluent is.
    if (sample.m_dGasO2 > 0.0) {
        const int o2 = static_cast<int>(std::lround(sample.m_dGasO2));
        const int he = static_cast<int>(std::lround(sample.m_dGasHe));
        for (int n = 0; n < CDiveLogGasManagement::kDiluents; ++n) {
            if (gases.m_nDiluentO2[static_cast<size_t>(n)] == o2 &&
                gases.m_nDiluentHe[static_cast<size_t>(n)] == he)
                return n + 1;
        }
    }
    const int number = sample.GetGasNumber();
    return number >= 0 && number < CDiveLogGasManagement::kDiluents ? number + 1 : 0;
}

CUddfDiveScan ScanDive(const CDiveLog& log) {
    CUddfDiveScan scan;
    scan.m_nCylinder.fill(CUddfDiveScan::kNever);
    scan.m_arWindow = DataSampleIndices(log);
    for (std::size_t pos = 0; pos < scan.m_arWindow.size(); ++pos) {
        const CDiveLogSample& s = SampleAt(log, scan.m_arWindow[pos]);
        Mark(scan.m_nCns, pos, s.m_dCNS);
        Mark(scan.m_nOtu, pos, s.m_dOTU);
        Mark(scan.m_nSetpoint, pos, s.m_dSetpoint);
        Mark(scan.m_nTemperature, pos, s.m_dAmbientTemp);
        Mark(scan.m_nGradientFactor, pos, s.m_fGradientFactor);
        Mark(scan.m_nLoopPPO2, pos, MasterController(s) == 1 ? s.m_dC1Measured : s.m_dC2Measured);
        for (int cell = 0; cell < 3; ++cell) {
            Mark(scan.m_nCells[0], pos, s.m_dC1Cell[cell]);
            Mark(scan.m_nCells[1], pos, s.m_dC2Cell[cell]);
        }
        for (int c = 0; c < CUddfDiveScan::kSampleCylinders; ++c) {
            if (s.HasCylinderPressure(c))
                Mark(scan.m_nCylinder[static_cast<size_t>(c)], pos, s.m_dCylinder[c]);
        }
        scan.m_bDiluentBreathed[static_cast<size_t>(BreathedDiluent(log, s))] = true;
    }
    scan.m_bDiluentBreathed[0] = false;
    return scan;
}

} // namespace uddf
