#pragma once
// Everything the profile chart draws from, apart from the dive model: the view window, the axis
// ranges, the working copy of the trace settings and the cursor. The screen page owns one;
// printing and image export paint from the same values.
#include <cstdint>

inline constexpr int kChartSlots = 10;

struct CChartState {
    // The view window and the loader's times, whole seconds on the sample time scale.
    int32_t m_nViewStart = 0;
    int32_t m_nViewEnd = 1;
    int32_t m_nDiveStart = 0;
    int32_t m_nDiveEnd = 1;
    int32_t m_nLogEnd = 1;

    // Depth axis: max at the bottom, min at the top.
    double m_dDepthMax = 10.0;
    double m_dDepthMin = 0.0;
    double m_dDepthMid = 5.0;

    // Working copy of the trace settings.
    int32_t m_nTraceCode[kChartSlots] = {};
    bool m_bTraceEnabled[kChartSlots] = {};
    double m_dTraceMin[kChartSlots] = {};
    double m_dTraceMax[kChartSlots] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    int32_t m_nYAxisSlot = 0;
    bool m_bDepthTraceOn = true;
    bool m_bDepthLabelsOn = true;
    bool m_bSolenoidRowOn = false;

    // Cursor and zoom drag.
    double m_dCursorTime = 0.0;
    double m_dDragTime = 0.0;
    bool m_bDragging = false;
    bool m_bCursorLock = false;
    bool m_bMouseInPlot = false;
};
