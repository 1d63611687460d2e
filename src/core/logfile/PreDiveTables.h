#pragma once
// The code tables of the pre-dive records: startup and shutdown reasons, calibration error texts
// and the names of the status bits, as data the views lay out.
#include <string>

// "Unknown", "Remote Switch Activation", "Switch 1 Activation"; empty for other codes.
std::string StartupReasonText(unsigned reason);
// "User - keyboard entry", "Auto Shutdown", "Low Batteries", "Reset Shutdown"; empty otherwise.
std::string ShutdownReasonText(unsigned reason);
// The calibration error byte: low nibble controller 1, high nibble controller 2. Gives "C1 - "
// or "C2 - " plus the text of that controller's nibble; empty for another controller number.
std::string CalibrationErrorText(unsigned errorByte, int controller);
// The text after the controller prefix for one nibble value 0-15.
const char* CalibrationNibbleText(unsigned nibble);

// The status bytes of a pre-dive set whose bits have names.
enum class PreDiveStatusByte {
    ControllerStatus, // each controller
    Post1,            // each controller
    Post2,            // each controller
    BatteryStatus,    // each controller, short layout
    I2CConnectivity,
    ScrubberGauge,
    DisplayPost,
};

// Name of bit 0-7 of such a byte; nullptr for a bit without a meaning. The connectivity byte's
// bit 6 reads "T0" (the scrubber probe) and the gauge byte's bits read "T1" ... "T8"; the display
// POST byte's bit 3 is "DPS", which shows failed when set.
const char* PreDiveStatusBitName(PreDiveStatusByte byte, int bit);
