#include "report/LogBookReport.h"

#include <algorithm>

namespace report {

namespace {
constexpr int kLogBookTitleId = 2213;
constexpr double kTopMm = 5.0;
constexpr double kColumnGapMm = 1.0;
} // namespace

CLogBookReport LayoutLogBookReport(double width, double height, const std::string& banner,
                                   const std::vector<std::string>& headers,
                                   const std::vector<std::vector<std::string>>& rows,
                                   const CTextMeasure& measure, const TextLookup& lookup) {
    CLogBookReport r;
    r.page.width = width;
    r.page.height = height;
    const double line = measure.lineHeight(kTitleHeightMm);
    CReportText title = Centred(banner, width / 2.0, kTopMm, kTitleHeightMm, measure);
    title.maxWidth = width - 10.0;
    title.x = std::max(title.x, 5.0);
    r.page.texts.push_back(title);

    double y = kTopMm + 2.0 * line;
    CReportText heading;
    heading.text = lookup(kLogBookTitleId);
    heading.x = kLogBookColumnX[0];
    heading.y = y;
    heading.underline = true;
    r.page.texts.push_back(heading);

    // Each column may use the room up to the next one.
    auto cell = [&](size_t column, const std::string& text, double top, double heightMm) {
        CReportText t;
        t.text = text;
        t.x = kLogBookColumnX[column];
        t.y = top;
        t.heightMm = heightMm;
        if (column + 1 < std::size(kLogBookColumnX))
            t.maxWidth = kLogBookColumnX[column + 1] - kLogBookColumnX[column] - kColumnGapMm;
        r.page.texts.push_back(t);
    };
    y += 2.0 * line;
    for (size_t c = 0; c < headers.size() && c < std::size(kLogBookColumnX); ++c)
        cell(c, headers[c], y, kTitleHeightMm);

    const double rowLine = measure.lineHeight(kLogBookRowHeightMm);
    y += 1.5 * line;
    for (const auto& row : rows) {
        if (y + rowLine > height)
            break;
        for (size_t c = 0; c < row.size() && c < std::size(kLogBookColumnX); ++c)
            cell(c, row[c], y, kLogBookRowHeightMm);
        ++r.rowsPrinted;
        y += rowLine;
    }
    return r;
}

} // namespace report
