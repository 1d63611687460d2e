#include "viewmodel/ChartColumns.h"

#include <algorithm>
#include <cmath>

#include "logfile/CDiveLog.h"
#include "viewmodel/ChartPaths.h"
#include "viewmodel/TraceColumns.h"

std::vector<CColumnCell> ColumnCells(const CDiveLog& log, const CSampleRange& window,
                                     const CChartMapping& map) {
    std::vector<CColumnCell> cells;
    if (window.empty)
        return cells;
    const std::vector<double>& times = TimeColumn(log);
    const std::vector<double>& powered = PoweredColumn(log);
    // A lone sample has no neighbour to be pulled towards and stays where it is.
    const bool lone = window.last == window.first;
    double column = 0.0;
    for (size_t i = window.first; i <= window.last; ++i) {
        const double x = map.X(times[i]);
        const double px = lone ? x : std::clamp(x, map.xMin, map.xMax);
        const double col = std::floor(px);
        const bool starts = i == window.first || powered[i - 1] == 0.0;
        if (starts || col != column) {
            cells.push_back({i, i, px, px, starts, px != x});
            column = col;
            continue;
        }
        CColumnCell& cell = cells.back();
        cell.last = i;
        cell.lastX = px;
        cell.pulled = cell.pulled || px != x;
    }
    return cells;
}

CColumnValues ReduceColumn(const double* values, size_t first, size_t last) {
    CColumnValues r{values[first], values[last], values[first], values[first]};
    if (std::isnan(r.min))
        return r;
    // With a number to start from, a NaN never wins a comparison, so the order of the
    // comparisons does not matter: four independent lanes keep the loop from waiting on itself.
    double lo[4] = {r.min, r.min, r.min, r.min};
    double hi[4] = {r.max, r.max, r.max, r.max};
    size_t i = first + 1;
    for (; i + 4 <= last + 1; i += 4) {
        for (int k = 0; k < 4; ++k) {
            const double v = values[i + static_cast<size_t>(k)];
            lo[k] = v < lo[k] ? v : lo[k];
            hi[k] = v > hi[k] ? v : hi[k];
        }
    }
    for (; i <= last; ++i) {
        lo[0] = values[i] < lo[0] ? values[i] : lo[0];
        hi[0] = values[i] > hi[0] ? values[i] : hi[0];
    }
    for (int k = 1; k < 4; ++k) {
        lo[0] = lo[k] < lo[0] ? lo[k] : lo[0];
        hi[0] = hi[k] > hi[0] ? hi[k] : hi[0];
    }
    r.min = lo[0];
    r.max = hi[0];
    return r;
}
