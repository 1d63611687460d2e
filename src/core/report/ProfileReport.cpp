#include "report/ProfileReport.h"

#include <algorithm>

#include "viewmodel/ChartScale.h"
#include "viewmodel/StateBits.h"
#include "viewmodel/TraceGroups.h"
#include "viewmodel/TraceValue.h"

namespace report {

namespace {

constexpr const char* kCo2Names[] = {"CO2 - DPS Temp", "CO2 - PpmACO2", "CO2 - PpCO2",
                                     "CO2 - PAmbCO2",  "CO2 - CO2 Led", "CO2 - CO2 Temp",
                                     "CO2 - CO2 Filt", "CO2 - TS T8"};

bool HasChartOptionsName(int code) {
    return (code >= 101 && code <= 109) || (code >= 201 && code <= 204) ||
           (code >= 301 && code <= 307) || code == 401 || (code >= 501 && code <= 503) ||
           code == 601;
}

// Margins: the wide one is where a binder or a stapler goes.
CMmRect UsableArea(double width, double height, bool landscape) {
    const double left = landscape ? 15.0 : 5.0;
    const double top = landscape ? 5.0 : 15.0;
    return {left, top, width - left - 5.0, height - top - 5.0};
}

void AddLegend(CProfileReport& r, const CChartState& state, const CTextMeasure& measure,
               const TextLookup& lookup) {
    const double s = r.scale;
    const double fontMm = kChartFontMm * s;
    r.legendFrame = {r.legendArea.x + 12.5 * s, r.legendArea.y + 0.1 * r.legendArea.h,
                     r.legendArea.w - 25.0 * s, 0.8 * r.legendArea.h};
    CReportBox frame;
    frame.x = r.legendFrame.x;
    frame.y = r.legendFrame.y;
    frame.w = r.legendFrame.w;
    frame.h = r.legendFrame.h;
    r.page.boxes.push_back(frame);

    // Position 0 is the depth trace, 1-10 the slots; an empty name leaves its place empty.
    std::string names[kLegendPositions];
    int fills[kLegendPositions];
    std::fill(std::begin(fills), std::end(fills), CReportBox::kNoFill);
    if (state.m_bDepthTraceOn) {
        names[0] = CheckedFormat(lookup, kLegendDepth);
        fills[0] = CReportBox::kBlack;
    }
    for (int slot = 0; slot < kChartSlots; ++slot) {
        const int code = state.m_nTraceCode[slot];
        names[slot + 1] = LegendName(code, lookup);
        if (LegendHasSquare(code))
            fills[slot + 1] = slot;
    }
    double widest = 0.0;
    for (const std::string& name : names)
        widest = std::max(widest, measure.width(name, fontMm));

    const double columnWidth = r.legendFrame.w / kLegendColumns;
    const double rowHeight = r.legendFrame.h / kLegendRows;
    const double textHeight = measure.lineHeight(fontMm);
    const double square = kChartFontMm * s;
    // The names may use the room up to the next column's square.
    const double room = columnWidth - 4.0 * s - 1.0 * s;
    for (int p = 0; p < kLegendPositions; ++p) {
        const int column = p / 2;
        const int row = p % 2;
        const double textX =
            r.legendFrame.x + column * columnWidth + columnWidth - std::min(widest, room) / 2.0;
        const double centreY = r.legendFrame.y + rowHeight * (row + 1);
        if (!names[p].empty()) {
            CReportText t;
            t.text = names[p];
            t.heightMm = fontMm;
            t.x = textX;
            t.y = centreY - textHeight / 2.0;
            t.maxWidth = room;
            r.page.texts.push_back(t);
        }
        if (fills[p] != CReportBox::kNoFill) {
            CReportBox box;
            box.x = textX - 4.0 * s;
            box.y = centreY - square / 2.0;
            box.w = square;
            box.h = square;
            box.fill = fills[p];
            r.page.boxes.push_back(box);
        }
    }
}

} // namespace

std::string LegendName(int code, const TextLookup& lookup) {
    if (HasChartOptionsName(code))
        return TraceDisplayName(code, lookup);
    if (code >= 510 && code <= 517)
        return kCo2Names[code - 510];
    if (code == 602)
        return CheckedFormat(lookup, kLegendGradientFactor);
    if (code >= 701 && code <= 709)
        return "Scrubber TS1 T" + std::to_string(code - 701);
    if (code >= 901 && code <= 1402) {
        const char* name = StateTraceName(code);
        return name ? name : "";
    }
    return "";
}

bool LegendHasSquare(int code) {
    return (code != 0 && TraceDrawsLine(code)) || (code >= 1301 && code <= 1303);
}

std::string TimeAxisTitle(const CChartState& state, const TextLookup& lookup) {
    for (int v = 0; v <= 10; ++v) {
        const std::string label = TimeAxisLabel(state, v);
        if (std::count(label.begin(), label.end(), ':') >= 2)
            return CheckedFormat(lookup, kTimeTitleHours);
    }
    return CheckedFormat(lookup, kTimeTitleMinutes);
}

CProfileReport LayoutProfileReport(double width, double height, const std::string& banner,
                                   const CChartState& state, bool metric,
                                   const CTextMeasure& measure, const TextLookup& lookup) {
    CProfileReport r;
    r.page.width = width;
    r.page.height = height;
    r.landscape = width > height;
    r.usable = UsableArea(width, height, r.landscape);
    const CMmRect& u = r.usable;
    r.scale = std::max(u.w, u.h) / 285.0;
    const double s = r.scale;

    r.header = {u.x, u.y, u.w, 0.05 * u.h};
    const double bannerMm = kTitleHeightMm * s;
    CReportText title =
        Centred(banner, u.x + u.w / 2.0,
                r.header.y + (r.header.h - measure.lineHeight(bannerMm)) / 2.0, bannerMm, measure);
    title.maxWidth = u.w;
    title.x = std::max(title.x, u.x);
    r.page.texts.push_back(title);

    const double chartBottom = u.y + (r.landscape ? 0.85 : 0.425) * u.h;
    r.chartArea = {u.x, r.header.Bottom(), u.w, chartBottom - r.header.Bottom()};
    r.plot = {r.chartArea.x + 12.5 * s, r.chartArea.y, r.chartArea.w - 25.0 * s,
              r.chartArea.h - 10.0 * s};
    const double legendBottom = r.landscape ? u.Bottom() : u.y + 0.475 * u.h;
    r.legendArea = {u.x, chartBottom, u.w, legendBottom - chartBottom};

    r.labelHeightMm = kChartFontMm * s;
    r.depthTitle = CheckedFormat(lookup, metric ? kDepthTitleMetres : kDepthTitleFeet);
    r.timeTitle = TimeAxisTitle(state, lookup);
    AddLegend(r, state, measure, lookup);
    return r;
}

} // namespace report
