// The dive summary: worked out once per loaded dive from the pre-dive record sets and the
// samples, never stored in the file.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "logfile/CDiveLog.h"
#include "logfile/CDiveLogPreDive.h"
#include "logfile/CDiveLogSample.h"
#include "statuslog/CReport.h"

namespace {

// Sample status byte 0, bit 2: the unit counted this sample as part of the dive.
constexpr unsigned char kInDiveBit = 0x04;
constexpr double kMinPPO2Start = 2.55; // bar, the largest value a controller reports
constexpr double kGfLowStart = 255.0;  // shown when no sample logged a GF low
constexpr double kNotLogged = -1.0;
constexpr double kDiveTimeTolerance = 0.008;

std::string Printf(const char* format, int a, int b, int c = 0) {
    char text[64];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

// "mm:ss" below an hour, "h:mm:ss" from an hour on.
std::string DiveTimeText(long long seconds) {
    const int total = static_cast<int>(std::clamp<long long>(seconds, 0, 0x7FFFFFFF));
    const int hours = total / 3600;
    const int minutes = total % 3600 / 60;
    const int secs = total % 60;
    if (hours == 0)
        return Printf("%02d:%02d mm:ss", minutes, secs);
    return Printf("%d:%02d:%02d hh:mm:ss", hours, minutes, secs);
}

// The set the summary reads: the one current when the dive began.
const CDiveLogPreDive* ChooseSet(const CDiveLog& log) {
    const auto& sets = log.m_arPreDives;
    if (sets.empty())
        return nullptr;
    for (size_t i = 0; i < sets.size(); ++i)
        if (sets[i]->m_nPhase != CDiveLogPreDive::kPreDive)
            return sets[i == 0 ? 0 : i - 1].get();
    return sets.back().get();
}

// Whole minutes of a time in seconds, remainder dropped. A corrupt clock can put a sample
// centuries away; the count is held where adding it to a total cannot overflow.
int WholeMinutes(double seconds) {
    constexpr double kLimit = 60.0 * 1e9;
    if (!(seconds > -kLimit && seconds < kLimit))
        return seconds > 0 ? 1000000000 : seconds < 0 ? -1000000000 : 0;
    return static_cast<int>(static_cast<long long>(seconds) / 60);
}

void ComputeTotals(const CDiveLog& log, const CDiveLogPreDive& s, CDiveLogInformation& info) {
    if (s.HasPowerOff()) {
        info.m_nTotalUnitOnTime = s.m_nPowerOffTotalUnitOnTime;
        info.m_nTotalDiveTime = s.m_nPowerOffTotalDiveTime;
        info.m_nElapsedOnTime = s.m_nPowerOffElapsedOnTime;
        return;
    }
    const int diveMinutes =
        s.HasDiveEnd() ? s.m_nDiveTime / 60 : WholeMinutes(log.m_arSamples.back()->m_dTime);
    info.m_nTotalUnitOnTime = s.m_nPowerOnTotalUnitOnTime + diveMinutes;
    info.m_nTotalDiveTime = s.m_nPowerOnTotalDiveTime + diveMinutes;
    info.m_nElapsedOnTime = s.m_nPowerOnElapsedOnTime + diveMinutes;
}

// The unit's own dive time, unless the clock says otherwise by more than 0.8 %.
long long DiveTimeFromDiveEnd(const CDiveLog& log, const CDiveLogPreDive& s, CReport& report) {
    constexpr ReportKind kProgress = ReportKind::kProgress;
    const long long logged = s.m_nDiveTime;
    report.Printf(kProgress, 0, "Dive Time - (0x08 Dive Time) %d seconds",
                  static_cast<int>(logged));
    const std::optional<long long> span = s.m_dtDiveEnd.SecondsSince(log.m_dtDiveStart);
    // Without two valid clock readings in the right order there is nothing to check the
    // logged time against.
    if (!span || *span < 0)
        return logged;
    report.Printf(kProgress, 0,
                  "Dive Time - (0x08 End of Dive Time %s - 0x03 Start of Dive Time %s) %d "
                  "seconds",
                  s.m_dtDiveEnd.Format("%H:%M:%S").c_str(),
                  log.m_dtDiveStart.Format("%H:%M:%S").c_str(), static_cast<int>(*span));
    const long long tolerance = static_cast<long long>(*span * kDiveTimeTolerance);
    const long long difference = logged > *span ? logged - *span : *span - logged;
    report.Printf(kProgress, 0, "Dive Time - Difference %d seconds Tolerance %d seconds",
                  static_cast<int>(difference), static_cast<int>(tolerance));
    if (difference <= tolerance) {
        report.Add(kProgress, "Dive Time - In tolerance using dive time");
        return logged;
    }
    report.Add(kProgress, "Dive Time - Out of tolerance using end - start time");
    return *span;
}

long long DiveTimeFromSamples(const CDiveLog& log, CReport& report) {
    const long long last = static_cast<long long>(log.m_arSamples.back()->m_dTime);
    const long long start = static_cast<long long>(log.m_dDiveStartTime);
    report.Printf(ReportKind::kProgress, 0,
                  "Dive Time - Using last sample time %d seconds - 0x03 Dive Start Time %d "
                  "seconds = %d seconds",
                  static_cast<int>(last), static_cast<int>(start), static_cast<int>(last - start));
    return last - start;
}

std::string SurfaceIntervalText(const CDiveLogPreDive& s) {
    const std::optional<long long> span = s.m_dtDiveStart.SecondsSince(s.m_dtPreviousDiveEnd);
    // A previous dive that ended after this one began is as unusable as a bad date.
    if (!span || *span < 0)
        return "Invalid";
    if (*span >= 100LL * 3600)
        return "> 99:59:59";
    const int total = static_cast<int>(*span);
    return Printf("%d:%02d:%02d hh:mm:ss", total / 3600, total % 3600 / 60, total % 60);
}

// The dive end record's durations in whole minutes, as hours and minutes.
std::string DurationText(int minutes) {
    if (minutes < 0)
        return "Invalid";
    return Printf("%02d:%02d hh:mm", minutes / 60, minutes % 60);
}

// Every alarm is a bit of one status byte, set when any sample of the dive has it: so the bytes
// of all those samples are taken together first, and the alarms read once from what they hold.
struct CAlarmBytes {
    unsigned c1 = 0, c2 = 0, extra = 0, ext = 0;
};

void SetAlarms(const CAlarmBytes& bytes, bool level4, CDiveLogInformation& info) {
    using I = CDiveLogInformation;
    auto& alarm = info.m_bAlarm;
    const unsigned c1 = bytes.c1;
    const unsigned c2 = bytes.c2;
    const unsigned extra = bytes.extra;
    const unsigned ext = bytes.ext;
    for (int bit = 0; bit < 4; ++bit) {
        alarm[I::kC1CellWarning + bit] = alarm[I::kC1CellWarning + bit] || (c1 & (0x10u << bit));
        alarm[I::kC2CellWarning + bit] = alarm[I::kC2CellWarning + bit] || (c2 & (0x10u << bit));
        alarm[I::kFastAscent + bit] = alarm[I::kFastAscent + bit] || (extra & (1u << bit));
    }
    const bool scrubber2 = level4 ? (ext & 0x10) != 0 : (extra & 0x40) != 0;
    alarm[I::kScrubber2ndWarning] = alarm[I::kScrubber2ndWarning] || scrubber2;
    alarm[I::kScrubber1stWarning] = alarm[I::kScrubber1stWarning] || (extra & 0x10);
    alarm[I::kCo22ndWarning] = alarm[I::kCo22ndWarning] || (ext & 0x20);
    alarm[I::kCo21stWarning] = alarm[I::kCo21stWarning] || (extra & 0x40);
    alarm[I::kDiveStart] = alarm[I::kDiveStart] || (extra & 0x20);
}

// The fields the pass reads, each one column of the store.
enum EField {
    kStatus,
    kPressure,
    kSurfacePressure,
    kSetpoint,
    kCNS,
    kOTU,
    kC1Measured,
    kC2Measured,
    kGfLow,
    kGfHigh,
    kConservatism,
    kC1Status,
    kC2Status,
    kStatusExtra,
    kStatusExt,
    kFields
};

const std::array<uint32_t, kFields>& FieldColumns() {
    static const std::array<uint32_t, kFields> columns = [] {
        const CDiveLogSample p;
        const void* fields[kFields] = {&p.m_byStatus[0],
                                       &p.m_dPressure,
                                       &p.m_dSurfacePressure,
                                       &p.m_dSetpoint,
                                       &p.m_dCNS,
                                       &p.m_dOTU,
                                       &p.m_dC1Measured,
                                       &p.m_dC2Measured,
                                       &p.m_dDiveDetect[CDiveLogSample::kGfLowIndex],
                                       &p.m_dDiveDetect[CDiveLogSample::kGfHighIndex],
                                       &p.m_nConservatism,
                                       &p.m_byC1CellStatus,
                                       &p.m_byC2CellStatus,
                                       &p.m_byCellStatusExtra,
                                       &p.m_byStatusExt};
        std::array<uint32_t, kFields> c{};
        for (int f = 0; f < kFields; ++f)
            c[f] = CSampleStore::ColumnOf(p, fields[f]);
        return c;
    }();
    return columns;
}

double PassOverSamples(const CDiveLog& log, CDiveLogInformation& info) {
    double maxLoggedDepth = 0.0;
    info.m_dPeakSetpoint = info.m_dPeakCNS = info.m_dPeakOTU = 0.0;
    info.m_dC1MaxPPO2 = info.m_dC2MaxPPO2 = 0.0;
    info.m_dC1MinPPO2 = info.m_dC2MinPPO2 = kMinPPO2Start;
    info.m_dGfLow = kGfLowStart;
    info.m_dGfHigh = 0.0;
    // Left at -1 when no sample logged one; the page shows that as empty.
    info.m_dConservatism = kNotLogged;
    info.m_bAlarm.fill(false);
    const bool level4 = log.VersionLevel(4);
    // The fields are read from the columns a stretch of samples at a time: building sample
    // objects, even only these fields of them, would cost more than the summary itself.
    const auto& columns = FieldColumns();
    const auto& samples = log.m_arSamples;
    constexpr size_t kStretch = 512;
    std::vector<uint64_t> buffer(kFields * kStretch);
    auto field = [&](int f, size_t i) { return buffer[f * kStretch + i]; };
    auto number = [&](int f, size_t i) { return CSampleStore::AsDouble(field(f, i)); };
    CAlarmBytes alarmBytes;
    for (size_t first = 0; first < samples.size(); first += kStretch) {
        const size_t n = std::min(kStretch, samples.size() - first);
        samples.Values(columns[kStatus], first, n, &buffer[0]);
        bool anyInDive = false;
        for (size_t i = 0; i < n; ++i)
            anyInDive |= (field(kStatus, i) & kInDiveBit) != 0;
        if (!anyInDive)
            continue;
        for (int f = 1; f < kFields; ++f)
            samples.Values(columns[f], first, n, &buffer[f * kStretch]);
        for (size_t i = 0; i < n; ++i) {
            if (!(field(kStatus, i) & kInDiveBit))
                continue;
            // As CDiveLogSample::GetDepth has it.
            const double depth = (number(kPressure, i) - number(kSurfacePressure, i)) / 100.0;
            maxLoggedDepth = std::max(maxLoggedDepth, depth < 0.0 ? 0.0 : depth);
            info.m_dPeakSetpoint = std::max(info.m_dPeakSetpoint, number(kSetpoint, i));
            info.m_dPeakCNS = std::max(info.m_dPeakCNS, number(kCNS, i));
            info.m_dPeakOTU = std::max(info.m_dPeakOTU, number(kOTU, i));
            const double c1 = number(kC1Measured, i), c2 = number(kC2Measured, i);
            info.m_dC1MaxPPO2 = std::max(info.m_dC1MaxPPO2, c1);
            info.m_dC1MinPPO2 = std::min(info.m_dC1MinPPO2, c1);
            info.m_dC2MaxPPO2 = std::max(info.m_dC2MaxPPO2, c2);
            info.m_dC2MinPPO2 = std::min(info.m_dC2MinPPO2, c2);
            if (number(kGfLow, i) != kNotLogged)
                info.m_dGfLow = std::min(info.m_dGfLow, number(kGfLow, i));
            if (number(kGfHigh, i) != kNotLogged)
                info.m_dGfHigh = std::max(info.m_dGfHigh, number(kGfHigh, i));
            const int conservatism = CSampleStore::AsInt(field(kConservatism, i));
            if (conservatism != -1)
                info.m_dConservatism = conservatism;
            alarmBytes.c1 |= static_cast<unsigned>(field(kC1Status, i));
            alarmBytes.c2 |= static_cast<unsigned>(field(kC2Status, i));
            alarmBytes.extra |= static_cast<unsigned>(field(kStatusExtra, i));
            alarmBytes.ext |= static_cast<unsigned>(field(kStatusExt, i));
        }
    }
    SetAlarms(alarmBytes, level4, info);
    return maxLoggedDepth;
}

double ChooseMaxDepth(const CDiveLog& log, const CDiveLogPreDive& s, double maxLoggedDepth,
                      CReport& report) {
    if (s.HasDiveEnd()) {
        const double eod = s.GetDiveEndMaxDepth();
        report.Printf(ReportKind::kProgress, 0,
                      "Max Logged Depth %.2f - EOD Max Depth %.2f Using EOD Max Depth",
                      maxLoggedDepth, eod);
        return eod;
    }
    const double deco = log.m_arSamples.empty() ? 0.0 : log.m_arSamples.back()->GetDecoWord4();
    if (deco == 0.0)
        return maxLoggedDepth;
    report.Printf(ReportKind::kProgress, 0,
                  "Max Logged Depth %.2f - Deco Max Depth %.2f Using Deco Max Depth",
                  maxLoggedDepth, deco);
    return deco;
}

} // namespace

const CDiveLogPreDive* CDiveLog::SummaryPreDiveSet() const {
    return ChooseSet(*this);
}

void CDiveLog::ComputeDiveSummary(CReport& report) {
    CDiveLogInformation& info = m_DiveInformation;
    info.ResetSummary();
    const CDiveLogPreDive* set = ChooseSet(*this);
    // Without a pre-dive set, or without both a dive end record and any sample, there is no
    // dive time to show: the summary stays invalid rather than showing made-up figures.
    if (!set || (m_arSamples.empty() && !set->HasDiveEnd())) {
        report.Add(ReportKind::kProgress,
                   "Dive summary not computed - no pre-dive data or samples");
        return;
    }
    const CDiveLogPreDive& s = *set;
    info.m_dtDiveDateTime = s.m_dtDiveStart;
    info.m_nDiveNumber = s.m_nDiveNumber;
    info.UpdateDiveLabel();
    ComputeTotals(*this, s, info);
    const long long seconds =
        s.HasDiveEnd() ? DiveTimeFromDiveEnd(*this, s, report) : DiveTimeFromSamples(*this, report);
    info.m_strDiveTime = DiveTimeText(seconds);
    info.m_strSurfaceInterval = SurfaceIntervalText(s);
    info.m_strDiveEndDuration1 =
        s.HasDiveEnd() ? DurationText(s.m_nDiveEndDuration1) : "Not logged";
    info.m_strDiveEndDuration2 =
        s.HasDiveEnd() ? DurationText(s.m_nDiveEndDuration2) : "Not logged";
    info.m_dAtmPressure = s.m_dCurrentSurfacePressure;
    info.m_dAtmTemperature = s.m_dStatusAmbientTemp;
    const double maxLoggedDepth = PassOverSamples(*this, info);
    info.m_dMaxDepth = ChooseMaxDepth(*this, s, maxLoggedDepth, report);
    info.m_bSummaryValid = true;
}
