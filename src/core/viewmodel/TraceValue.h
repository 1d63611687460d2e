#pragma once
// Trace codes: every quantity the profile chart can plot has an integer code. Group = code / 100:
// 0 depth (or no trace), 1 PPO2, 2 battery voltages, 3 cylinder pressures, 4 ambient temperature,
// 5 gas toxicity, 6 decompression, 7 probe temperatures; 900 and above are on/off state traces.
#include <span>

class CDiveLogSample;

inline constexpr int kDepthCode = 0;
inline constexpr int kCeilingCode = 601;
inline constexpr int kFirstStateCode = 900;

// The quantity of `code` in one sample, in metric units; 0 for a code without a quantity.
double TraceValue(int code, const CDiveLogSample& sample);

inline int TraceGroup(int code) {
    return code / 100;
}
inline bool IsStateTrace(int code) {
    return code >= kFirstStateCode;
}
// Only these analog codes are drawn as lines; the rest (CO2 sensor values, gradient factor,
// probe temperatures) can be chosen but stay off the chart.
bool TraceDrawsLine(int code);
// Every analog code whose range the chart keeps.
std::span<const int> AnalogTraceCodes();
