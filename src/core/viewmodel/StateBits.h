#pragma once
// The on/off state traces (codes 900 and above): which sample bit each reads, how many bands it
// draws and its name.
class CDiveLogSample;

// 2 for a controller pair (the code and code + 1 are drawn as two bands, "C1" and "C2"), 1 for
// a single band, 0 for a code that is not a state trace the chart knows.
int ChannelCount(int code);

// Whether `code` is on in `sample`. `level3` is the loader's version level 3 (display code
// 03.09.22 or later), which changed the meaning of some bits of status byte 1.
bool TraceState(int code, const CDiveLogSample& sample, bool level3);

// The state's name ("Cell Warning", ...); nullptr for a code without one.
const char* StateTraceName(int code);
