#include "viewmodel/CMimicCursor.h"

#include <algorithm>

#include "logfile/CDiveLog.h"
#include "logfile/CDiveLogSample.h"
#include "viewmodel/CChartState.h"
#include "viewmodel/DisplayProcessor.h"
#include "viewmodel/ReadoutText.h"
#include "viewmodel/TraceValue.h"

void CMimicCursor::TakeLog(const CDiveLog& log) {
    m_pLog = &log;
    m_arMaxDepthSoFar.assign(log.m_arSamples.size(), 0.0);
    double deepest = 0.0;
    for (size_t i = 0; i < log.m_arSamples.size(); ++i) {
        deepest = std::max(deepest, log.m_arSamples[i]->GetDepth());
        m_arMaxDepthSoFar[i] = deepest;
    }
}

CMimicInput CMimicCursor::At(size_t index, const CChartState& chart, bool metric) const {
    CMimicInput in;
    if (!m_pLog || index >= m_pLog->m_arSamples.size())
        return in;
    const CDiveLog& log = *m_pLog;
    const CDiveLogSample& sample = *log.m_arSamples[index];
    in.sample = &sample;
    in.gasNumber = ReadoutGasNumber(sample, log.m_GasManagement);
    in.maxDepthSoFar = index < m_arMaxDepthSoFar.size() ? m_arMaxDepthSoFar[index] : 0.0;
    in.diveStartTime = log.m_dDiveStartTime;
    in.showDeco = std::any_of(std::begin(chart.m_nTraceCode), std::end(chart.m_nTraceCode),
                              [](int code) { return code == kCeilingCode; });
    in.metric = metric;
    in.level3 = log.VersionLevel(3);
    in.thresholds = BatteryThresholds(log, DisplayBattery(log).liPoly);
    return in;
}
