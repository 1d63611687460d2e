#include "app/AppStatusLog.h"

StatusLog& TheStatusLog() {
    static StatusLog log;
    return log;
}

void WriteToStatusLog(const std::vector<CReportEvent>& events) {
    for (const CReportEvent& e : events)
        TheStatusLog().WriteText(e.text);
}

CReport::Observer StatusLogObserver() {
    return [](const CReportEvent& e) { TheStatusLog().WriteText(e.text); };
}
