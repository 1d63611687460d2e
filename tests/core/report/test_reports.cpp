// The printed reports as the core lays them out: positions in millimetres, what each shows, and
// the remembered printer.
#include <gtest/gtest.h>

#include "logfile/CDiveLog.h"
#include "report/InformationReport.h"
#include "report/LogBookReport.h"
#include "report/ProfileReport.h"
#include "settings/PrinterSettings.h"

using namespace report;

namespace {

const CTextMeasure kMeasure = CTextMeasure::Approximate();

// The box whose left edge is `x` and top `y` (to within a hundredth of a millimetre).
const CReportBox* BoxAt(const CReportPage& page, double x, double y) {
    for (const CReportBox& b : page.boxes) {
        if (std::abs(b.x - x) < 0.01 && std::abs(b.y - y) < 0.01)
            return &b;
    }
    return nullptr;
}

CChartState TracesState() {
    CChartState s;
    const int codes[kChartSlots] = {101, 102, 503, 0, 901, 1301, 401, 0, 0, 302};
    for (int n = 0; n < kChartSlots; ++n) {
        s.m_nTraceCode[n] = codes[n];
        s.m_bTraceEnabled[n] = n != 9; // slot 10 is off but keeps its square
    }
    s.m_nViewStart = 0;
    s.m_nViewEnd = 1200;
    return s;
}

} // namespace

// ---- LayoutProfileReport ---------------------------------------------------------------------

TEST(LayoutProfileReport, PageGeometryFollowsTheOrientation) {
    const CProfileReport wide =
        LayoutProfileReport(297, 210, "banner", TracesState(), true, kMeasure);
    EXPECT_TRUE(wide.landscape);
    EXPECT_DOUBLE_EQ(wide.usable.x, 15.0);
    EXPECT_DOUBLE_EQ(wide.usable.y, 5.0);
    EXPECT_DOUBLE_EQ(wide.usable.Right(), 292.0);
    EXPECT_DOUBLE_EQ(wide.usable.Bottom(), 205.0);
    EXPECT_DOUBLE_EQ(wide.scale, 277.0 / 285.0);
    EXPECT_DOUBLE_EQ(wide.header.h, 10.0);
    EXPECT_DOUBLE_EQ(wide.chartArea.Bottom(), 5.0 + 0.85 * 200.0);
    EXPECT_DOUBLE_EQ(wide.legendArea.Bottom(), 205.0);
    EXPECT_DOUBLE_EQ(wide.plot.x, 15.0 + 12.5 * wide.scale);
    EXPECT_DOUBLE_EQ(wide.plot.Bottom(), wide.chartArea.Bottom() - 10.0 * wide.scale);
    EXPECT_DOUBLE_EQ(wide.labelHeightMm, 3.0 * wide.scale);

    const CProfileReport tall =
        LayoutProfileReport(210, 297, "banner", TracesState(), true, kMeasure);
    EXPECT_FALSE(tall.landscape);
    EXPECT_DOUBLE_EQ(tall.usable.x, 5.0);
    EXPECT_DOUBLE_EQ(tall.usable.y, 15.0);
    EXPECT_DOUBLE_EQ(tall.chartArea.Bottom(), 15.0 + 0.425 * 277.0);
    EXPECT_DOUBLE_EQ(tall.legendArea.h, 0.05 * 277.0);
    // The banner is centred in its band.
    const CReportText* banner = tall.page.FindText("banner");
    ASSERT_NE(banner, nullptr);
    EXPECT_NEAR(banner->x + kMeasure.width("banner", banner->heightMm) / 2.0, 5.0 + 100.0, 1e-9);
}

TEST(LayoutProfileReport, LegendFillsColumnsTwoRowsEachWithSquaresBesideTheirNames) {
    for (bool depthOn : {true, false}) {
        CChartState state = TracesState();
        state.m_bDepthTraceOn = depthOn;
        const CProfileReport r = LayoutProfileReport(297, 210, "", state, true, kMeasure);
        const double s = r.scale;
        EXPECT_EQ(r.page.FindText("Depth") != nullptr, depthOn);

        const CReportText* setpoint = r.page.FindText("PPO2 - Setpoint"); // slot 1, position 1
        const CReportText* cell = r.page.FindText("PPO2 - C1 Cell 1");    // slot 2, position 2
        ASSERT_NE(setpoint, nullptr);
        ASSERT_NE(cell, nullptr);
        const double column = r.legendFrame.w / kLegendColumns;
        EXPECT_NEAR(cell->x - setpoint->x, column, 1e-9);
        EXPECT_GT(setpoint->y, cell->y); // second row of the first column

        // The square is 4 mm (scaled) left of its own name, centred on its line, in the slot's
        // colour; it does not move with the Depth position.
        const double line = kMeasure.lineHeight(setpoint->heightMm);
        const double square = 3.0 * s;
        const CReportBox* box =
            BoxAt(r.page, setpoint->x - 4.0 * s, setpoint->y + line / 2.0 - square / 2.0);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->fill, 0);
        EXPECT_DOUBLE_EQ(box->w, square);

        // Position 0: the black Depth square only while the depth trace is on.
        const double depthSquareY =
            setpoint->y - (r.legendFrame.h / kLegendRows) + line / 2.0 - square / 2.0;
        const CReportBox* depth = BoxAt(r.page, setpoint->x - 4.0 * s, depthSquareY);
        EXPECT_EQ(depth != nullptr, depthOn);
        if (depth) {
            EXPECT_EQ(depth->fill, CReportBox::kBlack);
        }

        // A code that draws no line has its name but no square; switch 1301 keeps one; slot 10
        // keeps its square while disabled; empty slots show nothing.
        const CReportText* ppco2 = r.page.FindText("Gas Toxicity - ppCO2");
        ASSERT_NE(ppco2, nullptr) << "name of 503";
        int squares = 0;
        for (const CReportBox& b : r.page.boxes)
            squares += b.fill >= 0;
        EXPECT_EQ(squares, 5); // 101, 102, 1301, 401 and the disabled 302
    }
}

TEST(LegendName, NamesOfEveryFamily) {
    EXPECT_EQ(LegendName(101), "PPO2 - Setpoint");
    EXPECT_EQ(LegendName(510), "CO2 - DPS Temp");
    EXPECT_EQ(LegendName(517), "CO2 - TS T8");
    EXPECT_EQ(LegendName(602), "Deco Gradient Factor");
    EXPECT_EQ(LegendName(701), "Scrubber TS1 T0");
    EXPECT_EQ(LegendName(709), "Scrubber TS1 T8");
    EXPECT_FALSE(LegendName(901).empty());
    EXPECT_EQ(LegendName(0), "");
    EXPECT_EQ(LegendName(110), "");
    EXPECT_EQ(LegendName(1500), "");

    EXPECT_TRUE(LegendHasSquare(101));
    EXPECT_TRUE(LegendHasSquare(1301));
    EXPECT_TRUE(LegendHasSquare(1303));
    EXPECT_FALSE(LegendHasSquare(0));
    EXPECT_FALSE(LegendHasSquare(503));
    EXPECT_FALSE(LegendHasSquare(901));
    EXPECT_FALSE(LegendHasSquare(1304));
}

TEST(TimeAxisTitle, HoursOnceTheLabelsReachAnHour) {
    CChartState s;
    s.m_nDiveStart = 0;
    s.m_nViewStart = 0;
    s.m_nViewEnd = 3599;
    EXPECT_EQ(TimeAxisTitle(s), "Time (mm:ss)");
    s.m_nViewEnd = 3600;
    EXPECT_EQ(TimeAxisTitle(s), "Time (hh:mm:ss)");
    // An hour before the dive start counts too.
    s.m_nDiveStart = 3600;
    s.m_nViewEnd = 3600;
    EXPECT_EQ(TimeAxisTitle(s), "Time (hh:mm:ss)");
}

// ---- LayoutLogBookReport ---------------------------------------------------------------------

TEST(LayoutLogBookReport, HeadingsAtTheirColumnsAndRowsCutOffAfterThePage) {
    const std::vector<std::string> headers = {"Dive Number", "Date", "Duration (mm:ss)",
                                              "Max Depth (m)"};
    std::vector<std::vector<std::string>> rows;
    for (int n = 0; n < 200; ++n)
        rows.push_back({"N" + std::to_string(n), "01/01/2030 10:00:00", "40:00", "20.0"});
    const CLogBookReport r = LayoutLogBookReport(210, 297, "banner", headers, rows, kMeasure);

    const CReportText* title = r.page.FindText("Log Book");
    ASSERT_NE(title, nullptr);
    EXPECT_TRUE(title->underline);
    EXPECT_DOUBLE_EQ(title->x, 12.5);
    const double line = kMeasure.lineHeight(3.5);
    EXPECT_NEAR(title->y, 5.0 + 2.0 * line, 1e-9);
    for (size_t c = 0; c < headers.size(); ++c) {
        const CReportText* h = r.page.FindText(headers[c]);
        ASSERT_NE(h, nullptr);
        EXPECT_DOUBLE_EQ(h->x, kLogBookColumnX[c]);
        EXPECT_NEAR(h->y, title->y + 2.0 * line, 1e-9);
    }
    // Rows in the given order, one line apart, only as many as the page holds.
    const double rowLine = kMeasure.lineHeight(3.25);
    const double first = title->y + 3.5 * line;
    const size_t fit = size_t((297.0 - first) / rowLine);
    EXPECT_EQ(r.rowsPrinted, fit);
    ASSERT_NE(r.page.FindText("N0"), nullptr);
    EXPECT_NEAR(r.page.FindText("N0")->y, first, 1e-9);
    EXPECT_NEAR(r.page.FindText("N1")->y, first + rowLine, 1e-9);
    EXPECT_NE(r.page.FindText("N" + std::to_string(fit - 1)), nullptr);
    EXPECT_EQ(r.page.FindText("N" + std::to_string(fit)), nullptr);
    for (const CReportText& t : r.page.texts)
        EXPECT_LE(t.y + kMeasure.lineHeight(t.heightMm), 297.0 + 1e-9) << t.text;
}

// ---- LayoutInformationReport -----------------------------------------------------------------

TEST(LayoutInformationReport, SectionsInOrderWithLabelsAndValuesInTheirColumns) {
    CDiveLog log;
    CDiveLogInformation& info = log.m_DiveInformation;
    info.m_strLocation = "Cove Bay";
    info.m_nWeather = 2;
    info.m_nSeaState = 99; // out of the list: shown empty, never read past the table
    info.m_bDiveType[0] = true;
    info.m_bDiveType[6] = true;
    info.m_strNotes = "first line\r\nsecond line";
    // Diluent 2 has a mix, diluent 3 noted pressures; the others are untouched air.
    log.m_GasManagement.m_nDiluentO2[1] = 21;
    log.m_GasManagement.m_nDiluentHe[1] = 35;
    log.m_GasManagement.m_dPressureIn[3] = 200.0;
    const CReportPage page = LayoutInformationReport(210, 297, "banner", log, true, kMeasure);

    double lastY = 0.0;
    for (const char* heading : {"Summary", "Information", "DiveType", "Gas Management", "Notes"}) {
        const CReportText* t = page.FindText(heading);
        ASSERT_NE(t, nullptr) << heading;
        EXPECT_DOUBLE_EQ(t->x, 12.5);
        EXPECT_TRUE(t->underline);
        EXPECT_GT(t->y, lastY) << heading;
        lastY = t->y;
    }
    EXPECT_DOUBLE_EQ(page.FindText("Atm. Pressure")->x, 70.0);
    EXPECT_DOUBLE_EQ(page.FindText("Peak CNS%")->x, 135.0);
    EXPECT_DOUBLE_EQ(page.FindText("Unknown Type")->x, 110.0);
    const CReportText* location = page.FindText("Cove Bay");
    ASSERT_NE(location, nullptr);
    EXPECT_DOUBLE_EQ(location->x, 42.5);
    EXPECT_DOUBLE_EQ(location->y, page.FindText("Location")->y);
    EXPECT_NE(page.FindText("Mist / Fog"), nullptr);
    EXPECT_NE(page.FindText("Sea, Wreck"), nullptr);
    EXPECT_NE(page.FindText("second line"), nullptr);

    EXPECT_DOUBLE_EQ(page.FindText("Nitrogen")->x, 74.5);
    const CReportText* diluent = page.FindText("Diluent 2");
    ASSERT_NE(diluent, nullptr);
    EXPECT_DOUBLE_EQ(diluent->x, 14.5);
    EXPECT_NE(page.FindText("Diluent 3"), nullptr);
    EXPECT_EQ(page.FindText("Diluent 1"), nullptr);
    EXPECT_EQ(page.FindText("Diluent 4"), nullptr);
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
    info.m_nLongMinutes = 3;
    info.m_nLongSeconds = 25;
    EXPECT_EQ(LatLongText(info), "50\xB0"
                                 "5'12\" N 5\xB0"
                                 "3'25\" W");
}

TEST(WrapText, BreaksAtSpacesKeepsLineBreaksAndLetsLongWordsStand) {
    // The approximate measure gives 1 mm per character at 1/0.55 mm.
    const double h = 1.0 / 0.55;
    EXPECT_EQ(WrapText("aaa bbb ccc", 7.0, h, kMeasure),
              (std::vector<std::string>{"aaa bbb", "ccc"}));
    EXPECT_EQ(WrapText("one\r\n\r\ntwo\r\n", 20.0, h, kMeasure),
              (std::vector<std::string>{"one", "", "two"}));
    EXPECT_EQ(WrapText("abcdefghijkl x", 5.0, h, kMeasure),
              (std::vector<std::string>{"abcdefghijkl", "x"}));
    EXPECT_TRUE(WrapText("", 5.0, h, kMeasure).empty());
}

// ---- CPrinterConfig --------------------------------------------------------------------------

TEST(CPrinterConfig, DefaultsRoundTripAndTheRestoreDecision) {
    CMemorySettingsStore store;
    const CPrinterConfig fresh = CPrinterConfig::Load(store);
    EXPECT_TRUE(fresh.m_strPrinterName.empty());
    EXPECT_EQ(fresh.m_nLandscape, 1u);

    CPrinterConfig config;
    config.m_strPrinterName = "Office";
    config.m_strSpooler = "HP LaserJet";
    config.m_strPort = "office";
    config.m_nLandscape = 2;
    config.Save(store);
    EXPECT_EQ(store.ReadDword(std::string(settings::kPrinterConfigKey), "Landscape"), 2u);
    EXPECT_EQ(CPrinterConfig::Load(store), config);

    EXPECT_EQ(DecidePrinterRestore(config, {"Lab", "Office"}), EPrinterRestore::Selected);
    EXPECT_EQ(DecidePrinterRestore(config, {"Lab"}), EPrinterRestore::Gone);
    EXPECT_EQ(DecidePrinterRestore(config, {}), EPrinterRestore::Gone);
    for (auto member : {&CPrinterConfig::m_strPrinterName, &CPrinterConfig::m_strSpooler,
                        &CPrinterConfig::m_strPort}) {
        CPrinterConfig partial = config;
        partial.*member = "";
        EXPECT_EQ(DecidePrinterRestore(partial, {"Office"}), EPrinterRestore::Default);
    }
}
