#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "LogBuilder.h"
#include "logfile/CDiveLogSample.h"
#include "logfile/SampleFields.h"
#include "logfile/SampleLayouts.h"

using namespace loadertest;

namespace {
const CRecordFormat kShort{false, true, true};
const CRecordFormat kShortOld{false, false, false};
const CRecordFormat kFrc{true, true, true};

double Voted(unsigned c1, unsigned c2, unsigned c3, unsigned status, unsigned setpoint = 0) {
    CDiveLogSample s;
    s.m_dSetpoint = setpoint / 100.0;
    std::string line = Short(
        CRecordLineWriter(0x06).Word(1000).Byte(c1).Byte(c2).Byte(c3).Byte(0).Byte(0).Byte(status));
    s.DecodeLine(0x06, line, kShort);
    return s.m_dC1Measured;
}
} // namespace

// ==== Clamps and guards ==========================================================================

TEST(SampleSetters, SurfacePressureAndIntervalClamps) {
    CDiveLogSample s;
    for (const auto& [in, out] : {std::pair{1085, 1000.0}, {590, 1000.0}, {1080, 1080.0}}) {
        s.SetSurfacePressure(in);
        EXPECT_EQ(s.m_dSurfacePressure, out) << in;
    }
    for (const auto& [in, out] : {std::pair{0, 1}, {200, 120}}) {
        s.SetSampleInterval(in);
        EXPECT_EQ(s.m_nSampleInterval, out) << in;
    }
}

TEST(SampleRead, DepthNeverNegativeAndIndexGuards) {
    CDiveLogSample s;
    s.SetPressure(990);
    EXPECT_EQ(s.GetDepth(), 0.0);
    s.SetPressure(2013);
    EXPECT_DOUBLE_EQ(s.GetDepth(), 10.13);
    EXPECT_EQ(s.GetCellPPO2(8), 0.0);
    EXPECT_EQ(s.GetBattery(4), 0.0);
    EXPECT_EQ(s.GetProbeTemp(-1), 0.0);
    EXPECT_EQ(s.GetDiluentPressure(12), 0.0);
    EXPECT_EQ(s.GetControllerFlags(3), -1);
    s.m_byStatus[2] = 0x02;
    s.m_byStatus[4] = 0x03;
    EXPECT_EQ(s.GetControllerFlags(1), 2);
    EXPECT_EQ(s.GetControllerFlags(2), 3);
}

// ==== Measured PPO2 voting =======================================================================

TEST(SampleVoting, CellsAgreeExclusionsAndTies) {
    struct Case {
        unsigned c1, c2, c3, status, setpoint;
        double expected;
    };
    const Case cases[] = {
        {70, 72, 100, 0, 0, 0.71},    {70, 72, 100, 0x01, 0, 0.86}, {70, 72, 100, 0x07, 130, 1.30},
        {70, 72, 100, 0x03, 0, 1.00}, {70, 72, 100, 0x06, 0, 0.70}, {70, 72, 100, 0x04, 0, 0.71},
        {50, 75, 100, 0, 0, 0.50},  // d12 = d23 exactly: no test settles it, cell 1 wins
        {100, 50, 102, 0, 0, 1.01}, // cells 1 and 3 closest
        {50, 100, 102, 0, 0, 1.01}, // cells 2 and 3 closest
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(Voted(c.c1, c.c2, c.c3, c.status, c.setpoint), c.expected)
            << c.c1 << " " << c.c2 << " " << c.c3 << " status " << c.status;
}

// ==== Short layout ===============================================================================

TEST(SampleDecodeShort, DepthRecordFields) {
    CDiveLogSample s;
    s.DecodeTimedLine(42.0, SDepth(2013, 110, 90, 0x00, 0x07), kShort);
    EXPECT_EQ(s.m_dTime, 42.0);
    EXPECT_EQ(s.m_dPressure, 2013.0);
    EXPECT_DOUBLE_EQ(s.m_dC1Cell[2], 1.10);
    EXPECT_DOUBLE_EQ(s.m_dBattery[3], 6.0);
    EXPECT_EQ(s.m_byC2CellStatus, 0x07);
    EXPECT_DOUBLE_EQ(s.m_dC1Measured, 1.10);
    EXPECT_DOUBLE_EQ(s.m_dC2Measured, 0.0); // all excluded: the setpoint, still 0
}

TEST(SampleDecodeShort, TimeSetEvenForEmptyOrShortLine) {
    CDiveLogSample s;
    s.DecodeTimedLine(7.0, "", kShort);
    EXPECT_EQ(s.m_dTime, 7.0);
    s.DecodeTimedLine(9.0, SDepth(2013).substr(0, 32), kShort);
    EXPECT_EQ(s.m_dTime, 9.0);
    EXPECT_EQ(s.m_dPressure, 0.0);
}

TEST(SampleDecodeShort, StatusRecordIntervalByVersion) {
    CDiveLogSample old;
    old.DecodeLine(0x07, SStatus07(0x04, 130, 255), kShortOld);
    EXPECT_EQ(old.m_nSampleInterval, 10); // 255 means 10
    EXPECT_EQ(old.m_byStatusExt, 0);
    old.DecodeLine(0x07, SStatus07(0x04, 130, 5), kShortOld);
    EXPECT_EQ(old.m_nSampleInterval, 5);
    CDiveLogSample newer;
    newer.DecodeLine(0x07, SStatus07(0x04, 130, 0x5A), kShort);
    EXPECT_EQ(newer.m_nSampleInterval, 10);
    EXPECT_EQ(newer.m_byStatusExt, 0x5A);
    EXPECT_EQ(newer.m_byStatus[0], 0x04);
    EXPECT_DOUBLE_EQ(newer.m_dSetpoint, 1.30);
    EXPECT_EQ(newer.m_dGasO2, 21.0);
    EXPECT_EQ(newer.m_dGasHe, 35.0);
}

TEST(SampleDecodeShort, GasCylinderDecoAndCo2Records) {
    CDiveLogSample s;
    CRecordLineWriter gas(0x09);
    gas.Byte(21).Byte(0).Byte(18).Byte(45).PadTo(13).Byte(30).Byte(85).Byte(2);
    s.DecodeLine(0x09, Short(gas), kShort);
    EXPECT_EQ(s.m_nGasO2[1], 18);
    EXPECT_EQ(s.m_nGasHe[1], 45);
    EXPECT_EQ(s.GetGfLow(), 30.0);
    EXPECT_EQ(s.GetGfHigh(), 85.0);
    EXPECT_EQ(s.m_nConservatism, 2);

    s.DecodeLine(0x0A, Short(CRecordLineWriter(0x0A).Word(200).PadTo(13).Word(180)), kShort);
    EXPECT_EQ(s.m_dCylinder[0], 200.0);
    EXPECT_EQ(s.m_dCylinder[1], 0.0);
    EXPECT_EQ(s.m_dCylinder[12], 180.0);
    EXPECT_TRUE(s.HasOxygenPressure());
    EXPECT_EQ(s.m_dCylinder[6], -1.0);

    // 0x1A is 26 characters; a 34-character one is ignored.
    s.DecodeLine(0x1A, Short(CRecordLineWriter(0x1A).Word(150)), kShort);
    EXPECT_EQ(s.m_dCylinder[6], -1.0);
    s.DecodeLine(0x1A, CRecordLineWriter(0x1A).Word(150).PadTo(12).Finish(), kShort);
    EXPECT_EQ(s.m_dCylinder[6], 150.0);
    EXPECT_EQ(s.m_dCylinder[10], 0.0);

    CRecordLineWriter deco(0x0C);
    deco.Word(1).Word(1300).Word(3).Word(1000).Word(250).FloatBE(0.5f).Byte(4);
    s.DecodeLine(0x0C, Short(deco), kShort);
    EXPECT_DOUBLE_EQ(s.GetCeilingDepth(), 3.0);
    EXPECT_DOUBLE_EQ(s.GetGradientFactor(), 50.0);
    EXPECT_DOUBLE_EQ(s.GetDecoWord4(), 2.5);
    EXPECT_EQ(s.GetGasNumber(), 4);

    s.DecodeLine(0x40, Short(CRecordLineWriter(0x40).Word(215).Word(150).PadTo(15).Byte(80)),
                 kShort);
    EXPECT_DOUBLE_EQ(s.m_dDpsTemp, 21.5);
    EXPECT_DOUBLE_EQ(s.m_dPpmACO2, 1.5);
    EXPECT_DOUBLE_EQ(s.m_dTsT8, 20.0);
}

TEST(SampleDecodeShort, TemperatureRecordSignedAmbient) {
    CDiveLogSample s;
    CRecordLineWriter temps(0x14);
    temps.Byte(80).PadTo(10).Byte(3).Word(65526).Byte(12).Byte(34).Byte(5);
    s.DecodeLine(0x14, Short(temps), kShort);
    EXPECT_DOUBLE_EQ(s.m_dProbeTemp[0], 20.0);
    EXPECT_EQ(s.m_byProbeFlags, 3);
    EXPECT_DOUBLE_EQ(s.m_dAmbientTemp, -1.0);
    EXPECT_EQ(s.m_dCNS, 12.0);
    EXPECT_EQ(s.m_dOTU, 34.0);
    EXPECT_DOUBLE_EQ(s.m_dPPCO2, 0.5);
}

// ==== FRC layout =================================================================================

TEST(SampleDecodeFrc, DepthRecordTakesMeasuredFromLine) {
    CDiveLogSample s;
    s.DecodeTimedLine(3.0, FDepth(1.0, 3013), kFrc);
    EXPECT_EQ(s.m_dPressure, 3013.0);
    EXPECT_DOUBLE_EQ(s.m_dAmbientTemp, 21.5);
    EXPECT_DOUBLE_EQ(s.m_dC1Measured, 1.01);
    EXPECT_DOUBLE_EQ(s.m_dC2Measured, 0.99);
    // A short-layout line means nothing here.
    CDiveLogSample t;
    t.DecodeTimedLine(3.0, SDepth(3013), kFrc);
    EXPECT_EQ(t.m_dPressure, 0.0);
}

TEST(SampleDecodeFrc, Co2RecordNotDecodedAndTablesAre) {
    CDiveLogSample s;
    s.DecodeLine(0x40, Frc(FrcRec(0x40, 1.0).Word(215).Word(150)), kFrc);
    EXPECT_EQ(s.m_dDpsTemp, 0.0);
    EXPECT_EQ(s.m_dPpmACO2, 0.0);
    CRecordLineWriter tables = FrcRec(0x23, 1.0);
    tables.SplitFloat(1.5f).SplitFloat(-2.0f).SplitFloat(3.0f).SplitFloat(4.0f).SplitFloat(9.0f);
    s.DecodeLine(0x23, Frc(tables), kFrc);
    EXPECT_EQ(s.m_dTableA[12], 1.5);
    EXPECT_EQ(s.m_dTableA[13], -2.0);
    EXPECT_EQ(s.m_dTableA[15], 4.0);
    s.DecodeLine(0x24, Frc(FrcRec(0x24, 1.0).SplitFloat(0.25f)), kFrc);
    EXPECT_EQ(s.m_dTableB[0], 0.25);
}

TEST(SampleDecodeFrc, DiveDetectGradientFactorsAndStatus) {
    CDiveLogSample s;
    CRecordLineWriter detect = FrcRec(0x0D, 1.0);
    detect.Byte(1).Byte(2).Byte(3).Byte(4).Word(0x1234).Byte(6).Byte(7).Byte(30).Byte(85);
    detect.PadTo(19).Byte(0x11).Byte(0x22).PadTo(26).Byte(0x99);
    s.DecodeLine(0x0D, Frc(detect), kFrc);
    EXPECT_TRUE(s.m_bHasDiveDetect);
    EXPECT_EQ(s.m_dDiveEndDepth, 2.0);
    EXPECT_EQ(s.m_dDiveStartDepth, 3.0);
    EXPECT_EQ(s.m_dDiveDetect[1], 0x1234);
    EXPECT_EQ(s.GetGfLow(), 30.0);
    EXPECT_EQ(s.GetGfHigh(), 85.0);
    EXPECT_EQ(s.m_byStatus[0], 0x11);
    EXPECT_EQ(s.m_byStatus[1], 0x22);
    EXPECT_EQ(s.m_byStatus[9], 0x99);
}

// ==== Depth hysteresis ===========================================================================

TEST(SampleUpdateDiving, StrictThresholdsAndNoDetectRecord) {
    CDiveLogSample none;
    none.SetPressure(5000);
    EXPECT_TRUE(none.UpdateDiving(true));
    EXPECT_FALSE(none.m_bDiving);

    CDiveLogSample s;
    s.DecodeLine(0x0D, SDiveDetect(1, 2), kShort);
    s.SetPressure(1200); // exactly 2 m: not beyond the start depth
    EXPECT_FALSE(s.UpdateDiving(false));
    s.SetPressure(1201);
    EXPECT_TRUE(s.UpdateDiving(false));
    s.SetPressure(1100); // exactly 1 m: still diving
    EXPECT_TRUE(s.UpdateDiving(true));
    s.SetPressure(1099);
    EXPECT_FALSE(s.UpdateDiving(true));
}

// ==== Decoding only what changed =================================================================

namespace {
// Every field the same, bit for bit (a NaN as well).
bool SameBits(const CDiveLogSample& a, const CDiveLogSample& b) {
    bool same = true;
    ForEachSampleField(a, [&](const char*, const auto& field) {
        const auto* other =
            reinterpret_cast<const char*>(&b) +
            (reinterpret_cast<const char*>(&field) - reinterpret_cast<const char*>(&a));
        same = same && std::memcmp(&field, other, sizeof field) == 0;
    });
    return same;
}
} // namespace

// A unit rewrites most records every second with a value or two changed, and only the fields
// read from changed characters are decoded again. For every record type of both layouts and
// every rule's place, a line with some characters changed (hex digits, other characters, the
// checksum and the timestamp included) must leave a sample exactly as decoding it whole does.
TEST(SampleDecodeChanged, SameFieldsAsDecodingTheWholeLine) {
    uint32_t seed = 12345;
    auto next = [&] { return seed = seed * 1664525u + 1013904223u; };
    const char kChars[] = "0123456789ABCDEFabcdefG ";
    for (const CRecordFormat& format : {kShort, kShortOld, kFrc}) {
        for (unsigned type = 0; type < 256; ++type) {
            size_t length = 0;
            const auto rules = samplelayout::RulesFor(type, format, length);
            // A short-layout depth line is never decoded this way: its cells are voted after.
            if (rules.empty() || (type == 0x06 && !format.frcLayout))
                continue;
            SCOPED_TRACE(testing::Message() << "type " << type << " frc " << format.frcLayout);
            for (int round = 0; round < 200; ++round) {
                std::string before(length, '0');
                for (char& c : before)
                    c = kChars[next() % 16];
                before[0] = "0123456789ABCDEF"[type >> 4];
                before[1] = "0123456789ABCDEF"[type & 15];
                std::string after = before;
                // One to four characters anywhere past the type; now and then one not hex.
                for (unsigned k = next() % 4 + 1; k > 0; --k)
                    after[2 + next() % (length - 2)] = kChars[next() % (sizeof kChars - 1)];
                CDiveLogSample whole, changed, copy;
                whole.DecodeLine(type, before, format);
                changed.DecodeLine(type, before, format);
                copy.DecodeLine(type, before, format);
                whole.DecodeLine(type, after, format);
                samplelayout::ApplyChanged(rules, after, before, format, changed, &copy);
                ASSERT_TRUE(SameBits(whole, changed)) << before << " -> " << after;
                ASSERT_TRUE(SameBits(whole, copy)) << before << " -> " << after;
                // Against a line of another length nothing is known: every field is decoded.
                CDiveLogSample fresh, unknown;
                fresh.DecodeLine(type, after, format);
                samplelayout::ApplyChanged(rules, after, before.substr(1), format, unknown);
                ASSERT_TRUE(SameBits(fresh, unknown)) << after;
            }
        }
    }
}
