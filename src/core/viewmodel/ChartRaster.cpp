#include "viewmodel/ChartRaster.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

CPixelCanvas::CPixelCanvas(uint32_t* bits, std::ptrdiff_t stride, int width, int height)
    : m_bits(bits), m_stride(stride), m_width(std::max(0, width)), m_height(std::max(0, height)),
      m_right(m_width), m_bottom(m_height) {}

void CPixelCanvas::SetClip(int left, int top, int right, int bottom) {
    m_left = std::clamp(left, 0, m_width);
    m_top = std::clamp(top, 0, m_height);
    m_right = std::clamp(right, m_left, m_width);
    m_bottom = std::clamp(bottom, m_top, m_height);
    m_underneath = false;
    m_taken.clear();
}

void CPixelCanvas::DrawUnderneath() {
    m_underneath = true;
    m_wordsPerColumn = static_cast<size_t>(m_bottom - m_top + 63) / 64;
    m_taken.assign(static_cast<size_t>(m_right - m_left) * m_wordsPerColumn, 0);
}

void CPixelCanvas::Column(int x, int top, int bottom, uint32_t colour) {
    uint32_t* pixel = m_bits + static_cast<std::ptrdiff_t>(top) * m_stride + x;
    if (!m_underneath) {
        for (int y = top; y < bottom; ++y, pixel += m_stride)
            *pixel = colour;
        return;
    }
    // A word of the column at a time: the rows wanted there, less those already taken.
    for (int y = top; y < bottom;) {
        const int bit = (y - m_top) & 63;
        const int rows = std::min(64 - bit, bottom - y);
        const uint64_t wanted = (rows == 64 ? ~uint64_t{0} : (uint64_t{1} << rows) - 1) << bit;
        uint64_t& word = m_taken[Word(x, y)];
        uint64_t fresh = wanted & ~word;
        word |= wanted;
        uint32_t* const rowZero = pixel - static_cast<std::ptrdiff_t>(bit) * m_stride;
        // Run by run of fresh rows: a tall stroke is mostly one, stored without a test per row.
        while (fresh) {
            const int start = std::countr_zero(fresh);
            const int end = start + std::countr_one(fresh >> start);
            uint32_t* row = rowZero + static_cast<std::ptrdiff_t>(start) * m_stride;
            for (int r = start; r < end; ++r, row += m_stride)
                *row = colour;
            fresh = end >= 64 ? 0 : fresh & (~uint64_t{0} << end);
        }
        y += rows;
        pixel += static_cast<std::ptrdiff_t>(rows) * m_stride;
    }
}

void CPixelCanvas::Row(int y, int left, int right, uint32_t colour) {
    uint32_t* row = m_bits + static_cast<std::ptrdiff_t>(y) * m_stride;
    if (!m_underneath) {
        std::fill(row + left, row + right, colour);
        return;
    }
    for (int x = left; x < right; ++x)
        if (Take(x, y))
            row[x] = colour;
}

void CPixelCanvas::Steps(bool steep, int from, int to, int64_t c, int64_t step, uint32_t colour) {
    const int cMin = steep ? m_left : m_top, cMax = steep ? m_right : m_bottom;
    // A run of steps at a time that stay on one column (steep) or row (flat): even a slanting
    // stroke of the chart is mostly such runs, and a run is stored without testing each step.
    for (int k = from; k < to;) {
        const int across = static_cast<int>(c >> 16);
        int64_t n = to - k;
        if (step > 0) {
            const int64_t next = (static_cast<int64_t>(across) + 1) << 16;
            n = std::min(n, (next - c + step - 1) / step);
        } else if (step < 0) {
            const int64_t start = static_cast<int64_t>(across) << 16;
            n = std::min(n, (c - start) / -step + 1);
        }
        const int end = k + static_cast<int>(n);
        if (across >= cMin && across < cMax) {
            if (steep)
                Column(across, k, end, colour);
            else
                Row(across, k, end, colour);
        }
        k = end;
        c += n * step;
    }
}

bool CPixelCanvas::Centres(double lo, double hi, int min, int max, int& first, int& last) {
    // Limited while still doubles: the ends may lie far beyond anything an int holds.
    const double f = std::max(std::floor(lo - 0.5) + 1.0, static_cast<double>(min));
    const double l = std::min(std::floor(hi - 0.5), static_cast<double>(max) - 1.0);
    if (!(f <= l))
        return false;
    first = static_cast<int>(f);
    last = static_cast<int>(l);
    return true;
}

namespace {

// Pen directions, one bit each, so that "the opposite way along the same axis" is an xor.
constexpr int kDown = 1, kUp = 2, kRight = 4, kLeft = 8;
constexpr int kVerticalDirs = kDown | kUp, kHorizontalDirs = kRight | kLeft;

// Coordinates in 64ths of a pixel, truncated as the aliased painter truncates them.
int Sixtyfourths(double v) {
    return static_cast<int>(v * 64.0);
}
// a / b in 65536ths, truncated.
int64_t Ratio(int64_t a, int64_t b) {
    return a * 65536 / b;
}

} // namespace

// Where the previous segment of a line ended, so the next one neither draws that pixel again
// nor leaves a gap after it, and so a line that turns back on itself keeps its tip.
struct CPixelCanvas::CPen {
    int lastX = -1;
    int lastY = -1;
    int lastDir = 0;
    bool lastAxisAligned = false;
};

bool CPixelCanvas::ClipToImage(double& x1, double& y1, double& x2, double& y2, CPen& pen) const {
    // Ends far outside are moved onto a frame just around the image, in doubles, before the
    // line goes into fixed point.
    const double xmin = -1.0, xmax = m_width + 1.0, ymin = -1.0, ymax = m_height + 1.0;
    const auto atX = [](double& ax, double& ay, double bx, double by, double x) {
        ay += (by - ay) / (bx - ax) * (x - ax);
        ax = x;
    };
    const auto atY = [](double& ax, double& ay, double bx, double by, double y) {
        ax += (bx - ax) / (by - ay) * (y - ay);
        ay = y;
    };
    if (x1 < xmin) {
        if (x2 <= xmin)
            return false;
        atX(x1, y1, x2, y2, xmin);
    } else if (x1 > xmax) {
        if (x2 >= xmax)
            return false;
        atX(x1, y1, x2, y2, xmax);
    }
    if (x2 < xmin || x2 > xmax) {
        pen.lastX = -1;
        atX(x2, y2, x1, y1, x2 < xmin ? xmin : xmax);
    }
    if (y1 < ymin) {
        if (y2 <= ymin)
            return false;
        atY(x1, y1, x2, y2, ymin);
    } else if (y1 > ymax) {
        if (y2 >= ymax)
            return false;
        atY(x1, y1, x2, y2, ymax);
    }
    if (y2 < ymin || y2 > ymax) {
        pen.lastX = -1;
        atY(x2, y2, x1, y1, y2 < ymin ? ymin : ymax);
    }
    return true;
}

bool CPixelCanvas::Segment(const CChartPoint& from, const CChartPoint& to, uint32_t colour,
                           CPen& pen) {
    double fx = from.x, fy = from.y, tx = to.x, ty = to.y;
    bool drew = std::abs(tx - fx) + std::abs(ty - fy) >= 1.0;
    // Nearly every segment of a chart lies inside the frame the clipping works to; the test
    // for it also fails for NaN.
    const auto inFrame = [this](double x, double y) {
        return x >= -1.0 && x <= m_width + 1.0 && y >= -1.0 && y <= m_height + 1.0;
    };
    if (!inFrame(fx, fy) || !inFrame(tx, ty)) {
        if (!std::isfinite(fx) || !std::isfinite(fy) || !std::isfinite(tx) || !std::isfinite(ty))
            return true;
        if (!ClipToImage(fx, fy, tx, ty, pen)) {
            pen.lastX = -1;
            return true;
        }
    }
    // Work along the longer axis ("along") and step across it; a steep line is a flat one with
    // the axes exchanged.
    const bool steep = std::abs(Sixtyfourths(tx) - Sixtyfourths(fx)) <
                       std::abs(Sixtyfourths(ty) - Sixtyfourths(fy));
    int a1 = Sixtyfourths(steep ? fy : fx), c1 = Sixtyfourths(steep ? fx : fy);
    int a2 = Sixtyfourths(steep ? ty : tx), c2 = Sixtyfourths(steep ? tx : ty);
    if (a1 == a2)
        return true;
    const bool backwards = a1 > a2;
    if (backwards) {
        std::swap(a1, a2);
        std::swap(c1, c2);
    }
    const int dir = steep ? (backwards ? kUp : kDown) : (backwards ? kLeft : kRight);
    // Most of the chart's strokes are vertical: no division for them.
    const int64_t step = c2 == c1 ? 0 : Ratio(c2 - c1, a2 - a1);
    int64_t across = static_cast<int64_t>(c1) * 1024;
    // Turning back along the same axis: the turning point's half pixel is drawn too.
    const bool turnsBack = (pen.lastDir ^ (steep ? kVerticalDirs : kHorizontalDirs)) == dir;
    if (turnsBack) {
        if (backwards) {
            a2 += 32;
        } else {
            a1 -= 32;
            across -= step >> 1;
        }
    }
    int a = (a1 + 32) >> 6;
    int aEnd = (a2 + 32) >> 6;
    // ...but not to a pixel before the one the previous segment ended on.
    if (turnsBack && !backwards && (steep ? pen.lastY : pen.lastX) == a + 1)
        ++a;
    int lastX = pen.lastX, lastY = pen.lastY;
    if (a != aEnd) {
        across += ((static_cast<int64_t>(a) * 64 + (step > 0 ? 32 : 0) - a1) * step) >> 6;
        const auto pixel = [steep](int along, int64_t acrossFixed, int& x, int& y) {
            const int c = static_cast<int>(acrossFixed >> 16);
            x = steep ? c : along;
            y = steep ? along : c;
        };
        int firstX, firstY, endX, endY;
        pixel(a, across, firstX, firstY);
        pixel(aEnd - 1, across + (aEnd - a - 1) * step, endX, endY);
        if (backwards) {
            std::swap(firstX, endX);
            std::swap(firstY, endY);
        }
        lastX = endX;
        lastY = endY;
        const bool axisAligned = std::abs(step) < (1 << 14);
        if (pen.lastX >= 0) {
            if (firstX == pen.lastX && firstY == pen.lastY) {
                // The previous segment drew this pixel already.
                if (backwards) {
                    --aEnd;
                } else {
                    ++a;
                    across += step;
                }
            } else if (pen.lastDir != dir &&
                       ((axisAligned && pen.lastAxisAligned && pen.lastX != firstX &&
                         pen.lastY != firstY) ||
                        std::abs(pen.lastX - firstX) > 1 || std::abs(pen.lastY - firstY) > 1)) {
                // A corner would be left open: draw one more pixel towards it.
                if (backwards) {
                    ++aEnd;
                } else {
                    --a;
                    across -= step;
                }
            }
        }
        pen.lastDir = dir;
        pen.lastAxisAligned = axisAligned;
        // Only the steps inside the clip.
        const int from = std::max(a, steep ? m_top : m_left);
        const int to = std::min(aEnd, steep ? m_bottom : m_right);
        if (from < to && step == 0) {
            // Straight along an axis, as most strokes of a reduced trace are: one run.
            const int at = static_cast<int>(across >> 16);
            if (steep && at >= m_left && at < m_right)
                Column(at, from, to, colour);
            else if (!steep && at >= m_top && at < m_bottom)
                Row(at, from, to, colour);
        } else if (from < to) {
            Steps(steep, from, to, across + static_cast<int64_t>(from - a) * step, step, colour);
        }
        drew = true;
    }
    pen.lastX = lastX;
    pen.lastY = lastY;
    return drew;
}

void CPixelCanvas::Line(const CChartPoint& a, const CChartPoint& b, uint32_t colour) {
    CPolyline line{a, b};
    Polyline(line, colour);
}

void CPixelCanvas::Polyline(const CPolyline& line, uint32_t colour) {
    if (line.size() < 2)
        return;
    CPen pen;
    pen.lastX = std::numeric_limits<int>::min();
    pen.lastY = std::numeric_limits<int>::min();
    CChartPoint from = line.front();
    for (size_t i = 1; i < line.size(); ++i) {
        const bool drew = Segment(from, line[i], colour, pen);
        // A step too short to light a pixel is not taken: the next segment starts where this one
        // did, so a run of tiny steps still draws its line.
        if (drew || i == 1 || i + 1 == line.size())
            from = line[i];
    }
}

void CPixelCanvas::Fill(double x0, double y0, double x1, double y1, uint32_t colour) {
    int left = 0, right = 0, top = 0, bottom = 0;
    if (!Centres(x0, x1, m_left, m_right, left, right) ||
        !Centres(y0, y1, m_top, m_bottom, top, bottom))
        return;
    for (int row = top; row <= bottom; ++row)
        Row(row, left, right + 1, colour);
}
