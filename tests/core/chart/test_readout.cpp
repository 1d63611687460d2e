#include <gtest/gtest.h>

#include "ChartTestLog.h"
#include "viewmodel/CChartModel.h"
#include "viewmodel/ReadoutText.h"
#include "viewmodel/Units.h"

using charttest::AddSample;
using charttest::MarkLoaded;

// ---- GasMixText ------------------------------------------------------------------------------

TEST(GasMixText, NamesTheMixes) {
    EXPECT_EQ(GasMixText(21, 0), "AIR");
    EXPECT_EQ(GasMixText(32, 0), "32% Nx");
    EXPECT_EQ(GasMixText(18, 45), "18/45");
    EXPECT_EQ(GasMixText(0, 100), "HELIUM");
    EXPECT_EQ(GasMixText(100, 0), "O2");
}

// ---- ReadoutLineText ---------------------------------------------------------------------------

TEST(ReadoutLineText, TextsOfTheCodes) {
    CDiveLogSample s;
    s.m_dSetpoint = 1.3;
    s.m_dC2Cell[1] = 0.987;
    s.m_dBattery[3] = 6.1;
    s.m_dCylinder[12] = 200.0;
    s.m_dCylinder[2] = 150.0;
    s.m_dAmbientTemp = 10.0;
    s.m_dCNS = 12.34;
    s.m_dCeilingPressure = 1905.0;
    s.m_dDecoSurfacePressure = 900.0; // 10.05 m
    EXPECT_EQ(ReadoutLineText(101, s, true), "Setpoint\t1.30 Bar");
    EXPECT_EQ(ReadoutLineText(107, s, true), "C2 Cell 2\t0.99 Bar");
    EXPECT_EQ(ReadoutLineText(204, s, true), "C2 Battery 2\t6.10 Volts");
    EXPECT_EQ(ReadoutLineText(301, s, false), "Oxygen Cyl.\t2900.75 Psi");
    EXPECT_EQ(ReadoutLineText(304, s, true), "Diluent 3 Cyl.\t150.00 Bar");
    EXPECT_EQ(ReadoutLineText(401, s, true), "Amb Temp.\t10.00 Celcius");
    EXPECT_EQ(ReadoutLineText(401, s, false), "Amb Temp.\t50.00 Fahrenheit");
    EXPECT_EQ(ReadoutLineText(501, s, true), "CNS%\t12.3");
    EXPECT_EQ(ReadoutLineText(601, s, true), "Ceiling Depth\t10.05 Metres");
    EXPECT_EQ(ReadoutLineText(601, s, false), "Ceiling Depth\t32' 11\" Feet");
    for (int code : {0, 503, 510, 602, 701, 901})
        EXPECT_EQ(ReadoutLineText(code, s, true), "") << code;
}

// ---- BuildReadoutHeader ----------------------------------------------------------------------

namespace {

class ReadoutHeaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Dive starts at 100 s; descent at 10 m/min, then up at 9 m/min.
        AddSample(m_log, 40, 0.0);
        AddSample(m_log, 100, 0.0);
        AddSample(m_log, 160, 10.05);
        AddSample(m_log, 220, 1.05);
        MarkLoaded(m_log, 40, 220);
        m_log.m_dDiveStartTime = 100.0;
        m_model.SetLog(&m_log);
        m_model.SetChartSize(660, 220);
        m_model.TakeLoadedTimes();
    }
    CReadoutHeader At(double t, bool metric = true) {
        m_model.State().m_dCursorTime = t;
        return BuildReadoutHeader(m_model, metric);
    }
    CDiveLog m_log;
    CChartModel m_model;
};

} // namespace

TEST_F(ReadoutHeaderTest, DiveTimeDepthAndRate) {
    const CReadoutHeader before = At(40.5);
    EXPECT_EQ(before.diveTime, "-01:00");
    EXPECT_EQ(before.depth, "0.00 m");
    EXPECT_EQ(before.ascentRate, "0.0 m/min"); // equal depths
    const CReadoutHeader bottom = At(170);
    EXPECT_EQ(bottom.diveTime, "01:10");
    EXPECT_EQ(bottom.depth, "10.05 m");
    // 160 s is followed by the window's last sample: that pair reads 0.
    EXPECT_EQ(bottom.ascentRate, "0.0 m/min");
    const CReadoutHeader descent = At(100);
    EXPECT_EQ(descent.ascentRate, "-10.1 m/min");
    EXPECT_EQ(At(100, false).ascentRate, "-32.7 ft/min"); // 3.2568 ft per metre
    EXPECT_EQ(At(160, false).depth, "32' 11\" ft");
    EXPECT_EQ(At(220).ascentRate, "0.0 m/min");
    EXPECT_EQ(At(220).ascentRateWidest, "0.0 m/min");
}

TEST_F(ReadoutHeaderTest, DragShowsBothEnds) {
    m_model.State().m_bDragging = true;
    m_model.State().m_dCursorTime = 70;
    m_model.State().m_dDragTime = 3800;
    EXPECT_EQ(BuildReadoutHeader(m_model, true).diveTime, "-00:30 - 1:01:40");
}

TEST_F(ReadoutHeaderTest, GasFromTheTableOrTheLoggedNumber) {
    CDiveLogSample s = *m_log.m_arSamples[1];
    s.m_dGasO2 = 18;
    s.m_dGasHe = 45;
    s.m_byStatus[0] = 0x08;
    m_log.m_arSamples.Set(1, s);
    m_log.m_GasManagement.m_nDiluentO2[2] = 18;
    m_log.m_GasManagement.m_nDiluentHe[2] = 45;
    EXPECT_EQ(At(100).gas, "GAS3 18/45");
    m_log.m_GasManagement.m_nDiluentHe[2] = 0;
    s.m_nGasNumber = 4;
    m_log.m_arSamples.Set(1, s);
    EXPECT_EQ(At(100).gas, "GAS5 18/45");
    s.m_nGasNumber = -1;
    s.m_byStatus[0] = 0;
    m_log.m_arSamples.Set(1, s);
    EXPECT_EQ(At(100).gas, "DIL 18/45");
}
