#pragma once
// Dot patterns of the mimic display. Large glyphs are 5 columns of 7 dots, small glyphs 3 columns
// of 5 dots; each column is a byte whose bit j lights row j (row 0 at the top).
#include <cstdint>

// The five column bytes of a large character; a blank for characters without a glyph.
const uint8_t* LargeGlyph(char c);
// The three column bytes of a small character (letters in either case); a blank when unknown.
const uint8_t* SmallGlyph(char c);
