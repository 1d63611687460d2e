#include "report/ReportPage.h"

CTextMeasure CTextMeasure::Approximate() {
    CTextMeasure m;
    // Arial's average advance is a little over half its height; a line is 1.15 heights.
    m.width = [](const std::string& text, double h) { return 0.55 * h * double(text.size()); };
    m.lineHeight = [](double h) { return 1.15 * h; };
    return m;
}

const CReportText* CReportPage::FindText(const std::string& text) const {
    for (const CReportText& t : texts) {
        if (t.text == text)
            return &t;
    }
    return nullptr;
}

namespace report {

CReportText Centred(const std::string& text, double centreX, double top, double heightMm,
                    const CTextMeasure& measure) {
    CReportText t;
    t.text = text;
    t.heightMm = heightMm;
    t.x = centreX - measure.width(text, heightMm) / 2.0;
    t.y = top;
    return t;
}

} // namespace report
