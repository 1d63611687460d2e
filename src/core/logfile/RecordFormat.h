#pragma once
// What a record decoder must know about the file besides the line itself: the record layout and
// the two display code version levels that change what some fields mean.

struct CRecordFormat {
    // 66-character lines with an FRC timestamp at 2-9; otherwise the 34-character short layout.
    bool frcLayout = false;
    // Display code 03.09.36 or above: the last byte of a short 0x07 line is a status byte, not
    // the sample interval.
    bool level4 = false;
    // Display code 05.00.40 or above: the last byte of a short power-on line is the startup
    // reason, not the sample interval.
    bool level5 = false;

    static constexpr int kShortLineLength = 34;
    static constexpr int kShortCylinderLineLength = 26; // record 0x1A
    static constexpr int kFrcLineLength = 66;

    int LineLength() const { return frcLayout ? kFrcLineLength : kShortLineLength; }
};
