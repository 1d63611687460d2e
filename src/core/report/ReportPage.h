#pragma once
// A printed report as positioned texts and boxes in millimetres, measured from the top left of
// the printable area with y growing downwards. The GUI paints it on a printer, into a PDF or on a
// preview page; nothing here knows about fonts beyond their height, so the width of a text comes
// from whoever paints it (see CTextMeasure).
#include <functional>
#include <string>
#include <vector>

// Width of a text and the height of a line of it, in millimetres, for a font of a given height.
struct CTextMeasure {
    std::function<double(const std::string& text, double heightMm)> width;
    // Text height plus the font's external leading: the distance from one line to the next.
    std::function<double(double heightMm)> lineHeight;
    // A rough Arial-like measure for the tests and for callers without fonts.
    static CTextMeasure Approximate();
};

struct CReportText {
    double x = 0.0; // left edge of the text
    double y = 0.0; // top of the text line
    std::string text;
    double heightMm = 3.5;
    bool underline = false;
    // When set, a wider text is narrowed to this width (faces wider than the classic one would
    // otherwise run into the next column).
    double maxWidth = 0.0;
};

// A filled and/or framed rectangle; the legend squares and frames.
struct CReportBox {
    static constexpr int kNoFill = -2;
    static constexpr int kBlack = -1;
    double x = 0.0, y = 0.0, w = 0.0, h = 0.0;
    int fill = kNoFill; // kBlack or a trace slot 0-9 (its chart colour)
    bool frame = true;  // black, penMm wide
    double penMm = 0.3;
};

struct CReportPage {
    double width = 210.0; // the printable area, mm
    double height = 297.0;
    std::vector<CReportText> texts;
    std::vector<CReportBox> boxes;

    const CReportText* FindText(const std::string& text) const;
};

// A rectangle in millimetres.
struct CMmRect {
    double x = 0.0, y = 0.0, w = 0.0, h = 0.0;
    double Right() const { return x + w; }
    double Bottom() const { return y + h; }
};

namespace report {
// The report fonts are "Arial" at these heights, multiplied by the profile report's scale.
inline constexpr double kTitleHeightMm = 3.5;
inline constexpr double kLogBookRowHeightMm = 3.25;
inline constexpr double kChartFontMm = 3.0;
inline constexpr double kPenMm = 0.3;
// Places `text` centred horizontally on `centreX` with its top at `top`.
CReportText Centred(const std::string& text, double centreX, double top, double heightMm,
                    const CTextMeasure& measure);
} // namespace report
