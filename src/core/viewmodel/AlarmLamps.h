#pragma once
// The colours of the alarm lamps at the cursor sample.
#include <array>

class CDiveLogSample;

// Values are the offsets of the classic lamp bitmap strip.
enum class LampColour { Red = 0, Green = 16, Black = 32, White = 48, LightGrey = 64 };

// Alarm bit set and unmasked: red; set and masked: black; clear and masked: light grey; clear
// and unmasked: white.
LampColour CellStateColour(unsigned char alarm, unsigned char mask, int bit);

// "Cell Warning", "Low Battery", "Low Oxygen", "High Oxygen", both controllers combined.
inline constexpr int kControllerLamps = 4;
std::array<LampColour, kControllerLamps> ControllerLampColours(const CDiveLogSample& sample);

// "Fast Ascent", "Ceiling Violation", "CNS Exposure", "OTU Exposure", "Scrubber 2nd Warning",
// "Scrubber 1st Warning", "CO2 2nd Warning", "CO2 1st Warning", "Dive Start". `level4` is the
// loader's version level 4 (display code 03.09.36 or later).
inline constexpr int kDisplayLamps = 9;
std::array<LampColour, kDisplayLamps> DisplayLampColours(const CDiveLogSample& sample, bool level4);
