#include "report/InformationReport.h"

#include <algorithm>
#include <cstdio>

#include "logfile/CDiveLog.h"
#include "logfile/SysInfoTables.h"
#include "report/ReportStrings.h"
#include "viewmodel/DisplayProcessor.h"
#include "viewmodel/GasUsed.h"
#include "viewmodel/SummaryText.h"

namespace report {

namespace {

constexpr double kTopMm = 5.0;
constexpr double kGapMm = 1.0;
constexpr double kUnsetDiluentO2 = 21.0;

constexpr int kTypeTextIds[CDiveLogInformation::kDiveTypeCount] = {
    2112, 2078, 2079, 2080, 2081, 2082, 2083, 2084, 2085, 2086,
    2113, 2087, 2088, 2089, 2090, 2091, 2092, 2093, 2094};
// The weather list skips 2117.
constexpr int kWeatherIds[] = {2115, 2116, 2118, 2119, 2120};
struct CIdRange {
    int first, last;
};
constexpr CIdRange kWindDirection{2121, 2128};
constexpr CIdRange kWindSpeed{2129, 2139};
constexpr CIdRange kSeaState{2140, 2146};

std::string ListText(int index, const CIdRange& range, const TextLookup& lookup) {
    if (index < 0 || index > range.last - range.first)
        return "";
    return lookup(range.first + index);
}

// Lays the page out from the top down; every row is one line height below the last.
class CInfoWriter {
public:
    CInfoWriter(CReportPage& page, const CTextMeasure& measure)
        : m_page(page), m_line(measure.lineHeight(kTitleHeightMm)) {}

    double Line() const { return m_line; }
    double Y() const { return m_y; }
    void SetY(double y) { m_y = y; }
    void Skip(double lines) { m_y += lines * m_line; }
    bool Fits() const { return m_y + m_line <= m_page.height; }

    void Text(double x, double y, const std::string& text, double maxWidth = 0.0,
              bool underline = false) {
        if (text.empty() || y + m_line > m_page.height)
            return;
        CReportText t;
        t.text = text;
        t.x = x;
        t.y = y;
        t.heightMm = kTitleHeightMm;
        t.maxWidth = maxWidth;
        t.underline = underline;
        m_page.texts.push_back(t);
    }
    void Heading(const std::string& text) {
        Text(kSectionX, m_y, text, 0.0, true);
        Skip(1);
    }
    // Label and value on one row; each may use the room up to the next column.
    void Row(double labelX, double valueX, double valueRoom, double y, const std::string& label,
             const std::string& value) {
        Text(labelX, y, label, valueX - labelX - kGapMm);
        Text(valueX, y, value, valueRoom);
    }

private:
    CReportPage& m_page;
    double m_line;
    double m_y = kTopMm;
};

void AddSummary(CInfoWriter& w, const CDiveLog& log, bool metric, const TextLookup& lookup,
                double width) {
    const CDiveLogInformation& info = log.m_DiveInformation;
    const summary::CSummaryTexts t =
        summary::BuildSummaryTexts(info, metric, DisplayDecoOption(log), lookup);
    w.Heading(lookup(2067));
    struct CRow {
        int label;
        std::string value;
    };
    std::vector<CRow> columns[3];
    columns[0] = {{2095, t.date},          {2096, t.time},         {2016, t.diveTime},
                  {2097, t.maxDepth},      {2098, t.diveNumber},   {2099, t.totalUnitOnTime},
                  {2100, t.totalDiveTime}, {2101, t.elapsedOnTime}};
    columns[1] = {{2102, t.atmPressure}, {2103, t.atmTemperature}, {2114, t.peakSetpoint}};
    if (t.deco.conservatism) {
        columns[1].push_back({2109, t.conservatism});
    } else if (t.deco.gradientFactors) {
        columns[1].push_back({2107, t.gfLow});
        columns[1].push_back({2108, t.gfHigh});
    }
    columns[1].push_back({23020, AbsorbentTypeText(0, lookup)});
    columns[2] = {{2104, t.peakCns}, {2105, t.peakOtu}, {2106, t.surfaceInterval}};
    size_t rows = 0;
    for (int c = 0; c < 3; ++c) {
        const double room = (c < 2 ? kSummaryLabelX[c + 1] : width) - kSummaryValueX[c] - kGapMm;
        for (size_t r = 0; r < columns[c].size(); ++r) {
            w.Row(kSummaryLabelX[c], kSummaryValueX[c], room, w.Y() + double(r) * w.Line(),
                  lookup(columns[c][r].label), columns[c][r].value);
        }
        rows = std::max(rows, columns[c].size());
    }
    w.Skip(double(rows));
}

void AddInformation(CInfoWriter& w, const CDiveLogInformation& info, const TextLookup& lookup,
                    double width) {
    w.Heading(lookup(2214));
    const std::string weather =
        info.m_nWeather >= 0 && info.m_nWeather < int(std::size(kWeatherIds))
            ? lookup(kWeatherIds[info.m_nWeather])
            : std::string();
    const std::pair<int, std::string> rows[] = {
        {2068, info.m_strLocation},
        {2069, info.m_strDiveSite},
        {2070, info.m_strVisibility},
        {2071, info.m_strPartner},
        {2072, info.m_strDiveBoat},
        {2098, info.m_strDiveNumberText},
        {2073, LatLongText(info)},
        {2074, weather},
        {2075, ListText(info.m_nWindDirection, kWindDirection, lookup)},
        {2076, ListText(info.m_nWindSpeed, kWindSpeed, lookup)},
        {2077, ListText(info.m_nSeaState, kSeaState, lookup)},
    };
    for (const auto& [label, value] : rows) {
        w.Row(kSectionX, kDetailValueX, width - kDetailValueX - kGapMm, w.Y(), lookup(label),
              value);
        w.Skip(1);
    }
}

void AddLines(CInfoWriter& w, const std::string& text, double width, const CTextMeasure& measure) {
    for (const std::string& line :
         WrapText(text, width - kSectionX - 5.0, kTitleHeightMm, measure)) {
        if (!w.Fits())
            return;
        w.Text(kSectionX, w.Y(), line);
        w.Skip(1);
    }
}

std::string Format(const char* format, double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

void AddGas(CInfoWriter& w, const CDiveLogGasManagement& g, bool metric, const TextLookup& lookup,
            double width) {
    w.Heading(lookup(2199));
    const int headings[8] = {kGasOxygen,   kGasHelium,     kGasNitrogen,    kGasMaxPressure,
                             kGasCylinder, kGasPressureIn, kGasPressureOut, kGasUsed};
    const std::string units[8] = {"%",
                                  "%",
                                  "%",
                                  lookup(23014),
                                  lookup(metric ? 23011 : 23013),
                                  lookup(metric ? 23012 : 23014),
                                  lookup(metric ? 23012 : 23014),
                                  lookup(metric ? 23011 : 23013)};
    // The gas columns stand close: keep a wider gap between them.
    auto room = [&](int c) {
        return (c < 7 ? kGasColumnX[c + 1] : width) - kGasColumnX[c] - 2.0 * kGapMm;
    };
    for (int c = 0; c < 8; ++c) {
        w.Text(kGasColumnX[c], w.Y(), lookup(headings[c]), room(c));
        w.Text(kGasColumnX[c], w.Y() + w.Line(), "(" + units[c] + ")", room(c));
    }
    w.Skip(2);
    for (int cyl = 0; cyl < CDiveLogGasManagement::kCylinders; ++cyl) {
        const double o2 = cyl == 0 ? g.m_nOxygenO2 : g.m_nDiluentO2[size_t(cyl - 1)];
        const double he = cyl == 0 ? 0.0 : g.m_nDiluentHe[size_t(cyl - 1)];
        const size_t i = size_t(cyl);
        const double in = g.m_dPressureIn[i], out = g.m_dPressureOut[i];
        // A diluent counts as used when the unit was given a mix other than the air every slot
        // starts with, or the diver noted its pressures.
        if (cyl > 0 && o2 == kUnsetDiluentO2 && he == 0.0 && in == 0.0 && out == 0.0)
            continue;
        const std::string name = cyl == 0
                                     ? lookup(kGasOxygen)
                                     : FormatText(CheckedFormat(lookup, kGasDiluent).c_str(), cyl);
        const std::optional<double> used =
            metric ? gas::GasUsedLitres(g.m_dCylinderSizeL[i], in, out)
                   : gas::GasUsedCubicFeet(g.m_dCylinderSizeCuft[i], g.m_dMaxPressure[i], in, out);
        const std::string cells[8] = {
            gas::FormatPercent(o2),
            gas::FormatPercent(he),
            gas::FormatPercent(gas::NitrogenPercent(o2, he)),
            Format("%.0f", g.m_dMaxPressure[i]),
            Format("%.1f", metric ? g.m_dCylinderSizeL[i] : g.m_dCylinderSizeCuft[i]),
            Format("%.0f", metric ? in : gas::BarToPsi(in)),
            Format("%.0f", metric ? out : gas::BarToPsi(out)),
            gas::FormatGasUsed(used)};
        w.Text(kGasRowLabelX, w.Y(), name, kGasColumnX[0] - kGasRowLabelX - kGapMm);
        for (int c = 0; c < 8; ++c)
            w.Text(kGasColumnX[c], w.Y(), cells[c], room(c));
        w.Skip(1);
    }
}

} // namespace

std::string LatLongText(const CDiveLogInformation& info) {
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, "%d%c%d'%.0f\" %s %d%c%d'%.0f\" %s",
                  int(info.m_nLatDegrees), '\xB0', int(info.m_nLatMinutes),
                  double(info.m_nLatSeconds), info.m_strLatHemisphere.c_str(),
                  int(info.m_nLongDegrees), '\xB0', int(info.m_nLongMinutes),
                  double(info.m_nLongSeconds), info.m_strLongHemisphere.c_str());
    return buffer;
}

std::string DiveTypeText(const CDiveLogInformation& info, const TextLookup& lookup) {
    std::string text;
    for (int n = 0; n < CDiveLogInformation::kDiveTypeCount; ++n) {
        if (!info.m_bDiveType[size_t(n)])
            continue;
        if (!text.empty())
            text += ", ";
        const bool other = n == CDiveLogInformation::kDiveTypeCount - 1;
        text += other && !info.m_strOtherDiveType.empty() ? info.m_strOtherDiveType
                                                          : lookup(kTypeTextIds[n]);
    }
    return text;
}

std::string AbsorbentTypeText(int code, const TextLookup& lookup) {
    switch (code) {
    case 1:
        return "SODASORB 6-12";
    case 2:
        return "SOFNOLIME 797";
    default:
        return CheckedFormat(lookup, kUnknownAbsorbent);
    }
}

std::string DisplayDecoOption(const CDiveLog& log) {
    return DisplayDecoOptionText(log.m_SysInfo);
}

std::vector<std::string> WrapText(const std::string& text, double width, double heightMm,
                                  const CTextMeasure& measure) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string paragraph = text.substr(start, end - start);
        if (!paragraph.empty() && paragraph.back() == '\r')
            paragraph.pop_back();
        std::string line;
        size_t pos = 0;
        while (pos < paragraph.size()) {
            size_t next = paragraph.find(' ', pos);
            if (next == std::string::npos)
                next = paragraph.size();
            const std::string word = paragraph.substr(pos, next - pos);
            const std::string candidate = line.empty() ? word : line + ' ' + word;
            if (!line.empty() && measure.width(candidate, heightMm) > width) {
                lines.push_back(line);
                line = word;
            } else {
                line = candidate;
            }
            pos = next + 1;
        }
        lines.push_back(line);
        start = end + 1;
    }
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();
    return lines;
}

CReportPage LayoutInformationReport(double width, double height, const std::string& banner,
                                    const CDiveLog& log, bool metric, const CTextMeasure& measure,
                                    const TextLookup& lookup) {
    CReportPage page;
    page.width = width;
    page.height = height;
    CInfoWriter w(page, measure);
    CReportText title = Centred(banner, width / 2.0, kTopMm, kTitleHeightMm, measure);
    title.maxWidth = width - 10.0;
    title.x = std::max(title.x, 5.0);
    page.texts.push_back(title);
    w.Skip(2);

    const CDiveLogInformation& info = log.m_DiveInformation;
    AddSummary(w, log, metric, lookup, width);
    w.Skip(1);
    AddInformation(w, info, lookup, width);
    w.Skip(1);
    w.Heading(lookup(2065));
    AddLines(w, DiveTypeText(info, lookup), width, measure);
    w.Skip(1);
    AddGas(w, log.m_GasManagement, metric, lookup, width);
    w.Skip(1);
    w.Heading(lookup(2066));
    AddLines(w, info.m_strNotes, width, measure);
    return page;
}

} // namespace report
