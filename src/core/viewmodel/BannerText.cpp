#include "viewmodel/BannerText.h"

#include <cstdio>

#include "logfile/CDiveLog.h"
#include "logfile/CDiveLogPreDive.h"
#include "viewmodel/DisplayProcessor.h"
#include "viewmodel/StringTable.h"
#include "viewmodel/SummaryText.h"
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
    return BannerText(BannerItemsFromLog(log, lookup), metric, lookup);
}

std::string BannerText(const CDiveLog& log, bool metric) {
    return BannerText(log, metric, [](int id) { return std::string(DefaultString(id)); });
}

CBannerItems BannerItemsFromLog(const CDiveLog& log, const StringLookup& lookup) {
    CBannerItems items;
    if (!log.m_arPreDives.empty())
        items.unitText = log.m_arPreDives.back()->m_strText;
    if (items.unitText.empty()) {
        // The display's own identity: the plain display, or the colour one when that is the
        // model that sent its memory.
        items.unitText = log.m_SysInfo.Texts(DisplayProcessor(log.m_SysInfo)).m_strSerialNumber;
    }
    const CDiveLogInformation& info = log.m_DiveInformation;
    // Built afresh each time so an edited dive number shows at once.
    items.diveLabel = info.MakeDiveLabel();
    items.diveDate = summary::FormatDate(info.m_dtDiveDateTime, lookup);
    items.diveTime = summary::FormatTime(info.m_dtDiveDateTime);
    items.maxDepth = info.m_dMaxDepth;
    items.diveDuration = info.m_strDiveTime;
    return items;
}
