#include "logfile/CDiveLogSample.h"

#include <cmath>

#include "logfile/CellVoting.h"
#include "logfile/SampleLayouts.h"

// ---- Decoding -----------------------------------------------------------------------------------

void CDiveLogSample::DecodeLine(unsigned recordType, std::string_view line,
                                const CRecordFormat& format) {
    size_t length = 0;
    const auto rules = samplelayout::RulesFor(recordType, format, length);
    if (rules.empty() || line.size() != length)
        return;
    samplelayout::Apply(rules, line, format, *this);
    // The short layout logs the cells only; each controller's reading is voted from them.
    if (!format.frcLayout && recordType == 0x06) {
        m_dC1Measured = VoteCells(m_dC1Cell, m_byC1CellStatus);
        m_dC2Measured = VoteCells(m_dC2Cell, m_byC2CellStatus);
    }
}

void CDiveLogSample::DecodeTimedLine(double time, std::string_view line,
                                     const CRecordFormat& format) {
    m_dTime = time;
    DecodeLine(0x06, line, format);
}

double CDiveLogSample::VoteCells(const double* c, unsigned char status) const {
    return ::VoteCells(c, status, m_dSetpoint);
}

void CDiveLogSample::SetSurfacePressure(double mbar) {
    m_dSurfacePressure = (mbar >= 600.0 && mbar <= 1080.0) ? mbar : 1000.0;
}

void CDiveLogSample::SetSampleInterval(int seconds) {
    m_nSampleInterval = seconds < 1 ? 1 : seconds > 120 ? 120 : seconds;
}

bool CDiveLogSample::UpdateDiving(bool previous) {
    if (!m_bHasDiveDetect)
        return previous;
    m_bDiving = previous;
    if (!m_bDiving && GetDepth() > m_dDiveStartDepth)
        m_bDiving = true;
    if (m_bDiving && GetDepth() < m_dDiveEndDepth)
        m_bDiving = false;
    return m_bDiving;
}

// ---- Reading ------------------------------------------------------------------------------------

double CDiveLogSample::GetDepth() const {
    const double depth = (m_dPressure - m_dSurfacePressure) / 100.0;
    return depth < 0.0 ? 0.0 : depth;
}

double CDiveLogSample::GetCellPPO2(int index) const {
    if (index >= 0 && index <= 2)
        return m_dC1Cell[index];
    if (index == 3)
        return m_dC1Measured;
    if (index >= 4 && index <= 6)
        return m_dC2Cell[index - 4];
    if (index == 7)
        return m_dC2Measured;
    return 0.0;
}

double CDiveLogSample::GetBattery(int index) const {
    return index >= 0 && index < 4 ? m_dBattery[index] : 0.0;
}

double CDiveLogSample::GetProbeTemp(int index) const {
    return index >= 0 && index < 9 ? m_dProbeTemp[index] : 0.0;
}

double CDiveLogSample::GetDiluentPressure(int index) const {
    if (index < 0 || index > 11)
        return 0.0;
    return m_dCylinder[index] > 0.0 ? m_dCylinder[index] : 0.0;
}

double CDiveLogSample::GetOxygenPressure() const {
    return m_dCylinder[12] > 0.0 ? m_dCylinder[12] : 0.0;
}

bool CDiveLogSample::HasCylinderPressure(int index) const {
    return index >= 0 && index < 13 && m_dCylinder[index] != -1.0;
}

double CDiveLogSample::GetCeilingDepth() const {
    const double depth = (m_dCeilingPressure - m_dDecoSurfacePressure) / 100.0;
    return depth < 0.0 ? 0.0 : depth;
}

double CDiveLogSample::GetDecoWord4() const {
    const double value = m_dDecoWord4 / 100.0;
    return value < 0.0 ? 0.0 : value;
}

int CDiveLogSample::GetControllerFlags(int controller) const {
    if (controller != 1 && controller != 2)
        return -1;
    const unsigned char byte = m_byStatus[controller == 1 ? 2 : 4];
    return byte & 0x03;
}
