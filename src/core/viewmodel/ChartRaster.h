#pragma once
// Draws the chart's one-pixel lines and its flat bands straight into 32-bit pixels. A day of
// samples makes thousands of short, mostly vertical strokes; handing them to a general painter
// costs more than the pixels themselves, while here a vertical stroke is one store per row.
// Pixels are lit as an aliased painter lights them: a pixel belongs to a span when its centre
// lies in the half-open range (start, end] along the span.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "viewmodel/ChartPaths.h"

class CPixelCanvas {
public:
    // `stride` counts pixels from one row to the next. Nothing is drawn outside the clip.
    CPixelCanvas(uint32_t* bits, std::ptrdiff_t stride, int width, int height);

    // Left/top inclusive, right/bottom exclusive; limited to the pixels there are.
    void SetClip(int left, int top, int right, int bottom);

    // From here on every drawing goes beneath what was drawn since: a pixel lit once keeps its
    // colour. A caller that draws its layers topmost first then writes each pixel once, where
    // drawing them bottom up writes the overlaps again and again, a column at a time down an
    // image far larger than the caches. Setting the clip ends it.
    void DrawUnderneath();

    // One-pixel lines lit pixel for pixel as the aliased painter lights them: along the longer
    // axis the pixels whose centres lie between the ends, across it the one the line crosses
    // there, with the painter's fixed-point steps and its care at the joints of a polyline. A
    // segment with a non-finite end draws nothing.
    void Line(const CChartPoint& a, const CChartPoint& b, uint32_t colour);
    void Polyline(const CPolyline& line, uint32_t colour);
    // The pixels whose centres lie in (x0, x1] x (y0, y1].
    void Fill(double x0, double y0, double x1, double y1, uint32_t colour);

private:
    // The pixel indexes whose centres lie in (lo, hi], limited to [min, max).
    static bool Centres(double lo, double hi, int min, int max, int& first, int& last);
    struct CPen;
    // False when the line lies wholly outside the image.
    bool ClipToImage(double& x1, double& y1, double& x2, double& y2, CPen& pen) const;
    // Whether the segment counts as drawn (long enough, or it lit a pixel).
    bool Segment(const CChartPoint& from, const CChartPoint& to, uint32_t colour, CPen& pen);
    // Lights the steps [from, to) of a segment, `c` the fixed-point across position of the
    // first and `step` its change per step.
    void Steps(bool steep, int from, int to, int64_t c, int64_t step, uint32_t colour);
    // Rows [top, bottom) of column x, all inside the clip.
    void Column(int x, int top, int bottom, uint32_t colour);
    // Columns [left, right) of row y, all inside the clip.
    void Row(int y, int left, int right, uint32_t colour);
    // Whether pixel (x, y) inside the clip is still free to draw, taking it if so.
    bool Take(int x, int y) {
        if (!m_underneath)
            return true;
        uint64_t& word = m_taken[Word(x, y)];
        const uint64_t bit = uint64_t{1} << ((y - m_top) & 63);
        const bool free = (word & bit) == 0;
        word |= bit;
        return free;
    }
    size_t Word(int x, int y) const {
        return static_cast<size_t>(x - m_left) * m_wordsPerColumn +
               static_cast<size_t>((y - m_top) >> 6);
    }

    uint32_t* m_bits;
    std::ptrdiff_t m_stride;
    int m_width;
    int m_height;
    int m_left = 0;
    int m_top = 0;
    int m_right = 0;
    int m_bottom = 0;
    // The pixels of the clip lit since DrawUnderneath, a bit each, column by column: the lines
    // are mostly vertical strokes, which so test and take their pixels a word at a time.
    bool m_underneath = false;
    size_t m_wordsPerColumn = 0;
    std::vector<uint64_t> m_taken;
};
