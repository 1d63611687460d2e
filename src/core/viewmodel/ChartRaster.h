#pragma once
// Draws the chart's one-pixel lines and its flat bands straight into 32-bit pixels. A day of
// samples makes thousands of short, mostly vertical strokes; handing them to a general painter
// costs more than the pixels themselves, while here a vertical stroke is one store per row.
// Pixels are lit as an aliased painter lights them: a pixel belongs to a span when its centre
// lies in the half-open range (start, end] along the span.
#include <cstddef>
#include <cstdint>

#include "viewmodel/ChartPaths.h"

class CPixelCanvas {
public:
    // `stride` counts pixels from one row to the next. Nothing is drawn outside the clip.
    CPixelCanvas(uint32_t* bits, std::ptrdiff_t stride, int width, int height);

    // Left/top inclusive, right/bottom exclusive; limited to the pixels there are.
    void SetClip(int left, int top, int right, int bottom);

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

    uint32_t* m_bits;
    std::ptrdiff_t m_stride;
    int m_width;
    int m_height;
    int m_left = 0;
    int m_top = 0;
    int m_right = 0;
    int m_bottom = 0;
};
