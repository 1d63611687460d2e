#pragma once
// A day of samples on a plot a couple of thousand pixels wide puts dozens of samples in every
// pixel column. The window's samples are grouped once into cells — the samples that share a
// pixel column and an unbroken stretch of line — and each trace is then reduced cell by cell over
// its value array: first, last, smallest and largest value. The grouping reads the times once for
// all traces; the reduction is a tight loop over contiguous doubles.
#include <cstddef>
#include <vector>

#include "viewmodel/ChartScale.h"

class CDiveLog;
struct CChartMapping;

struct CColumnCell {
    size_t first = 0; // sample indexes, both inclusive
    size_t last = 0;
    double firstX = 0.0; // x of the first and last sample, limited to the mapping's x limits
    double lastX = 0.0;
    bool startsLine = false; // the window's first cell, or the first after a power-off sample
    // Holds a sample beyond the x limits, whose y is pulled along its line and so depends on the
    // neighbour's value: such a cell is worked out point by point.
    bool pulled = false;
};

// The cells of the window's samples, in sample order.
std::vector<CColumnCell> ColumnCells(const CDiveLog& log, const CSampleRange& window,
                                     const CChartMapping& map);

struct CColumnValues {
    double first;
    double last;
    double min;
    double max;
};
// The values [first, last] of `values` reduced. Like a running std::min/std::max started at the
// first value: a NaN first value makes min and max NaN, a later NaN is passed over.
CColumnValues ReduceColumn(const double* values, size_t first, size_t last);
