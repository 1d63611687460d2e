#pragma once
// The dot matrix of the mimic display: 96 x 32 dots, drawn into by glyphs and icons.
#include <bitset>
#include <string_view>

class CMimicPicture {
public:
    static constexpr int kWidth = 96;
    static constexpr int kHeight = 32;

    bool Dot(int x, int y) const;
    void Set(int x, int y, bool on = true);
    int CountLit() const { return static_cast<int>(m_dots.count()); }

    // A large character in cell (column, row): the cell is 6 x 8 dots starting at (6c, 8r). An
    // inverted character lights what the glyph leaves dark and gets a one-dot frame.
    void LargeChar(int column, int row, char c, bool inverted = false);
    void LargeText(int column, int row, std::string_view text, bool inverted = false);
    // Small characters at a pitch of 4 dots from dot (x, y); returns the x after the text.
    // Narrow spaces (2 dots) keep longer texts clear of their neighbours.
    int SmallText(int x, int y, std::string_view text, bool narrowSpaces = false);

    // Battery icon at (x, y): a 12 x 6 outline with its terminal and three bars, lit from the
    // right as the voltage passes the low, middle and high thresholds; dotted marks in rows 1
    // and 4 show the battery in use.
    void Battery(int x, int y, double volts, const double thresholds[3], bool inUse);

private:
    std::bitset<kWidth * kHeight> m_dots;
};
