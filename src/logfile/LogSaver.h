#pragma once
// File > Save: writes the dive information and cylinder records back into the loaded log file
// (text or binary).
#include <string>

class CDiveLog;

struct CSaveResult {
    bool ok = false;
    // String-table id of the message box to show on failure (0 for none).
    int messageId = 0;
    // What went wrong, for the status log.
    std::string error;
};

CSaveResult SaveLogFile(CDiveLog& log);
