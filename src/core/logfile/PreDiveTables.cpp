#include "logfile/PreDiveTables.h"

namespace {

constexpr const char* kCalibrationTexts[8] = {
    "No error - controller calibrated normally", "Cell 1 out of calibration range",
    "Cell 2 out of calibration range",           "Cells 1 and 2 out of calibration range",
    "Cell 3 out of calibration range",           "Cells 1 and 3 out of calibration range",
    "Cells 2 and 3 out of calibration range",    "Cells 1, 2 and 3 out of calibration range",
};

using BitNames = const char* [8];

constexpr BitNames kControllerStatus = {"Must Cal", "Flushing", "Calibrating", "No Cal",
                                        "NSlave",   "Master",   "Diving",      "Test Bat"};
constexpr BitNames kPost1 = {"Cell 1", "Cell 2", "Cell 3", nullptr,
                             nullptr,  nullptr,  nullptr,  nullptr};
constexpr BitNames kPost2 = {"OxySol",   "Buzzer",   "Vibrator", nullptr,
                             "B1 Valid", "B2 Valid", nullptr,    nullptr};
constexpr BitNames kBatteryStatus = {nullptr,      nullptr,  "B1 Warning", "B1 Low",
                                     "B2 Warning", "B2 Low", nullptr,      nullptr};
constexpr BitNames kI2C = {"HUB", "RTC", "C1", "C2", "PC", "CO2", "T0", "HUS"};
constexpr BitNames kScrubberGauge = {"T1", "T2", "T3", "T4", "T5", "T6", "T7", "T8"};
constexpr BitNames kDisplayPost = {nullptr, nullptr, nullptr, "DPS",
                                   nullptr, nullptr, nullptr, nullptr};

} // namespace

std::string StartupReasonText(unsigned reason) {
    switch (reason) {
    case 0:
        return "Unknown";
    case 1:
        return "Remote Switch Activation";
    case 2:
        return "Switch 1 Activation";
    default:
        return {};
    }
}

std::string ShutdownReasonText(unsigned reason) {
    switch (reason) {
    case 1:
        return "User - keyboard entry";
    case 2:
        return "Auto Shutdown";
    case 3:
        return "Low Batteries";
    case 4:
        return "Reset Shutdown";
    default:
        return {};
    }
}

const char* CalibrationNibbleText(unsigned nibble) {
    nibble &= 0x0F;
    // Bit 3 is "no communication", whatever the cell bits say.
    return nibble >= 8 ? "No communication with Controller" : kCalibrationTexts[nibble];
}

std::string CalibrationErrorText(unsigned errorByte, int controller) {
    if (controller == 1)
        return std::string("C1 - ") + CalibrationNibbleText(errorByte & 0x0F);
    if (controller == 2)
        return std::string("C2 - ") + CalibrationNibbleText((errorByte >> 4) & 0x0F);
    return {};
}

const char* PreDiveStatusBitName(PreDiveStatusByte byte, int bit) {
    if (bit < 0 || bit > 7)
        return nullptr;
    switch (byte) {
    case PreDiveStatusByte::ControllerStatus:
        return kControllerStatus[bit];
    case PreDiveStatusByte::Post1:
        return kPost1[bit];
    case PreDiveStatusByte::Post2:
        return kPost2[bit];
    case PreDiveStatusByte::BatteryStatus:
        return kBatteryStatus[bit];
    case PreDiveStatusByte::I2CConnectivity:
        return kI2C[bit];
    case PreDiveStatusByte::ScrubberGauge:
        return kScrubberGauge[bit];
    case PreDiveStatusByte::DisplayPost:
        return kDisplayPost[bit];
    }
    return nullptr;
}
