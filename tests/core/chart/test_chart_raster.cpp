#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
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

namespace {

// Larger than one 64-row word of the canvas's taken-pixel mask, with a clip that starts off a
// word boundary.
struct CTallImage {
    static constexpr int kW = 120, kH = 150;
    std::vector<uint32_t> bits = std::vector<uint32_t>(kW * kH, kPaper);
    CPixelCanvas canvas{bits.data(), kW, kW, kH};
    CTallImage() { canvas.SetClip(3, 5, kW - 4, kH - 7); }
    int InkedInRow(int y, int& x) const {
        int n = 0;
        for (int i = 0; i < kW; ++i)
            if (bits[static_cast<size_t>(y * kW + i)] == kInk) {
                x = i;
                ++n;
            }
        return n;
    }
};

// Overlapping layers of every kind the chart draws, each its own colour, bottom first.
void DrawLayers(CPixelCanvas& canvas, bool topFirst) {
    const std::vector<std::function<void()>> layers = {
        [&] { canvas.Fill(-5.0, 20.0, 200.0, 30.0, 0xff0000ff); },
        [&] { // reduced columns, taller than a mask word, turning back on themselves
            canvas.Polyline({{10.2, 40.0},
                             {10.2, 2.0},
                             {10.2, 140.0},
                             {10.9, 70.0},
                             {11.3, 75.0},
                             {11.3, 1.0},
                             {11.3, 148.0},
                             {11.8, 60.0}},
                            0xff00ff00);
        },
        [&] { // slants both ways and steep and flat, running out of the clip
            canvas.Polyline({{-3.0, 10.0},
                             {50.5, 145.0},
                             {60.0, 100.0},
                             {140.0, 90.3},
                             {20.0, 12.7},
                             {25.5, 149.0}},
                            0xffff00ff);
        },
        [&] { canvas.Fill(8.5, 60.0, 30.5, 70.0, 0xffffff00); },
        [&] {
            canvas.Line({9.7, 0.0}, {12.4, 150.0}, 0xff00ffff);
        },
        [&] {
            canvas.Line({0.0, 66.6}, {120.0, 61.2}, 0xff808080);
        },
    };
    if (topFirst) {
        canvas.DrawUnderneath();
        for (auto layer = layers.rbegin(); layer != layers.rend(); ++layer)
            (*layer)();
    } else {
        for (const auto& layer : layers)
            layer();
    }
}

} // namespace

TEST(PixelCanvas, LayersDrawnUnderneathTopFirstEndAsDrawnBottomUp) {
    CTallImage bottomUp, topFirst;
    DrawLayers(bottomUp.canvas, false);
    DrawLayers(topFirst.canvas, true);
    EXPECT_EQ(topFirst.bits, bottomUp.bits);
    // A new clip ends drawing underneath: the next line goes on top again.
    topFirst.canvas.SetClip(0, 0, CTallImage::kW, CTallImage::kH);
    topFirst.canvas.Line({10.5, 0.0}, {10.5, 150.0}, kInk);
    int x = -1;
    EXPECT_EQ(topFirst.InkedInRow(65, x), 1);
    EXPECT_EQ(x, 10);
}

TEST(PixelCanvas, SlantingStrokeLightsOneConnectedPixelPerRow) {
    for (const bool leftwards : {false, true}) {
        CTallImage img;
        const double x0 = leftwards ? 90.8 : 20.2, x1 = leftwards ? 20.2 : 90.8;
        img.canvas.Line({x0, 10.0}, {x1, 140.0}, kInk); // rows 10..139, 70 columns
        int previous = -1;
        for (int y = 0; y < CTallImage::kH; ++y) {
            int x = -1;
            const int n = img.InkedInRow(y, x);
            ASSERT_EQ(n, y >= 10 && y < 140 ? 1 : 0) << y;
            if (n == 0)
                continue;
            if (previous >= 0) {
                EXPECT_LE(std::abs(x - previous), 1) << y;
                EXPECT_TRUE(leftwards ? x <= previous : x >= previous) << y;
            }
            previous = x;
        }
        EXPECT_EQ(previous, leftwards ? 20 : 90);
    }
}
