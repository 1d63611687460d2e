#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <gtest/gtest.h>

#include "ProfileFixtures.h"
#include "views/CChartOptions.h"

namespace {

uint32_t Read(const std::string& name) {
    return SettingDword(settings::Path(name), 0).Read();
}

} // namespace

TEST(ChartOptions, OpeningMovesTheRightAxisBackToTraceOne) {
    profiletest::CScopedSettings settings;
    SettingDword(settings::Path(settings::kYAxisSelection), 0) = 4;
    CChartOptions dialog;
    EXPECT_EQ(Read(std::string(settings::kYAxisSelection)), 0u);
}

TEST(ChartOptions, EmptySlotsReadNotUsedAndCannotBeEnabled) {
    profiletest::CScopedSettings settings;
    SettingDword(settings::Path(settings::TraceName(1)), 0) = 503;
    CChartOptions dialog;
    EXPECT_EQ(dialog.SlotName(0)->text(), QStringLiteral("Not Used"));
    EXPECT_FALSE(dialog.SlotBox(0)->isEnabled());
    EXPECT_EQ(dialog.SlotName(1)->text(), QStringLiteral("Gas Toxicity - ppCO2"));
    EXPECT_TRUE(dialog.SlotBox(1)->isEnabled());
    EXPECT_TRUE(dialog.DepthBox()->isChecked());
    EXPECT_FALSE(dialog.SolenoidBox()->isChecked()); // the firing row only when asked for
}

TEST(ChartOptions, ChoosingAGroupWritesAtOnceAndCancelKeepsIt) {
    profiletest::CScopedSettings settings;
    SettingDword(settings::Path(settings::TraceName(9)), 0) = 1103;
    {
        CChartOptions dialog;
        dialog.GroupList()->setCurrentIndex(5); // Gas Toxicity
        EXPECT_EQ(Read(settings::TraceName(0)), 501u);
        EXPECT_EQ(Read(settings::TraceName(1)), 502u);
        EXPECT_EQ(Read(settings::TraceName(9)), 0u);
        EXPECT_EQ(Read(std::string(settings::kTraceGroup)), 5u);
        EXPECT_EQ(dialog.SlotName(0)->text(), QStringLiteral("Gas Toxicity - CNS%"));
        for (int k = 2; k < 10; ++k) {
            EXPECT_EQ(dialog.SlotName(k)->text(), QStringLiteral("Not Used"));
            EXPECT_FALSE(dialog.SlotBox(k)->isEnabled());
        }
        EXPECT_TRUE(dialog.SlotBox(1)->isChecked());
        dialog.reject();
    }
    EXPECT_EQ(Read(settings::TraceEnableName(1)), 1u);
}

TEST(ChartOptions, OkWritesTheBoxes) {
    profiletest::CScopedSettings settings;
    CChartOptions dialog;
    dialog.GroupList()->setCurrentIndex(1); // PPO2
    dialog.SlotBox(3)->setChecked(false);
    dialog.DepthBox()->setChecked(false);
    dialog.SolenoidBox()->setChecked(true);
    EXPECT_EQ(Read(settings::TraceEnableName(3)), 1u); // not before OK
    dialog.accept();
    EXPECT_EQ(Read(settings::TraceEnableName(3)), 0u);
    EXPECT_EQ(Read(settings::TraceEnableName(4)), 1u);
    EXPECT_EQ(SettingDword(settings::Path(settings::kGraphDepth), 1).Read(), 0u);
    EXPECT_EQ(SettingDword(settings::Path(settings::kGraphSolenoids), 0).Read(), 1u);
}
