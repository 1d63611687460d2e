#include <gtest/gtest.h>

#include "logfile/CDiveLogInformation.h"
#include "viewmodel/SummaryText.h"

// ---- Summary formats ---------------------------------------------------------------------------

TEST(SummaryText, HoursAndMinutesAreEmptyBelowOneMinute) {
    EXPECT_EQ(summary::FormatHoursMinutes(0), "");
    EXPECT_EQ(summary::FormatHoursMinutes(-5), "");
    EXPECT_EQ(summary::FormatHoursMinutes(1), "0:01 hh:mm");
    EXPECT_EQ(summary::FormatHoursMinutes(125), "2:05 hh:mm");
    EXPECT_EQ(summary::FormatHoursMinutes(6000), "100:00 hh:mm");
}

TEST(SummaryText, MetricAndImperial) {
    EXPECT_EQ(summary::FormatMaxDepth(42.37, true), "42.4 m");
    EXPECT_EQ(summary::FormatMaxDepth(10.0, false), "32' 9\"");
    EXPECT_EQ(summary::FormatAtmTemperature(21.25, true), "21.2 Celcius");
    EXPECT_EQ(summary::FormatAtmTemperature(20.0, false), "68.0 Fahrenheit");
    EXPECT_EQ(summary::FormatAtmPressure(1013.4), "1013 mBar");
    EXPECT_EQ(summary::FormatSetpoint(1.3), "1.30 Bar");
    EXPECT_EQ(summary::FormatPeakPercent(12.6), "13%");
}

TEST(SummaryText, DecompressionFiguresFollowTheDisplayOption) {
    EXPECT_TRUE(summary::DecoVisibility("Trimix").gradientFactors);
    EXPECT_FALSE(summary::DecoVisibility("Trimix").conservatism);
    EXPECT_TRUE(summary::DecoVisibility("Nitrox").conservatism);
    EXPECT_FALSE(summary::DecoVisibility("Nitrox").gradientFactors);
    for (const char* other : {"Dive Timer", "Recreational 1", "Disabled", "Unknown value", ""}) {
        EXPECT_FALSE(summary::DecoVisibility(other).gradientFactors) << other;
        EXPECT_FALSE(summary::DecoVisibility(other).conservatism) << other;
    }
}

TEST(SummaryText, BuildsEveryTextOfAValidSummary) {
    CDiveLogInformation info;
    EXPECT_EQ(summary::BuildSummaryTexts(info, true, "Trimix").maxDepth, "");
    info.m_bSummaryValid = true;
    info.m_dtDiveDateTime = CDateTime(2009, 5, 2, 14, 3, 9);
    info.m_strDiveTime = "59:59 mm:ss";
    info.m_dMaxDepth = 30.0;
    info.m_nDiveNumber = 17;
    info.m_nTotalUnitOnTime = 0;
    info.m_nTotalDiveTime = 61;
    info.m_dGfLow = 30;
    info.m_dGfHigh = 85;
    info.m_dConservatism = -1;
    const auto t = summary::BuildSummaryTexts(info, true, "Trimix");
    EXPECT_EQ(t.date, "02 May 2009");
    EXPECT_EQ(t.time, "14:03:09");
    EXPECT_EQ(t.diveTime, "59:59 mm:ss");
    EXPECT_EQ(t.maxDepth, "30.0 m");
    EXPECT_EQ(t.diveNumber, "17");
    EXPECT_EQ(t.totalUnitOnTime, "");
    EXPECT_EQ(t.totalDiveTime, "1:01 hh:mm");
    EXPECT_EQ(t.gfLow, "30");
    EXPECT_EQ(t.gfHigh, "85");
    EXPECT_EQ(t.conservatism, "");
    EXPECT_TRUE(t.deco.gradientFactors);
}

// A language's unit words and month names replace the English ones; a translated format whose
// directives differ from the English is not trusted with printf.
TEST(SummaryText, UnitWordsAndMonthsFollowTheLanguage) {
    const TextLookup german = [](int id) -> std::string {
        switch (id) {
        case summary::kMillibarFormat:
            return "%.0f mbar";
        case summary::kSetpointFormat:
            return "%d bar"; // wrong directive: the English is used
        case summary::kHoursMinutesFormat:
            return "%ld:%02d h"; // wrong length: the English is used
        case summary::kJanuary + 4:
            return "Mai";
        case summary::kInvalidDate:
            return "Ungültig";
        default:
            return "";
        }
    };
    EXPECT_EQ(summary::FormatAtmPressure(1013.4, german), "1013 mbar");
    EXPECT_EQ(summary::FormatSetpoint(1.3, german), "1.30 Bar");
    EXPECT_EQ(summary::FormatHoursMinutes(125, german), "2:05 hh:mm");
    EXPECT_EQ(summary::FormatAtmTemperature(21.25, true, german), "21.2 Celcius");
    EXPECT_EQ(summary::FormatDate(CDateTime(2009, 5, 2, 14, 3, 9), german), "02 Mai 2009");
    EXPECT_EQ(summary::FormatDate(CDateTime(2009, 6, 2, 14, 3, 9), german), "02 June 2009");
    EXPECT_EQ(summary::FormatDate(CDateTime::Invalid(), german), "Ungültig");
    EXPECT_EQ(summary::FormatDate(CDateTime(), german), "");
}
