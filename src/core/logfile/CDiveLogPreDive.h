#pragma once
// The burst of records the unit logs around one power-on: power-on totals, controller status and
// self tests, calibration, CO2 sensor check, surface readings, temperatures, dive start and end,
// and the power-off record. The loader makes one per accepted power-on record and hands it the
// lines that belong to it.
#include <string>
#include <string_view>

#include "logfile/CDateTime.h"
#include "logfile/RecordFormat.h"

class CDiveLogPreDive {
public:
    enum Phase { kPreDive = 0, kAfterStartOfDive = 1, kPostDive = 2 };

    CDiveLogPreDive() = default;
    virtual ~CDiveLogPreDive() = default;

    // Record types 0x00-0x03, 0x04, 0x06-0x08, 0x13, 0x14, 0x20, 0x42, 0x7F. A line that is not
    // exactly 66 (FRC layout) or 34 (short layout) characters, or another type, is ignored.
    void Decode(unsigned recordType, std::string_view line, const CRecordFormat& format);

    // ---- Queries --------------------------------------------------------------------------------

    bool HasDiveEnd() const { return m_bDiveEndReceived; }
    bool HasPowerOff() const { return m_bPowerOffReceived; }
    // 0 without a dive end record or when negative.
    double GetDiveEndMaxDepth() const;
    // T0-T8; 0 for any other index.
    double GetProbeTemp(int index) const;
    // C1 battery 1, 2, C2 battery 1, 2 of the surface readings; 0 outside 0-3.
    double GetBattery(int index) const;
    // Oxygen percentage x calibration ambient pressure / 100000, in bar.
    double GetCalibrationTargetPPO2() const;
    // Texts of the code tables for this set's values (see PreDiveTables.h).
    std::string GetStartupReasonText() const;
    std::string GetShutdownReasonText() const;
    // controller 1 or 2: "C1 - ..." / "C2 - ..." from the calibration error byte.
    std::string GetCalibrationErrorText(int controller) const;
    // The CO2 sensor reports "G" when it has been zeroed.
    bool IsCO2Zeroed() const { return m_byCO2Zeroed == 'G'; }

    // ---- Phase (set by the loader from the dive state it has reached) ---------------------------
    int m_nPhase = kPreDive;
    // s on the time scale; set by the loader at the dive end record.
    double m_dEndTime = 0.0;

    // ---- Current surface pressure: the last 0x01 surface pressure or 0x02 calibration pressure --
    double m_dCurrentSurfacePressure = 0.0; // mbar

    // ---- Power on (0x00) ------------------------------------------------------------------------
    CDateTime m_dtPowerOn = CDateTime::Invalid();
    int m_nPowerOnTotalUnitOnTime = 0; // minutes
    int m_nPowerOnTotalDiveTime = 0;   // minutes
    int m_nPowerOnElapsedOnTime = 0;   // minutes
    unsigned char m_byStartupReason = 0;
    unsigned char m_byCodeDate[3] = {};    // day, month, year
    unsigned char m_byCodeVersion[5] = {}; // FRC layout only
    bool m_bPowerOnReceived = false;
    // Older short-layout logs carry the sample interval where newer ones put the startup reason.
    int m_nSampleIntervalByte = 10;

    // ---- Controller status and POSTs (0x01) -----------------------------------------------------
    unsigned char m_byC1StatusFlags = 0;
    unsigned char m_byC1Post1 = 0;
    unsigned char m_byC1Post2 = 0;
    unsigned char m_byC2StatusFlags = 0;
    unsigned char m_byC2Post1 = 0;
    unsigned char m_byC2Post2 = 0;
    unsigned char m_byI2CConnectivity = 0;
    unsigned char m_byScrubberGauge = 0;
    double m_dStatusSurfacePressure = 0.0;   // mbar
    double m_dStatusAmbientTemp = 0.0;       // degrees C
    unsigned char m_byDisplayPost = 0;       // bit 3 set: "DPS" failed (short layout only)
    unsigned char m_byStatusFurtherByte = 0; // short layout 18-19
    bool m_bStatusReceived = false;

    // ---- Calibration (0x02) ---------------------------------------------------------------------
    double m_dCalAmbientPressure = 0.0; // mbar
    double m_dCalAmbientTemp = 0.0;     // degrees C
    double m_dCalOxygenPercent = 0.0;
    double m_dCalCell[6] = {}; // bar: C1 cells 1-3, C2 cells 1-3
    // FRC: power-on date-time + the record's FRC seconds; short: a time of day on the zero date.
    CDateTime m_dtCalibration = CDateTime::Invalid();
    unsigned char m_byCalError = 0; // low nibble C1, high nibble C2
    bool m_bCalibrationReceived = false;

    // ---- CO2 sensor (0x02 FRC layout, 0x42 short layout) ----------------------------------------
    unsigned char m_byCO2Zeroed = 0; // character code
    int m_nCO2Offset = 0;
    unsigned char m_byCO2Error = 0;
    double m_dCO2PCO2Average = 0.0;     // ppm / 10
    double m_dCO2PCO2Fast = 0.0;        // ppm / 10
    double m_dCO2PPCO2 = 0.0;           // mbar
    double m_dCO2AmbientPressure = 0.0; // mbar
    bool m_bCO2Received = false;

    // ---- Dive start (0x03) ----------------------------------------------------------------------
    int m_nDiveNumber = 0;
    CDateTime m_dtDiveStart = CDateTime::Invalid();
    CDateTime m_dtPreviousDiveEnd = CDateTime::Invalid();
    int m_nDiveStartByte = 0; // signed 8-bit in the short layout
    bool m_bDiveStartReceived = false;

    // ---- Surface readings (0x06, and 0x07 in the short layout) ----------------------------------
    double m_dSurfAmbientPressure = 0.0; // mbar
    double m_dSurfC1Cell[3] = {};        // bar
    double m_dSurfC1Measured = 0.0;      // bar (FRC layout)
    double m_dSurfC1Battery[2] = {};     // V
    unsigned char m_bySurfC1CellStatus = 0;
    double m_dSurfC2Cell[3] = {};
    double m_dSurfC2Measured = 0.0;
    double m_dSurfC2Battery[2] = {};
    unsigned char m_bySurfC2CellStatus = 0;
    unsigned char m_bySurfStatus2 = 0;         // "second status byte"
    unsigned char m_bySurfStatusExtra = 0;     // FRC 0x06 48-49; short 0x07 30-31 (level 4)
    unsigned char m_bySurfFurther = 0;         // FRC 0x06 50-51
    unsigned char m_bySurfStatus[3] = {};      // FRC 0x06 52-57
    double m_dSurfSetpoint = 0.0;              // bar (FRC layout)
    unsigned char m_bySurfC1BatteryStatus = 0; // short 0x07
    unsigned char m_bySurfC2BatteryStatus = 0; // short 0x07
    bool m_bSurfaceReceived = false;

    // ---- Temperatures (0x14; 0x04 too in the short layout) --------------------------------------
    // In the FRC layout the ambient temperature, CNS and OTU come from 0x06.
    double m_dTemp[9] = {}; // T0-T8, degrees C
    unsigned char m_byTempStatus = 0;
    double m_dTempAmbient = 0.0; // degrees C
    double m_dCNS = 0.0;         // %
    double m_dOTU = 0.0;         // %
    double m_dTempPPCO2 = 0.0;   // mbar
    bool m_bTemperaturesReceived = false;

    // ---- Dive end (0x08; cleared by 0x13) -------------------------------------------------------
    CDateTime m_dtDiveEnd = CDateTime::Invalid();
    int m_nDiveTime = 0;             // s
    double m_dDiveEndMaxDepth = 0.0; // m
    int m_nDiveEndDuration1 = 0;     // minutes, short layout
    int m_nDiveEndDuration2 = 0;     // minutes, short layout
    bool m_bDiveEndReceived = false;

    // ---- Power off (0x7F) -----------------------------------------------------------------------
    CDateTime m_dtPowerOff = CDateTime::Invalid();
    int m_nPowerOffTotalUnitOnTime = 0; // minutes
    int m_nPowerOffTotalDiveTime = 0;   // minutes
    int m_nPowerOffElapsedOnTime = 0;   // minutes
    unsigned char m_byShutdownReason = 0;
    bool m_bPowerOffReceived = false;

    // ---- Text (0x20, short layout) --------------------------------------------------------------
    std::string m_strText;

private:
    void DecodeFrc(unsigned recordType, std::string_view line);
    void DecodeShort(unsigned recordType, std::string_view line, const CRecordFormat& format);
    void DecodeFrcPowerOn(std::string_view line);
    void DecodeFrcPowerOff(std::string_view line);
    void DecodeFrcCalibration(std::string_view line);
    void DecodeFrcSurface(std::string_view line);
    void DecodeShortPowerOn(std::string_view line, const CRecordFormat& format);
    void DecodeShortStatus(std::string_view line);
    void DecodeShortCalibration(std::string_view line);
    void DecodeShortPowerOff(std::string_view line);
    void DecodeShortSurface(std::string_view line);
    void DecodeShortTemperatures(std::string_view line);
    void DecodeCO2(std::string_view line, size_t start);
};
