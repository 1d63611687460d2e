#pragma once
// Which processor is the display, and what the pages, the reports and the command line tool
// take from it. A unit has one display, a plain (0xB0) or a colour (0xBC) one; the system
// information says which by the header that came last.
#include <string>

class CDiveLog;
class CDiveLogSysInfo;

// The display's bus address: the model whose header came last, the plain one when none came.
int DisplayProcessor(const CDiveLogSysInfo& sys);

// The decompression option the display reports ("Dive Timer", ...); empty when it reports none.
std::string DisplayDecoOptionText(const CDiveLogSysInfo& sys);

// The battery type the mimic draws: always the display's own. When the units disagree about it
// (display code 05.01.42 and later say so) `notice` is the status-log line to write once.
struct CDisplayBattery {
    bool liPoly = false;
    std::string notice;
};
CDisplayBattery DisplayBattery(const CDiveLog& log);
