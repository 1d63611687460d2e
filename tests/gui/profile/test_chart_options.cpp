#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <gtest/gtest.h>

#include "ProfileFixtures.h"
#include "settings/SettingValue.h"
#include "views/CChartOptions.h"

namespace {

// A context over its own store; values put into the store before Start() are what start-up
// reads, and Read() shows what the dialog wrote back.
struct Settings {
    void Put(const std::string& name, uint32_t value) {
        SettingDword(settings::Path(name), 0, false, &store) = value;
    }
    uint32_t Read(const std::string& name) {
        return SettingDword(settings::Path(name), 0, false, &store).Read();
    }
    CViewerContext& Start() {
        ctx.LoadSettings(store);
        return ctx;
    }
    CMemorySettingsStore store;
    CViewerContext ctx;
};

} // namespace

TEST(ChartOptions, OpeningMovesTheRightAxisBackToTraceOne) {
    Settings s;
    s.Put(std::string(settings::kYAxisSelection), 4);
    CChartOptions dialog(s.Start());
    EXPECT_EQ(s.Read(std::string(settings::kYAxisSelection)), 0u);
    EXPECT_EQ(s.ctx.Settings().Traces().m_nYAxisSelection, 0u);
}

TEST(ChartOptions, EmptySlotsReadNotUsedAndCannotBeEnabled) {
    Settings s;
    s.Put(settings::TraceName(1), 503);
    CChartOptions dialog(s.Start());
    EXPECT_EQ(dialog.SlotName(0)->text(), QStringLiteral("Not Used"));
    EXPECT_FALSE(dialog.SlotBox(0)->isEnabled());
    EXPECT_EQ(dialog.SlotName(1)->text(), QStringLiteral("Gas Toxicity - ppCO2"));
    EXPECT_TRUE(dialog.SlotBox(1)->isEnabled());
    EXPECT_TRUE(dialog.DepthBox()->isChecked());
    EXPECT_FALSE(dialog.SolenoidBox()->isChecked()); // the firing row only when asked for
}

TEST(ChartOptions, ChoosingAGroupWritesAtOnceAndCancelKeepsIt) {
    Settings s;
    s.Put(settings::TraceName(9), 1103);
    {
        CChartOptions dialog(s.Start());
        dialog.GroupList()->setCurrentIndex(5); // Gas Toxicity
        EXPECT_EQ(s.Read(settings::TraceName(0)), 501u);
        EXPECT_EQ(s.Read(settings::TraceName(1)), 502u);
        EXPECT_EQ(s.Read(settings::TraceName(9)), 0u);
        EXPECT_EQ(s.Read(std::string(settings::kTraceGroup)), 5u);
        EXPECT_EQ(dialog.SlotName(0)->text(), QStringLiteral("Gas Toxicity - CNS%"));
        for (int k = 2; k < 10; ++k) {
            EXPECT_EQ(dialog.SlotName(k)->text(), QStringLiteral("Not Used"));
            EXPECT_FALSE(dialog.SlotBox(k)->isEnabled());
        }
        EXPECT_TRUE(dialog.SlotBox(1)->isChecked());
        dialog.reject();
    }
    EXPECT_EQ(s.Read(settings::TraceEnableName(1)), 1u);
    EXPECT_EQ(s.ctx.Settings().Traces().m_nTrace[1], 502u);
}

TEST(ChartOptions, OkWritesTheBoxes) {
    Settings s;
    CChartOptions dialog(s.Start());
    dialog.GroupList()->setCurrentIndex(1); // PPO2
    dialog.SlotBox(3)->setChecked(false);
    dialog.DepthBox()->setChecked(false);
    dialog.SolenoidBox()->setChecked(true);
    EXPECT_EQ(s.Read(settings::TraceEnableName(3)), 1u); // not before OK
    dialog.accept();
    EXPECT_EQ(s.Read(settings::TraceEnableName(3)), 0u);
    EXPECT_EQ(s.Read(settings::TraceEnableName(4)), 1u);
    EXPECT_EQ(SettingDword(settings::Path(settings::kGraphDepth), 1, false, &s.store).Read(), 0u);
    EXPECT_EQ(SettingDword(settings::Path(settings::kGraphSolenoids), 0, false, &s.store).Read(),
              1u);
}
