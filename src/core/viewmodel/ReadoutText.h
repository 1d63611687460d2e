#pragma once
// The texts of the profile readout at the cursor: the header (dive time, depth, ascent rate, gas)
// and one line per shown trace slot.
#include <string>

#include "viewmodel/ProfileStrings.h"

class CChartModel;
class CDiveLogSample;
class CDiveLogGasManagement;

// "AIR", "O2", "32% Nx", "18/45", "HELIUM" from whole percentages.
std::string GasMixText(int o2, int he, const TextLookup& lookup = BuiltInText);

// The 1-based position of the sample's mix in the gas table, else the logged gas number + 1,
// else 0 (nothing logged).
int ReadoutGasNumber(const CDiveLogSample& sample, const CDiveLogGasManagement& gases);

// Metres per minute between the cursor sample and the next one; 0 when they share a second or a
// depth.
double AscentRate(const CDiveLogSample& cursor, const CDiveLogSample& next);

struct CReadoutHeader {
    std::string diveTime;
    std::string depth;
    std::string ascentRate;       // value with its unit
    std::string ascentRateWidest; // "0.0 " and the unit: the value's right edge lines up with it
    std::string gas;
};
// The header at the model's cursor; all empty when no file is loaded.
CReadoutHeader BuildReadoutHeader(const CChartModel& model, bool metric,
                                  const TextLookup& lookup = BuiltInText);

// The readout line of `code` ("C1 Cell 2\t0.98 Bar"); empty for codes without a line.
std::string ReadoutLineText(int code, const CDiveLogSample& sample, bool metric,
                            const TextLookup& lookup = BuiltInText);
