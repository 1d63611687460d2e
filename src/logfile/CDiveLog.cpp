#include "logfile/CDiveLog.h"

#include "logfile/CDiveLogPreDive.h"
#include "logfile/CDiveLogSample.h"
#include "logfile/CDiveLogSolenoidSample.h"

CDiveLog::CDiveLog() = default;
CDiveLog::~CDiveLog() = default;

CLoadResult CDiveLog::LoadLogFile(const std::string& path) {
    (void)path;
    CLoadResult r;
    r.messageId = 2218;
    return r;
}

void CDiveLog::UnloadLogFile() {
    m_arSamples.clear();
    m_arPreDives.clear();
    m_arSolenoidC1.clear();
    m_arSolenoidC2.clear();
}
