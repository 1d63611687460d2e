// What the dive information page shows, decided below it: the summary lamps and the notes'
// line ends.
#include <gtest/gtest.h>

#include "logfile/CDiveLogInformation.h"
#include "viewmodel/NotesText.h"
#include "viewmodel/SummaryLamps.h"

using Info = CDiveLogInformation;

TEST(SummaryLampStates, NeutralWithoutSummaryAndEitherControllerLights) {
    Info info;
    info.m_bAlarm[Info::kC2LowOxygen] = true;
    info.m_bAlarm[Info::kDiveStart] = true;
    for (ELampState s : SummaryLampStates(info))
        EXPECT_EQ(s, ELampState::Neutral); // flags without a summary light nothing
    info.m_bSummaryValid = true;
    const auto states = SummaryLampStates(info);
    EXPECT_EQ(states[kLampLowOxygen], ELampState::Lit);
    EXPECT_EQ(states[kLampDiveStart], ELampState::Lit);
    EXPECT_EQ(states[kLampHighOxygen], ELampState::Off);
    EXPECT_EQ(states[kLampFastAscent], ELampState::Off);
    info.m_bAlarm[Info::kCo21stWarning] = true;
    EXPECT_EQ(SummaryLampStates(info)[kLampCo21st], ELampState::Lit);
}

TEST(NotesText, LineEndsBothWaysAndLoneReturnsKept) {
    EXPECT_EQ(NotesForEditing("a\r\nb\rc\n"), "a\nb\rc\n");
    EXPECT_EQ(NotesForRecord("a\nb\r\nc\r"), "a\r\nb\r\nc\r");
    const std::string record = "Wreck\r\n\r\nVis 10 m";
    EXPECT_EQ(NotesForRecord(NotesForEditing(record)), record);
}
