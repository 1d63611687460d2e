#include <gtest/gtest.h>

#include "logfile/CDiveLog.h"
#include "logfile/CDiveLogPreDive.h"
#include "viewmodel/BannerText.h"
#include "viewmodel/StringTable.h"

namespace {
std::string English(int id) {
    return DefaultString(id);
}
CBannerItems Items() {
    CBannerItems items;
    items.unitText = "ZV100001";
    items.diveLabel = "12 - Reef";
    items.diveDate = "14/06/2026";
    items.diveTime = "10:43:00";
    items.maxDepth = 30.25;
    items.diveDuration = "45:00 mm:ss";
    return items;
}
} // namespace

// ---- BannerText ----------------------------------------------------------------------------

TEST(BannerText, ItemsSixSpacesApartInEitherUnitFromTheLookup) {
    EXPECT_EQ(BannerText(Items(), true, English),
              "ZV100001      Dive No. 12 - Reef      14/06/2026      10:43:00      "
              "Max Depth 30.2 m      Duration 45:00 mm:ss");
    // 30.25 m = 99.245 ft: 99 feet, 2 inches (both truncated).
    const std::string imperial = BannerText(Items(), false, [](int id) {
        return id == 2174 ? std::string("Tauchgang") : DefaultString(id);
    });
    EXPECT_NE(imperial.find("Tauchgang 12 - Reef"), std::string::npos) << imperial;
    EXPECT_NE(imperial.find("Max Depth 99' 2\"      Duration"), std::string::npos) << imperial;
}

TEST(BannerText, EmptyWithoutAFile) {
    CDiveLog log;
    EXPECT_EQ(BannerText(log, true), "");
    EXPECT_EQ(WindowTitle(log), "Zelvor Log Viewer");
    log.m_bFileLoaded = true;
    log.m_strFileTitle = "ZV1_0001.ccl";
    EXPECT_EQ(WindowTitle(log), "Zelvor Log Viewer - ZV1_0001.ccl");
}

// ---- BannerItemsFromLog --------------------------------------------------------------------

TEST(BannerItemsFromLog, UnitTextOfLastPreDiveAndCurrentLabel) {
    CDiveLog log;
    log.m_arPreDives.push_back(std::make_unique<CDiveLogPreDive>());
    log.m_arPreDives.push_back(std::make_unique<CDiveLogPreDive>());
    log.m_arPreDives.front()->m_strText = "FIRST";
    log.m_arPreDives.back()->m_strText = "LAST";
    log.m_DiveInformation.m_nDiveNumber = 7;
    log.m_DiveInformation.m_strDiveNumberText = "Wreck 3";
    log.m_DiveInformation.m_dMaxDepth = 21.0;
    log.m_DiveInformation.m_strDiveTime = "40:00 mm:ss";
    CBannerItems items = BannerItemsFromLog(log);
    EXPECT_EQ(items.unitText, "LAST");
    EXPECT_EQ(items.diveLabel, "7 - Wreck 3");
    EXPECT_DOUBLE_EQ(items.maxDepth, 21.0);
    EXPECT_EQ(items.diveDuration, "40:00 mm:ss");
    // The diver edits the number on the dive information page: the banner follows at once.
    log.m_DiveInformation.m_strDiveNumberText.clear();
    EXPECT_EQ(BannerItemsFromLog(log).diveLabel, "7");
}
