#pragma once
// The parts of the simulator that turn the dive model into records; used by CDiveSimulator.cpp.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "logfile/FieldParsers.h"
#include "sim/CDiveSimulator.h"
#include "sim/CSimDiveModel.h"

namespace sim {

// A value scaled into a byte or word field, rounded and held in range.
inline unsigned ToByte(double value, double scale = 1.0) {
    return static_cast<unsigned>(std::clamp<long>(std::lround(value * scale), 0, 255));
}
inline unsigned ToWord(double value, double scale = 1.0) {
    return static_cast<unsigned>(std::clamp<long>(std::lround(value * scale), 0, 65535));
}
// Two's complement word for the signed fields.
inline unsigned ToSignedWord(double value, double scale = 1.0) {
    const long v = std::clamp<long>(std::lround(value * scale), -32768, 32767);
    return static_cast<unsigned>(v < 0 ? v + 65536 : v);
}
inline unsigned Bcd(int value) {
    return static_cast<unsigned>((value / 10) % 10 * 16 + value % 10);
}
inline void Write24(CRecordLineWriter& w, unsigned value) {
    w.Byte(value >> 16).Byte(value >> 8).Byte(value);
}
// The 13-byte solenoid bitmap ending at second t: byte k bit j is second t + 8k + j - 103.
inline void WriteSolenoidBitmap(CRecordLineWriter& w, const std::vector<uint8_t>& fired, int t) {
    for (int k = 0; k < 13; ++k) {
        unsigned byte = 0;
        for (int j = 0; j < 8; ++j) {
            const int second = t + 8 * k + j - 103;
            if (second >= 0 && fired[static_cast<size_t>(second)])
                byte |= 1u << j;
        }
        w.Byte(byte);
    }
}

// Running totals of the unit, in minutes, before this power-on.
struct CSimTotals {
    unsigned unitOn = 0;
    unsigned diveTime = 0;
};

struct CSimContext {
    const CSimOptions& options;
    CSimDiveModel& model;
    CSimRandom& random;
    CSimLog& log;
    CSimTotals totals;
    CDateTime previousDiveEnd;
    // The 8-byte code identification of the display (date, kind, further byte, BCD version).
    std::array<unsigned, 8> codeId{};
    std::array<int, 13> cylinderAtStart{};
};

void WriteFrcLog(CSimContext& ctx);
void WriteShortLog(CSimContext& ctx);
void WriteUserRecords(CSimContext& ctx);
void WriteSystemInformation(CSimContext& ctx);

} // namespace sim
