#pragma once
// The window title and the banner line across the top of the main window. Built here, without
// the window, so the command line tool prints the same banner the viewer shows.
#include <functional>
#include <string>

class CDiveLog;

// What the banner shows of one loaded dive.
struct CBannerItems {
    std::string unitText;     // the unit's identifying text
    std::string diveLabel;    // logged dive number, " - " and the diver's own number
    std::string diveDate;     // date of the dive start
    std::string diveTime;     // time of day of the dive start
    double maxDepth = 0.0;    // metres
    std::string diveDuration; // the summary's dive time text
};

// Looks up a numbered text (the current language's, or the built-in English).
using StringLookup = std::function<std::string(int id)>;

inline constexpr const char* kProgramTitle = "Zelvor Log Viewer";

// "Zelvor Log Viewer", or "Zelvor Log Viewer - " and the file's name while a file is loaded.
std::string WindowTitle(const CDiveLog& log);

// The banner of a loaded dive: each item followed by six spaces but the last. Metric depths read
// "%.1f m", imperial ones feet and inches.
std::string BannerText(const CBannerItems& items, bool metric, const StringLookup& lookup);

// The items of the dive in `log`; only meaningful while a file is loaded.
CBannerItems BannerItemsFromLog(const CDiveLog& log, const StringLookup& lookup = {});

// Empty when no file is loaded; else BannerText of the log's items.
std::string BannerText(const CDiveLog& log, bool metric, const StringLookup& lookup);
// The same with the built-in English texts.
std::string BannerText(const CDiveLog& log, bool metric);
