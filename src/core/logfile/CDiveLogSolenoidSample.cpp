#include "logfile/CDiveLogSolenoidSample.h"

#include <cmath>

#include "logfile/FieldParsers.h"
#include "logfile/RecordFormat.h"

namespace {

constexpr int kFlags = 104; // 13 bitmap bytes

bool Flag(std::string_view line, size_t bitmapStart, int i) {
    const unsigned byte = ParseHex(line, bitmapStart + 2 * static_cast<size_t>(i / 8), 2);
    return ((byte >> (i % 8)) & 1u) != 0;
}

// Seconds truncated toward zero; false for a time no log can hold, so that a corrupt timestamp
// cannot overflow the second count.
bool WholeSeconds(double t, long long& out) {
    if (!std::isfinite(t) || std::fabs(t) > 1e15)
        return false;
    out = static_cast<long long>(t);
    return true;
}

void DecodeFrcBitmaps(std::string_view line, double time, CSolenoidState& state, CSolenoidArray& c1,
                      CSolenoidArray& c2) {
    long long base = 0;
    if (!WholeSeconds(time, base))
        return;
    for (int i = 0; i < kFlags; ++i) {
        const long long s = base + i - (kFlags - 1);
        if (s <= state.lastFrc)
            continue;
        const double t = static_cast<double>(s);
        c1.push_back(std::make_unique<CDiveLogSolenoidSample>(Flag(line, 10, i), t));
        c2.push_back(std::make_unique<CDiveLogSolenoidSample>(Flag(line, 36, i), t));
        state.lastFrc = s;
    }
}

void DecodeShortBitmap(unsigned recordType, std::string_view line, double diveStartTime,
                       CSolenoidState& state, CSolenoidArray& c1, CSolenoidArray& c2) {
    const bool controller1 = recordType == 0x30 || recordType == 0x32;
    CSolenoidArray& out = controller1 ? c1 : c2;
    long long& last = controller1 ? state.lastC1 : state.lastC2;
    long long shift = 0;
    // Record 0x30 counts its seconds from the dive start.
    if (recordType == 0x30 && !WholeSeconds(diveStartTime, shift))
        return;
    const long long base = ParseHex(line, 2, 4);
    for (int i = 0; i < kFlags; ++i) {
        const long long s = base + i - (kFlags - 1);
        if (s <= last)
            continue;
        out.push_back(std::make_unique<CDiveLogSolenoidSample>(Flag(line, 6, i),
                                                               static_cast<double>(s + shift)));
        last = s;
    }
}

} // namespace

void DecodeSolenoidRecord(unsigned recordType, std::string_view line, double time, bool frcLayout,
                          double diveStartTime, CSolenoidState& state, CSolenoidArray& c1,
                          CSolenoidArray& c2) {
    if (c1.empty() && c2.empty())
        state = CSolenoidState{};
    if (frcLayout) {
        if (recordType == 0x32 && line.size() == CRecordFormat::kFrcLineLength)
            DecodeFrcBitmaps(line, time, state, c1, c2);
        return;
    }
    if (recordType >= 0x30 && recordType <= 0x33 && line.size() == CRecordFormat::kShortLineLength)
        DecodeShortBitmap(recordType, line, diveStartTime, state, c1, c2);
}
