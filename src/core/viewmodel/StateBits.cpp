#include "viewmodel/StateBits.h"

#include "logfile/CDiveLogSample.h"

namespace {

// Where a state bit lives in the sample.
enum class Byte {
    C1Cell,
    C2Cell,
    Extra,
    Ext,
    Status0,
    Status1,
    Status2,
    Status3,
    Status4,
    Status5,
    Status9,
    Probe
};
// Some bits of status byte 1 were reused when display code 03.09.22 came out.
enum class When { Always, BeforeLevel3, FromLevel3 };

struct StateDef {
    int code;
    const char* name;
    Byte byte;
    unsigned char mask;
    When when;
    int channels;
};

// clang-format off
constexpr StateDef kStates[] = {
    {901, "Cell Warning", Byte::C1Cell, 0x10, When::Always, 2},
    {902, "Cell Warning", Byte::C2Cell, 0x10, When::Always, 0},
    {903, "Low Battery", Byte::C1Cell, 0x20, When::Always, 2},
    {904, "Low Battery", Byte::C2Cell, 0x20, When::Always, 0},
    {905, "Low Oxygen", Byte::C1Cell, 0x40, When::Always, 2},
    {906, "Low Oxygen", Byte::C2Cell, 0x40, When::Always, 0},
    {907, "High Oxygen", Byte::C1Cell, 0x80, When::Always, 2},
    {908, "High Oxygen", Byte::C2Cell, 0x80, When::Always, 0},
    {909, "Fast Ascent", Byte::Extra, 0x01, When::Always, 1},
    {910, "Ceiling Violation", Byte::Extra, 0x02, When::Always, 1},
    {911, "CNS Exposure", Byte::Extra, 0x04, When::Always, 1},
    {912, "OTU Exposure", Byte::Extra, 0x08, When::Always, 1},
    {913, "Scrubber Warning Low", Byte::Extra, 0x10, When::Always, 1},
    {914, "Scrubber Warning High", Byte::Ext, 0x10, When::Always, 1},
    {915, "CO2 Sensor Low", Byte::Extra, 0x40, When::Always, 1},
    {916, "CO2 Sensor High", Byte::Ext, 0x20, When::Always, 1},
    {917, "Dive Start", Byte::Extra, 0x20, When::Always, 1},
    {918, "DPS Failure", Byte::Ext, 0x08, When::Always, 1},
    {1001, "Must Calibrate", Byte::Status3, 0x01, When::Always, 2},
    {1002, "Must Calibrate", Byte::Status5, 0x01, When::Always, 0},
    {1003, "Flushing", Byte::Status3, 0x02, When::Always, 2},
    {1004, "Flushing", Byte::Status5, 0x02, When::Always, 0},
    {1005, "Calibrating", Byte::Status3, 0x04, When::Always, 2},
    {1006, "Calibrating", Byte::Status5, 0x04, When::Always, 0},
    {1007, "No Calibration", Byte::Status3, 0x08, When::Always, 2},
    {1008, "No Calibration", Byte::Status5, 0x08, When::Always, 0},
    {1009, "Master NSlave", Byte::Status3, 0x10, When::Always, 2},
    {1010, "Master NSlave", Byte::Status5, 0x10, When::Always, 0},
    {1011, "Master Mode", Byte::Status3, 0x20, When::Always, 2},
    {1012, "Master Mode", Byte::Status5, 0x20, When::Always, 0},
    {1013, "Diving", Byte::Status3, 0x40, When::Always, 2},
    {1014, "Diving", Byte::Status5, 0x40, When::Always, 0},
    {1015, "Testing Batteries", Byte::Status3, 0x80, When::Always, 2},
    {1016, "Testing Batteries", Byte::Status5, 0x80, When::Always, 0},
    {1017, "B1 Master", Byte::Status2, 0x01, When::Always, 2},
    {1018, "B1 Master", Byte::Status4, 0x01, When::Always, 0},
    {1019, "B2 Master", Byte::Status2, 0x02, When::Always, 2},
    {1020, "B2 Master", Byte::Status4, 0x02, When::Always, 0},
    {1101, "Master", Byte::Status0, 0x01, When::Always, 2},
    {1102, "Master", Byte::Status0, 0x02, When::Always, 0},
    {1103, "Underwater", Byte::Status0, 0x04, When::Always, 1},
    {1104, "CCR OC", Byte::Status0, 0x08, When::Always, 1},
    {1105, "Manual Inject", Byte::Status1, 0x08, When::BeforeLevel3, 1},
    {1106, "Shutdown", Byte::Status0, 0x40, When::Always, 2},
    {1107, "Shutdown", Byte::Status0, 0x20, When::Always, 0},
    {1108, "Power Down All", Byte::Status0, 0x80, When::Always, 1},
    {1109, "Simulator", Byte::Status1, 0x01, When::Always, 1},
    {1110, "Battery Test", Byte::Status1, 0x02, When::Always, 1},
    {1111, "Calibrate", Byte::Status1, 0x04, When::Always, 1},
    {1112, "Dive Mode", Byte::Status0, 0x10, When::Always, 1},
    {1113, "Gradual SP Switch", Byte::Status1, 0x08, When::FromLevel3, 1},
    {1114, "Setpoint Flag", Byte::Status1, 0x20, When::FromLevel3, 1},
    {1115, "Purge", Byte::Status1, 0x40, When::FromLevel3, 1},
    {1116, "Dual Master Battery", Byte::Status1, 0x80, When::FromLevel3, 1},
    {1201, "Missed Deco", Byte::Extra, 0x80, When::Always, 1},
    {1301, "Switch Left", Byte::Status9, 0x11, When::Always, 1},
    {1302, "Switch Centre", Byte::Status9, 0x44, When::Always, 1},
    {1303, "Switch Right", Byte::Status9, 0x22, When::Always, 1},
    {1401, "Device TempProbe", Byte::Probe, 0x40, When::Always, 1},
    {1402, "Device C02", Byte::Probe, 0x80, When::Always, 1},
};
// clang-format on

const StateDef* Find(int code) {
    for (const auto& def : kStates) {
        if (def.code == code)
            return &def;
    }
    return nullptr;
}

unsigned char ByteOf(Byte byte, const CDiveLogSample& s) {
    switch (byte) {
    case Byte::C1Cell:
        return s.m_byC1CellStatus;
    case Byte::C2Cell:
        return s.m_byC2CellStatus;
    case Byte::Extra:
        return s.m_byCellStatusExtra;
    case Byte::Ext:
        return s.m_byStatusExt;
    case Byte::Status0:
        return s.m_byStatus[0];
    case Byte::Status1:
        return s.m_byStatus[1];
    case Byte::Status2:
        return s.m_byStatus[2];
    case Byte::Status3:
        return s.m_byStatus[3];
    case Byte::Status4:
        return s.m_byStatus[4];
    case Byte::Status5:
        return s.m_byStatus[5];
    case Byte::Status9:
        return s.m_byStatus[9];
    case Byte::Probe:
        return s.m_byProbeFlags;
    }
    return 0;
}

} // namespace

int ChannelCount(int code) {
    const StateDef* def = Find(code);
    return def ? def->channels : 0;
}

bool TraceState(int code, const CDiveLogSample& sample, bool level3) {
    const StateDef* def = Find(code);
    if (!def)
        return false;
    if ((def->when == When::BeforeLevel3 && level3) || (def->when == When::FromLevel3 && !level3))
        return false;
    return (ByteOf(def->byte, sample) & def->mask) != 0;
}

const char* StateTraceName(int code) {
    const StateDef* def = Find(code);
    return def ? def->name : nullptr;
}
