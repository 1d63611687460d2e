#include <gtest/gtest.h>

#include "LogBuilder.h"
#include "logfile/CDiveLogPreDive.h"
#include "logfile/PreDiveTables.h"

using namespace loadertest;

namespace {
const CRecordFormat kShort{false, true, true};
const CRecordFormat kShortOld{false, true, false};
const CRecordFormat kFrc{true, true, true};
} // namespace

// ==== FRC layout =================================================================================

TEST(PreDiveDecodeFrc, PowerOnAndWrongLengths) {
    CDiveLogPreDive p;
    const std::string line = FPowerOn(2.0, At(10, 0, 0));
    p.Decode(0x00, line.substr(0, 64), kFrc);
    p.Decode(0x00, line + "00", kFrc);
    EXPECT_FALSE(p.m_bPowerOnReceived);
    p.Decode(0x00, line, kFrc);
    EXPECT_TRUE(p.m_bPowerOnReceived);
    EXPECT_EQ(p.m_dtPowerOn, At(10, 0, 0));
    EXPECT_EQ(p.m_nPowerOnTotalUnitOnTime, 100);
    EXPECT_EQ(p.m_nPowerOnTotalDiveTime, 50);
    EXPECT_EQ(p.m_nPowerOnElapsedOnTime, 7);
    EXPECT_EQ(p.GetStartupReasonText(), "Remote Switch Activation");
}

TEST(PreDiveDecodeFrc, CalibrationWithCo2AndDerivedTarget) {
    CDiveLogPreDive p;
    p.Decode(0x00, FPowerOn(0.0, At(10, 0, 0)), kFrc);
    CRecordLineWriter w = FrcRec(0x02, 90.0);
    w.Word(1013).Word(215).Byte(98);
    for (int k = 0; k < 6; ++k)
        w.Byte(95 + k);
    w.Byte(0x51).Byte('G');
    for (char c : std::string("01234"))
        w.Byte(static_cast<unsigned>(c));
    w.Byte(3).Word(40).Word(41).Word(25).Word(1012);
    p.Decode(0x02, Frc(w), kFrc);
    EXPECT_TRUE(p.m_bCalibrationReceived);
    EXPECT_EQ(p.m_dtCalibration, At(10, 1, 30));
    EXPECT_EQ(p.m_dCurrentSurfacePressure, 1013.0);
    EXPECT_DOUBLE_EQ(p.m_dCalCell[5], 1.00);
    EXPECT_NEAR(p.GetCalibrationTargetPPO2(), 0.99274, 1e-9);
    EXPECT_EQ(p.GetCalibrationErrorText(1), "C1 - Cell 1 out of calibration range");
    EXPECT_EQ(p.GetCalibrationErrorText(2), "C2 - Cells 1 and 3 out of calibration range");
    EXPECT_TRUE(p.IsCO2Zeroed());
    EXPECT_EQ(p.m_nCO2Offset, 1234);
    EXPECT_EQ(p.m_byCO2Error, 3);
    EXPECT_DOUBLE_EQ(p.m_dCO2PPCO2, 2.5);
    EXPECT_EQ(p.m_dCO2AmbientPressure, 1012.0);
}

TEST(PreDiveDecodeFrc, DiveEndCancelledBy13) {
    CDiveLogPreDive p;
    p.Decode(0x08, FDiveEnd(10, 1, At(11, 0, 0), 3600), kFrc);
    EXPECT_TRUE(p.HasDiveEnd());
    EXPECT_EQ(p.m_nDiveTime, 3600);
    EXPECT_DOUBLE_EQ(p.GetDiveEndMaxDepth(), 21.5);
    p.Decode(0x13, Frc(FrcRec(0x13, 11)), kFrc);
    EXPECT_FALSE(p.HasDiveEnd());
    EXPECT_EQ(p.GetDiveEndMaxDepth(), 0.0);
}

TEST(PreDiveDecodeFrc, SurfaceReadingsSignedTemperature) {
    CDiveLogPreDive p;
    CRecordLineWriter w = FrcRec(0x06, 1.0);
    w.Word(1013).Word(65526).Byte(100).Byte(101).Byte(102).Byte(101).Byte(200).Byte(160);
    w.PadTo(29).Byte(130).Byte(12).Byte(34);
    p.Decode(0x06, Frc(w), kFrc);
    EXPECT_TRUE(p.m_bSurfaceReceived);
    EXPECT_DOUBLE_EQ(p.m_dTempAmbient, -1.0);
    EXPECT_DOUBLE_EQ(p.GetBattery(0), 5.0);
    EXPECT_DOUBLE_EQ(p.GetBattery(1), 4.0);
    EXPECT_EQ(p.GetBattery(4), 0.0);
    EXPECT_DOUBLE_EQ(p.m_dSurfSetpoint, 1.30);
    EXPECT_EQ(p.m_dCNS, 12.0);
    EXPECT_EQ(p.m_dOTU, 34.0);
}

// ==== Short layout ===============================================================================

TEST(PreDiveDecodeShort, PowerOnLastByteByVersion) {
    CDiveLogPreDive old;
    old.Decode(0x00, SPowerOn(At(9, 0, 0), 4), kShortOld);
    EXPECT_EQ(old.m_nSampleIntervalByte, 4);
    EXPECT_EQ(old.m_byStartupReason, 0);
    CDiveLogPreDive newer;
    newer.Decode(0x00, SPowerOn(At(9, 0, 0), 2), kShort);
    EXPECT_EQ(newer.m_nSampleIntervalByte, 10);
    EXPECT_EQ(newer.GetStartupReasonText(), "Switch 1 Activation");
}

TEST(PreDiveDecodeShort, DiveStartStatusAndCalibrationTimeOfDay) {
    CDiveLogPreDive p;
    CRecordLineWriter start(0x03);
    start.DateTime(At(10, 5, 0)).DateTime(At(8, 0, 0)).Word(42).Byte(0xFE);
    p.Decode(0x03, Short(start), kShort);
    EXPECT_EQ(p.m_nDiveNumber, 42);
    EXPECT_EQ(p.m_nDiveStartByte, -2);
    EXPECT_EQ(p.m_dtDiveStart, At(10, 5, 0));
    p.Decode(0x01, SStatus01(1011), kShort);
    EXPECT_EQ(p.m_dStatusSurfacePressure, 1011.0);
    EXPECT_EQ(p.m_dCurrentSurfacePressure, 1011.0);
    EXPECT_DOUBLE_EQ(p.m_dStatusAmbientTemp, 21.5);
    CRecordLineWriter cal(0x02);
    cal.Word(1005).Word(200).Byte(99).PadTo(12).Byte(13).Byte(14).Byte(15).Byte(0x08);
    p.Decode(0x02, Short(cal), kShort);
    EXPECT_EQ(p.m_dCurrentSurfacePressure, 1005.0);
    EXPECT_EQ(p.m_dtCalibration.Format("%H:%M:%S"), "13:14:15");
    EXPECT_EQ(p.GetCalibrationErrorText(1), "C1 - No communication with Controller");
}

TEST(PreDiveDecodeShort, TextKeepsPrintableCharacters) {
    CDiveLogPreDive p;
    CRecordLineWriter w(0x20);
    for (char c : std::string("AB~}{ z"))
        w.Byte(static_cast<unsigned char>(c));
    w.Byte(7).Byte(200);
    p.Decode(0x20, Short(w), kShort);
    EXPECT_EQ(p.m_strText, "AB}{ z"); // '~' (126) and control bytes dropped
    p.Decode(0x20, Short(CRecordLineWriter(0x20).Byte(1).Byte(31)), kShort);
    EXPECT_EQ(p.m_strText, "");
}

TEST(PreDiveDecodeShort, TemperaturesAndCo2Sensor) {
    CDiveLogPreDive p;
    CRecordLineWriter temps(0x04);
    temps.Byte(100).PadTo(10).Byte(1).Word(65526).Byte(5).Byte(6).Byte(7);
    p.Decode(0x04, Short(temps), kShort);
    EXPECT_TRUE(p.m_bTemperaturesReceived);
    EXPECT_DOUBLE_EQ(p.GetProbeTemp(0), 25.0);
    EXPECT_EQ(p.GetProbeTemp(9), 0.0);
    EXPECT_DOUBLE_EQ(p.m_dTempAmbient, -1.0);
    EXPECT_DOUBLE_EQ(p.m_dTempPPCO2, 0.7);
    CRecordLineWriter w(0x42);
    w.Byte('N');
    for (char c : std::string("00981"))
        w.Byte(static_cast<unsigned>(c));
    w.Byte(0).Word(30).Word(31).Word(12).Word(1009);
    p.Decode(0x42, Short(w), kShort);
    EXPECT_FALSE(p.IsCO2Zeroed());
    EXPECT_EQ(p.m_nCO2Offset, 981);
    EXPECT_DOUBLE_EQ(p.m_dCO2PPCO2, 1.2);
    EXPECT_EQ(p.m_dCO2AmbientPressure, 1009.0);
}

// ==== Code tables ================================================================================

// Out-of-range codes and bits must give no text rather than read past the tables.
TEST(PreDiveTables, OutOfRangeCodesHaveNoText) {
    EXPECT_EQ(StartupReasonText(3), "");
    EXPECT_EQ(ShutdownReasonText(5), "");
    EXPECT_EQ(CalibrationErrorText(0x00, 3), "");
    EXPECT_EQ(PreDiveStatusBitName(PreDiveStatusByte::Post1, 3), nullptr);
    EXPECT_EQ(PreDiveStatusBitName(PreDiveStatusByte::Post2, 8), nullptr);
}
