#include "viewmodel/BannerText.h"

#include <cstdio>

#include "logfile/CDiveLog.h"
#include "viewmodel/StringTable.h"
#include "viewmodel/Units.h"

namespace {
constexpr const char* kGap = "      ";
constexpr int kIdDiveNo = 2174;
constexpr int kIdMaxDepth = 2175;
constexpr int kIdDuration = 2176;
} // namespace

std::string WindowTitle(const CDiveLog& log) {
    std::string title = kProgramTitle;
    if (log.m_bFileLoaded) {
        title += " - ";
        title += log.m_strFileTitle;
    }
    return title;
}

std::string DiveLabel(int loggedDiveNumber, const std::string& diverDiveNumber) {
    std::string label = std::to_string(loggedDiveNumber);
    if (!diverDiveNumber.empty())
        label += " - " + diverDiveNumber;
    return label;
}

std::string BannerText(const CBannerItems& items, bool metric, const StringLookup& lookup) {
    std::string depth;
    if (metric) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.1f m", items.maxDepth);
        depth = buf;
    } else {
        depth = FormatFeetInches(items.maxDepth);
    }
    std::string banner;
    banner += items.unitText + kGap;
    banner += lookup(kIdDiveNo) + " " + items.diveLabel + kGap;
    banner += items.diveDate + kGap;
    banner += items.diveTime + kGap;
    banner += lookup(kIdMaxDepth) + " " + depth + kGap;
    banner += lookup(kIdDuration) + " " + items.diveDuration;
    return banner;
}

std::string BannerText(const CDiveLog& log, bool metric, const StringLookup& lookup) {
    if (!log.m_bFileLoaded)
        return {};
    return BannerText(BannerItemsFromLog(log), metric, lookup);
}

std::string BannerText(const CDiveLog& log, bool metric) {
    return BannerText(log, metric, [](int id) { return std::string(DefaultString(id)); });
}

CBannerItems BannerItemsFromLog(const CDiveLog& log) {
    CBannerItems items;
    (void)log;
    return items;
}
