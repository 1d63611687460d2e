#include <gtest/gtest.h>

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
