#pragma once
// The dive data table: its columns, their headers in the chosen units, the text of every cell of
// a sample, and the tab-separated text the pages put on the clipboard. The Data page, its
// clipboard copy and the command line CSV export all build their text here, so a spreadsheet
// gets exactly what the page shows.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

class CDiveLog;
class CDiveLogSample;

// The quantities of the table, in the order they can appear.
enum class EDataColumn {
    DiveTime,
    Depth,
    Setpoint,
    C1Cell1,
    C1Cell2,
    C1Cell3,
    C1Measured,
    C2Cell1,
    C2Cell2,
    C2Cell3,
    C2Measured,
    C1Battery1,
    C1Battery2,
    C2Battery1,
    C2Battery2,
    Diluent1,
    Diluent2,
    Diluent3,
    Diluent4,
    Diluent5,
    Diluent6,
    Oxygen,
    AmbientTemp,
    Otu,
    Cns,
    Ceiling,
    GradientFactor,
};

// Numbered texts of the headers (the page passes its language's lookup; the command line uses
// the built-in English).
using StringLookup = std::function<std::string(int id)>;
const StringLookup& DefaultStringLookup();

// 20 columns, or 27 when the log carries cylinder pressures.
std::vector<EDataColumn> DataColumns(bool cylinderColumns);
std::string DataColumnHeader(EDataColumn column, bool metric,
                             const StringLookup& lookup = DefaultStringLookup());
std::vector<std::string> DataColumnHeaders(bool metric, bool cylinderColumns,
                                           const StringLookup& lookup = DefaultStringLookup());

// The stretch of the time scale the table lists, both ends included: the whole-second dive start
// and dive end (the log end when the log has no dive end), as the loader hands them to the chart.
struct CDataWindow {
    double dStart = 0.0;
    double dEnd = 0.0;
};
CDataWindow DataWindow(const CDiveLog& log);
// Indices into m_arSamples of the samples inside the window, in sample order.
std::vector<std::size_t> DataSampleIndices(const CDiveLog& log);

// One cell. diveStart is the window's start (the origin of the "Dive Time" column).
std::string DataCellText(const CDiveLogSample& sample, EDataColumn column, double diveStart,
                         bool metric);
// The same, appended to `out` (no allocation per cell for long tables).
void AppendDataCellText(std::string& out, const CDiveLogSample& sample, EDataColumn column,
                        double diveStart, bool metric);
// Every cell of one row, for the columns of the log's cylinder flag; `out` is overwritten.
void DataRowTexts(const CDiveLog& log, std::size_t sampleIndex, bool metric,
                  std::vector<std::string>& out);

// "%.<precision>f" without the C library's locale (the GUI runs under the user's locale).
std::string FormatFixed(double value, int precision);
void AppendFixed(std::string& out, double value, int precision);

// Clipboard text of a table: every header followed by a tab, "\r\n", then every cell of every
// row followed by a tab and "\r\n" after each row. Headers are cut to 255 characters.
inline constexpr std::size_t kClipboardHeaderMax = 255;
void AppendClipboardHeader(std::string& text, const std::vector<std::string>& headers);
void AppendClipboardRow(std::string& text, const std::vector<std::string>& cells);
// One sample's row of the given columns, in the clipboard layout.
void AppendDataClipboardRow(std::string& text, const CDiveLogSample& sample,
                            const std::vector<EDataColumn>& columns, double diveStart, bool metric);
std::string DataClipboardText(const CDiveLog& log, bool metric,
                              const StringLookup& lookup = DefaultStringLookup());

// Comma-separated text of the same table: a cell holding a comma, a quote or a line break is
// quoted (quotes doubled); lines end with "\n". The header line comes first.
std::string CsvLine(const std::vector<std::string>& cells);
std::string DataCsvText(const CDiveLog& log, bool metric,
                        const StringLookup& lookup = DefaultStringLookup());
