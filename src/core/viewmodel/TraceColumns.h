#pragma once
// A trace's values for every sample of a log, worked out once and kept by the log's sample
// store until the samples change. The chart scales and draws from these arrays, so a redraw
// reads a few doubles per sample instead of building each sample again.
#include <vector>

class CDiveLog;

// TraceValue(code, sample) per sample.
const std::vector<double>& TraceColumn(const CDiveLog& log, int code);
// TraceState(code, sample, level3) per sample, 1 for on.
const std::vector<double>& StateColumn(const CDiveLog& log, int code, bool level3);
// m_bPoweredOn per sample, 1 for on.
const std::vector<double>& PoweredColumn(const CDiveLog& log);
// m_dTime per sample: the chart reads every time of the window at each redraw.
const std::vector<double>& TimeColumn(const CDiveLog& log);
