#include "viewmodel/ChartColumns.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "logfile/CDiveLog.h"
#include "viewmodel/ChartPaths.h"
#include "viewmodel/TraceColumns.h"

namespace {
// Well inside the range of int64_t, and beyond any pixel.
constexpr double kFarX = 1.0e15;

// Whether the window's sample times run in order with the x of each: then a sample's pixel
// column, its x limited to the plot and all, never falls back along the samples.
bool InOrder(const double* time, const CSampleRange& window, const CChartMapping& map) {
    if (!(map.xScale >= 0.0) || !std::isfinite(map.xScale) || !std::isfinite(time[window.first]) ||
        !std::isfinite(time[window.last]))
        return false;
    // Finite at both ends and never falling between: finite throughout, as NaN compares false.
    bool ordered = true;
    for (size_t i = window.first; i < window.last; ++i)
        ordered &= time[i] <= time[i + 1];
    return ordered;
}

// The cells of samples whose columns never fall back: a cell runs to the last sample in its
// first sample's column, found by galloping and halving instead of visiting the dozens of
// samples a day puts in each column. A cell ends at a power-off sample as it does one by one,
// and is pulled when a sample at either end is, as those beyond the limits lie at the ends.
template <class Place>
void OrderedCells(std::vector<CColumnCell>& cells, const double* on, const CSampleRange& window,
                  const Place& place) {
    // The first power-off sample from `from` on, or the window's last.
    const auto nextOff = [&](size_t from) {
        while (from < window.last && on[from] != 0.0)
            ++from;
        return from;
    };
    size_t off = nextOff(window.first);
    size_t guess = 1; // the previous cell's length, where the search starts
    for (size_t i = window.first; i <= window.last;) {
        double x = 0.0, px = 0.0;
        const double column = place(i, x, px);
        CColumnCell cell{i, i, px, px, i == window.first || on[i - 1] == 0.0, px != x};
        if (off < i)
            off = nextOff(i);
        // [same, beyond): `same` lies in the column, `beyond` does not or is past the limit.
        size_t same = i, beyond = off + 1;
        for (size_t step = guess; same < off;) {
            const size_t probe = std::min(same + step, off);
            if (place(probe, x, px) != column) {
                beyond = probe;
                break;
            }
            same = probe;
            step *= 2;
        }
        while (beyond - same > 1) {
            const size_t middle = same + (beyond - same) / 2;
            (place(middle, x, px) == column ? same : beyond) = middle;
        }
        if (same > i) {
            place(same, x, px);
            cell.last = same;
            cell.lastX = px;
            cell.pulled = cell.pulled || px != x;
        }
        guess = std::max<size_t>(1, same - i);
        cells.push_back(cell);
        i = same + 1;
    }
}

} // namespace

std::vector<CColumnCell> ColumnCells(const CDiveLog& log, const CSampleRange& window,
                                     const CChartMapping& map) {
    std::vector<CColumnCell> cells;
    if (window.empty)
        return cells;
    const std::vector<double>& times = TimeColumn(log);
    const std::vector<double>& powered = PoweredColumn(log);
    // A lone sample has no neighbour to be pulled towards and stays where it is.
    const bool lone = window.last == window.first;
    const double* time = times.data();
    const double* on = powered.data();
    // A copy of the mapping that nothing else can reach: the scan below then keeps it in
    // registers, where a call in the same loop (the list growing) would have it stored and read
    // back for every sample.
    const CChartMapping local = map;
    const double xMin = map.xMin, xMax = map.xMax;
    const auto place = [&](size_t i, double& x, double& px) {
        x = local.X(time[i]);
        px = lone ? x : x < xMin ? xMin : xMax < x ? xMax : x;
        // std::floor by a truncation where x is a plain pixel position; the library's way for
        // far and undefined ones.
        if (px > -kFarX && px < kFarX) {
            const auto whole = static_cast<double>(static_cast<int64_t>(px));
            return whole > px ? whole - 1.0 : whole;
        }
        return std::floor(px);
    };
    if (InOrder(time, window, local)) {
        OrderedCells(cells, on, window, place);
        return cells;
    }
    for (size_t i = window.first; i <= window.last;) {
        double x = 0.0, px = 0.0;
        const double column = place(i, x, px);
        CColumnCell cell{i, i, px, px, i == window.first || on[i - 1] == 0.0, px != x};
        // Most samples only move the cell's end.
        for (++i; i <= window.last && on[i - 1] != 0.0; ++i) {
            if (place(i, x, px) != column)
                break;
            cell.last = i;
            cell.lastX = px;
            cell.pulled = cell.pulled || px != x;
        }
        cells.push_back(cell);
    }
    return cells;
}

CColumnValues ReduceColumn(const double* values, size_t first, size_t last) {
    CColumnValues r{values[first], values[last], values[first], values[first]};
    if (std::isnan(r.min))
        return r;
    // With a number to start from, a NaN never wins a comparison, so the order of the
    // comparisons does not matter: independent lanes keep the loop from waiting on itself.
    double lo[4] = {r.min, r.min, r.min, r.min};
    double hi[4] = {r.max, r.max, r.max, r.max};
    size_t i = first + 1;
#if defined(__SSE2__)
    // minpd(v, lo) is exactly "v < lo ? v : lo" (and maxpd likewise), NaN included.
    __m128d lo0 = _mm_set1_pd(r.min), lo1 = lo0, hi0 = _mm_set1_pd(r.max), hi1 = hi0;
    for (; i + 4 <= last + 1; i += 4) {
        const __m128d a = _mm_loadu_pd(values + i);
        const __m128d b = _mm_loadu_pd(values + i + 2);
        lo0 = _mm_min_pd(a, lo0);
        lo1 = _mm_min_pd(b, lo1);
        hi0 = _mm_max_pd(a, hi0);
        hi1 = _mm_max_pd(b, hi1);
    }
    _mm_storeu_pd(lo, lo0);
    _mm_storeu_pd(lo + 2, lo1);
    _mm_storeu_pd(hi, hi0);
    _mm_storeu_pd(hi + 2, hi1);
#else
    for (; i + 4 <= last + 1; i += 4) {
        for (int k = 0; k < 4; ++k) {
            const double v = values[i + static_cast<size_t>(k)];
            lo[k] = v < lo[k] ? v : lo[k];
            hi[k] = v > hi[k] ? v : hi[k];
        }
    }
#endif
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
