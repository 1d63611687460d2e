#pragma once
// Small dive models built sample by sample for the chart tests.
#include <memory>

#include "logfile/CDiveLog.h"
#include "logfile/CDiveLogSample.h"
#include "settings/SettingsStore.h"

namespace charttest {

// A sample at `time` seconds with `depth` metres (surface pressure 1000 mbar), powered on.
inline CDiveLogSample& AddSample(CDiveLog& log, double time, double depth) {
    auto sample = std::make_unique<CDiveLogSample>();
    sample->m_dTime = time;
    sample->m_dPressure = 1000.0 + depth * 100.0;
    sample->m_bPoweredOn = true;
    log.m_arSamples.push_back(std::move(sample));
    return *log.m_arSamples.back();
}

// Marks the log loaded with the chart window [start, end] and the dive at the same times.
inline void MarkLoaded(CDiveLog& log, long long start, long long end) {
    log.m_bFileLoaded = true;
    log.m_dDiveStartTime = static_cast<double>(start);
    log.m_dDiveEndTime = static_cast<double>(end);
    log.m_dLogEndTime = static_cast<double>(end);
    log.m_ChartRange = {start, end, end, start, end};
}

} // namespace charttest
