#include "viewmodel/StringTable.h"

namespace strings {

// The main window, its menu and its messages.
void AddAppStrings(std::map<int, const char*>& table) {
    static const StringEntry kEntries[] = {
        {102, "%d of %d"},
        {2174, "Dive No."},
        {2175, "Max Depth"},
        {2176, "Duration"},
        {2197, "Dive Information"},
        {2198, "Dive Profile"},
        {2199, "Gas Management"},
        {2209, "Dive Profile"},
        {2210, "Dive Information"},
        {2211, "Data"},
        {2212, "Gas Management"},
        {2213, "Log Book"},
        {2214, "Information"},
        {2215, "The Dive Information has been modified.\n\nDo you want to save the changes?"},
        {2216, "Select Dive Log file for display"},
        {2218, "Unable to open data file."},
        {2219, "Invalid Checksum."},
        {2220, "Invalid Log File."},
        {2221, "Unable to open data file for reading."},
        {2222, "Unable to open data file for writing."},
        {9024, "First"},
        {9025, "Previous"},
        {9026, "Next"},
        {9027, "Last"},

        {20000, "&File"},
        {20001, "&Open..."},
        {20002, "&Close"},
        {20003, "&Save"},
        {20004, "&Print"},
        {20005, "Dive &Information"},
        {20006, "Dive &Profile"},
        {20007, "P&rinter Setup..."},
        {20008, "Recent File"},
        {20009, "E&xit"},
        {20010, "&Chart Options"},
        {20011, "&Tools"},
        {20012, "&Units"},
        {20013, "&Metric"},
        {20014, "&Imperial"},
        {20015, "Select &Language..."},
        {20016, "&Enable Chart Right Click Menu"},
        {20017, "&Help"},
        {20018, "&Help Contents"},
        {20019, "Email This File To &Zelvor"},
        {20020, "Email This File To &DAN"},
        {20021, "&About Zelvor Log Viewer..."},

        {20030, "Unable to load mail system support."},
        {20031, "Mail system DLL is invalid."},
        {20032, "Send Mail failed to send message."},
        {20033, "Zelvor Log File"},
        {20034, "I am sending you the attached file because........."},
        {20035, "Zelvor Log Viewer Version "},
        {20036, "This command is not available yet."},
        {20037, "Zelvor Log Viewer Help"},
        {20038, "Dive Logs (*.ccl)"},
        {20039, "About Zelvor Log Viewer"},
        {20040, "Website"},
        {20041, "E-mail"},
        {20042, "Linux Edition"},
        {20043, "Contents"},
        {20044, "Back"},
        {20045, "Forward"},

        {20061, "&UDDF..."},
        {20062, "Export Dive as UDDF"},
        {20063, "UDDF files (*.uddf)"},
        {20064, "The UDDF file could not be written:\n%s"},
        {20130, "These characters cannot be stored in the log file and are left out: %s"},

        // Tools > Select Language.
        {20900, "Select Language"},
    };
    for (const auto& e : kEntries)
        table.emplace(e.id, e.text);
}

} // namespace strings
