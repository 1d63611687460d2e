#include <gtest/gtest.h>

#include <map>

#include "settings/CSettings.h"
#include "settings/PrinterSettings.h"
#include "settings/SettingValue.h"
#include "settings/SettingsTable.h"

TEST(SettingDword, SplitsThePathAndFallsBackToTheDefault) {
    CMemorySettingsStore store;
    SettingDword units("\\Software\\Zelvor\\ZelvorLogViewer\\Settings\\Units\\", 1, false, &store);
    EXPECT_EQ(units.KeyPath(), "Software\\Zelvor\\ZelvorLogViewer\\Settings");
    EXPECT_EQ(units.ValueName(), "Units");
    EXPECT_EQ(units.Read(), 1u);
    EXPECT_FALSE(units.IsRead());
    store.WriteDword(units.KeyPath(), "Units", 7);
    EXPECT_EQ(units.Read(), 7u); // a failed read is retried next time
    EXPECT_TRUE(units.IsRead());
}

TEST(SettingDword, WritesOnlyWhenTheValueChanges) {
    CMemorySettingsStore store;
    SettingDword level(settings::Path(settings::kMessageLevel), 0, false, &store);
    level = 0; // equals the cached default: nothing written
    EXPECT_EQ(store.WriteCount(), 0u);
    level = 3;
    EXPECT_EQ(store.WriteCount(), 1u);
    level = 3;
    EXPECT_EQ(store.WriteCount(), 1u);
    SettingDword again(settings::Path(settings::kMessageLevel), 0, false, &store);
    EXPECT_EQ(again.Read(), 3u);
    SettingDword forced(settings::Path(settings::kMessageLevel), 0, true, &store);
    forced = 3;
    EXPECT_EQ(store.WriteCount(), 2u);
}

TEST(SettingString, FailedWritesAreSilentAndTheDefaultStays) {
    CMemorySettingsStore store;
    store.SetFailWrites(true);
    SettingString dir(settings::Path(settings::kDefaultDirectory), "/home/x/", false, &store);
    dir = std::string("/dives/");
    SettingString fresh(settings::Path(settings::kDefaultDirectory), "/home/x/", false, &store);
    EXPECT_EQ(fresh.Read(), "/home/x/");
}

// ---- Settings groups -------------------------------------------------------------------------

namespace {
const std::string kTraces = std::string(settings::kRoot) + "\\Graph Traces";

template <class G> void CollectNames(std::map<std::string, int>& names) {
    for (const CSettingField<G>& f : G::Table())
        ++names[f.name];
}
} // namespace

TEST(CSettings, ReadOnceAtStartAndWrittenBackOnlyWhereChanged) {
    CMemorySettingsStore store;
    const std::string root(settings::kRoot);
    store.WriteDword(root, "Units", 0);
    store.WriteDword(kTraces, "Trace3", 503);
    store.WriteString(root, "Binary Log Key", "AB");
    const size_t before = store.WriteCount();
    CSettings s(store);
    EXPECT_EQ(store.WriteCount(), before); // start-up writes nothing
    EXPECT_FALSE(s.Viewer().IsMetric());
    EXPECT_EQ(s.Traces().m_nTrace[3], 503u);
    EXPECT_EQ(s.Traces().m_nDepth, 1u);                   // missing: the default
    EXPECT_EQ(s.Cylinders().m_nMaxPressure[12], 264000u); // missing: the default
    EXPECT_EQ(s.BinaryKey().m_strKey, "AB");

    // Read once: a later change in the store is not seen.
    store.WriteDword(root, "Units", 1);
    EXPECT_FALSE(s.Viewer().IsMetric());

    CTraceSettings traces = s.Traces();
    traces.m_nTraceEnable[0] = 1;
    const size_t beforeSet = store.WriteCount();
    s.SetTraces(traces);
    EXPECT_EQ(store.WriteCount(), beforeSet + 1);
    EXPECT_EQ(store.ReadDword(kTraces, "TraceEnable0"), 1u);
    EXPECT_EQ(s.Traces().m_nTraceEnable[0], 1u);

    // Without a store the groups hold the defaults and a change stays in memory.
    CSettings defaults;
    EXPECT_TRUE(defaults.Viewer().IsMetric());
    defaults.SetTraces(traces);
    EXPECT_EQ(defaults.Traces(), traces);
}

TEST(CSettings, EveryNameOnceWithItsDefault) {
    std::map<std::string, int> names;
    CollectNames<CViewerPreferences>(names);
    CollectNames<CTraceSettings>(names);
    CollectNames<CCylinderDefaults>(names);
    CollectNames<CBinaryKeySetting>(names);
    EXPECT_EQ(names.size(), 70u);
    for (const auto& [name, count] : names)
        EXPECT_EQ(count, 1) << name;
    const CCylinderDefaults c = GroupDefaults<CCylinderDefaults>();
    EXPECT_EQ(c.m_nCylinderSizeSI[0], 200u);
    EXPECT_EQ(c.m_nCylinderSizeI[12], 1250u);
    const CViewerPreferences v = GroupDefaults<CViewerPreferences>();
    EXPECT_EQ(v.m_nLanguageId, 1033u);
    EXPECT_TRUE(v.ChartRightClickMenu());
}

// The printer section lies beside the settings key; the exit writes all of it, changed or not.
TEST(CPrinterConfig, ReadAndWrittenUnderItsOwnKey) {
    CMemorySettingsStore store;
    const std::string key(settings::kPrinterConfigKey);
    store.WriteString(key, "PrinterName", "Lab");
    store.WriteDword(key, "Landscape", 2);
    store.WriteString(std::string(settings::kRoot), "Port", "not this one");
    const CPrinterConfig config = CPrinterConfig::Load(store);
    EXPECT_EQ(config, (CPrinterConfig{"Lab", "", "", 2}));
    EXPECT_EQ(GroupDefaults<CPrinterConfig>(), (CPrinterConfig{"", "", "", 1}));

    const size_t before = store.WriteCount();
    config.Save(store);
    EXPECT_EQ(store.WriteCount(), before + 4);
    EXPECT_EQ(store.ReadString(key, "Spooler"), "");
    EXPECT_EQ(store.ReadString(std::string(settings::kRoot), "Port"), "not this one");
}

// The chart tested the switch with != 0 and the menu's check mark with == 1: a stored 7 opened
// the menu while the check mark said it was off.
TEST(CViewerPreferences, OneReadingOfTheSwitchesAndTheLevel) {
    CViewerPreferences v;
    v.m_nChartRightClickMenu = 7;
    EXPECT_TRUE(v.ChartRightClickMenu());
    v.m_nChartRightClickMenu = 0;
    EXPECT_FALSE(v.ChartRightClickMenu());
    v.m_nUnits = 7;
    EXPECT_TRUE(v.IsMetric());
    v.m_nMessageLevel = 5;
    EXPECT_EQ(v.MessageLevel(), 0);
    v.m_nMessageLevel = 4;
    EXPECT_EQ(v.MessageLevel(), 4);
}
