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

void CSolenoidSeconds::AppendSeconds(double firstTime, const uint64_t (&flags)[2], size_t count) {
    count = std::min<size_t>(count, 128);
    if (count == 0)
        return;
    // Only the first second can begin a run: the rest follow it.
    if (m_runs.empty() ||
        firstTime != m_runs.back().first + static_cast<double>(m_nSize - m_runs.back().start))
        m_runs.push_back({m_nSize, firstTime});
    // A word of the bits at a time, as much of the flags as fits in it.
    for (size_t k = 0; k < count;) {
        const size_t bit = (m_nSize + k) % 64;
        if (bit == 0)
            m_bits.push_back(0);
        const size_t take = std::min(64 - bit, count - k);
        uint64_t chunk = k == 0   ? flags[0]
                         : k < 64 ? (flags[0] >> k) | (flags[1] << (64 - k))
                                  : flags[1] >> (k - 64);
        if (take < 64)
            chunk &= (uint64_t{1} << take) - 1;
        m_bits.back() |= chunk << bit;
        k += take;
    }
    m_nSize += count;
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
    // Flags from..103 as bits from bit 0 on: the seconds a record adds are its last ones.
    void From(int from, uint64_t (&out)[2]) const {
        uint64_t lo = 0, hi = 0;
        for (int k = 0; k < 8; ++k)
            lo |= uint64_t{bytes[k] & 0xFFu} << (8 * k);
        for (int k = 8; k < kBitmapBytes; ++k)
            hi |= uint64_t{bytes[k] & 0xFFu} << (8 * (k - 8));
        if (from >= 64) {
            lo = hi >> (from - 64);
            hi = 0;
        } else if (from > 0) {
            lo = (lo >> from) | (hi << (64 - from));
            hi >>= from;
        }
        out[0] = lo;
        out[1] = hi;
    }
    unsigned bytes[kBitmapBytes];
};

// The first of a record's 104 flags whose second (base - 103 for flag 0, one more for each
// flag after) comes after `last`; 104 when none does.
int FirstNewFlag(long long base, long long last) {
    const long long first = last - base + kFlags; // the flag whose second is last + 1
    return first <= 0 ? 0 : first >= kFlags ? kFlags : static_cast<int>(first);
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
    const int from = FirstNewFlag(base, state.lastFrc);
    if (from == kFlags)
        return;
    uint64_t flags[2];
    const double first = static_cast<double>(base + from - (kFlags - 1));
    CBitmap(line, 10).From(from, flags);
    c1.AppendSeconds(first, flags, kFlags - from);
    CBitmap(line, 36).From(from, flags);
    c2.AppendSeconds(first, flags, kFlags - from);
    state.lastFrc = base;
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
    const int from = FirstNewFlag(base, last);
    if (from == kFlags)
        return;
    uint64_t flags[2];
    CBitmap(line, 6).From(from, flags);
    out.AppendSeconds(static_cast<double>(base + from - (kFlags - 1) + shift), flags,
                      kFlags - from);
    last = base;
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
