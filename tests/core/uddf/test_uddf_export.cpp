// The UDDF export of whole dives: schema validity of every kind of log, values that come back
// out of the document exactly, unit conversions, and nothing written for what was not logged.
#include <cmath>
#include <gtest/gtest.h>
#include <memory>

#include "UddfTestHelpers.h"
#include "cli/CliCommon.h"
#include "logfile/CDiveLogSample.h"
#include "viewmodel/DataRows.h"

using namespace uddftest;

namespace {

std::string LoadAndExport(const std::string& path, CDiveLog& log) {
    const CLoadResult result = log.LoadLogFile(path);
    EXPECT_TRUE(result.loaded) << path;
    return ExportText(log);
}

// A dive of two samples built by hand, with every value known.
void BuildModel(CDiveLog& log) {
    log.m_bFileLoaded = true;
    log.m_ChartRange.diveStart = 100;
    log.m_ChartRange.diveEnd = 200;
    for (double t : {100.0, 110.0}) {
        auto s = std::make_unique<CDiveLogSample>();
        s->m_dTime = t;
        s->m_dSurfacePressure = 1000.0;
        s->m_dPressure = 1000.0;
        log.m_arSamples.push_back(std::move(s));
    }
}

} // namespace

// ---- Schema validity ---------------------------------------------------------------------

struct CLogKind {
    const char* name;
    bool frc;
    bool binary;
    bool info;
    std::vector<std::string> alarms;
};

void PrintTo(const CLogKind& kind, std::ostream* os) {
    *os << kind.name;
}

class UddfSchema : public ::testing::TestWithParam<CLogKind> {};

TEST_P(UddfSchema, ExportValidates) {
    const CLogKind& kind = GetParam();
    CSimOptions options;
    options.frcLayout = kind.frc;
    if (!kind.frc) {
        options.versionMajor = 5;
        options.versionMinor = 2;
        options.versionBuild = 46;
    }
    options.diveInformation = kind.info;
    for (const std::string& a : kind.alarms) {
        CSimAlarm alarm;
        std::string error;
        ASSERT_TRUE(ParseSimAlarm(a, alarm, error)) << error;
        options.alarms.push_back(alarm);
    }
    CDiveLog log;
    const std::string xml =
        LoadAndExport(WriteSimLog(std::string(kind.name) + ".log", options, kind.binary), log);
    EXPECT_EQ(Waypoints(xml).size(), DataSampleIndices(log).size());
    UDDF_EXPECT_VALID(xml);
}

INSTANTIATE_TEST_SUITE_P(
    Logs, UddfSchema,
    ::testing::Values(CLogKind{"frc", true, false, true, {}},
                      CLogKind{"short", false, false, true, {}},
                      CLogKind{"binary", true, true, true, {}},
                      CLogKind{"alarms",
                               true,
                               false,
                               true,
                               {"fast-ascent@10:00", "ceiling-violation@20:00",
                                "c1-cell-warning@15:00", "c2-low-battery@05:00"}},
                      CLogKind{"noinfo", false, false, false, {}}),
    [](const ::testing::TestParamInfo<CLogKind>& info) { return std::string(info.param.name); });

// ---- Values out of the document ----------------------------------------------------------

TEST(UddfExport, CellReadingsOfASampleComeBackExactly) {
    CDiveLog log;
    const std::string xml = LoadAndExport(WriteSimLog("cells.ccl", CSimOptions()), log);
    const std::vector<std::size_t> window = DataSampleIndices(log);
    const std::vector<std::string> points = Waypoints(xml);
    ASSERT_EQ(points.size(), window.size());
    const std::size_t pick = window.size() / 2;
    const CDiveLogSample& s = *log.m_arSamples[window[pick]];
    const std::string& point = points[pick];
    for (int c = 0; c < 3; ++c) {
        for (int controller = 1; controller <= 2; ++controller) {
            const double bar = controller == 1 ? s.m_dC1Cell[c] : s.m_dC2Cell[c];
            const std::string ref =
                "unit1_c" + std::to_string(controller) + "_cell" + std::to_string(c + 1);
            const std::string expected = "<measuredpo2 ref=\"" + ref + "\">" +
                                         std::to_string(std::lround(bar * 100000)) +
                                         "</measuredpo2>";
            EXPECT_NE(point.find(expected), std::string::npos) << expected << "\n" << point;
            // Every reference names a sensor of the unit.
            EXPECT_EQ(Count(xml, "<o2sensor id=\"" + ref + "\">"), 1);
        }
    }
    EXPECT_EQ(Values(point, "setpo2"),
              std::vector<std::string>{std::to_string(std::lround(s.m_dSetpoint * 100000))});
    EXPECT_EQ(Count(xml, "<divemode type=\"closedcircuit\"/>"), 1);
    EXPECT_NE(points[0].find("<divemode"), std::string::npos);
}

TEST(UddfExport, UnitsAreConvertedToSi) {
    CDiveLog log;
    BuildModel(log);
    CDiveLogSample& s = *log.m_arSamples[1];
    s.m_dPressure = 5260.0; // 42.6 m below 1000 mbar
    s.m_dAmbientTemp = 25.8;
    s.m_dCylinder[12] = 193.0;
    s.m_dCNS = 16.0;
    s.m_dC1Cell[0] = 1.31;
    log.m_GasManagement.m_dCylinderSizeL[0] = 3.0;
    log.m_GasManagement.m_dPressureIn[0] = 200.0;
    log.m_GasManagement.m_dPressureOut[0] = 50.0;
    const std::string xml = ExportText(log);
    EXPECT_EQ(Values(xml, "depth"), (std::vector<std::string>{"0", "42.6"}));
    EXPECT_EQ(Values(xml, "divetime"), (std::vector<std::string>{"0", "10"}));
    // Values logged only from the second sample on start there: the first sample's zeros are
    // the fields' initial values, not readings.
    EXPECT_EQ(Values(xml, "temperature"), std::vector<std::string>{"298.95"});
    EXPECT_EQ(Values(xml, "lowesttemperature"), std::vector<std::string>{"298.95"});
    EXPECT_EQ(Values(xml, "tankpressure"), std::vector<std::string>{"19300000"});
    EXPECT_EQ(Values(xml, "cns"), std::vector<std::string>{"0.16"});
    EXPECT_EQ(Values(xml, "tankvolume"), std::vector<std::string>{"0.003"});
    EXPECT_EQ(Values(xml, "tankpressurebegin"), std::vector<std::string>{"20000000"});
    EXPECT_EQ(Values(xml, "tankpressureend"), std::vector<std::string>{"5000000"});
    EXPECT_EQ(Values(xml, "greatestdepth"), std::vector<std::string>{"42.6"});
    EXPECT_EQ(Count(xml, "<measuredpo2 ref=\"unit1_c1_cell1\">131000</measuredpo2>"), 1);
    UDDF_EXPECT_VALID(xml);
}

TEST(UddfExport, NothingIsWrittenForValuesNotLogged) {
    CDiveLog log;
    BuildModel(log);
    const std::string xml = ExportText(log);
    for (const char* absent :
         {"<cns>", "<otu>", "<setpo2", "<temperature>", "<tankpressure", "<measuredpo2",
          "<calculatedpo2>", "<gradientfactor>", "<alarm>", "<tankdata>", "<divesite>",
          "<airtemperature>", "<surfacepressure>", "<visibility>", "<lowesttemperature>", "<notes>",
          "<divenumber>", "<tank "})
        EXPECT_EQ(xml.find(absent), std::string::npos) << absent;
    // Depth and dive time belong in every waypoint, a date-time in every dive.
    EXPECT_EQ(Values(xml, "depth").size(), 2u);
    EXPECT_EQ(Values(xml, "datetime").size(), 2u); // the generator's and the dive's
    UDDF_EXPECT_VALID(xml);
}

TEST(UddfExport, AlarmsAreWrittenWhereTheyBeginWithTheFormatsWords) {
    CSimOptions options;
    for (const char* a : {"fast-ascent@10:00+30", "ceiling-violation@20:00+30",
                          "c1-cell-warning@15:00+30", "c2-low-oxygen@05:00+30"}) {
        CSimAlarm alarm;
        std::string error;
        ASSERT_TRUE(ParseSimAlarm(a, alarm, error));
        options.alarms.push_back(alarm);
    }
    CDiveLog log;
    const std::string xml = LoadAndExport(WriteSimLog("alarms.ccl", options), log);
    EXPECT_EQ(Values(xml, "alarm"), (std::vector<std::string>{"ascent", "error", "deco"}));
    for (const std::string& point : Waypoints(xml)) {
        if (point.find("<alarm>ascent") != std::string::npos) {
            const double t = std::stod(Values(point, "divetime")[0]);
            EXPECT_NEAR(t, 600.0, 10.0);
        }
    }
}

TEST(UddfExport, DiverDetailsGoToTheSiteAndTheNotes) {
    CDiveLog log;
    BuildModel(log);
    CDiveLogInformation& info = log.m_DiveInformation;
    info.m_strLocation = "Cove & Bay";
    info.m_strDiveSite = "Caf\xE9 <Wall>"; // Windows-1252 e acute
    info.m_strVisibility = "good";
    info.m_strNotes = "line one\r\nline two";
    info.m_strLatHemisphere = "S";
    info.m_nLatDegrees = 33;
    info.m_nLatMinutes = 30;
    info.m_strLongHemisphere = "E";
    info.m_nLongDegrees = 18;
    const std::string xml = ExportText(log);
    EXPECT_EQ(Values(xml, "location"), std::vector<std::string>{"Cove &amp; Bay"});
    EXPECT_NE(xml.find("<name>Caf\xC3\xA9 &lt;Wall&gt;</name>"), std::string::npos);
    EXPECT_EQ(Values(xml, "latitude"), std::vector<std::string>{"-33.5"});
    EXPECT_EQ(Values(xml, "longitude"), std::vector<std::string>{"18"});
    EXPECT_EQ(Count(xml, "<link ref=\"site1\"/>"), 1);
    // A visibility that is no distance is kept with the notes.
    EXPECT_EQ(Values(xml, "para"),
              (std::vector<std::string>{"Visibility: good", "line one", "line two"}));
    UDDF_EXPECT_VALID(xml);
}

// ---- Several logs in one document ----------------------------------------------------------

TEST(UddfExport, SeveralFilesGiveOneDocumentWithOneDiveEach) {
    CSimOptions shortLog;
    shortLog.frcLayout = false;
    shortLog.versionMajor = 5;
    shortLog.versionMinor = 2;
    shortLog.versionBuild = 46;
    shortLog.diveNumber = 43;
    const std::string a = WriteSimLog("season_a.ccl", CSimOptions());
    const std::string b = WriteSimLog("season_b.bin", shortLog, true);
    const std::string out = TempPath("season.uddf");
    std::ostringstream so, se;
    zelvorlog::CCommandIo io{so, se};
    ASSERT_EQ(zelvorlog::ExportUddfFiles({a, b}, out, io), zelvorlog::kExitOk) << se.str();
    const std::string xml = ReadFile(out);
    EXPECT_EQ(Count(xml, "<dive id="), 2);
    EXPECT_EQ(Values(xml, "internaldivenumber"), (std::vector<std::string>{"42", "43"}));
    // The same unit logged both dives, with different code: listed once per code.
    EXPECT_EQ(Count(xml, "<rebreather id="), 2);
    EXPECT_EQ(Count(xml, "<divesite>"), 1);
    EXPECT_EQ(Count(xml, "<site id="), 1);
    UDDF_EXPECT_VALID(xml);
}

TEST(UddfExport, AFailedFileLeavesTheEarlierExportInPlace) {
    const std::string good = WriteSimLog("keep.ccl", CSimOptions());
    const std::string out = TempPath("keep.uddf");
    std::ofstream(out) << "earlier export";
    std::ostringstream so, se;
    zelvorlog::CCommandIo io{so, se};
    EXPECT_EQ(zelvorlog::ExportUddfFiles({good, TempPath("missing.ccl")}, out, io),
              zelvorlog::kExitFailed);
    EXPECT_NE(se.str().find("missing.ccl"), std::string::npos);
    EXPECT_EQ(ReadFile(out), "earlier export");
    for (const auto& entry : fs::directory_iterator(fs::path(out).parent_path()))
        EXPECT_EQ(entry.path().filename().string().find(".exporting"), std::string::npos);
}

TEST(UddfExport, CommandLineWritesToStandardOutputAndChecksItsArguments) {
    const std::string log = WriteSimLog("stdout.ccl", CSimOptions());
    std::ostringstream out, err;
    EXPECT_EQ(zelvorlog::RunZelvorLog({"export", "--uddf", log}, out, err), zelvorlog::kExitOk);
    EXPECT_EQ(out.str().rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<uddf", 0), 0u);
    EXPECT_EQ(Count(out.str(), "<dive id="), 1);
    std::ostringstream out2, err2;
    EXPECT_EQ(zelvorlog::RunZelvorLog({"export", "--uddf"}, out2, err2), zelvorlog::kExitUsage);
    EXPECT_NE(err2.str().find("give one or more log files"), std::string::npos);
}
