#pragma once
// The printed dive profile: page margins, the scale factor, the header band with the banner, the
// chart and plot rectangles handed to the chart painter, and the legend of the ten trace slots.
#include <string>

#include "report/ReportPage.h"
#include "viewmodel/CChartState.h"
#include "viewmodel/ProfileStrings.h"

struct CProfileReport {
    CReportPage page;
    bool landscape = true;
    double scale = 1.0;     // s: the larger usable side / 285 mm
    CMmRect usable;         // the page inside its margins
    CMmRect header;         // the banner band
    CMmRect chartArea;      // axes and labels included
    CMmRect plot;           // the blue plot
    CMmRect legendArea;     // below the chart
    CMmRect legendFrame;    // the framed 7 x 3 grid
    double labelHeightMm;   // chart labels and axis titles
    std::string depthTitle; // "Depth (m)" / "Depth (ft)"
    std::string timeTitle;  // "Time (hh:mm:ss)" / "Time (mm:ss)"
};

namespace report {

// Numbers of the profile report's own words in the string table.
enum : int {
    kLegendDepth = 24680,
    kTimeTitleHours = 24681,
    kTimeTitleMinutes = 24682,
    kDepthTitleMetres = 24683,
    kDepthTitleFeet = 24684,
    kLegendGradientFactor = 24685,
};

inline constexpr int kLegendColumns = 7;
inline constexpr int kLegendRows = 3;
inline constexpr int kLegendPositions = 11; // "Depth" and the ten slots

// The legend name of a trace code; empty for a code without one.
std::string LegendName(int code, const TextLookup& lookup = BuiltInText);
// Whether the legend puts a square of the slot's colour beside the code's name.
bool LegendHasSquare(int code);

// "Time (hh:mm:ss)" once the time labels of the window reach an hour, else "Time (mm:ss)".
std::string TimeAxisTitle(const CChartState& state, const TextLookup& lookup = BuiltInText);

// The whole page for a printable area of `width` x `height` mm; the page is landscape when it is
// wider than high.
CProfileReport LayoutProfileReport(double width, double height, const std::string& banner,
                                   const CChartState& state, bool metric,
                                   const CTextMeasure& measure,
                                   const TextLookup& lookup = BuiltInText);

} // namespace report
