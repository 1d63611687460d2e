// The printed reports as the core lays them out, and the remembered printer. Positions read back
// from real PDFs are checked in the GUI tests; these cover what the pages contain.
#include <gtest/gtest.h>

#include "logfile/CDiveLog.h"
#include "report/InformationReport.h"
#include "report/ProfileReport.h"
#include "settings/PrinterSettings.h"

using namespace report;

namespace {
const CTextMeasure kMeasure = CTextMeasure::Approximate();
} // namespace

// ---- LayoutProfileReport ---------------------------------------------------------------------

TEST(LayoutProfileReport, MarginsAndAreasFollowTheOrientation) {
    const CChartState state;
    const CProfileReport wide = LayoutProfileReport(297, 210, "", state, true, kMeasure);
    EXPECT_DOUBLE_EQ(wide.usable.x, 15.0);
    EXPECT_DOUBLE_EQ(wide.usable.y, 5.0);
    EXPECT_DOUBLE_EQ(wide.scale, 277.0 / 285.0);
    EXPECT_DOUBLE_EQ(wide.chartArea.Bottom(), 5.0 + 0.85 * 200.0);
    EXPECT_DOUBLE_EQ(wide.legendArea.Bottom(), 205.0);
    EXPECT_DOUBLE_EQ(wide.plot.Bottom(), wide.chartArea.Bottom() - 10.0 * wide.scale);

    const CProfileReport tall = LayoutProfileReport(210, 297, "", state, true, kMeasure);
    EXPECT_DOUBLE_EQ(tall.usable.x, 5.0);
    EXPECT_DOUBLE_EQ(tall.usable.y, 15.0);
    EXPECT_DOUBLE_EQ(tall.chartArea.Bottom(), 15.0 + 0.425 * 277.0);
    EXPECT_DOUBLE_EQ(tall.legendArea.h, 0.05 * 277.0);
}

TEST(LayoutProfileReport, LegendSquaresOnlyForTracesThatDrawALineOrASwitch) {
    CChartState state;
    const int codes[kChartSlots] = {101, 503, 0, 901, 1301, 401, 0, 0, 0, 302};
    for (int n = 0; n < kChartSlots; ++n) {
        state.m_nTraceCode[n] = codes[n];
        state.m_bTraceEnabled[n] = n != 9; // a disabled slot keeps its square
    }
    state.m_bDepthTraceOn = false;
    const CProfileReport r = LayoutProfileReport(297, 210, "", state, true, kMeasure);
    std::vector<int> fills;
    for (const CReportBox& b : r.page.boxes) {
        if (b.fill != CReportBox::kNoFill)
            fills.push_back(b.fill);
    }
    EXPECT_EQ(fills, (std::vector<int>{0, 4, 5, 9}));
    EXPECT_EQ(r.page.FindText("Depth"), nullptr);
    EXPECT_NE(r.page.FindText("Gas Toxicity - ppCO2"), nullptr); // named, without a square
}

// The legend and the axis titles are in the viewer's language.
TEST(LayoutProfileReport, WordsFollowTheLanguage) {
    CChartState state;
    state.m_nTraceCode[0] = 401;
    const TextLookup german = [](int id) -> std::string {
        switch (id) {
        case kLegendDepth:
            return "Tiefe";
        case kDepthTitleFeet:
            return "Tiefe (ft)";
        case 21056:
            return "Umgebungstemperatur";
        default:
            return BuiltInText(id);
        }
    };
    const CProfileReport r = LayoutProfileReport(297, 210, "", state, false, kMeasure, german);
    EXPECT_NE(r.page.FindText("Tiefe"), nullptr);
    EXPECT_NE(r.page.FindText("Umgebungstemperatur"), nullptr);
    EXPECT_EQ(r.depthTitle, "Tiefe (ft)");
    EXPECT_EQ(r.timeTitle, "Time (mm:ss)");
}

TEST(LegendName, FamiliesWithoutAChartOptionsName) {
    EXPECT_EQ(LegendName(510), "CO2 - DPS Temp");
    EXPECT_EQ(LegendName(517), "CO2 - TS T8");
    EXPECT_EQ(LegendName(602), "Deco Gradient Factor");
    EXPECT_EQ(LegendName(709), "Scrubber TS1 T8");
    EXPECT_FALSE(LegendName(1301).empty());
    for (int unknown : {0, 110, 1500})
        EXPECT_EQ(LegendName(unknown), "") << unknown;
}

TEST(TimeAxisTitle, HoursOnceTheLabelsReachAnHour) {
    CChartState s;
    s.m_nViewEnd = 3599;
    EXPECT_EQ(TimeAxisTitle(s), "Time (mm:ss)");
    s.m_nViewEnd = 3600;
    EXPECT_EQ(TimeAxisTitle(s), "Time (hh:mm:ss)");
    s.m_nDiveStart = 3600; // an hour before the dive start counts too
    EXPECT_EQ(TimeAxisTitle(s), "Time (hh:mm:ss)");
}

// ---- LayoutInformationReport -----------------------------------------------------------------

TEST(LayoutInformationReport, SectionsInOrderAndOnlyTheDiluentsInUse) {
    CDiveLog log;
    CDiveLogInformation& info = log.m_DiveInformation;
    info.m_strLocation = "Cove Bay";
    info.m_nWeather = 2;
    info.m_nSeaState = 99; // outside the list: empty, never read past the table
    info.m_bDiveType[0] = info.m_bDiveType[6] = true;
    info.m_strNotes = "first line\r\nsecond line";
    // Diluent 2 has a mix, diluent 3 noted pressures; the others are untouched air.
    log.m_GasManagement.m_nDiluentHe[1] = 35;
    log.m_GasManagement.m_dPressureIn[3] = 200.0;
    const CReportPage page = LayoutInformationReport(210, 297, "", log, true, kMeasure);

    double lastY = 0.0;
    for (const char* heading : {"Summary", "Information", "DiveType", "Gas Management", "Notes"}) {
        const CReportText* t = page.FindText(heading);
        ASSERT_NE(t, nullptr) << heading;
        EXPECT_TRUE(t->underline);
        EXPECT_GT(t->y, lastY) << heading;
        lastY = t->y;
    }
    ASSERT_NE(page.FindText("Cove Bay"), nullptr);
    EXPECT_DOUBLE_EQ(page.FindText("Cove Bay")->y, page.FindText("Location")->y);
    EXPECT_NE(page.FindText("Mist / Fog"), nullptr);
    EXPECT_NE(page.FindText("Sea, Wreck"), nullptr);
    EXPECT_NE(page.FindText("second line"), nullptr);
    EXPECT_NE(page.FindText("Unknown Type"), nullptr);
    EXPECT_NE(page.FindText("Diluent 2"), nullptr);
    EXPECT_NE(page.FindText("Diluent 3"), nullptr);
    EXPECT_EQ(page.FindText("Diluent 1"), nullptr);
    EXPECT_NE(page.FindText("44"), nullptr); // nitrogen of 21/35
}

TEST(LatLongText, DegreesMinutesSecondsAndHemispheres) {
    CDiveLogInformation info;
    info.m_strLatHemisphere = "N";
    info.m_nLatDegrees = 50;
    info.m_nLatMinutes = 5;
    info.m_nLatSeconds = 12;
    info.m_strLongHemisphere = "W";
    info.m_nLongDegrees = 5;
    info.m_nLongSeconds = 25;
    EXPECT_EQ(LatLongText(info), "50\xB0"
                                 "5'12\" N 5\xB0"
                                 "0'25\" W");
}

TEST(WrapText, BreaksAtSpacesKeepsLineBreaksAndLetsLongWordsStand) {
    const double h = 1.0 / 0.55; // one millimetre a character
    using Lines = std::vector<std::string>;
    EXPECT_EQ(WrapText("aaa bbb ccc", 7.0, h, kMeasure), (Lines{"aaa bbb", "ccc"}));
    EXPECT_EQ(WrapText("one\r\n\r\ntwo\r\n", 20.0, h, kMeasure), (Lines{"one", "", "two"}));
    EXPECT_EQ(WrapText("abcdefghijkl x", 5.0, h, kMeasure), (Lines{"abcdefghijkl", "x"}));
    EXPECT_TRUE(WrapText("", 5.0, h, kMeasure).empty());
}

// ---- CPrinterConfig --------------------------------------------------------------------------

TEST(CPrinterConfig, RoundTripAndTheRestoreDecision) {
    CMemorySettingsStore store;
    EXPECT_EQ(CPrinterConfig::Load(store).m_nLandscape, 1u);
    CPrinterConfig config{"Office", "HP LaserJet", "office", 2};
    config.Save(store);
    EXPECT_EQ(store.ReadDword(std::string(settings::kPrinterConfigKey), "Landscape"), 2u);
    EXPECT_EQ(CPrinterConfig::Load(store), config);

    EXPECT_EQ(DecidePrinterRestore(config, {"Lab", "Office"}), EPrinterRestore::Selected);
    EXPECT_EQ(DecidePrinterRestore(config, {"Lab"}), EPrinterRestore::Gone);
    for (auto member : {&CPrinterConfig::m_strPrinterName, &CPrinterConfig::m_strSpooler,
                        &CPrinterConfig::m_strPort}) {
        CPrinterConfig partial = config;
        partial.*member = "";
        EXPECT_EQ(DecidePrinterRestore(partial, {"Office"}), EPrinterRestore::Default);
    }
}
