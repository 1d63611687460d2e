#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "logfile/CDiveLog.h"
#include "logfile/CDiveLogSample.h"
#include "viewmodel/DataRows.h"

namespace {

CDiveLogSample& AddSample(CDiveLog& log, double time) {
    CDiveLogSample& s = log.m_arSamples.push_back(CDiveLogSample());
    s.m_dTime = time;
    return s;
}

// A loaded log with its dive window at [100, 200] and five samples around it.
void MakeLog(CDiveLog& log, bool cylinders) {
    log.m_bFileLoaded = true;
    log.m_bCylinderPressures = cylinders;
    log.m_ChartRange.diveStart = 100;
    log.m_ChartRange.diveEnd = 200;
    log.m_ChartRange.logEnd = 300;
    for (double t : {99.5, 100.0, 150.25, 200.0, 200.5})
        AddSample(log, t);
}

void FillSample(CDiveLogSample& s) {
    s.m_dSurfacePressure = 1000;
    s.m_dPressure = 4000; // 30 m
    s.m_dSetpoint = 1.3;
    for (int k = 0; k < 3; ++k) {
        s.m_dC1Cell[k] = 1.21 + k / 100.0;
        s.m_dC2Cell[k] = 1.31 + k / 100.0;
    }
    s.m_dC1Measured = 1.215;
    s.m_dC2Measured = 1.325;
    for (int k = 0; k < 4; ++k)
        s.m_dBattery[k] = 9.1 + k / 10.0;
    for (int k = 0; k < 6; ++k)
        s.m_dCylinder[k] = 100 + k;
    s.m_dCylinder[12] = 180;
    s.m_dAmbientTemp = 10;
    s.m_dOTU = 12.34;
    s.m_dCNS = 5.66;
    s.m_dDecoSurfacePressure = 1000;
    s.m_dCeilingPressure = 1600; // 6 m
    s.m_fGradientFactor = 0.5;
}

} // namespace

// ---- DataColumnHeaders
// ---------------------------------------------------------------------------

TEST(DataColumnHeaders, TwentyOrTwentySevenColumnsInOrder) {
    const auto plain = DataColumnHeaders(true, false);
    ASSERT_EQ(plain.size(), 20u);
    EXPECT_EQ(plain.front(), "Dive Time (s)");
    EXPECT_EQ(plain[15], "Ambient Temp. (Celcius)");
    EXPECT_EQ(plain.back(), "Gradient Factor");
    const auto withCylinders = DataColumnHeaders(true, true);
    ASSERT_EQ(withCylinders.size(), 27u);
    EXPECT_EQ(withCylinders[15], "Diluent 1 Pressure (Bar)");
    EXPECT_EQ(withCylinders[20], "Diluent 6 Pressure (Bar)");
    EXPECT_EQ(withCylinders[21], "O2 Pressure (Bar)");
    EXPECT_EQ(withCylinders[22], "Ambient Temp. (Celcius)");
}

TEST(DataColumnHeaders, ImperialChangesDepthTemperatureAndCeilingOnly) {
    const auto metric = DataColumnHeaders(true, true);
    const auto imperial = DataColumnHeaders(false, true);
    std::vector<std::size_t> changed;
    for (std::size_t i = 0; i < metric.size(); ++i)
        if (metric[i] != imperial[i])
            changed.push_back(i);
    EXPECT_EQ(changed, (std::vector<std::size_t>{1, 22, 25}));
    EXPECT_EQ(imperial[1], "Depth (ft)");
    EXPECT_EQ(imperial[22], "Ambient Temp. (Fahrenheit)");
    EXPECT_EQ(imperial[25], "Deco Ceiling (ft)");
}

TEST(DataColumnHeaders, TranslatedFormatsAreFilledSafely) {
    // A language file's text is not trusted with printf: only "%d" and "%%" are filled.
    const StringLookup lookup = [](int id) -> std::string {
        return id == 22004 ? "Zelle %d/%d %s %%" : DefaultStringLookup()(id);
    };
    EXPECT_EQ(DataColumnHeaders(true, false, lookup)[4], "Zelle 1/2 %s %");
}

// ---- DataSampleIndices
// ---------------------------------------------------------------------------

TEST(DataSampleIndices, BothEndsOfTheDiveIncluded) {
    CDiveLog log;
    MakeLog(log, false);
    EXPECT_EQ(DataSampleIndices(log), (std::vector<std::size_t>{1, 2, 3}));
    CDiveLog empty;
    EXPECT_TRUE(DataSampleIndices(empty).empty());
}

// ---- DataRowTexts
// --------------------------------------------------------------------------------

TEST(DataRowTexts, ValuesAndFormats) {
    CDiveLog log;
    MakeLog(log, true);
    CDiveLogSample filled = *log.m_arSamples[2];
    FillSample(filled);
    log.m_arSamples.Set(2, filled);
    std::vector<std::string> row;
    DataRowTexts(log, 2, true, row);
    EXPECT_EQ(row, (std::vector<std::string>{
                       "50.2",   "30.0",   "1.30",   "1.21",   "1.22",   "1.23",   "1.22",
                       "1.31",   "1.32",   "1.33",   "1.32",   "9.10",   "9.20",   "9.30",
                       "9.40",   "100.00", "101.00", "102.00", "103.00", "104.00", "105.00",
                       "180.00", "10.00",  "12.3",   "5.7",    "6.0",    "50.00"}));
    DataRowTexts(log, 1, true, row);
    EXPECT_EQ(row[0], "0.0");
    // Not logged cylinder pressures keep their marker.
    EXPECT_EQ(row[15], "-1.00");
    DataRowTexts(log, 99, true, row);
    EXPECT_TRUE(row.empty());
}

TEST(DataRowTexts, ImperialConvertsDepthTemperatureCeilingNotPressures) {
    CDiveLog log;
    MakeLog(log, true);
    CDiveLogSample filled = *log.m_arSamples[2];
    FillSample(filled);
    log.m_arSamples.Set(2, filled);
    std::vector<std::string> metric, imperial;
    DataRowTexts(log, 2, true, metric);
    DataRowTexts(log, 2, false, imperial);
    EXPECT_EQ(imperial[1], "98.4");   // 30 m
    EXPECT_EQ(imperial[22], "50.00"); // 10 C
    EXPECT_EQ(imperial[25], "19.7");  // 6 m
    for (std::size_t i = 0; i < metric.size(); ++i) {
        if (i != 1 && i != 22 && i != 25) {
            EXPECT_EQ(metric[i], imperial[i]) << "column " << i;
        }
    }
}

// ---- DataClipboardText
// ---------------------------------------------------------------------------

TEST(DataClipboardText, EmptyLogGivesTheHeaderLineOnly) {
    CDiveLog log;
    const std::string text = DataClipboardText(log, true);
    EXPECT_EQ(text.find("\r\n"), text.size() - 2);
    EXPECT_EQ(text.substr(0, 15), "Dive Time (s)\tD");
    EXPECT_EQ(text.substr(text.size() - 18), "Gradient Factor\t\r\n");
}

TEST(DataClipboardText, RowsFollowTheHeaderAndLongHeadersAreCut) {
    CDiveLog log;
    MakeLog(log, false);
    const StringLookup lookup = [](int id) -> std::string {
        return id == 22000 ? std::string(300, 'x') : DefaultStringLookup()(id);
    };
    const std::string text = DataClipboardText(log, true, lookup);
    EXPECT_EQ(text.substr(0, 256), std::string(255, 'x') + "\t");
    std::size_t lines = 0;
    for (std::size_t p = text.find("\t\r\n"); p != std::string::npos;
         p = text.find("\t\r\n", p + 1))
        ++lines;
    EXPECT_EQ(lines, 4u);
    EXPECT_NE(text.find("\r\n50.2\t0.0\t"), std::string::npos);
}

// ---- CsvLine
// -------------------------------------------------------------------------------------

TEST(CsvLine, QuotesOnlyWhatNeedsIt) {
    EXPECT_EQ(CsvLine({"1.0", "a,b", "say \"hi\"", ""}), "1.0,\"a,b\",\"say \"\"hi\"\"\",");
    CDiveLog log;
    MakeLog(log, false);
    const std::string csv = DataCsvText(log, true);
    EXPECT_EQ(csv.substr(0, 24), "Dive Time (s),Depth (m),");
    EXPECT_NE(csv.find("\n0.0,0.0,0.00,"), std::string::npos);
}

// ---- FormatFixed
// ---------------------------------------------------------------------------------

TEST(FormatFixed, MatchesPrintfInTheCLocale) {
    // The page's numbers must read exactly as "%.1f"/"%.2f" would, halfway cases included.
    const double samples[] = {0.0, -0.04, 0.125, 1.215, 1.325, 655.35, 2.675, 1e6 / 3, -17.775};
    char expected[64];
    for (double v : samples) {
        for (int precision : {1, 2}) {
            std::snprintf(expected, sizeof expected, "%.*f", precision, v);
            EXPECT_EQ(FormatFixed(v, precision), expected) << v;
        }
    }
    std::uint64_t x = 88172645463325252ull; // xorshift: many values, same every run
    for (int i = 0; i < 20000; ++i) {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        const double v = static_cast<double>(x % 2000000) / 1000.0 - 500.0;
        std::snprintf(expected, sizeof expected, "%.2f", v);
        ASSERT_EQ(FormatFixed(v, 2), expected) << v;
    }
}
