#include "viewmodel/StringTable.h"

namespace strings {

void AddDataStrings(std::map<int, const char*>& table) {
    static const StringEntry kEntries[] = {
        // Buttons and group box of the Data and Log Book pages.
        {2027, "Display"},
        {2226, "Copy To Clipboard"},
        {2227, "Print"},
        // Data page column headers ("%d" is filled with controller, cell or cylinder numbers).
        {22000, "Dive Time (s)"},
        {22001, "Depth (m)"},
        {22002, "Depth (ft)"},
        {22003, "PPO2 - Setpoint (Bar)"},
        {22004, "PPO2 - C%d Cell %d (Bar)"},
        {22005, "PPO2 - C%d Measured (Bar)"},
        {22006, "C%d Battery %d (Volts)"},
        {22007, "Diluent %d Pressure (Bar)"},
        {22008, "O2 Pressure (Bar)"},
        {22009, "Ambient Temp. (Celcius)"},
        {22010, "Ambient Temp. (Fahrenheit)"},
        {22011, "OTU Exposure (%)"},
        {22012, "CNS Exposure (%)"},
        {22013, "Deco Ceiling (m)"},
        {22014, "Deco Ceiling (ft)"},
        {22015, "Gradient Factor"},
        // Log Book page column headings.
        {22020, "Dive Number"},
        {22021, "Date"},
        {22022, "Duration (mm:ss)"},
        {22023, "Max Depth (m)"},
        {22024, "Max Depth (ft)"},
    };
    for (const auto& e : kEntries) {
        if (e.id != 0)
            table.emplace(e.id, e.text);
    }
}

} // namespace strings
