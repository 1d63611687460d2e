#pragma once
// Numbers of the profile page's texts in the string table, and the lookup the core uses to turn
// them into text in the current language.
#include <functional>
#include <string>

namespace profile_text {

// Page labels (fixed numbers, shared with language files and the dive information page).
enum : int {
    kAlarms = 2000,
    kC1 = 2001,
    kCellWarning = 2002, // the four controller alarms run 2002-2005
    kFastAscent = 2006,  // the display alarms: 2006-2011, then 2028-2030
    kC2 = 2012,
    kNoAlarm = 2013,
    kNoAlarmMasked = 2014,
    kAlarm = 2015,
    kDiveTimeLabel = 2016,
    kAlarmMasked = 2017,
    kDisplay = 2027,
    kController = 2236,
};

// The nine display alarms in lamp order: "Fast Ascent" ... "Scrubber 1st Warning", then
// "CO2 2nd Warning", "CO2 1st Warning", "Dive Start".
inline constexpr int kDisplayAlarmIds[9] = {2006, 2007, 2008, 2009, 2010, 2011, 2028, 2029, 2030};
inline int ControllerAlarmId(int index) {
    return kCellWarning + index;
}
inline int DisplayAlarmId(int index) {
    return kDisplayAlarmIds[index];
}

// Readout, menu, dialog and trace-name texts.
enum : int {
    kDiveTime = 21000,
    kDepth = 21001,
    kAscentRate = 21002,
    kDepthMetres = 21003,
    kDepthFeet = 21004,
    kRateMetres = 21005,
    kRateFeet = 21006,
    kGasMode = 21007,
    kDilMode = 21008,
    kMixHelium = 21009,
    kMixOxygen = 21010,
    kMixAir = 21011,
    kMixNitrox = 21012,
    kMixTrimix = 21013,

    kLineSetpoint = 21020,
    kLineCell = 21021,
    kLineMeasured = 21022,
    kLineBattery = 21023,
    kLineOxygenBar = 21024,
    kLineOxygenPsi = 21025,
    kLineDiluentBar = 21026,
    kLineDiluentPsi = 21027,
    kLineTempC = 21028,
    kLineTempF = 21029,
    kLineCns = 21030,
    kLineOtu = 21031,
    kLineCeilingMetres = 21032,
    kLineCeilingFeet = 21033,

    kGroupNone = 21040, // the seven preset names of the Graph Pop menu follow in order
    kResetZoom = 21047,
    kGroupListCylinders = 21048, // the Chart Options list says it in the singular

    kNameSetpoint = 21050,
    kNameCell = 21051,
    kNameMeasured = 21052,
    kNameBattery = 21053,
    kNameOxygenCyl = 21054,
    kNameDiluentCyl = 21055,
    kNameAmbientTemp = 21056,
    kNameCns = 21057,
    kNameOtu = 21058,
    kNamePpCO2 = 21059,
    kNameCeiling = 21060,
    kNameNotUsed = 21061,

    kOptionsTitle = 21070,
    kPrimaryTrace = 21071,
    kSecondaryTraces = 21072,
    kDepthTrace = 21073,
    kTraceRow = 21074,
    kSolenoidTraces = 21075,
    kOk = 21076,
    kCancel = 21077,
};

} // namespace profile_text

// Turns a string-table number into text; the GUI passes one that follows the chosen language.
using TextLookup = std::function<std::string(int id)>;
// The built-in English texts.
std::string BuiltInText(int id);
// printf into a std::string; the formats come from the string table.
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));
// The format text `id` in the language of `lookup`. A translation whose conversions (%d, %s, ...)
// differ from the built-in text's is not trusted with printf and the built-in text is used.
std::string CheckedFormat(const TextLookup& lookup, int id);
