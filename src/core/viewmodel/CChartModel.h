#pragma once
// The profile chart's behaviour without pixels: the chart state, the mapping between time and
// the plot's x, zoom by dragging, the cursor and its keys, and the trace settings. The widget
// forwards its mouse and key events here and repaints when a call reports a change.
#include <cstddef>
#include <cstdint>

#include "settings/CTraceSettings.h"
#include "viewmodel/CChartState.h"
#include "viewmodel/ChartScale.h"

class CDiveLog;

class CChartModel {
public:
    // Inset of the plot inside the chart: labels of the depth axis on the left, of the secondary
    // axis on the right, of the time axis below.
    static constexpr int kInsetLeft = 30;
    static constexpr int kInsetRight = 30;
    static constexpr int kInsetBottom = 20;

    CChartModel();

    // Chart state as initialisation leaves it (cursor 0, all slots empty, depth trace on).
    void Reset();
    void SetLog(const CDiveLog* log) { m_pLog = log; }
    const CDiveLog* Log() const { return m_pLog; }
    bool IsLoaded() const;

    // Takes the dive times and view window of a freshly loaded log and rescales.
    void TakeLoadedTimes();
    // The chart's size in pixels; the plot is inset inside it.
    void SetChartSize(int width, int height);
    int PlotLeft() const { return kInsetLeft; }
    int PlotTop() const { return 0; }
    int PlotRight() const { return m_nWidth - kInsetRight; }
    int PlotBottom() const { return m_nHeight - kInsetBottom; }
    int PlotWidth() const { return PlotRight() - PlotLeft(); }
    int PlotHeight() const { return PlotBottom() - PlotTop(); }
    bool InPlot(int x, int y) const;

    // Pixels per second: (plot width - 1) / window length.
    double XScale() const;
    // Time under x (chart coordinates), limited to the window.
    double TimeAtX(double x) const;

    // Settings: what to draw, as the chart settings say.
    void ApplyTraceSettings(const CTraceSettings& traces);
    void ResetZoom();
    bool ResetZoomChangesView() const;
    void Rescale();

    // Mouse; each returns true when the chart must be redrawn.
    bool LeftDown(int x, int y);
    bool MouseMove(int x, int y, bool leftHeld);
    bool LeftUp(int x, int y);
    bool DoubleClick(int x, int y);
    // Keys: previous / next sample, window start / end, leave a drag.
    bool CursorToPreviousSample();
    bool CursorToNextSample();
    bool CursorToWindowStart();
    bool CursorToWindowEnd();
    bool CancelDrag();

    // The sample the readout shows: the last sample of the window not after the cursor time
    // (the window's first when all are later); and the one after it, unless that one is the
    // window's last sample. Only meaningful when IsLoaded().
    size_t CursorSample() const;
    size_t NextSample() const;
    CSampleRange Window() const;

    CChartState& State() { return m_state; }
    const CChartState& State() const { return m_state; }

private:
    void SetWindow(int32_t start, int32_t end);

    CChartState m_state;
    const CDiveLog* m_pLog = nullptr;
    int m_nWidth = 100;
    int m_nHeight = 100;
};
