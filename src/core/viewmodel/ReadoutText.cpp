#include "viewmodel/ReadoutText.h"

#include <cmath>

#include "logfile/CDiveLog.h"
#include "logfile/CDiveLogSample.h"
#include "viewmodel/CChartModel.h"
#include "viewmodel/ChartScale.h"
#include "viewmodel/Units.h"

namespace {

int WholePercent(double value) {
    return static_cast<int>(value);
}

std::string DiveTimeText(const CChartModel& model) {
    const CChartState& state = model.State();
    const long long start = static_cast<long long>(std::trunc(model.Log()->m_dDiveStartTime));
    const auto text = [start](double t) {
        return FormatSignedTime(static_cast<long long>(std::trunc(t)) - start);
    };
    if (state.m_bDragging)
        return text(state.m_dCursorTime) + " - " + text(state.m_dDragTime);
    return text(state.m_dCursorTime);
}

} // namespace

std::string GasMixText(int o2, int he, const TextLookup& lookup) {
    using namespace profile_text;
    if (he != 0) {
        if (he == 100)
            return CheckedFormat(lookup, kMixHelium);
        return FormatText(CheckedFormat(lookup, kMixTrimix).c_str(), o2, he);
    }
    if (o2 == 100)
        return CheckedFormat(lookup, kMixOxygen);
    if (o2 == 21)
        return CheckedFormat(lookup, kMixAir);
    return FormatText(CheckedFormat(lookup, kMixNitrox).c_str(), o2);
}

int ReadoutGasNumber(const CDiveLogSample& sample, const CDiveLogGasManagement& gases) {
    const int o2 = WholePercent(sample.m_dGasO2);
    const int he = WholePercent(sample.m_dGasHe);
    for (int n = 0; n < CDiveLogGasManagement::kDiluents; ++n) {
        if (gases.m_nDiluentO2[static_cast<size_t>(n)] == o2 &&
            gases.m_nDiluentHe[static_cast<size_t>(n)] == he)
            return n + 1;
    }
    return sample.GetGasNumber() + 1;
}

double AscentRate(const CDiveLogSample& cursor, const CDiveLogSample& next) {
    const double dt = std::trunc(next.m_dTime) - std::trunc(cursor.m_dTime);
    const double dd = cursor.GetDepth() - next.GetDepth();
    if (dd == 0.0 || dt == 0.0)
        return 0.0;
    return dd / dt * 60.0;
}

CReadoutHeader BuildReadoutHeader(const CChartModel& model, bool metric, const TextLookup& lookup) {
    using namespace profile_text;
    CReadoutHeader header;
    if (!model.IsLoaded())
        return header;
    const CDiveLog& log = *model.Log();
    const CDiveLogSample& cursor = *log.m_arSamples[model.CursorSample()];
    const CDiveLogSample& next = *log.m_arSamples[model.NextSample()];

    header.diveTime = DiveTimeText(model);
    header.depth = metric
                       ? FormatText(CheckedFormat(lookup, kDepthMetres).c_str(), cursor.GetDepth())
                       : FormatText(CheckedFormat(lookup, kDepthFeet).c_str(),
                                    FormatFeetInches(cursor.GetDepth()).c_str());

    double rate = AscentRate(cursor, next);
    if (!metric)
        rate *= units::kAscentFeetPerMetre;
    const std::string unit = CheckedFormat(lookup, metric ? kRateMetres : kRateFeet);
    const char* format = (rate >= 100.0 || rate <= -100.0) ? "%.0f %s" : "%.1f %s";
    header.ascentRate = FormatText(format, rate, unit.c_str());
    header.ascentRateWidest = "0.0 " + unit;

    header.gas = CheckedFormat(lookup, cursor.GetGasModeBit() ? kGasMode : kDilMode);
    const int number = ReadoutGasNumber(cursor, log.m_GasManagement);
    if (number > 0)
        header.gas += std::to_string(number);
    header.gas +=
        " " + GasMixText(WholePercent(cursor.m_dGasO2), WholePercent(cursor.m_dGasHe), lookup);
    return header;
}

std::string ReadoutLineText(int code, const CDiveLogSample& s, bool metric,
                            const TextLookup& lookup) {
    using namespace profile_text;
    const auto fmt = [&](int id) { return CheckedFormat(lookup, id); };
    if (code == 101)
        return FormatText(fmt(kLineSetpoint).c_str(), s.m_dSetpoint);
    if ((code >= 102 && code <= 104) || (code >= 106 && code <= 108)) {
        const int controller = code <= 104 ? 1 : 2;
        const int cell = code - (controller == 1 ? 101 : 105);
        const double value = controller == 1 ? s.m_dC1Cell[cell - 1] : s.m_dC2Cell[cell - 1];
        return FormatText(fmt(kLineCell).c_str(), controller, cell, value);
    }
    if (code == 105 || code == 109)
        return FormatText(fmt(kLineMeasured).c_str(), code == 105 ? 1 : 2,
                          code == 105 ? s.m_dC1Measured : s.m_dC2Measured);
    if (code >= 201 && code <= 204)
        return FormatText(fmt(kLineBattery).c_str(), code <= 202 ? 1 : 2, (code - 201) % 2 + 1,
                          s.m_dBattery[code - 201]);
    if (code == 301)
        return metric ? FormatText(fmt(kLineOxygenBar).c_str(), s.m_dCylinder[12])
                      : FormatText(fmt(kLineOxygenPsi).c_str(), units::BarToPsi(s.m_dCylinder[12]));
    if (code >= 302 && code <= 307) {
        const double bar = s.m_dCylinder[code - 302];
        return metric ? FormatText(fmt(kLineDiluentBar).c_str(), code - 301, bar)
                      : FormatText(fmt(kLineDiluentPsi).c_str(), code - 301, units::BarToPsi(bar));
    }
    if (code == 401)
        return metric ? FormatText(fmt(kLineTempC).c_str(), s.m_dAmbientTemp)
                      : FormatText(fmt(kLineTempF).c_str(),
                                   units::CelsiusToFahrenheit(s.m_dAmbientTemp));
    if (code == 501)
        return FormatText(fmt(kLineCns).c_str(), s.m_dCNS);
    if (code == 502)
        return FormatText(fmt(kLineOtu).c_str(), s.m_dOTU);
    if (code == 601)
        return metric ? FormatText(fmt(kLineCeilingMetres).c_str(), s.GetCeilingDepth())
                      : FormatText(fmt(kLineCeilingFeet).c_str(),
                                   FormatFeetInches(s.GetCeilingDepth()).c_str());
    return {};
}
