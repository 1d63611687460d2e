#include <gtest/gtest.h>

#include "logfile/CDiveLogSample.h"
#include "viewmodel/AlarmLamps.h"
#include "viewmodel/StateBits.h"
#include "viewmodel/TraceValue.h"

// ---- Lamp colours: red for an alarm, black when masked, light grey for a masked quiet bit ----

TEST(ControllerLampColours, EitherControllerCounts) {
    CDiveLogSample s;
    s.m_byC2CellStatus = 0x10; // cell warning on C2, masked
    s.m_byStatus[7] = 0x10;
    auto lamps = ControllerLampColours(s);
    EXPECT_EQ(lamps[0], LampColour::Black); // masked warning is black, not red
    EXPECT_EQ(lamps[1], LampColour::White);
    s.m_byC1CellStatus = 0x10; // the same warning unmasked on C1 wins
    EXPECT_EQ(ControllerLampColours(s)[0], LampColour::Red);
    s = CDiveLogSample{};
    s.m_byStatus[6] = 0x20; // low battery masked, no alarm
    EXPECT_EQ(ControllerLampColours(s)[1], LampColour::LightGrey);
    s.m_byC2CellStatus = 0x80; // high oxygen ignores masks
    s.m_byStatus[7] = 0x80;
    EXPECT_EQ(ControllerLampColours(s)[3], LampColour::Red);
    EXPECT_EQ(ControllerLampColours(s)[2], LampColour::White);
}

TEST(DisplayLampColours, ScrubberWarningMovedWithTheDisplayCode) {
    CDiveLogSample s;
    s.m_byCellStatusExtra = 0x40;
    EXPECT_EQ(DisplayLampColours(s, false)[4], LampColour::Red);
    EXPECT_EQ(DisplayLampColours(s, true)[4], LampColour::White);
    EXPECT_EQ(DisplayLampColours(s, true)[7], LampColour::Red); // CO2 1st warning
    s.m_byStatusExt = 0x30;
    EXPECT_EQ(DisplayLampColours(s, true)[4], LampColour::Red);
    EXPECT_EQ(DisplayLampColours(s, true)[6], LampColour::Red);
    s.m_byCellStatusExtra = 0x21;
    s.m_byStatus[8] = 0x20;
    const auto lamps = DisplayLampColours(s, true);
    EXPECT_EQ(lamps[0], LampColour::Red);   // fast ascent
    EXPECT_EQ(lamps[8], LampColour::Black); // dive start, masked
    EXPECT_EQ(lamps[1], LampColour::White);
}

// ---- State traces ------------------------------------------------------------------------------

TEST(TraceState, BitsAndVersionConditions) {
    CDiveLogSample s;
    s.m_byC2CellStatus = 0x80;
    s.m_byStatus[1] = 0x08;
    s.m_byStatus[9] = 0x04;
    s.m_byStatus[0] = 0x20;
    EXPECT_TRUE(TraceState(908, s, false));
    EXPECT_FALSE(TraceState(907, s, false));
    EXPECT_TRUE(TraceState(1105, s, false)); // manual inject before 03.09.22
    EXPECT_FALSE(TraceState(1105, s, true));
    EXPECT_TRUE(TraceState(1113, s, true)); // the same bit is the gradual switch after
    EXPECT_FALSE(TraceState(1113, s, false));
    EXPECT_TRUE(TraceState(1302, s, false)); // switch centre: 0x44
    EXPECT_FALSE(TraceState(1301, s, false));
    EXPECT_TRUE(TraceState(1107, s, false)); // shutdown C2: status 0 bit 5
    EXPECT_FALSE(TraceState(1106, s, false));
    EXPECT_FALSE(TraceState(1500, s, false));
    EXPECT_STREQ(StateTraceName(1402), "Device C02");
    EXPECT_EQ(StateTraceName(5), nullptr);
}

// ---- TraceValue --------------------------------------------------------------------------------

TEST(TraceValue, QuantitiesOfTheCodes) {
    CDiveLogSample s;
    s.m_dPressure = 990.0; // above the surface: depth 0, not negative
    s.m_dCylinder[5] = 90.0;
    s.m_dProbeTemp[8] = 21.5;
    EXPECT_DOUBLE_EQ(TraceValue(0, s), 0.0);
    EXPECT_DOUBLE_EQ(TraceValue(307, s), 90.0);
    EXPECT_DOUBLE_EQ(TraceValue(709, s), 21.5);
    EXPECT_DOUBLE_EQ(TraceValue(999, s), 0.0);
}
