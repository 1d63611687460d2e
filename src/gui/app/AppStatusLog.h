#pragma once
// The viewer's one status log. It lives in the application, not in the core: core operations
// hand back what they have to say and the application writes it here.
#include "statuslog/CReport.h"
#include "statuslog/StatusLog.h"

StatusLog& TheStatusLog();

// Writes a core operation's events, in order.
void WriteToStatusLog(const std::vector<CReportEvent>& events);
// An observer for core operations that writes each event as it happens, so the log is complete
// on disk even if the program stops half-way through a load.
CReport::Observer StatusLogObserver();
