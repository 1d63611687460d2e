#include <gtest/gtest.h>

#include "viewmodel/GasUsed.h"

// ---- Gas used ----------------------------------------------------------------------------------

TEST(GasUsed, MetricIsPressureDropTimesSize) {
    EXPECT_EQ(gas::FormatGasUsed(gas::GasUsedLitres(3.0, 200.0, 50.0)), "450.0");
    EXPECT_EQ(gas::FormatGasUsed(gas::GasUsedLitres(3.0, 50.0, 50.0)), "0.0");
}

TEST(GasUsed, ImperialScalesByTheWorkingPressure) {
    const auto used = gas::GasUsedCubicFeet(12.5, 2640.0, 200.0, 50.0);
    ASSERT_TRUE(used);
    EXPECT_NEAR(*used, 10.3, 0.01);
    EXPECT_EQ(gas::FormatGasUsed(used), "10.3");
}

TEST(GasUsed, ErrorWhenItCannotBeWorkedOut) {
    EXPECT_EQ(gas::FormatGasUsed(gas::GasUsedLitres(3.0, 50.0, 50.5)), "Error");
    EXPECT_EQ(gas::FormatGasUsed(gas::GasUsedCubicFeet(12.5, 2640.0, 10.0, 20.0)), "Error");
    // No working pressure: no division by zero, no "inf" on the page.
    EXPECT_EQ(gas::FormatGasUsed(gas::GasUsedCubicFeet(12.5, 0.0, 200.0, 50.0)), "Error");
}

// ---- Mixes -------------------------------------------------------------------------------------

TEST(GasMix, NitrogenAndErrorRules) {
    EXPECT_EQ(gas::NitrogenPercent(21, 35), 44);
    EXPECT_EQ(gas::FormatPercent(gas::NitrogenPercent(21, 35)), "44");
    EXPECT_EQ(gas::FormatPercent(gas::NitrogenPercent(70, 40)), "Error");
    EXPECT_EQ(gas::FormatPercent(100), "100");
    EXPECT_EQ(gas::FormatPercent(0), "0");
    EXPECT_EQ(gas::FormatPercent(101), "Error");
    EXPECT_EQ(gas::FormatPercent(-1), "Error");
    EXPECT_EQ(gas::NitrogenPercent(20.5, 0), 79); // truncated, not rounded
}

// ---- Units and settings ------------------------------------------------------------------------

TEST(GasUnits, PsiEntriesAreStoredAsBar) {
    EXPECT_NEAR(gas::PsiToBar(2900.754), 200.0, 1e-9);
    EXPECT_NEAR(gas::PsiToBar(gas::BarToPsi(123.0)), 123.0, 1e-9);
}

TEST(GasUnits, SettingsKeepHundredthsWithoutLosingOneToRounding) {
    EXPECT_EQ(gas::SettingHundredths(2.0), 200u);
    EXPECT_EQ(gas::SettingHundredths(12.5), 1250u);
    EXPECT_EQ(gas::SettingHundredths(2640.0), 264000u);
    EXPECT_EQ(gas::SettingHundredths(1.15), 115u); // 1.15 x 100 is 114.999... in binary
    EXPECT_EQ(gas::SettingHundredths(-3.0), 0u);
}
