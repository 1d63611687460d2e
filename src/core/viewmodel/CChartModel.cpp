#include "viewmodel/CChartModel.h"

#include <algorithm>
#include <cmath>

#include "logfile/CDiveLog.h"
#include "logfile/CDiveLogSample.h"
#include "viewmodel/ChartPaths.h"
#include "viewmodel/TraceGroups.h"

namespace {

int32_t Trunc(double t) {
    return static_cast<int32_t>(std::trunc(t));
}

// Times far outside any real log (a corrupt date) are held where the window arithmetic cannot
// overflow.
int32_t LimitTime(long long t) {
    constexpr long long kLimit = 1000000000LL;
    return static_cast<int32_t>(std::clamp(t, -kLimit, kLimit));
}

} // namespace

CChartModel::CChartModel() {
    Reset();
}

void CChartModel::Reset() {
    m_state = CChartState{};
}

bool CChartModel::IsLoaded() const {
    return m_pLog && m_pLog->m_bFileLoaded && !m_pLog->m_arSamples.empty();
}

void CChartModel::TakeLoadedTimes() {
    if (!m_pLog)
        return;
    const CChartRange& range = m_pLog->m_ChartRange;
    m_state.m_nDiveStart = LimitTime(range.diveStart);
    m_state.m_nDiveEnd = LimitTime(range.diveEnd);
    m_state.m_nLogEnd = LimitTime(range.logEnd);
    m_state.m_bDragging = false;
    SetWindow(LimitTime(range.viewStart), LimitTime(range.viewEnd));
    m_state.m_dCursorTime = m_state.m_nViewStart;
    Rescale();
}

void CChartModel::SetChartSize(int width, int height) {
    // The plot keeps at least a pixel in each direction, however small the widget gets.
    m_nWidth = std::max(width, kInsetLeft + kInsetRight + 2);
    m_nHeight = std::max(height, kInsetBottom + 2);
}

bool CChartModel::InPlot(int x, int y) const {
    return x >= PlotLeft() && x < PlotRight() && y >= PlotTop() && y < PlotBottom();
}

double CChartModel::XScale() const {
    return MapView(m_state, PlotLeft(), PlotTop(), PlotWidth(), PlotHeight()).xScale;
}

double CChartModel::TimeAtX(double x) const {
    const double t = m_state.m_nViewStart + (x - PlotLeft()) / XScale();
    return std::clamp(t, static_cast<double>(m_state.m_nViewStart),
                      static_cast<double>(m_state.m_nViewEnd));
}

void CChartModel::SetWindow(int32_t start, int32_t end) {
    // The window is never empty: the x scale divides by its length.
    m_state.m_nViewStart = start;
    m_state.m_nViewEnd = std::max(end, start + 1);
}

void CChartModel::ApplyTraceSettings(const CTraceSettings& traces) {
    m_state.m_bDepthTraceOn = traces.m_nDepth != 0;
    m_state.m_bSolenoidRowOn = traces.m_nSolenoids != 0;
    for (size_t n = 0; n < kChartSlots; ++n) {
        m_state.m_nTraceCode[n] = static_cast<int32_t>(traces.m_nTrace[n]);
        m_state.m_bTraceEnabled[n] = traces.m_nTraceEnable[n] != 0;
    }
    Rescale();
    const uint32_t slot = traces.m_nYAxisSelection;
    m_state.m_nYAxisSlot =
        slot < static_cast<uint32_t>(kChartSlots) ? static_cast<int32_t>(slot) : 0;
}

void CChartModel::ResetZoom() {
    SetWindow(m_state.m_nDiveStart, m_state.m_nDiveEnd);
    Rescale();
}

bool CChartModel::ResetZoomChangesView() const {
    return m_state.m_nViewStart != m_state.m_nDiveStart ||
           m_state.m_nViewEnd != std::max(m_state.m_nDiveEnd, m_state.m_nDiveStart + 1);
}

void CChartModel::Rescale() {
    if (m_pLog)
        RescaleChart(m_state, *m_pLog);
}

bool CChartModel::LeftDown(int x, int y) {
    if (!IsLoaded() || !InPlot(x, y))
        return false;
    m_state.m_dCursorTime = Trunc(TimeAtX(x));
    if (!m_state.m_bCursorLock) {
        m_state.m_bDragging = true;
        m_state.m_dDragTime = m_state.m_dCursorTime;
    }
    return true;
}

bool CChartModel::MouseMove(int x, int y, bool leftHeld) {
    if (!InPlot(x, y)) {
        m_state.m_bMouseInPlot = false;
        if (m_state.m_bDragging)
            m_state.m_dDragTime = TimeAtX(x);
        return IsLoaded();
    }
    m_state.m_bMouseInPlot = true;
    if (m_state.m_bDragging && !leftHeld)
        m_state.m_bDragging = false;
    if (m_state.m_bDragging) {
        m_state.m_dDragTime = TimeAtX(x);
        return true;
    }
    if (!m_state.m_bCursorLock)
        m_state.m_dCursorTime = TimeAtX(x);
    return IsLoaded();
}

bool CChartModel::LeftUp(int x, int /*y*/) {
    if (!IsLoaded() || !m_state.m_bDragging)
        return false;
    m_state.m_bDragging = false;
    const double releaseTime = TimeAtX(x);
    if (Trunc(releaseTime) == Trunc(m_state.m_dCursorTime))
        return true;
    // The release point ends the drag even when no move event reported it.
    m_state.m_dDragTime = releaseTime;
    const int32_t start = Trunc(std::min(m_state.m_dCursorTime, m_state.m_dDragTime));
    const int32_t end = Trunc(std::max(m_state.m_dCursorTime, m_state.m_dDragTime));
    if (end <= start)
        return true;
    SetWindow(start, end);
    Rescale();
    m_state.m_dCursorTime = Trunc(TimeAtX(x));
    return true;
}

bool CChartModel::DoubleClick(int x, int y) {
    if (!IsLoaded() || !InPlot(x, y))
        return false;
    m_state.m_bCursorLock = !m_state.m_bCursorLock;
    return true;
}

CSampleRange CChartModel::Window() const {
    if (!m_pLog)
        return {};
    return WindowSamples(*m_pLog, m_state.m_nViewStart, m_state.m_nViewEnd);
}

size_t CChartModel::CursorSample() const {
    const CSampleRange window = Window();
    if (window.empty)
        return 0;
    const auto& samples = m_pLog->m_arSamples;
    const auto begin = samples.begin() + static_cast<std::ptrdiff_t>(window.first);
    const auto end = samples.begin() + static_cast<std::ptrdiff_t>(window.last) + 1;
    const double cursor = m_state.m_dCursorTime;
    const auto after =
        std::partition_point(begin, end, [cursor](const auto& s) { return s->m_dTime <= cursor; });
    if (after == begin)
        return window.first;
    return static_cast<size_t>(after - samples.begin()) - 1;
}

size_t CChartModel::NextSample() const {
    const size_t cursor = CursorSample();
    return cursor + 1 < Window().last ? cursor + 1 : cursor;
}

bool CChartModel::CursorToPreviousSample() {
    if (!IsLoaded() || m_state.m_bDragging)
        return false;
    const CSampleRange window = Window();
    size_t index = CursorSample();
    const auto& samples = m_pLog->m_arSamples;
    // Step over samples that share the cursor's second, so every press moves the line.
    while (index > window.first && samples[index]->m_dTime >= m_state.m_dCursorTime)
        --index;
    const double t = std::max(samples[index]->m_dTime, static_cast<double>(m_state.m_nViewStart));
    if (t >= m_state.m_dCursorTime)
        return false;
    m_state.m_dCursorTime = t;
    return true;
}

bool CChartModel::CursorToNextSample() {
    if (!IsLoaded() || m_state.m_bDragging)
        return false;
    const CSampleRange window = Window();
    size_t index = CursorSample();
    const auto& samples = m_pLog->m_arSamples;
    while (index < window.last && samples[index]->m_dTime <= m_state.m_dCursorTime)
        ++index;
    const double t = std::min(samples[index]->m_dTime, static_cast<double>(m_state.m_nViewEnd));
    if (t <= m_state.m_dCursorTime)
        return false;
    m_state.m_dCursorTime = t;
    return true;
}

bool CChartModel::CursorToWindowStart() {
    if (!IsLoaded() || m_state.m_bDragging)
        return false;
    m_state.m_dCursorTime = m_state.m_nViewStart;
    return true;
}

bool CChartModel::CursorToWindowEnd() {
    if (!IsLoaded() || m_state.m_bDragging)
        return false;
    m_state.m_dCursorTime = m_state.m_nViewEnd;
    return true;
}

bool CChartModel::CancelDrag() {
    if (!m_state.m_bDragging)
        return false;
    m_state.m_bDragging = false;
    return true;
}
