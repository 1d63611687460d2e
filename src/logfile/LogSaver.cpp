#include "logfile/LogSaver.h"

#include "logfile/CDiveLog.h"

CSaveResult SaveLogFile(CDiveLog& log) {
    (void)log;
    CSaveResult r;
    r.error = "Saving is not available yet";
    return r;
}
