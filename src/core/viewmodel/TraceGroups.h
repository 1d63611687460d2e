#pragma once
// The trace group presets of the Graph Pop menu and the Chart Options list, and the names of the
// trace codes.
#include <string>

#include "settings/CTraceSettings.h"
#include "viewmodel/ProfileStrings.h"

inline constexpr int kTraceGroupCount = 7; // 0 "No Secondary Traces" .. 6 "Decompression"
inline constexpr int kPresetSlots = 9;     // Trace0..Trace8; Trace9 is always cleared

struct CTracePreset {
    int group;
    int menuId; // command of the Graph Pop menu
    int codes[kPresetSlots];
};

// The preset of `group` (0-6); nullptr for any other number.
const CTracePreset* TracePreset(int group);
// The group whose menu command is `menuId`, or -1.
int TraceGroupOfMenuId(int menuId);
inline constexpr int kResetZoomMenuId = 32808;

// The chart settings with the preset of `group`: Trace0..8 and their enables from the preset,
// Trace9 = 0 and TraceEnable9 = 0, TraceGroup = group. YAxisSelection is left alone. An unknown
// group leaves them as they are.
CTraceSettings WithTraceGroupPreset(CTraceSettings traces, int group);

// The name shown for a trace code in Chart Options ("PPO2 - C1 Cell 2", ..., "Not Used").
std::string TraceDisplayName(int code, const TextLookup& lookup = BuiltInText);
