#pragma once
// The mimic's input at a cursor sample, decided here rather than in the page: the deepest depth
// so far (kept per sample after each load, so a cursor move costs nothing), whether the
// decompression ceiling shows (a chart slot draws it) and the display's battery type.
#include <cstddef>
#include <vector>

#include "viewmodel/MimicModel.h"

class CDiveLog;
struct CChartState;

class CMimicCursor {
public:
    // After each load (or unload) of `log`, which must outlive the next calls of At.
    void TakeLog(const CDiveLog& log);
    // The input for sample `index`; no sample when nothing is loaded or the index is past the end.
    CMimicInput At(size_t index, const CChartState& chart, bool metric) const;

private:
    const CDiveLog* m_pLog = nullptr;
    std::vector<double> m_arMaxDepthSoFar; // deepest depth up to each sample
};
