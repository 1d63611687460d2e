#include "viewmodel/DataRows.h"

#include <charconv>

#include "logfile/CDiveLog.h"
#include "logfile/CDiveLogSample.h"
#include "viewmodel/StringTable.h"
#include "viewmodel/Units.h"

namespace {

// Header texts of the table.
enum EDataString {
    kStrDiveTime = 22000,
    kStrDepthM = 22001,
    kStrDepthFt = 22002,
    kStrSetpoint = 22003,
    kStrCell = 22004,
    kStrMeasured = 22005,
    kStrBattery = 22006,
    kStrDiluent = 22007,
    kStrOxygen = 22008,
    kStrTempC = 22009,
    kStrTempF = 22010,
    kStrOtu = 22011,
    kStrCns = 22012,
    kStrCeilingM = 22013,
    kStrCeilingFt = 22014,
    kStrGradientFactor = 22015,
};

// Substitutes "%d" in a header format from the string table. Only "%d" and "%%" are understood:
// a language file is text from outside, and must not drive a printf.
std::string FormatInts(const std::string& format, int first, int second = 0) {
    const int args[2] = {first, second};
    int next = 0;
    std::string out;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size()) {
            if (format[i + 1] == 'd' && next < 2) {
                out += std::to_string(args[next++]);
                ++i;
                continue;
            }
            if (format[i + 1] == '%') {
                out += '%';
                ++i;
                continue;
            }
        }
        out += format[i];
    }
    return out;
}

int Offset(EDataColumn column, EDataColumn first) {
    return static_cast<int>(column) - static_cast<int>(first);
}

bool InRange(EDataColumn c, EDataColumn first, EDataColumn last) {
    return c >= first && c <= last;
}

double DepthIn(double metres, bool metric) {
    return metric ? metres : units::MetresToFeet(metres);
}

} // namespace

const StringLookup& DefaultStringLookup() {
    static const StringLookup lookup = [](int id) { return std::string(DefaultString(id)); };
    return lookup;
}

std::vector<EDataColumn> DataColumns(bool cylinderColumns) {
    std::vector<EDataColumn> columns;
    const int last = static_cast<int>(EDataColumn::GradientFactor);
    for (int c = 0; c <= last; ++c) {
        const auto column = static_cast<EDataColumn>(c);
        if (!cylinderColumns && InRange(column, EDataColumn::Diluent1, EDataColumn::Oxygen))
            continue;
        columns.push_back(column);
    }
    return columns;
}

std::string DataColumnHeader(EDataColumn column, bool metric, const StringLookup& lookup) {
    using C = EDataColumn;
    if (InRange(column, C::C1Cell1, C::C1Cell3))
        return FormatInts(lookup(kStrCell), 1, Offset(column, C::C1Cell1) + 1);
    if (InRange(column, C::C2Cell1, C::C2Cell3))
        return FormatInts(lookup(kStrCell), 2, Offset(column, C::C2Cell1) + 1);
    if (InRange(column, C::C1Battery1, C::C2Battery2)) {
        const int k = Offset(column, C::C1Battery1);
        return FormatInts(lookup(kStrBattery), k / 2 + 1, k % 2 + 1);
    }
    if (InRange(column, C::Diluent1, C::Diluent6))
        return FormatInts(lookup(kStrDiluent), Offset(column, C::Diluent1) + 1);
    switch (column) {
    case C::DiveTime:
        return lookup(kStrDiveTime);
    case C::Depth:
        return lookup(metric ? kStrDepthM : kStrDepthFt);
    case C::Setpoint:
        return lookup(kStrSetpoint);
    case C::C1Measured:
        return FormatInts(lookup(kStrMeasured), 1);
    case C::C2Measured:
        return FormatInts(lookup(kStrMeasured), 2);
    case C::Oxygen:
        return lookup(kStrOxygen);
    case C::AmbientTemp:
        return lookup(metric ? kStrTempC : kStrTempF);
    case C::Otu:
        return lookup(kStrOtu);
    case C::Cns:
        return lookup(kStrCns);
    case C::Ceiling:
        return lookup(metric ? kStrCeilingM : kStrCeilingFt);
    case C::GradientFactor:
        return lookup(kStrGradientFactor);
    default:
        return {};
    }
}

std::vector<std::string> DataColumnHeaders(bool metric, bool cylinderColumns,
                                           const StringLookup& lookup) {
    std::vector<std::string> headers;
    for (EDataColumn c : DataColumns(cylinderColumns))
        headers.push_back(DataColumnHeader(c, metric, lookup));
    return headers;
}

CDataWindow DataWindow(const CDiveLog& log) {
    // The chart's dive end already falls back to the log end when no dive end was found.
    CDataWindow window;
    window.dStart = static_cast<double>(log.m_ChartRange.diveStart);
    window.dEnd = static_cast<double>(log.m_ChartRange.diveEnd);
    return window;
}

std::vector<std::size_t> DataSampleIndices(const CDiveLog& log) {
    std::vector<std::size_t> indices;
    const CDataWindow window = DataWindow(log);
    for (std::size_t i = 0; i < log.m_arSamples.size(); ++i) {
        const double t = log.m_arSamples.Time(i);
        if (t >= window.dStart && t <= window.dEnd)
            indices.push_back(i);
    }
    return indices;
}

void AppendFixed(std::string& out, double value, int precision) {
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, precision);
    if (res.ec == std::errc()) // else beyond 1e40 or so: nothing a log can hold
        out.append(buf, res.ptr);
}

std::string FormatFixed(double value, int precision) {
    std::string out;
    AppendFixed(out, value, precision);
    return out;
}

void AppendDataCellText(std::string& out, const CDiveLogSample& s, EDataColumn column,
                        double diveStart, bool metric) {
    using C = EDataColumn;
    if (InRange(column, C::C1Cell1, C::C1Cell3))
        return AppendFixed(out, s.m_dC1Cell[Offset(column, C::C1Cell1)], 2);
    if (InRange(column, C::C2Cell1, C::C2Cell3))
        return AppendFixed(out, s.m_dC2Cell[Offset(column, C::C2Cell1)], 2);
    if (InRange(column, C::C1Battery1, C::C2Battery2))
        return AppendFixed(out, s.m_dBattery[Offset(column, C::C1Battery1)], 2);
    // Cylinder pressures are shown in bar whatever the units.
    if (InRange(column, C::Diluent1, C::Diluent6))
        return AppendFixed(out, s.m_dCylinder[Offset(column, C::Diluent1)], 2);
    switch (column) {
    case C::DiveTime:
        return AppendFixed(out, s.m_dTime - diveStart, 1);
    case C::Depth:
        return AppendFixed(out, DepthIn(s.GetDepth(), metric), 1);
    case C::Setpoint:
        return AppendFixed(out, s.m_dSetpoint, 2);
    case C::C1Measured:
        return AppendFixed(out, s.m_dC1Measured, 2);
    case C::C2Measured:
        return AppendFixed(out, s.m_dC2Measured, 2);
    case C::Oxygen:
        return AppendFixed(out, s.m_dCylinder[12], 2);
    case C::AmbientTemp:
        return AppendFixed(
            out, metric ? s.m_dAmbientTemp : units::CelsiusToFahrenheit(s.m_dAmbientTemp), 2);
    case C::Otu:
        return AppendFixed(out, s.m_dOTU, 1);
    case C::Cns:
        return AppendFixed(out, s.m_dCNS, 1);
    case C::Ceiling:
        return AppendFixed(out, DepthIn(s.GetCeilingDepth(), metric), 1);
    case C::GradientFactor:
        return AppendFixed(out, s.GetGradientFactor(), 2);
    default:
        return;
    }
}

std::string DataCellText(const CDiveLogSample& sample, EDataColumn column, double diveStart,
                         bool metric) {
    std::string out;
    AppendDataCellText(out, sample, column, diveStart, metric);
    return out;
}

void DataRowTexts(const CDiveLog& log, std::size_t sampleIndex, bool metric,
                  std::vector<std::string>& out) {
    out.clear();
    if (sampleIndex >= log.m_arSamples.size())
        return;
    const CDiveLogSample& sample = *log.m_arSamples[sampleIndex];
    const double diveStart = DataWindow(log).dStart;
    for (EDataColumn c : DataColumns(log.m_bCylinderPressures))
        out.push_back(DataCellText(sample, c, diveStart, metric));
}

void AppendClipboardHeader(std::string& text, const std::vector<std::string>& headers) {
    for (const std::string& h : headers) {
        text.append(h, 0, kClipboardHeaderMax);
        text += '\t';
    }
    text += "\r\n";
}

void AppendClipboardRow(std::string& text, const std::vector<std::string>& cells) {
    for (const std::string& c : cells) {
        text += c;
        text += '\t';
    }
    text += "\r\n";
}

void AppendDataClipboardRow(std::string& text, const CDiveLogSample& sample,
                            const std::vector<EDataColumn>& columns, double diveStart,
                            bool metric) {
    for (EDataColumn c : columns) {
        AppendDataCellText(text, sample, c, diveStart, metric);
        text += '\t';
    }
    text += "\r\n";
}

std::string DataClipboardText(const CDiveLog& log, bool metric, const StringLookup& lookup) {
    std::string text;
    AppendClipboardHeader(text, DataColumnHeaders(metric, log.m_bCylinderPressures, lookup));
    const std::vector<std::size_t> indices = DataSampleIndices(log);
    const std::vector<EDataColumn> columns = DataColumns(log.m_bCylinderPressures);
    const double diveStart = DataWindow(log).dStart;
    // About 7 characters a cell: one allocation for the whole table.
    text.reserve(text.size() + indices.size() * columns.size() * 7);
    for (std::size_t i : indices)
        AppendDataClipboardRow(text, *log.m_arSamples[i], columns, diveStart, metric);
    return text;
}

std::string CsvLine(const std::vector<std::string>& cells) {
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0)
            line += ',';
        const std::string& c = cells[i];
        if (c.find_first_of(",\"\r\n") == std::string::npos) {
            line += c;
            continue;
        }
        line += '"';
        for (char ch : c) {
            if (ch == '"')
                line += '"';
            line += ch;
        }
        line += '"';
    }
    return line;
}

std::string DataCsvText(const CDiveLog& log, bool metric, const StringLookup& lookup) {
    std::string text = CsvLine(DataColumnHeaders(metric, log.m_bCylinderPressures, lookup));
    text += '\n';
    std::vector<std::string> cells;
    for (std::size_t i : DataSampleIndices(log)) {
        DataRowTexts(log, i, metric, cells);
        text += CsvLine(cells);
        text += '\n';
    }
    return text;
}
