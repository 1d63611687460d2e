#include "viewmodel/StringTable.h"

namespace strings {

// The printed reports, the printer and the PDF export.
void AddPrintStrings(std::map<int, const char*>& table) {
    static const StringEntry kEntries[] = {
        {24600, "Oxygen"},
        {24601, "Helium"},
        {24602, "Nitrogen"},
        {24603, "Max Pressure"},
        {24604, "Cylinder Size"},
        {24605, "Pressure IN"},
        {24606, "Pressure OUT"},
        {24607, "Gas Used"},
        {24608, "Diluent %d"},

        {24610, "Warning : Unable to re-select your preferred printer\nas it is no longer "
                "available. The system default printer\nwill be used."},
        {24611, "Print Pre&view..."},
        {24612, "&Export"},
        {24613, "&Report as PDF..."},
        {24614, "Export Report as PDF"},
        {24615, "Report:"},
        {24616, "PDF files (*.pdf)"},
        {24617, "Unable to write the PDF file."},
        {24618, "Print Preview"},
        {24619, "Log Book"},
        {24620, "The report could not be printed."},

        // The profile report's legend and axis titles.
        {24680, "Depth"},
        {24681, "Time (hh:mm:ss)"},
        {24682, "Time (mm:ss)"},
        {24683, "Depth (m)"},
        {24684, "Depth (ft)"},
        {24685, "Deco Gradient Factor"},
        {24686, "Unknown Type"},
    };
    for (const auto& e : kEntries)
        table.emplace(e.id, e.text);
}

} // namespace strings
