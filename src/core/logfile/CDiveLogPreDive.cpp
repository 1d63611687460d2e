#include "logfile/CDiveLogPreDive.h"

#include "logfile/FieldParsers.h"
#include "logfile/PreDiveTables.h"

namespace {

unsigned Byte(std::string_view line, size_t pos) {
    return ParseHex(line, pos, 2);
}
unsigned char RawByte(std::string_view line, size_t pos) {
    return static_cast<unsigned char>(ParseHex(line, pos, 2));
}
unsigned Word(std::string_view line, size_t pos) {
    return ParseHex(line, pos, 4);
}
// Three-byte running totals (minutes).
int Triple(std::string_view line, size_t pos) {
    return static_cast<int>(ParseHex(line, pos, 6));
}

// Five ASCII digit codes ("0" is 0x30) read as one decimal number.
int AsciiDecimal(std::string_view line, size_t pos) {
    int value = 0;
    for (size_t k = 0; k < 5; ++k)
        value = value * 10 + (static_cast<int>(Byte(line, pos + 2 * k)) - 0x30);
    return value;
}

// A time of day on the zero date, as the short layout logs the calibration.
CDateTime TimeOfDay(unsigned hour, unsigned minute, unsigned second) {
    if (hour > 23 || minute > 59 || second > 59)
        return CDateTime::Invalid();
    return CDateTime::FromDays((hour * 3600.0 + minute * 60.0 + second) / 86400.0);
}

} // namespace

void CDiveLogPreDive::Decode(unsigned recordType, std::string_view line,
                             const CRecordFormat& format) {
    if (line.size() != static_cast<size_t>(format.LineLength()))
        return;
    if (format.frcLayout)
        DecodeFrc(recordType, line);
    else
        DecodeShort(recordType, line, format);
}

// ---- FRC layout ---------------------------------------------------------------------------------

void CDiveLogPreDive::DecodeFrc(unsigned recordType, std::string_view line) {
    switch (recordType) {
    case 0x00:
        DecodeFrcPowerOn(line);
        break;
    case 0x01:
        m_byC1StatusFlags = RawByte(line, 10);
        m_byC1Post1 = RawByte(line, 12);
        m_byC1Post2 = RawByte(line, 14);
        m_byC2StatusFlags = RawByte(line, 16);
        m_byC2Post1 = RawByte(line, 18);
        m_byC2Post2 = RawByte(line, 20);
        m_byI2CConnectivity = RawByte(line, 22);
        m_byScrubberGauge = RawByte(line, 24);
        m_dStatusSurfacePressure = Word(line, 26);
        m_dStatusAmbientTemp = Word(line, 30) / 10.0;
        m_dCurrentSurfacePressure = m_dStatusSurfacePressure;
        m_bStatusReceived = true;
        break;
    case 0x02:
        DecodeFrcCalibration(line);
        break;
    case 0x03:
        m_nDiveNumber = static_cast<int>(Word(line, 10));
        m_nDiveStartByte = static_cast<int>(Byte(line, 14));
        m_dtDiveStart = ParseDateTime(line, 16);
        m_dtPreviousDiveEnd = ParseDateTime(line, 28);
        m_bDiveStartReceived = true;
        break;
    case 0x06:
        DecodeFrcSurface(line);
        break;
    case 0x08:
        m_dtDiveEnd = ParseDateTime(line, 16);
        m_nDiveTime = static_cast<int>(Word(line, 28));
        m_dDiveEndMaxDepth = Word(line, 32) / 100.0;
        m_bDiveEndReceived = true;
        break;
    case 0x13:
        m_bDiveEndReceived = false;
        break;
    case 0x14:
        for (int k = 0; k < 9; ++k)
            m_dTemp[k] = Byte(line, 10 + 2 * k) * 0.25;
        m_byTempStatus = RawByte(line, 28);
        m_dTempPPCO2 = Word(line, 36) / 10.0;
        m_bTemperaturesReceived = true;
        break;
    case 0x7F:
        DecodeFrcPowerOff(line);
        break;
    default:
        break;
    }
}

void CDiveLogPreDive::DecodeFrcPowerOn(std::string_view line) {
    m_dtPowerOn = ParseDateTime(line, 10);
    m_nPowerOnTotalUnitOnTime = Triple(line, 22);
    m_nPowerOnTotalDiveTime = Triple(line, 28);
    m_nPowerOnElapsedOnTime = static_cast<int>(Word(line, 34));
    m_byStartupReason = RawByte(line, 38);
    for (int k = 0; k < 3; ++k)
        m_byCodeDate[k] = RawByte(line, 40 + 2 * k);
    for (int k = 0; k < 5; ++k)
        m_byCodeVersion[k] = RawByte(line, 46 + 2 * k);
    m_bPowerOnReceived = true;
}

void CDiveLogPreDive::DecodeFrcPowerOff(std::string_view line) {
    m_dtPowerOff = ParseDateTime(line, 10);
    m_nPowerOffTotalUnitOnTime = Triple(line, 22);
    m_nPowerOffTotalDiveTime = Triple(line, 28);
    m_nPowerOffElapsedOnTime = static_cast<int>(Word(line, 34));
    m_byShutdownReason = RawByte(line, 38);
    m_bPowerOffReceived = true;
}

void CDiveLogPreDive::DecodeFrcCalibration(std::string_view line) {
    // The calibration carries no date of its own: it happened this long after the power-on.
    const double seconds = ParseFrc(line.substr(2, 8));
    m_dtCalibration =
        m_dtPowerOn.IsValid() ? m_dtPowerOn.AddSeconds(seconds) : CDateTime::Invalid();
    m_dCalAmbientPressure = Word(line, 10);
    m_dCalAmbientTemp = Word(line, 14) / 10.0;
    m_dCalOxygenPercent = Byte(line, 18);
    for (int k = 0; k < 6; ++k)
        m_dCalCell[k] = Byte(line, 20 + 2 * k) / 100.0;
    m_byCalError = RawByte(line, 32);
    m_dCurrentSurfacePressure = m_dCalAmbientPressure;
    m_bCalibrationReceived = true;
    DecodeCO2(line, 34);
}

void CDiveLogPreDive::DecodeFrcSurface(std::string_view line) {
    m_dSurfAmbientPressure = Word(line, 10);
    m_dTempAmbient = ParseSignedHex16(line.substr(14, 4)) / 10.0;
    for (int k = 0; k < 3; ++k)
        m_dSurfC1Cell[k] = Byte(line, 18 + 2 * k) / 100.0;
    m_dSurfC1Measured = Byte(line, 24) / 100.0;
    m_dSurfC1Battery[0] = Byte(line, 26) / 40.0;
    m_dSurfC1Battery[1] = Byte(line, 28) / 40.0;
    m_bySurfC1CellStatus = RawByte(line, 30);
    for (int k = 0; k < 3; ++k)
        m_dSurfC2Cell[k] = Byte(line, 32 + 2 * k) / 100.0;
    m_dSurfC2Measured = Byte(line, 38) / 100.0;
    m_dSurfC2Battery[0] = Byte(line, 40) / 40.0;
    m_dSurfC2Battery[1] = Byte(line, 42) / 40.0;
    m_bySurfC2CellStatus = RawByte(line, 44);
    m_bySurfStatus2 = RawByte(line, 46);
    m_bySurfStatusExtra = RawByte(line, 48);
    m_bySurfFurther = RawByte(line, 50);
    for (int k = 0; k < 3; ++k)
        m_bySurfStatus[k] = RawByte(line, 52 + 2 * k);
    m_dSurfSetpoint = Byte(line, 58) / 100.0;
    m_dCNS = Byte(line, 60);
    m_dOTU = Byte(line, 62);
    m_bSurfaceReceived = true;
}

void CDiveLogPreDive::DecodeCO2(std::string_view line, size_t start) {
    m_byCO2Zeroed = RawByte(line, start);
    m_nCO2Offset = AsciiDecimal(line, start + 2);
    m_byCO2Error = RawByte(line, start + 12);
    m_dCO2PCO2Average = Word(line, start + 14);
    m_dCO2PCO2Fast = Word(line, start + 18);
    m_dCO2PPCO2 = Word(line, start + 22) / 10.0;
    m_dCO2AmbientPressure = Word(line, start + 26);
    m_bCO2Received = true;
}

// ---- Short layout -------------------------------------------------------------------------------

void CDiveLogPreDive::DecodeShort(unsigned recordType, std::string_view line,
                                  const CRecordFormat& format) {
    switch (recordType) {
    case 0x00:
        DecodeShortPowerOn(line, format);
        break;
    case 0x01:
        DecodeShortStatus(line);
        break;
    case 0x02:
        DecodeShortCalibration(line);
        break;
    case 0x03:
        m_dtDiveStart = ParseDateTime(line, 2);
        m_dtPreviousDiveEnd = ParseDateTime(line, 14);
        m_nDiveNumber = static_cast<int>(Word(line, 26));
        m_nDiveStartByte = static_cast<signed char>(RawByte(line, 30));
        m_bDiveStartReceived = true;
        break;
    case 0x04:
    case 0x14:
        DecodeShortTemperatures(line);
        break;
    case 0x06:
        DecodeShortSurface(line);
        break;
    case 0x07:
        m_bySurfC1BatteryStatus = RawByte(line, 14);
        m_bySurfC2BatteryStatus = RawByte(line, 18);
        if (format.level4)
            m_bySurfStatusExtra = RawByte(line, 30);
        m_bSurfaceReceived = true;
        break;
    case 0x08:
        m_dtDiveEnd = ParseDateTime(line, 2);
        m_nDiveTime = static_cast<int>(Word(line, 14));
        m_dDiveEndMaxDepth = Word(line, 18) / 100.0;
        m_nDiveEndDuration1 = static_cast<int>(Word(line, 22));
        m_nDiveEndDuration2 = static_cast<int>(Word(line, 26));
        m_bDiveEndReceived = true;
        break;
    case 0x13:
        m_bDiveEndReceived = false;
        break;
    case 0x20: {
        std::string text;
        for (size_t k = 0; k < 15; ++k) {
            const unsigned c = Byte(line, 2 + 2 * k);
            if (c >= 32 && c <= 125)
                text += static_cast<char>(c);
        }
        m_strText = std::move(text);
        break;
    }
    case 0x42:
        DecodeCO2(line, 2);
        break;
    case 0x7F:
        DecodeShortPowerOff(line);
        break;
    default:
        break;
    }
}

void CDiveLogPreDive::DecodeShortPowerOn(std::string_view line, const CRecordFormat& format) {
    m_dtPowerOn = ParseDateTime(line, 2);
    m_nPowerOnTotalUnitOnTime = Triple(line, 14);
    m_nPowerOnTotalDiveTime = Triple(line, 20);
    m_nPowerOnElapsedOnTime = static_cast<int>(Word(line, 26));
    if (format.level5)
        m_byStartupReason = RawByte(line, 30);
    else
        m_nSampleIntervalByte = static_cast<int>(Byte(line, 30));
    m_bPowerOnReceived = true;
}

void CDiveLogPreDive::DecodeShortStatus(std::string_view line) {
    m_byC1StatusFlags = RawByte(line, 2);
    m_byC1Post1 = RawByte(line, 4);
    m_byC1Post2 = RawByte(line, 6);
    m_byC2StatusFlags = RawByte(line, 8);
    m_byC2Post1 = RawByte(line, 10);
    m_byC2Post2 = RawByte(line, 12);
    m_byI2CConnectivity = RawByte(line, 14);
    m_byScrubberGauge = RawByte(line, 16);
    m_byStatusFurtherByte = RawByte(line, 18);
    m_dStatusSurfacePressure = Word(line, 20);
    m_dStatusAmbientTemp = Word(line, 24) / 10.0;
    m_byDisplayPost = RawByte(line, 28);
    m_dCurrentSurfacePressure = m_dStatusSurfacePressure;
    m_bStatusReceived = true;
}

void CDiveLogPreDive::DecodeShortCalibration(std::string_view line) {
    m_dCalAmbientPressure = Word(line, 2);
    m_dCalAmbientTemp = Word(line, 6) / 10.0;
    m_dCalOxygenPercent = Byte(line, 10);
    for (int k = 0; k < 6; ++k)
        m_dCalCell[k] = Byte(line, 12 + 2 * k) / 100.0;
    m_dtCalibration = TimeOfDay(Byte(line, 24), Byte(line, 26), Byte(line, 28));
    m_byCalError = RawByte(line, 30);
    m_dCurrentSurfacePressure = m_dCalAmbientPressure;
    m_bCalibrationReceived = true;
}

void CDiveLogPreDive::DecodeShortPowerOff(std::string_view line) {
    m_dtPowerOff = ParseDateTime(line, 2);
    m_nPowerOffTotalUnitOnTime = Triple(line, 14);
    m_nPowerOffTotalDiveTime = Triple(line, 20);
    m_nPowerOffElapsedOnTime = static_cast<int>(Word(line, 26));
    m_byShutdownReason = RawByte(line, 30);
    m_bPowerOffReceived = true;
}

void CDiveLogPreDive::DecodeShortTemperatures(std::string_view line) {
    for (int k = 0; k < 9; ++k)
        m_dTemp[k] = Byte(line, 2 + 2 * k) * 0.25;
    m_byTempStatus = RawByte(line, 20);
    m_dTempAmbient = ParseSignedHex16(line.substr(22, 4)) / 10.0;
    m_dCNS = Byte(line, 26);
    m_dOTU = Byte(line, 28);
    m_dTempPPCO2 = Byte(line, 30) / 10.0;
    m_bTemperaturesReceived = true;
}

void CDiveLogPreDive::DecodeShortSurface(std::string_view line) {
    m_dSurfAmbientPressure = Word(line, 2);
    for (int k = 0; k < 3; ++k)
        m_dSurfC1Cell[k] = Byte(line, 6 + 2 * k) / 100.0;
    m_dSurfC1Battery[0] = Byte(line, 12) / 40.0;
    m_dSurfC1Battery[1] = Byte(line, 14) / 40.0;
    m_bySurfC1CellStatus = RawByte(line, 16);
    for (int k = 0; k < 3; ++k)
        m_dSurfC2Cell[k] = Byte(line, 18 + 2 * k) / 100.0;
    m_dSurfC2Battery[0] = Byte(line, 24) / 40.0;
    m_dSurfC2Battery[1] = Byte(line, 26) / 40.0;
    m_bySurfC2CellStatus = RawByte(line, 28);
    m_bySurfStatus2 = RawByte(line, 30);
    m_bSurfaceReceived = true;
}

// ---- Queries ------------------------------------------------------------------------------------

double CDiveLogPreDive::GetDiveEndMaxDepth() const {
    if (!m_bDiveEndReceived || m_dDiveEndMaxDepth < 0.0)
        return 0.0;
    return m_dDiveEndMaxDepth;
}

double CDiveLogPreDive::GetProbeTemp(int index) const {
    return index >= 0 && index < 9 ? m_dTemp[index] : 0.0;
}

double CDiveLogPreDive::GetBattery(int index) const {
    switch (index) {
    case 0:
        return m_dSurfC1Battery[0];
    case 1:
        return m_dSurfC1Battery[1];
    case 2:
        return m_dSurfC2Battery[0];
    case 3:
        return m_dSurfC2Battery[1];
    default:
        return 0.0;
    }
}

double CDiveLogPreDive::GetCalibrationTargetPPO2() const {
    return m_dCalOxygenPercent * m_dCalAmbientPressure / 100000.0;
}

std::string CDiveLogPreDive::GetStartupReasonText() const {
    return StartupReasonText(m_byStartupReason);
}

std::string CDiveLogPreDive::GetShutdownReasonText() const {
    return ShutdownReasonText(m_byShutdownReason);
}

std::string CDiveLogPreDive::GetCalibrationErrorText(int controller) const {
    return CalibrationErrorText(m_byCalError, controller);
}
