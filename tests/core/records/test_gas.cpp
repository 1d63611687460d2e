#include <gtest/gtest.h>

#include <random>
#include <string>

#include "logfile/CDiveLogGasManagement.h"
#include "logfile/FieldParsers.h"

namespace {

std::string Cylinder(unsigned type, uint32_t l, uint32_t cuft, uint32_t max, uint32_t in,
                     uint32_t out) {
    CRecordLineWriter w(type);
    for (uint32_t v : {l, cuft, max, in, out})
        w.Byte(v >> 16).Byte(v >> 8).Byte(v);
    return w.Finish();
}

} // namespace

// ---- CDiveLogGasManagement::Decode --------------------------------------------------------------

TEST(GasDecode, CylinderPressureCappedAt400) {
    CDiveLogGasManagement gas;
    gas.Decode(0xA2, Cylinder(0xA2, 1200, 8000, 300000, 45000, 39999));
    EXPECT_DOUBLE_EQ(gas.m_dCylinderSizeL[2], 12.0);
    EXPECT_DOUBLE_EQ(gas.m_dCylinderSizeCuft[2], 80.0);
    EXPECT_DOUBLE_EQ(gas.m_dMaxPressure[2], 3000.0); // not limited
    EXPECT_DOUBLE_EQ(gas.m_dPressureIn[2], 400.0);
    EXPECT_DOUBLE_EQ(gas.m_dPressureOut[2], 399.99);
}

TEST(GasDecode, ShortCylinderLineIgnored) {
    CDiveLogGasManagement gas;
    const std::string line = Cylinder(0xA0, 1, 2, 3, 4, 5);
    gas.Decode(0xA0, line.substr(0, 32));
    EXPECT_DOUBLE_EQ(gas.m_dPressureOut[0], 0.0);
    gas.Decode(0xAD, Cylinder(0xAD, 1, 2, 3, 4, 5)); // no thirteenth diluent
    gas.Decode(0xAC, line);
    EXPECT_DOUBLE_EQ(gas.m_dPressureOut[12], 0.05);
}

TEST(GasDecode, FrcGasTableTouchesNineDiluents) {
    CDiveLogGasManagement gas;
    gas.m_nDiluentO2[9] = 17;
    gas.m_nDiluentHe[11] = 45;
    CRecordLineWriter frc(0x09);
    frc.Frc(12.0);
    for (int n = 1; n <= 9; ++n)
        frc.Byte(10 + n).Byte(n);
    frc.PadTo(32);
    const std::string line = frc.Finish();
    ASSERT_EQ(line.size(), 66u);
    gas.Decode(0x09, line);
    EXPECT_EQ(gas.m_nDiluentO2[0], 11);
    EXPECT_EQ(gas.m_nDiluentHe[8], 9);
    EXPECT_EQ(gas.m_nDiluentO2[9], 17);
    EXPECT_EQ(gas.m_nDiluentHe[11], 45);
}

TEST(GasDecode, ShortGasTables) {
    CDiveLogGasManagement gas;
    CRecordLineWriter first(0x09), second(0x19);
    for (int n = 0; n < 6; ++n) {
        first.Byte(30 + n).Byte(n);
        second.Byte(40 + n).Byte(50 + n);
    }
    gas.Decode(0x09, first.PadTo(16).Finish());
    gas.Decode(0x19, second.PadTo(16).Finish());
    EXPECT_EQ(gas.m_nDiluentO2[5], 35);
    EXPECT_EQ(gas.m_nDiluentO2[6], 40);
    EXPECT_EQ(gas.m_nDiluentHe[11], 55);
    gas.Decode(0x19, CRecordLineWriter(0x19).PadTo(20).Finish()); // 42 characters
    EXPECT_EQ(gas.m_nDiluentHe[11], 55);
}

TEST(GasDecode, GasTableOfTheOtherLayoutIgnored) {
    CRecordLineWriter shortTable(0x09), frcTable(0x09);
    frcTable.Frc(5.0);
    for (int n = 0; n < 9; ++n) {
        if (n < 6)
            shortTable.Byte(30 + n).Byte(n);
        frcTable.Byte(60 + n).Byte(n);
    }
    const std::string shortLine = shortTable.PadTo(16).Finish();
    const std::string frcLine = frcTable.PadTo(32).Finish();
    const std::string part2 = CRecordLineWriter(0x19).Byte(44).PadTo(16).Finish();
    CRecordFormat frc;
    frc.frcLayout = true;
    CDiveLogGasManagement gas;
    gas.Decode(0x09, shortLine, frc);
    gas.Decode(0x19, part2, frc);
    EXPECT_EQ(gas.m_nDiluentO2[0], 21);
    EXPECT_EQ(gas.m_nDiluentO2[6], 21);
    gas.Decode(0x09, frcLine, frc);
    EXPECT_EQ(gas.m_nDiluentO2[8], 68);

    const CRecordFormat shortLayout;
    gas.Reset();
    gas.Decode(0x09, frcLine, shortLayout);
    EXPECT_EQ(gas.m_nDiluentO2[0], 21);
    gas.Decode(0x09, shortLine, shortLayout);
    gas.Decode(0x19, part2, shortLayout);
    EXPECT_EQ(gas.m_nDiluentO2[0], 30);
    EXPECT_EQ(gas.m_nDiluentO2[6], 44);
    // Cylinder lines are the same in both layouts.
    gas.Decode(0xA1, Cylinder(0xA1, 1, 2, 3, 4, 500), frc);
    EXPECT_DOUBLE_EQ(gas.m_dPressureOut[1], 5.0);
}

// ---- CDiveLogGasManagement::Encode --------------------------------------------------------------

TEST(GasEncode, ExactLine) {
    CDiveLogGasManagement gas;
    gas.m_dCylinderSizeL[0] = 2.0;
    gas.m_dCylinderSizeCuft[0] = 12.5;
    gas.m_dMaxPressure[0] = 2640.0;
    gas.m_dPressureIn[0] = 0.29;
    gas.m_dPressureOut[0] = 0.0;
    const std::string line = gas.Encode(0);
    EXPECT_EQ(line.substr(0, 8), "A00000C8");
    EXPECT_EQ(line.substr(8, 24), "0004E204074000001D000000");
    EXPECT_TRUE(IsChecksumValid(line));
    EXPECT_EQ(line.size(), 34u);
    EXPECT_EQ(gas.Encode(13), "");
    EXPECT_EQ(gas.EncodeAll().size(), 13u);
}

TEST(GasEncode, OutOfFieldValuesKeepTheLineLength) {
    CDiveLogGasManagement gas;
    gas.m_dCylinderSizeL[1] = -3.0;
    gas.m_dMaxPressure[1] = 1e9;
    const std::string line = gas.Encode(1);
    EXPECT_EQ(line.size(), 34u);
    EXPECT_EQ(line.substr(2, 6), "000000");
    EXPECT_EQ(line.substr(14, 6), "FFFFFF");
}

TEST(GasEncode, RoundTripOfRandomRecords) {
    std::mt19937 rng(99);
    std::uniform_int_distribution<uint32_t> raw(0, 0xFFFFFF);
    std::uniform_int_distribution<uint32_t> pressure(0, 40000);
    for (int round = 0; round < 300; ++round) {
        CDiveLogGasManagement original;
        for (int c = 0; c < CDiveLogGasManagement::kCylinders; ++c)
            original.Decode(0xA0 + c, Cylinder(0xA0 + c, raw(rng), raw(rng), raw(rng),
                                               pressure(rng), pressure(rng)));
        CDiveLogGasManagement copy;
        for (const std::string& line : original.EncodeAll())
            copy.Decode(RecordType(line), line);
        EXPECT_EQ(copy.m_dCylinderSizeL, original.m_dCylinderSizeL);
        EXPECT_EQ(copy.m_dCylinderSizeCuft, original.m_dCylinderSizeCuft);
        EXPECT_EQ(copy.m_dMaxPressure, original.m_dMaxPressure);
        EXPECT_EQ(copy.m_dPressureIn, original.m_dPressureIn);
        EXPECT_EQ(copy.m_dPressureOut, original.m_dPressureOut);
    }
}
