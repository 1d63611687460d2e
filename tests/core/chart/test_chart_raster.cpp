#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "viewmodel/ChartRaster.h"

namespace {

constexpr uint32_t kPaper = 0xff1e82ff;
constexpr uint32_t kInk = 0xff000000;

// A 20 x 20 image whose clip leaves a two-pixel frame that must stay untouched.
struct CImage {
    std::vector<uint32_t> bits = std::vector<uint32_t>(400, kPaper);
    CPixelCanvas canvas{bits.data(), 20, 20, 20};
    CImage() { canvas.SetClip(2, 2, 18, 18); }
    bool Inked(int x, int y) const { return bits[static_cast<size_t>(y * 20 + x)] == kInk; }
    int Count() const {
        int n = 0;
        for (uint32_t b : bits)
            n += b == kInk;
        return n;
    }
    bool FrameClean() const {
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x)
                if ((x < 2 || x >= 18 || y < 2 || y >= 18) && Inked(x, y))
                    return false;
        return true;
    }
};

} // namespace

// ---- CPixelCanvas ------------------------------------------------------------------------------

TEST(PixelCanvas, VerticalStrokeLightsTheRowsWhoseCentresItCovers) {
    CImage img;
    img.canvas.Line({5.7, 4.0}, {5.7, 9.0}, kInk); // rows 4..8, not the end row
    for (int y = 0; y < 20; ++y)
        EXPECT_EQ(img.Inked(5, y), y >= 4 && y <= 8) << y;
    EXPECT_EQ(img.Count(), 5);
    CImage up;
    up.canvas.Line({5.7, 9.0}, {5.7, 4.0}, kInk); // the same pixels drawn upwards
    EXPECT_EQ(up.bits, img.bits);
}

TEST(PixelCanvas, ColumnThatTurnsBackKeepsItsFoot) {
    // A reduced pixel column: entry, top, bottom, exit. The bottom row holds the turning point
    // and must be lit although its centre lies beyond it.
    CImage img;
    img.canvas.Polyline({{8.2, 6.0}, {8.2, 4.0}, {8.2, 12.3}, {8.9, 9.0}}, kInk);
    for (int y = 4; y <= 12; ++y)
        EXPECT_TRUE(img.Inked(8, y)) << y;
    EXPECT_FALSE(img.Inked(8, 13));
    EXPECT_FALSE(img.Inked(8, 3));
}

TEST(PixelCanvas, NothingOutsideTheClipWhateverTheEnds) {
    CImage img;
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    // Lines running off every edge, far beyond the image and beyond what an int holds.
    img.canvas.Line({-5.0, 10.0}, {30.0, 11.0}, kInk);
    img.canvas.Line({10.0, -1e12}, {10.5, 1e12}, kInk);
    img.canvas.Polyline({{0.0, 0.0}, {19.9, 19.9}, {0.0, 19.9}}, kInk);
    img.canvas.Fill(-1e9, 15.0, 1e9, 1e9, kInk);
    EXPECT_TRUE(img.FrameClean());
    EXPECT_TRUE(img.Inked(2, 10) || img.Inked(2, 11)); // the horizontal reaches the clip edge
    EXPECT_TRUE(img.Inked(17, 10) || img.Inked(17, 11));
    EXPECT_TRUE(img.Inked(10, 2) && img.Inked(10, 17));
    // A gap in a trace (NaN) or an infinite value draws nothing and crashes nothing.
    CImage gap;
    gap.canvas.Line({5.0, nan}, {9.0, 9.0}, kInk);
    gap.canvas.Line({5.0, 5.0}, {inf, 9.0}, kInk);
    gap.canvas.Fill(nan, 3.0, 9.0, 9.0, kInk);
    EXPECT_EQ(gap.Count(), 0);
    // The segments beside a NaN point still draw.
    gap.canvas.Polyline({{4.0, 4.0}, {4.0, 8.0}, {6.0, nan}, {9.0, 4.0}, {9.0, 8.0}}, kInk);
    EXPECT_TRUE(gap.Inked(4, 5) && gap.Inked(9, 5));
    EXPECT_TRUE(gap.FrameClean());
}

TEST(PixelCanvas, FillTakesThePixelsWhoseCentresLieInside) {
    CImage img;
    img.canvas.Fill(4.5, 6.0, 8.4, 9.0, kInk); // columns 5..7, rows 6..8
    EXPECT_EQ(img.Count(), 9);
    EXPECT_TRUE(img.Inked(5, 6) && img.Inked(7, 8));
    EXPECT_FALSE(img.Inked(4, 6) || img.Inked(8, 6) || img.Inked(5, 9));
    img.canvas.Fill(10.0, 10.0, 10.0, 14.0, kInk); // no width, no pixels
    EXPECT_EQ(img.Count(), 9);
}
