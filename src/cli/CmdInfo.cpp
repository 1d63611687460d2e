// `zelvorlog info`: a readable report of one dive, with the texts and formats the viewer shows.
#include <cstdio>
#include <ostream>

#include "cli/CliCommon.h"
#include "logfile/CDiveLogPreDive.h"
#include "viewmodel/BannerText.h"
#include "viewmodel/DataRows.h"
#include "viewmodel/DisplayProcessor.h"
#include "viewmodel/GasUsed.h"
#include "viewmodel/ProfileStrings.h"
#include "viewmodel/StringTable.h"
#include "viewmodel/SummaryText.h"
#include "viewmodel/Units.h"

namespace zelvorlog {
namespace {

const char kInfoHelp[] =
    "Usage: zelvorlog info FILE [--units metric|imperial]\n"
    "\n"
    "Prints a report of the dive: the banner line of the viewer, the dive summary, the alarms\n"
    "that occurred, every pre-dive set (power-on, calibration, dive start and end, power-off),\n"
    "the system information of each processor, the gas table and the cylinders. Imperial units\n"
    "change depths, temperatures and gas used as the viewer's Tools > Units does.\n";

// String-table ids of the summary labels and the alarm names.
enum : int {
    kIdAlarms = 2000,
    kIdDate = 2095,
    kIdTime = 2096,
    kIdMaxDepth = 2097,
    kIdDiveNumber = 2098,
    kIdTotalOn = 2099,
    kIdTotalDive = 2100,
    kIdElapsed = 2101,
    kIdAtmPressure = 2102,
    kIdAtmTemperature = 2103,
    kIdPeakCns = 2104,
    kIdPeakOtu = 2105,
    kIdSurfaceInterval = 2106,
    kIdGfLow = 2107,
    kIdGfHigh = 2108,
    kIdConservatism = 2109,
    kIdMaxPPO2 = 2110,
    kIdMinPPO2 = 2111,
    kIdPeakSetpoint = 2114,
    kIdDiveTime = 2016,
    kIdNoAlarm = 2013,
};

std::string Str(int id) {
    return DefaultString(id);
}

void Row(std::ostream& out, const std::string& label, const std::string& value, int indent = 2) {
    std::string line(indent, ' ');
    line += label;
    if (line.size() < 26)
        line.append(26 - line.size(), ' ');
    else
        line += ' ';
    out << line << value << "\n";
}

std::string Fixed(double value, int precision) {
    return FormatFixed(value, precision);
}

std::string DateTimeText(const CDateTime& dt) {
    if (!dt.IsValid())
        return dt.IsNull() ? "" : "Invalid DateTime";
    return summary::FormatDate(dt) + " " + summary::FormatTime(dt);
}

std::string Temperature(double celsius, bool metric) {
    return summary::FormatAtmTemperature(celsius, metric);
}

void PrintSummary(std::ostream& out, const CDiveLog& log, bool metric) {
    const CDiveLogInformation& info = log.m_DiveInformation;
    const std::string option = DisplayDecoOptionText(log.m_SysInfo);
    const summary::CSummaryTexts t = summary::BuildSummaryTexts(info, metric, option);
    out << "Dive summary\n";
    Row(out, Str(kIdDate), t.date);
    Row(out, Str(kIdTime), t.time);
    Row(out, Str(kIdDiveTime), t.diveTime);
    Row(out, Str(kIdMaxDepth), t.maxDepth);
    Row(out, Str(kIdDiveNumber), info.m_strDiveLabel);
    Row(out, Str(kIdTotalOn), t.totalUnitOnTime);
    Row(out, Str(kIdTotalDive), t.totalDiveTime);
    Row(out, Str(kIdElapsed), t.elapsedOnTime);
    Row(out, Str(kIdAtmPressure), t.atmPressure);
    Row(out, Str(kIdAtmTemperature), t.atmTemperature);
    Row(out, Str(kIdPeakSetpoint), t.peakSetpoint);
    Row(out, Str(kIdPeakCns), t.peakCns);
    Row(out, Str(kIdPeakOtu), t.peakOtu);
    Row(out, Str(kIdSurfaceInterval), t.surfaceInterval);
    if (t.deco.gradientFactors) {
        Row(out, Str(kIdGfLow), t.gfLow);
        Row(out, Str(kIdGfHigh), t.gfHigh);
    }
    if (t.deco.conservatism)
        Row(out, Str(kIdConservatism), t.conservatism);
    Row(out, Str(kIdMaxPPO2),
        "C1 " + summary::FormatSetpoint(info.m_dC1MaxPPO2) + "   C2 " +
            summary::FormatSetpoint(info.m_dC2MaxPPO2));
    Row(out, Str(kIdMinPPO2),
        "C1 " + summary::FormatSetpoint(info.m_dC1MinPPO2) + "   C2 " +
            summary::FormatSetpoint(info.m_dC2MinPPO2));

    out << "\n" << Str(kIdAlarms) << "\n";
    bool any = false;
    for (int a = 0; a < CDiveLogInformation::kAlarmCount; ++a) {
        if (!info.m_bSummaryValid || !info.m_bAlarm[a])
            continue;
        // The first eight are the two controllers' four alarms; the lamps share names.
        const std::string prefix = a < 4 ? "C1 " : a < 8 ? "C2 " : "";
        out << "  " << prefix
            << Str(a < 8 ? profile_text::ControllerAlarmId(a % 4)
                         : profile_text::DisplayAlarmId(a - 8))
            << "\n";
        any = true;
    }
    if (!any)
        out << "  " << Str(kIdNoAlarm) << "\n";
}

const char* PhaseText(int phase) {
    switch (phase) {
    case CDiveLogPreDive::kAfterStartOfDive:
        return "After Start Of Dive";
    case CDiveLogPreDive::kPostDive:
        return "Post Dive";
    default:
        return "Pre Dive";
    }
}

std::string Minutes(int minutes) {
    const std::string text = summary::FormatHoursMinutes(minutes);
    return text.empty() ? std::to_string(minutes) + " min" : text;
}

std::string Totals(int unitOn, int dive, int elapsed) {
    return "unit on " + Minutes(unitOn) + ", dive " + Minutes(dive) + ", elapsed " +
           Minutes(elapsed);
}

void PrintPreDive(std::ostream& out, const CDiveLogPreDive& p, size_t index, bool metric) {
    out << "  Set " << index << ": " << PhaseText(p.m_nPhase) << "\n";
    if (p.m_bPowerOnReceived) {
        Row(out, "Power on", DateTimeText(p.m_dtPowerOn) + ", " + p.GetStartupReasonText(), 4);
        Row(out, "Totals",
            Totals(p.m_nPowerOnTotalUnitOnTime, p.m_nPowerOnTotalDiveTime,
                   p.m_nPowerOnElapsedOnTime),
            4);
    }
    Row(out, "Surface pressure", Fixed(p.m_dCurrentSurfacePressure, 0) + " mBar", 4);
    if (p.m_bCalibrationReceived) {
        // The short layout logs only the time of day of a calibration.
        const std::string when = p.m_dtCalibration.IsValid() && p.m_dtCalibration.Year() < 1900
                                     ? summary::FormatTime(p.m_dtCalibration)
                                     : DateTimeText(p.m_dtCalibration);
        Row(out, "Calibration",
            when + ", " + Fixed(p.m_dCalAmbientPressure, 0) + " mBar, " +
                Temperature(p.m_dCalAmbientTemp, metric) + ", " + Fixed(p.m_dCalOxygenPercent, 0) +
                "% O2, target " + summary::FormatSetpoint(p.GetCalibrationTargetPPO2()),
            4);
        for (int c = 0; c < 2; ++c) {
            std::string cells;
            for (int i = 0; i < 3; ++i)
                cells += (i ? " " : "") + Fixed(p.m_dCalCell[c * 3 + i], 2);
            Row(out, c == 0 ? "  C1 cells" : "  C2 cells", cells, 4);
        }
        out << "      " << p.GetCalibrationErrorText(1) << "\n";
        out << "      " << p.GetCalibrationErrorText(2) << "\n";
    }
    if (p.m_bDiveStartReceived)
        Row(out, "Dive start",
            "dive " + std::to_string(p.m_nDiveNumber) + ", " + DateTimeText(p.m_dtDiveStart) +
                ", previous dive ended " + DateTimeText(p.m_dtPreviousDiveEnd),
            4);
    if (p.m_bDiveEndReceived)
        Row(out, "Dive end",
            DateTimeText(p.m_dtDiveEnd) + ", " + std::to_string(p.m_nDiveTime) + " s, " +
                summary::FormatMaxDepth(p.GetDiveEndMaxDepth(), metric),
            4);
    if (p.m_bPowerOffReceived) {
        Row(out, "Power off", DateTimeText(p.m_dtPowerOff) + ", " + p.GetShutdownReasonText(), 4);
        Row(out, "Totals",
            Totals(p.m_nPowerOffTotalUnitOnTime, p.m_nPowerOffTotalDiveTime,
                   p.m_nPowerOffElapsedOnTime),
            4);
    }
}

void PrintProcessor(std::ostream& out, const CDiveLogSysInfo& sys, const char* name, int bus) {
    const CSysInfoTexts& t = sys.Texts(bus);
    char title[64];
    std::snprintf(title, sizeof title, "  %s (%02X)\n", name, static_cast<unsigned>(bus));
    out << title;
    if (t.m_strUnitType.empty() && t.m_strCodeVersion.empty()) {
        out << "    not in this log\n";
        return;
    }
    const std::pair<const char*, const std::string*> rows[] = {
        {"Unit Type", &t.m_strUnitType},
        {"Serial Number", &t.m_strSerialNumber},
        {"Shipment Date", &t.m_strShipmentDate},
        {"Dealer Code", &t.m_strDealerCode},
        {"Tester ID", &t.m_strTesterId},
        {"Upgrade Only", &t.m_strUpgradeOnly},
        {"Wing", &t.m_strWing},
        {"Harness", &t.m_strHarness},
        {"Counterlungs", &t.m_strCounterlungs},
        {"ADV", &t.m_strAdv},
        {"Wing Cylinder", &t.m_strWingCylinder},
        {"TempProbe", &t.m_strTempProbe},
        {"OCB", &t.m_strOcb},
        {"HUS", &t.m_strHus},
        {"Decompression", &t.m_strDecoOption},
        {"Battery Type", &t.m_strBatteryType},
        {"Code Version", &t.m_strCodeVersion},
        {"Code Date", &t.m_strCodeDate},
        {"Owner", &t.m_strOwnerName},
        {"Telephone", &t.m_strOwnerTelephone},
        {"Post Code", &t.m_strOwnerPostCode},
    };
    for (const auto& [label, value] : rows) {
        if (!value->empty())
            Row(out, label, *value, 4);
    }
    for (const CSysHistoryEntry& e : sys.History(bus))
        Row(out, "History", "event " + std::to_string(e.m_byEvent) + " on " + e.m_strDate, 4);
}

void PrintGases(std::ostream& out, const CDiveLog& log, bool metric) {
    const CDiveLogGasManagement& g = log.m_GasManagement;
    out << "\nGas table\n  Diluent  O2%  He%  N2%\n";
    for (int d = 0; d < CDiveLogGasManagement::kDiluents; ++d) {
        char line[64];
        std::snprintf(line, sizeof line, "  %-7d  %3d  %3d  %3d\n", d + 1, g.m_nDiluentO2[d],
                      g.m_nDiluentHe[d],
                      gas::NitrogenPercent(g.m_nDiluentO2[d], g.m_nDiluentHe[d]));
        out << line;
    }
    out << "\nCylinders\n"
        << (metric ? "  Cylinder     Size (l)  Max (psi)  In (bar)  Out (bar)  Used (l)\n"
                   : "  Cylinder     Size (cf)  Max (psi)  In (bar)  Out (bar)  Used (cf)\n");
    for (int c = 0; c < CDiveLogGasManagement::kCylinders; ++c) {
        const double in = g.m_dPressureIn[c], outP = g.m_dPressureOut[c];
        if (in == 0.0 && outP == 0.0)
            continue; // not entered
        const std::string name = c == 0 ? "Oxygen" : "Diluent " + std::to_string(c);
        const std::string used =
            gas::FormatGasUsed(metric ? gas::GasUsedLitres(g.m_dCylinderSizeL[c], in, outP)
                                      : gas::GasUsedCubicFeet(g.m_dCylinderSizeCuft[c],
                                                              g.m_dMaxPressure[c], in, outP));
        char line[160];
        std::snprintf(line, sizeof line, "  %-11s  %8s  %9s  %8s  %9s  %s\n", name.c_str(),
                      Fixed(metric ? g.m_dCylinderSizeL[c] : g.m_dCylinderSizeCuft[c], 2).c_str(),
                      Fixed(g.m_dMaxPressure[c], 0).c_str(), Fixed(in, 2).c_str(),
                      Fixed(outP, 2).c_str(), used.c_str());
        out << line;
    }
}

} // namespace

int CmdInfo(const std::vector<std::string>& argv, CCommandIo& io) {
    CParsedArgs args;
    std::string error;
    if (!ParseArgs(argv, {"--units"}, {}, args, error))
        return UsageError(io, "info", error);
    if (args.Has("--help")) {
        io.out << kInfoHelp;
        return kExitOk;
    }
    bool metric = true;
    if (!ParseUnits(args, metric, error))
        return UsageError(io, "info", error);
    if (args.positional.size() != 1)
        return UsageError(io, "info", "give exactly one log file");
    CDiveLog log;
    const CLoadResult result = LoadForCommand(args.positional[0], log);
    if (!result.loaded) {
        io.err << "zelvorlog info: " << args.positional[0] << ": " << FailureText(result) << "\n";
        return kExitFailed;
    }
    std::ostream& out = io.out;
    out << BannerText(log, metric) << "\n\n";
    out << "File                      " << args.positional[0] << " ("
        << (log.m_nFileKind == 2 ? "binary" : "text") << ", "
        << (log.m_bFrcLayout ? "FRC" : "short") << " layout, " << log.m_arSamples.size()
        << " samples, interval " << log.m_nSampleInterval << " s)\n\n";
    PrintSummary(out, log, metric);
    out << "\nPre-dive sets\n";
    for (size_t i = 0; i < log.m_arPreDives.size(); ++i)
        PrintPreDive(out, *log.m_arPreDives[i], i + 1, metric);
    out << "\nSystem information\n";
    PrintProcessor(out, log.m_SysInfo, "Display", DisplayProcessor(log.m_SysInfo));
    PrintProcessor(out, log.m_SysInfo, "C1", 0xB2);
    PrintProcessor(out, log.m_SysInfo, "C2", 0xB4);
    PrintGases(out, log, metric);
    return kExitOk;
}

} // namespace zelvorlog
