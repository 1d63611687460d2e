#pragma once
// The printed log book: the banner, the "Log Book" heading, the list's four headings and its
// rows in the list's current order, on one page; rows that do not fit are left off.
#include <string>
#include <vector>

#include "report/ReportPage.h"
#include "viewmodel/ProfileStrings.h"

namespace report {

inline constexpr double kLogBookColumnX[4] = {12.5, 35.0, 65.0, 92.5};

struct CLogBookReport {
    CReportPage page;
    size_t rowsPrinted = 0;
};

CLogBookReport LayoutLogBookReport(double width, double height, const std::string& banner,
                                   const std::vector<std::string>& headers,
                                   const std::vector<std::vector<std::string>>& rows,
                                   const CTextMeasure& measure,
                                   const TextLookup& lookup = BuiltInText);

} // namespace report
