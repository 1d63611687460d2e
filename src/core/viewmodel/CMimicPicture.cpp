#include "viewmodel/CMimicPicture.h"

#include <algorithm>

#include "viewmodel/MimicGlyphs.h"

bool CMimicPicture::Dot(int x, int y) const {
    if (x < 0 || y < 0 || x >= kWidth || y >= kHeight)
        return false;
    return m_dots[static_cast<size_t>(y * kWidth + x)];
}

void CMimicPicture::Set(int x, int y, bool on) {
    if (x < 0 || y < 0 || x >= kWidth || y >= kHeight)
        return;
    m_dots[static_cast<size_t>(y * kWidth + x)] = on;
}

void CMimicPicture::LargeChar(int column, int row, char c, bool inverted) {
    const int x0 = column * 6;
    const int y0 = row * 8;
    const uint8_t* glyph = LargeGlyph(c);
    for (int i = 0; i < 5; ++i) {
        const uint8_t bits = inverted ? static_cast<uint8_t>(~glyph[i]) : glyph[i];
        for (int j = 0; j < 8; ++j) {
            if (j < 7 || inverted)
                Set(x0 + i, y0 + j, (bits >> j) & 1);
        }
    }
    if (!inverted)
        return;
    for (int j = -1; j <= 7; ++j) {
        Set(x0 - 1, y0 + j);
        Set(x0 + 5, y0 + j);
    }
    for (int i = -1; i <= 5; ++i)
        Set(x0 + i, y0 - 1);
}

void CMimicPicture::LargeText(int column, int row, std::string_view text, bool inverted) {
    for (char c : text)
        LargeChar(column++, row, c, inverted);
}

int CMimicPicture::SmallText(int x, int y, std::string_view text, bool narrowSpaces) {
    for (char c : text) {
        if (c == ' ' && narrowSpaces) {
            x += 2;
            continue;
        }
        const uint8_t* glyph = SmallGlyph(c);
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 5; ++j) {
                if ((glyph[i] >> j) & 1)
                    Set(x + i, y + j);
            }
        }
        x += 4;
    }
    return x;
}

void CMimicPicture::Battery(int x, int y, double volts, const double thresholds[3], bool inUse) {
    // Outline 11 x 6 and the terminal in column 11.
    for (int i = 0; i <= 10; ++i) {
        Set(x + i, y);
        Set(x + i, y + 5);
    }
    for (int j = 0; j <= 5; ++j) {
        Set(x, y + j);
        Set(x + 10, y + j);
    }
    Set(x + 11, y + 2);
    Set(x + 11, y + 3);
    const double v = std::clamp(volts, 0.0, 10.0);
    // Bars in columns 2-3 (high), 5-6 (middle) and 8-9 (low), rows 2-3.
    const bool lit[3] = {v > thresholds[2], v > thresholds[1], v > thresholds[0]};
    for (int b = 0; b < 3; ++b) {
        if (!lit[b])
            continue;
        for (int i = 0; i < 2; ++i) {
            Set(x + 2 + 3 * b + i, y + 2);
            Set(x + 2 + 3 * b + i, y + 3);
        }
    }
    if (!inUse)
        return;
    for (int column : {2, 5, 8, 11}) {
        Set(x + column, y + 1);
        Set(x + column, y + 4);
    }
}
