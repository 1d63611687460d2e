#include "viewmodel/MimicModel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "logfile/CDiveLog.h"
#include "logfile/CDiveLogSample.h"
#include "viewmodel/Units.h"

namespace {

std::string Fixed(const char* format, double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

std::string CellText(double bar) {
    return Fixed("%.2f", std::clamp(bar, 0.0, 9.99));
}

// The controller's excluded-cell bits (bits 0-2) of its status byte.
unsigned char CellFlags(const CDiveLogSample& s, int controller) {
    return controller == 1 ? s.m_byC1CellStatus : s.m_byC2CellStatus;
}

const double* Cells(const CDiveLogSample& s, int controller) {
    return controller == 1 ? s.m_dC1Cell : s.m_dC2Cell;
}

void ControllerBatteries(CMimicPicture& pic, const CMimicInput& in, int controller, int y) {
    const CDiveLogSample& s = *in.sample;
    const double limits[3] = {in.thresholds.low, in.thresholds.middle, in.thresholds.high};
    const int flags = s.GetControllerFlags(controller);
    const int first = (controller - 1) * 2;
    pic.Battery(69, y, s.m_dBattery[first], limits, flags == 1 || flags == 3);
    pic.Battery(83, y, s.m_dBattery[first + 1], limits, flags == 2 || flags == 3);
}

void ControllerCells(CMimicPicture& pic, const CDiveLogSample& s, int controller, int row) {
    const double* cells = Cells(s, controller);
    const unsigned char flags = CellFlags(s, controller);
    for (int c = 0; c < 3; ++c)
        pic.LargeText(c * 6, row, CellText(cells[c]), (flags >> c) & 1);
}

// A small sign for the unit's mode: surface, diving, diving on the high setpoint, purging, dual
// battery; older display code knows only one sign.
void StatusSign(CMimicPicture& pic, const CDiveLogSample& s, bool level3) {
    static const unsigned char kSigns[5][5] = {
        {0x04, 0x0E, 0x1F, 0x0E, 0x04}, // surface: a diamond
        {0x01, 0x03, 0x1F, 0x03, 0x01}, // diving: a down arrow
        {0x11, 0x1B, 0x1F, 0x1B, 0x11}, // high setpoint
        {0x0A, 0x1F, 0x0A, 0x1F, 0x0A}, // purge
        {0x1F, 0x15, 0x1F, 0x15, 0x1F}, // dual battery
    };
    int sign = 0;
    if (level3) {
        const bool diving = s.m_bDiving || (s.m_byStatus[0] & 0x10);
        if (s.m_byStatus[1] & 0x80)
            sign = 4;
        else if (s.m_byStatus[1] & 0x40)
            sign = 3;
        else if (diving)
            sign = (s.m_byStatus[1] & 0x20) ? 2 : 1;
    }
    for (int i = 0; i < 5; ++i) {
        for (int j = 0; j < 5; ++j) {
            if ((kSigns[sign][i] >> j) & 1)
                pic.Set(27 + i, j);
        }
    }
}

void DecoHalf(CMimicPicture& pic, const CMimicInput& in) {
    const CDiveLogSample& s = *in.sample;
    const long long seconds =
        std::max(0LL, static_cast<long long>(std::trunc(s.m_dTime) - std::trunc(in.diveStartTime)));
    char text[48];
    std::snprintf(text, sizeof text, "%3lld:%02lld", seconds / 60, seconds % 60);
    pic.SmallText(0, 16, text);
    int x = pic.SmallText(27, 16, MimicGasPrefix(s, in.gasNumber), true);
    const std::string mix = MimicMixText(s);
    if (mix == "AIR")
        x += 3;
    pic.SmallText(x, 16, mix);

    const double factor = in.metric ? 1.0 : units::kFeetPerMetre;
    const double deepest = std::max(in.maxDepthSoFar, s.GetDepth()) * factor;
    x = pic.SmallText(70, 16, Fixed("%5.1f", std::clamp(deepest, 0.0, 999.9)));
    pic.SmallText(x, 16, in.metric ? "M" : "F");

    std::snprintf(text, sizeof text, "%3d", std::clamp(s.GetDecoWord0(), -99, 999));
    pic.LargeText(0, 3, text);
    const bool missed = s.m_byCellStatusExtra & 0x80;
    const char* word = missed ? "MIS" : (s.GetCeilingDepth() > 0.0 ? "TTS" : "NDL");
    pic.SmallText(18, 26, word);
    pic.LargeText(5, 3, Fixed("%5.1f", std::clamp(s.GetCeilingDepth() * factor, 0.0, 999.9)));
    pic.LargeText(11, 3, Fixed("%5.1f", std::clamp(s.GetDepth() * factor, 0.0, 999.9)));
}

} // namespace

CBatteryThresholds BatteryThresholds(const CDiveLog& log, bool displayLiPoly) {
    if (log.VersionLevel(6) && displayLiPoly)
        return {5.7, 5.95, 6.2};
    if (log.VersionLevel(6) || log.VersionLevel(2))
        return {4.8, 5.0, 5.25};
    if (log.VersionLevel(1))
        return {4.8, 5.1, 5.25};
    return {4.8, 5.2, 5.5};
}

int ShownController(const CDiveLogSample& s) {
    const bool c1Master = s.m_byStatus[3] & 0x20;
    const bool c2Master = s.m_byStatus[5] & 0x20;
    return (c1Master || !c2Master) ? 1 : 2;
}

std::string MimicGasPrefix(const CDiveLogSample& s, int gasNumber) {
    char number[16] = " ";
    if (gasNumber > 0)
        std::snprintf(number, sizeof number, "%2d ", std::min(gasNumber, 99));
    return std::string(s.GetGasModeBit() ? "GAS" : "DIL") + number;
}

std::string MimicMixText(const CDiveLogSample& s) {
    const double o2 = std::trunc(s.m_dGasO2);
    const double he = std::trunc(s.m_dGasHe);
    char mix[48];
    if (he != 0.0) {
        if (he == 100.0)
            return "100%HE";
        std::snprintf(mix, sizeof mix, "%.0f/%.0f", o2, he);
        return mix;
    }
    if (o2 == 100.0)
        return "100%O2";
    if (o2 == 21.0)
        return "AIR";
    std::snprintf(mix, sizeof mix, "%.0f%%Nx", o2);
    return mix;
}

CMimicPicture BuildMimic(const CMimicInput& in) {
    CMimicPicture pic;
    if (!in.sample)
        return pic;
    const CDiveLogSample& s = *in.sample;
    const int shown = ShownController(s);
    const int other = 3 - shown;

    pic.SmallText(0, 1, shown == 1 ? "C1" : "C2");
    if (s.m_byStatus[0] & 0x08)
        pic.SmallText(11, 0, "OC");
    else
        pic.SmallText(11, 0, Fixed("%.2f", std::clamp(s.m_dSetpoint, 0.0, 9.99)));
    StatusSign(pic, s, in.level3);
    ControllerBatteries(pic, in, shown, 1);
    ControllerCells(pic, s, shown, 1);

    if (in.showDeco) {
        DecoHalf(pic, in);
        return pic;
    }
    pic.SmallText(0, 16, other == 1 ? "C1" : "C2");
    ControllerBatteries(pic, in, other, 17);
    ControllerCells(pic, s, other, 3);
    return pic;
}
