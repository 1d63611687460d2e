#include "viewmodel/TraceColumns.h"

#include "logfile/CDiveLog.h"
#include "viewmodel/StateBits.h"
#include "viewmodel/TraceValue.h"

namespace {

// Keys of the store's derived columns: trace codes as they are, the others above any code.
constexpr long long kStateKey = 1LL << 32;
constexpr long long kLevel3Key = 1LL << 33;
constexpr long long kPoweredKey = 1LL << 34;
constexpr long long kTimeKey = 1LL << 35;

} // namespace

const std::vector<double>& TraceColumn(const CDiveLog& log, int code) {
    return log.m_arSamples.Derived(code,
                                   [code](const CDiveLogSample& s) { return TraceValue(code, s); });
}

const std::vector<double>& StateColumn(const CDiveLog& log, int code, bool level3) {
    const long long key = kStateKey | (level3 ? kLevel3Key : 0) | static_cast<unsigned>(code);
    return log.m_arSamples.Derived(key, [code, level3](const CDiveLogSample& s) {
        return TraceState(code, s, level3) ? 1.0 : 0.0;
    });
}

const std::vector<double>& PoweredColumn(const CDiveLog& log) {
    return log.m_arSamples.Derived(
        kPoweredKey, [](const CDiveLogSample& s) { return s.m_bPoweredOn ? 1.0 : 0.0; });
}

const std::vector<double>& TimeColumn(const CDiveLog& log) {
    return log.m_arSamples.Derived(kTimeKey, [](const CDiveLogSample& s) { return s.m_dTime; });
}
