#include "viewmodel/ProfileStrings.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// The conversion letters of a printf format, in order ("%%" is text, not a conversion).
std::string Conversions(const std::string& format) {
    std::string out;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%')
            continue;
        ++i;
        while (i < format.size() && std::strchr("-+ #0123456789.", format[i]))
            ++i;
        // The length belongs to the type: "%ld" reads a long where "%d" was handed an int.
        const size_t length = i;
        while (i < format.size() && std::strchr("hlLqjzt", format[i]))
            ++i;
        if (i < format.size() && format[i] != '%') {
            out.append(format, length, i + 1 - length);
            out += ' ';
        }
    }
    return out;
}

} // namespace

#include "viewmodel/StringTable.h"

namespace strings {

void AddProfileStrings(std::map<int, const char*>& table) {
    static const StringEntry kEntries[] = {
        // Page labels.
        {2000, "Alarms"},
        {2001, "C1"},
        {2002, "Cell Warning"},
        {2003, "Low Battery"},
        {2004, "Low Oxygen"},
        {2005, "High Oxygen"},
        {2006, "Fast Ascent"},
        {2007, "Ceiling Violation"},
        {2008, "CNS Exposure"},
        {2009, "OTU Exposure"},
        {2010, "Scrubber 2nd Warning"},
        {2011, "Scrubber 1st Warning"},
        {2012, "C2"},
        {2013, "No Alarm"},
        {2014, "No Alarm Masked"},
        {2015, "Alarm"},
        {2016, "Dive Time"},
        {2017, "Alarm Masked"},
        {2028, "CO2 2nd Warning"},
        {2029, "CO2 1st Warning"},
        {2030, "Dive Start"},
        // Readout header.
        {21000, "Dive Time"},
        {21001, "Depth"},
        {21002, "Ascent Rate"},
        {21003, "%.2f m"},
        {21004, "%s ft"},
        {21005, "m/min"},
        {21006, "ft/min"},
        {21007, "GAS"},
        {21008, "DIL"},
        {21009, "HELIUM"},
        {21010, "O2"},
        {21011, "AIR"},
        {21012, "%d%% Nx"},
        {21013, "%d/%d"},
        // Readout lines.
        {21020, "Setpoint\t%.2f Bar"},
        {21021, "C%d Cell %d\t%.2f Bar"},
        {21022, "C%d Measured\t%.2f Bar"},
        {21023, "C%d Battery %d\t%.2f Volts"},
        {21024, "Oxygen Cyl.\t%.2f Bar"},
        {21025, "Oxygen Cyl.\t%.2f Psi"},
        {21026, "Diluent %d Cyl.\t%.2f Bar"},
        {21027, "Diluent %d Cyl.\t%.2f Psi"},
        {21028, "Amb Temp.\t%.2f Celcius"},
        {21029, "Amb Temp.\t%.2f Fahrenheit"},
        {21030, "CNS%%\t%.1f"},
        {21031, "OTU%%\t%.1f"},
        {21032, "Ceiling Depth\t%.2f Metres"},
        {21033, "Ceiling Depth\t%s Feet"},
        // Trace groups (Graph Pop menu) and Reset Zoom.
        {21040, "No Secondary Traces"},
        {21041, "PPO2"},
        {21042, "Battery Voltages"},
        {21043, "Cylinder Pressures"},
        {21044, "Ambient Temperature"},
        {21045, "Gas Toxicity"},
        {21046, "Decompression"},
        {21047, "Reset Zoom"},
        {21048, "Cylinder Pressure"},
        // Trace names.
        {21050, "PPO2 - Setpoint"},
        {21051, "PPO2 - C%d Cell %d"},
        {21052, "PPO2 - C%d Measured"},
        {21053, "Battery Voltages - C%d B%d"},
        {21054, "Cylinder Pressures - Oxygen"},
        {21055, "Cylinder Pressures - Diluent %d"},
        {21056, "Ambient Temperature"},
        {21057, "Gas Toxicity - CNS%"},
        {21058, "Gas Toxicity - OTU%"},
        {21059, "Gas Toxicity - ppCO2"},
        {21060, "Decompression Ceiling"},
        {21061, "Not Used"},
        // Chart Options dialog.
        {21070, "Chart Options"},
        {21071, "Primary Trace"},
        {21072, "Secondary Traces"},
        {21073, "Depth Trace"},
        {21074, "Trace %d"},
        {21075, "Solenoid Traces"},
        {21076, "OK"},
        {21077, "Cancel"},
    };
    for (const auto& e : kEntries)
        table.emplace(e.id, e.text);
}

} // namespace strings

std::string BuiltInText(int id) {
    return DefaultString(id);
}

std::string FormatText(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    std::va_list copy;
    va_copy(copy, args);
    const int needed = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string out;
    if (needed > 0) {
        std::vector<char> buffer(static_cast<size_t>(needed) + 1);
        std::vsnprintf(buffer.data(), buffer.size(), format, args);
        out.assign(buffer.data(), static_cast<size_t>(needed));
    }
    va_end(args);
    return out;
}

std::string CheckedFormat(const TextLookup& lookup, int id) {
    std::string builtIn = BuiltInText(id);
    if (!lookup)
        return builtIn;
    std::string text = lookup(id);
    if (text.empty() || Conversions(text) != Conversions(builtIn))
        return builtIn;
    return text;
}
