#include "cli/DumpJson.h"

#include <iterator>
#include <ostream>
#include <type_traits>

#include "cli/CJsonWriter.h"
#include "logfile/CDiveLogPreDive.h"
#include "logfile/CDiveLogSample.h"
#include "logfile/CDiveLogSolenoidSample.h"
#include "logfile/InformationRecords.h"
#include "logfile/PreDiveTables.h"
#include "logfile/SampleFields.h"
#include "viewmodel/DisplayProcessor.h"

namespace zelvorlog {
namespace {

void DateValue(CJsonWriter& j, const CDateTime& dt) {
    if (dt.IsValid())
        j.String(dt.Format("%Y-%m-%d %H:%M:%S"));
    else
        j.Null();
}

void KeyDate(CJsonWriter& j, const char* key, const CDateTime& dt) {
    j.Key(key);
    DateValue(j, dt);
}

void WriteSample(CJsonWriter& j, const CDiveLogSample& s) {
    j.BeginObject(true);
    ForEachSampleField(s, [&j](const char* name, const auto& field) {
        using T = std::remove_cvref_t<decltype(field)>;
        if constexpr (std::is_array_v<T>)
            j.KeyNumbers(name, field, std::size(field));
        else if constexpr (std::is_same_v<T, bool>)
            j.KeyBool(name, field);
        else if constexpr (std::is_integral_v<T>)
            j.KeyInt(name, field);
        else
            j.KeyNumber(name, field);
    });
    j.EndObject();
}

void WriteSolenoids(CJsonWriter& j, const char* key, const CSolenoidArray& samples) {
    j.Key(key);
    j.BeginArray();
    for (const auto& s : samples) {
        j.BeginArray(true);
        j.Number(s->m_dTime);
        j.Int(s->m_bFired ? 1 : 0);
        j.EndArray();
    }
    j.EndArray();
}

void WriteTotals(CJsonWriter& j, int unitOn, int dive, int elapsed) {
    j.KeyInt("total_unit_on_time", unitOn);
    j.KeyInt("total_dive_time", dive);
    j.KeyInt("elapsed_on_time", elapsed);
}

void WritePreDive(CJsonWriter& j, const CDiveLogPreDive& p) {
    j.BeginObject();
    j.KeyInt("phase", p.m_nPhase);
    j.KeyString("text", p.m_strText);
    j.KeyNumber("current_surface_pressure", p.m_dCurrentSurfacePressure);
    j.Key("power_on");
    if (p.m_bPowerOnReceived) {
        j.BeginObject();
        KeyDate(j, "datetime", p.m_dtPowerOn);
        WriteTotals(j, p.m_nPowerOnTotalUnitOnTime, p.m_nPowerOnTotalDiveTime,
                    p.m_nPowerOnElapsedOnTime);
        j.KeyInt("startup_reason", p.m_byStartupReason);
        j.KeyString("startup_reason_text", p.GetStartupReasonText());
        j.EndObject();
    } else {
        j.Null();
    }
    j.Key("dive_start");
    if (p.m_bDiveStartReceived) {
        j.BeginObject();
        j.KeyInt("dive_number", p.m_nDiveNumber);
        KeyDate(j, "datetime", p.m_dtDiveStart);
        KeyDate(j, "previous_dive_end", p.m_dtPreviousDiveEnd);
        j.EndObject();
    } else {
        j.Null();
    }
    j.Key("dive_end");
    if (p.m_bDiveEndReceived) {
        j.BeginObject();
        KeyDate(j, "datetime", p.m_dtDiveEnd);
        j.KeyInt("dive_time", p.m_nDiveTime);
        j.KeyNumber("max_depth", p.m_dDiveEndMaxDepth);
        j.KeyInt("duration1", p.m_nDiveEndDuration1);
        j.KeyInt("duration2", p.m_nDiveEndDuration2);
        j.EndObject();
    } else {
        j.Null();
    }
    j.Key("power_off");
    if (p.m_bPowerOffReceived) {
        j.BeginObject();
        KeyDate(j, "datetime", p.m_dtPowerOff);
        WriteTotals(j, p.m_nPowerOffTotalUnitOnTime, p.m_nPowerOffTotalDiveTime,
                    p.m_nPowerOffElapsedOnTime);
        j.KeyInt("shutdown_reason", p.m_byShutdownReason);
        j.KeyString("shutdown_reason_text", p.GetShutdownReasonText());
        j.EndObject();
    } else {
        j.Null();
    }
    j.Key("calibration");
    if (p.m_bCalibrationReceived) {
        j.BeginObject();
        j.KeyNumber("ambient_pressure", p.m_dCalAmbientPressure);
        j.KeyNumber("ambient_temperature", p.m_dCalAmbientTemp);
        j.KeyNumber("oxygen_percent", p.m_dCalOxygenPercent);
        j.KeyNumbers("cells", p.m_dCalCell, 6);
        j.KeyInt("error", p.m_byCalError);
        j.Key("error_texts");
        j.BeginArray();
        j.String(p.GetCalibrationErrorText(1));
        j.String(p.GetCalibrationErrorText(2));
        j.EndArray();
        KeyDate(j, "datetime", p.m_dtCalibration);
        j.KeyNumber("target_ppo2", p.GetCalibrationTargetPPO2());
        j.EndObject();
    } else {
        j.Null();
    }
    j.EndObject();
}

void WriteSummary(CJsonWriter& j, const CDiveLogInformation& i) {
    j.Key("summary");
    j.BeginObject();
    j.KeyBool("valid", i.m_bSummaryValid);
    KeyDate(j, "datetime", i.m_dtDiveDateTime);
    j.KeyString("dive_time", i.m_strDiveTime);
    j.KeyString("surface_interval", i.m_strSurfaceInterval);
    j.Key("dive_end_duration_texts");
    j.BeginArray();
    j.String(i.m_strDiveEndDuration1);
    j.String(i.m_strDiveEndDuration2);
    j.EndArray();
    j.KeyNumber("max_depth", i.m_dMaxDepth);
    j.KeyInt("dive_number", i.m_nDiveNumber);
    j.KeyString("dive_label", i.m_strDiveLabel);
    j.KeyNumber("peak_cns", i.m_dPeakCNS);
    j.KeyNumber("peak_otu", i.m_dPeakOTU);
    j.KeyNumber("gf_low", i.m_dGfLow);
    j.KeyNumber("gf_high", i.m_dGfHigh);
    j.KeyNumber("conservatism", i.m_dConservatism);
    const double maxPPO2[2] = {i.m_dC1MaxPPO2, i.m_dC2MaxPPO2};
    const double minPPO2[2] = {i.m_dC1MinPPO2, i.m_dC2MinPPO2};
    j.KeyNumbers("max_ppo2", maxPPO2, 2);
    j.KeyNumbers("min_ppo2", minPPO2, 2);
    j.KeyNumber("peak_setpoint", i.m_dPeakSetpoint);
    j.KeyNumber("atm_temperature", i.m_dAtmTemperature);
    j.KeyNumber("atm_pressure", i.m_dAtmPressure);
    WriteTotals(j, i.m_nTotalUnitOnTime, i.m_nTotalDiveTime, i.m_nElapsedOnTime);
    j.KeyBools("alarms", i.m_bAlarm.data(), i.m_bAlarm.size());
    j.EndObject();
}

void WriteAngle(CJsonWriter& j, const char* key, const std::string& hemisphere, unsigned degrees,
                unsigned minutes, unsigned seconds) {
    j.Key(key);
    j.BeginObject(true);
    j.KeyString("hemisphere", hemisphere);
    j.KeyInt("degrees", degrees);
    j.KeyInt("minutes", minutes);
    j.KeyInt("seconds", seconds);
    j.EndObject();
}

void WriteInformation(CJsonWriter& j, const CDiveLogInformation& i) {
    j.Key("information");
    j.BeginObject();
    for (const CInfoRecord& r : InformationRecords()) {
        switch (r.kind) {
        case EInfoRecordKind::Text:
            j.KeyString(r.jsonKey, i.*r.text);
            break;
        case EInfoRecordKind::Index:
            j.KeyInt(r.jsonKey, i.*r.index);
            break;
        case EInfoRecordKind::Position:
            WriteAngle(j, "latitude", i.m_strLatHemisphere, i.m_nLatDegrees, i.m_nLatMinutes,
                       i.m_nLatSeconds);
            WriteAngle(j, "longitude", i.m_strLongHemisphere, i.m_nLongDegrees, i.m_nLongMinutes,
                       i.m_nLongSeconds);
            break;
        case EInfoRecordKind::DiveTypes:
            j.KeyBools(r.jsonKey, i.m_bDiveType.data(), i.m_bDiveType.size());
            break;
        }
    }
    j.EndObject();
}

void WriteGasManagement(CJsonWriter& j, const CDiveLogGasManagement& g) {
    j.Key("gas_management");
    j.BeginObject();
    j.KeyInt("oxygen_o2", g.m_nOxygenO2);
    j.KeyNumbers("diluent_o2", g.m_nDiluentO2.data(), g.m_nDiluentO2.size());
    j.KeyNumbers("diluent_he", g.m_nDiluentHe.data(), g.m_nDiluentHe.size());
    j.KeyNumbers("size_litres", g.m_dCylinderSizeL.data(), g.m_dCylinderSizeL.size());
    j.KeyNumbers("size_cuft", g.m_dCylinderSizeCuft.data(), g.m_dCylinderSizeCuft.size());
    j.KeyNumbers("max_pressure", g.m_dMaxPressure.data(), g.m_dMaxPressure.size());
    j.KeyNumbers("pressure_in", g.m_dPressureIn.data(), g.m_dPressureIn.size());
    j.KeyNumbers("pressure_out", g.m_dPressureOut.data(), g.m_dPressureOut.size());
    j.EndObject();
}

void WriteProcessor(CJsonWriter& j, const CDiveLogSysInfo& sys, int bus) {
    const CSysInfoTexts& t = sys.Texts(bus);
    j.BeginObject();
    j.KeyString("unit_type", t.m_strUnitType);
    j.KeyString("serial_number", t.m_strSerialNumber);
    j.KeyString("shipment_date", t.m_strShipmentDate);
    j.KeyString("dealer_code", t.m_strDealerCode);
    j.KeyString("tester_id", t.m_strTesterId);
    j.KeyString("upgrade_only", t.m_strUpgradeOnly);
    j.KeyString("wing", t.m_strWing);
    j.KeyString("harness", t.m_strHarness);
    j.KeyString("counterlungs", t.m_strCounterlungs);
    j.KeyString("adv", t.m_strAdv);
    j.KeyString("wing_cylinder", t.m_strWingCylinder);
    j.KeyString("temp_probe", t.m_strTempProbe);
    j.KeyString("ocb", t.m_strOcb);
    j.KeyString("hus", t.m_strHus);
    j.KeyString("deco_option", t.m_strDecoOption);
    j.KeyString("battery_type", t.m_strBatteryType);
    j.KeyString("code_version", t.m_strCodeVersion);
    j.KeyString("code_date", t.m_strCodeDate);
    j.KeyString("owner_name", t.m_strOwnerName);
    j.KeyString("owner_telephone", t.m_strOwnerTelephone);
    j.KeyString("owner_post_code", t.m_strOwnerPostCode);
    j.KeyBool("code_version_valid", sys.CodeVersionValid(bus));
    j.Key("history");
    j.BeginArray();
    for (const CSysHistoryEntry& e : sys.History(bus)) {
        j.BeginArray(true);
        j.Int(e.m_byEvent);
        j.String(e.m_strDate);
        j.EndArray();
    }
    j.EndArray();
    j.EndObject();
}

void WriteSystemInformation(CJsonWriter& j, const CDiveLogSysInfo& sys) {
    // The model as the log names it, empty when no display header came; the processor object
    // below is the display as the pages take it.
    const int display = sys.DisplayBusAddress();
    j.Key("system_information");
    j.BeginObject();
    j.KeyString("display_code_version", display ? sys.CodeVersionText(display) : "");
    j.KeyString("display_model", display == 0xB0 ? "B0" : display == 0xBC ? "BC" : "");
    j.Key("processors");
    j.BeginObject();
    j.Key("display");
    WriteProcessor(j, sys, DisplayProcessor(sys));
    j.Key("c1");
    WriteProcessor(j, sys, 0xB2);
    j.Key("c2");
    WriteProcessor(j, sys, 0xB4);
    j.EndObject();
    j.EndObject();
}

// Writes the dump into `out`; with a `sink`, the text written so far goes there every so often
// along the samples, so a day-long log never holds its whole dump (well over 100 MB) at once.
void Dump(const std::string& path, const CDiveLog& log, const CLoadResult& result, std::string& out,
          std::ostream* sink) {
    constexpr size_t kChunk = 1 << 16;
    CJsonWriter j(out);
    j.BeginObject();
    j.KeyString("file", path);
    j.KeyInt("kind", log.m_nFileKind);
    j.KeyBool("loaded", log.m_bFileLoaded);
    if (!result.loaded) {
        std::string error;
        for (const std::string& line : result.errors)
            error += (error.empty() ? "" : "\n") + line;
        j.KeyString("error", error);
    }
    j.KeyBool("frc_layout", log.m_bFrcLayout);
    j.KeyBools("version_levels", log.m_bVersionLevel, CDiveLog::kVersionLevels);
    j.KeyBool("cylinder_pressures", log.m_bCylinderPressures);
    j.KeyInt("sample_interval", log.m_nSampleInterval);
    j.KeyNumber("surface_pressure", log.m_dSurfacePressure);
    j.KeyNumber("dive_start_time", log.m_dDiveStartTime);
    j.KeyNumber("dive_end_time", log.m_dDiveEndTime);
    j.KeyNumber("log_end_time", log.m_dLogEndTime);
    KeyDate(j, "dive_start_datetime", log.m_dtDiveStart);
    j.Key("chart");
    j.BeginObject(true);
    j.KeyInt("dive_start", log.m_ChartRange.diveStart);
    j.KeyInt("dive_end", log.m_ChartRange.diveEnd);
    j.KeyInt("log_end", log.m_ChartRange.logEnd);
    j.EndObject();
    j.Key("samples");
    j.BeginArray();
    for (const auto& s : log.m_arSamples) {
        WriteSample(j, *s);
        if (sink && out.size() >= kChunk) {
            sink->write(out.data(), static_cast<std::streamsize>(out.size()));
            out.clear();
        }
    }
    j.EndArray();
    WriteSolenoids(j, "solenoid_c1", log.m_arSolenoidC1);
    WriteSolenoids(j, "solenoid_c2", log.m_arSolenoidC2);
    j.Key("predives");
    j.BeginArray();
    for (const auto& p : log.m_arPreDives)
        WritePreDive(j, *p);
    j.EndArray();
    WriteSummary(j, log.m_DiveInformation);
    WriteInformation(j, log.m_DiveInformation);
    WriteGasManagement(j, log.m_GasManagement);
    WriteSystemInformation(j, log.m_SysInfo);
    j.EndObject();
    out += '\n';
}

} // namespace

std::string DumpJson(const std::string& path, const CDiveLog& log, const CLoadResult& result) {
    std::string out;
    Dump(path, log, result, out, nullptr);
    return out;
}

void WriteDumpJson(std::ostream& sink, const std::string& path, const CDiveLog& log,
                   const CLoadResult& result) {
    std::string out;
    Dump(path, log, result, out, &sink);
    sink.write(out.data(), static_cast<std::streamsize>(out.size()));
}

} // namespace zelvorlog
