#include "logfile/CDiveLogSolenoidSample.h"

#include <algorithm>
#include <cmath>

#include "logfile/FieldParsers.h"
#include "logfile/RecordFormat.h"

void CSolenoidSeconds::push_back(bool fired, double time) {
    const size_t index = m_nSize;
    // A second that does not follow the last one begins a run of its own.
    if (m_runs.empty() ||
        time != m_runs.back().first + static_cast<double>(index - m_runs.back().start))
        m_runs.push_back({index, time});
    if (index % 64 == 0)
        m_bits.push_back(0);
    if (fired)
        m_bits.back() |= uint64_t{1} << (index % 64);
    m_nSize = index + 1;
}

void CSolenoidSeconds::clear() {
    m_bits.clear();
    m_runs.clear();
    m_nSize = 0;
}

void CSolenoidSeconds::shrink_to_fit() {
    m_bits.shrink_to_fit();
    m_runs.shrink_to_fit();
}

double CSolenoidSeconds::Time(size_t index) const {
    // Nearly always one run, or a few after gaps in the log.
    auto run = m_runs.end() - 1;
    if (run->start > index)
        run = std::upper_bound(m_runs.begin(), m_runs.end(), index,
                               [](size_t i, const CRun& r) { return i < r.start; }) -
              1;
    return run->first + static_cast<double>(index - run->start);
}

namespace {

constexpr int kFlags = 104; // 13 bitmap bytes
constexpr int kBitmapBytes = kFlags / 8;

// The 13 bitmap bytes at `bitmapStart`, parsed once for all 104 flags.
struct CBitmap {
    CBitmap(std::string_view line, size_t bitmapStart) {
        for (int k = 0; k < kBitmapBytes; ++k)
            bytes[k] = ParseHex(line, bitmapStart + 2 * static_cast<size_t>(k), 2);
    }
    bool Flag(int i) const { return ((bytes[i / 8] >> (i % 8)) & 1u) != 0; }
    unsigned bytes[kBitmapBytes];
};

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
    const CBitmap bitmap1(line, 10);
    const CBitmap bitmap2(line, 36);
    for (int i = 0; i < kFlags; ++i) {
        const long long s = base + i - (kFlags - 1);
        if (s <= state.lastFrc)
            continue;
        const double t = static_cast<double>(s);
        c1.push_back(bitmap1.Flag(i), t);
        c2.push_back(bitmap2.Flag(i), t);
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
    const CBitmap bitmap(line, 6);
    for (int i = 0; i < kFlags; ++i) {
        const long long s = base + i - (kFlags - 1);
        if (s <= last)
            continue;
        out.push_back(bitmap.Flag(i), static_cast<double>(s + shift));
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
