#include "viewmodel/CMimicCursor.h"

#include <algorithm>

#include "logfile/CDiveLog.h"
#include "logfile/CDiveLogSample.h"
#include "viewmodel/CChartState.h"
#include "viewmodel/DisplayProcessor.h"
#include "viewmodel/ReadoutText.h"
#include "viewmodel/TraceColumns.h"
#include "viewmodel/TraceValue.h"

void CMimicCursor::TakeLog(const CDiveLog& log) {
    m_pLog = &log;
    // The chart needs the depth column of the same log for its scale; taking the store's kept
    // copy spares a walk along every sample of a day's log before the first picture.
    const std::vector<double>& depths = TraceColumn(log, kDepthCode);
    m_arMaxDepthSoFar.resize(depths.size());
    double deepest = 0.0;
    for (size_t i = 0; i < depths.size(); ++i) {
        deepest = std::max(deepest, depths[i]);
        m_arMaxDepthSoFar[i] = deepest;
    }
}

CMimicInput CMimicCursor::At(size_t index, const CChartState& chart, bool metric) const {
    CMimicInput in;
    if (!m_pLog || index >= m_pLog->m_arSamples.size())
        return in;
    const CDiveLog& log = *m_pLog;
    in.owned = std::make_shared<const CDiveLogSample>(log.m_arSamples.Get(index));
    in.sample = in.owned.get();
    const CDiveLogSample& sample = *in.sample;
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
