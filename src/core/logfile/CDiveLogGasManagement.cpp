#include "logfile/CDiveLogGasManagement.h"

#include <algorithm>
#include <cmath>

#include "logfile/FieldParsers.h"

namespace {

constexpr unsigned kGasTable = 0x09;
constexpr unsigned kGasTablePart2 = 0x19;
constexpr size_t kShortLength = 34;
constexpr size_t kFrcLength = 66;
constexpr size_t kCylinderMinLength = 34;
constexpr int kDefaultOxygenO2 = 100;
constexpr int kDefaultDiluentO2 = 21;
constexpr uint32_t kMax24Bit = 0xFFFFFF;

// A value x 100 as a 24-bit field. The tiny bias keeps values such as 0.29 (stored as
// 28.999999...) from losing a hundredth on every save; real fractions below a hundredth are
// still dropped. Values outside the field are held at its ends so the line keeps its length.
uint32_t ToHundredths(double value) {
    const double scaled = std::floor(value * 100.0 + 1e-6);
    if (!(scaled > 0.0))
        return 0;
    return scaled >= kMax24Bit ? kMax24Bit : static_cast<uint32_t>(scaled);
}

void Write24(CRecordLineWriter& w, double value) {
    const uint32_t raw = ToHundredths(value);
    w.Byte(raw >> 16).Byte(raw >> 8).Byte(raw);
}

} // namespace

void CDiveLogGasManagement::Reset() {
    static const CCylinderDefaults builtIn = GroupDefaults<CCylinderDefaults>();
    Reset(builtIn);
}

void CDiveLogGasManagement::Reset(const CCylinderDefaults& defaults) {
    m_nOxygenO2 = kDefaultOxygenO2;
    m_nDiluentO2.fill(kDefaultDiluentO2);
    m_nDiluentHe.fill(0);
    for (size_t c = 0; c < kCylinders; ++c) {
        m_dCylinderSizeL[c] = defaults.m_nCylinderSizeSI[c] / 100.0;
        m_dCylinderSizeCuft[c] = defaults.m_nCylinderSizeI[c] / 100.0;
        m_dMaxPressure[c] = defaults.m_nMaxPressure[c] / 100.0;
    }
    m_dPressureIn.fill(0.0);
    m_dPressureOut.fill(0.0);
}

double CDiveLogGasManagement::LimitPressure(double bar) {
    if (!(bar > 0.0))
        return 0.0;
    return std::min(bar, kMaxCylinderPressure);
}

void CDiveLogGasManagement::Decode(unsigned recordType, std::string_view line,
                                   const CRecordFormat& format) {
    if (recordType == kGasTable || recordType == kGasTablePart2) {
        const bool ownLayout = recordType == kGasTable || !format.frcLayout;
        if (ownLayout && line.size() == static_cast<size_t>(format.LineLength()))
            Decode(recordType, line);
        return;
    }
    Decode(recordType, line);
}

void CDiveLogGasManagement::Decode(unsigned recordType, std::string_view line) {
    if (recordType == kGasTable) {
        if (line.size() == kFrcLength)
            DecodeGasTable(line, 10, 0, 9);
        else if (line.size() == kShortLength)
            DecodeGasTable(line, 2, 0, 6);
    } else if (recordType == kGasTablePart2) {
        if (line.size() == kShortLength)
            DecodeGasTable(line, 2, 6, 6);
    } else if (recordType >= kFirstCylinderRecord &&
               recordType < kFirstCylinderRecord + kCylinders) {
        DecodeCylinder(static_cast<int>(recordType - kFirstCylinderRecord), line);
    }
}

void CDiveLogGasManagement::DecodeGasTable(std::string_view line, size_t start, int firstDiluent,
                                           int count) {
    for (int i = 0; i < count; ++i) {
        const size_t at = start + 4 * static_cast<size_t>(i);
        m_nDiluentO2[firstDiluent + i] = static_cast<int>(ParseHex(line, at, 2));
        m_nDiluentHe[firstDiluent + i] = static_cast<int>(ParseHex(line, at + 2, 2));
    }
}

void CDiveLogGasManagement::DecodeCylinder(int c, std::string_view line) {
    if (line.size() < kCylinderMinLength)
        return;
    m_dCylinderSizeL[c] = ParseHex(line, 2, 6) / 100.0;
    m_dCylinderSizeCuft[c] = ParseHex(line, 8, 6) / 100.0;
    m_dMaxPressure[c] = ParseHex(line, 14, 6) / 100.0;
    m_dPressureIn[c] = LimitPressure(ParseHex(line, 20, 6) / 100.0);
    m_dPressureOut[c] = LimitPressure(ParseHex(line, 26, 6) / 100.0);
}

std::string CDiveLogGasManagement::Encode(int cylinder) const {
    if (cylinder < 0 || cylinder >= kCylinders)
        return {};
    CRecordLineWriter w(kFirstCylinderRecord + static_cast<unsigned>(cylinder));
    Write24(w, m_dCylinderSizeL[cylinder]);
    Write24(w, m_dCylinderSizeCuft[cylinder]);
    Write24(w, m_dMaxPressure[cylinder]);
    Write24(w, m_dPressureIn[cylinder]);
    Write24(w, m_dPressureOut[cylinder]);
    return w.Finish();
}

std::vector<std::string> CDiveLogGasManagement::EncodeAll() const {
    std::vector<std::string> lines;
    lines.reserve(kCylinders);
    for (int c = 0; c < kCylinders; ++c)
        lines.push_back(Encode(c));
    return lines;
}
