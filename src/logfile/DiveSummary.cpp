#include "logfile/CDiveLog.h"

void CDiveLog::ComputeDiveSummary() {}
