#include <gtest/gtest.h>

#include "LogBuilder.h"
#include "logfile/CDiveLogSolenoidSample.h"

using namespace loadertest;

namespace {
// Controller 1 fires in the last second of the bitmap, controller 2 in the first.
std::string FrcSolenoid(double seconds) {
    CRecordLineWriter w = FrcRec(0x32, seconds);
    w.PadTo(17).Byte(0x80); // C1 byte 12, bit 7: flag 103
    w.Byte(0x01);           // C2 byte 0, bit 0: flag 0
    return Frc(w);
}
std::string ShortSolenoid(unsigned type, unsigned base, unsigned firstByte) {
    return Short(CRecordLineWriter(type).Word(base).Byte(firstByte));
}
} // namespace

TEST(SolenoidDecode, FrcOverlappingRecordsAddOnlyNewSeconds) {
    CSolenoidState state;
    CSolenoidArray c1, c2;
    DecodeSolenoidRecord(0x32, FrcSolenoid(500.7), 500.7, true, 0, state, c1, c2);
    ASSERT_EQ(c1.size(), 104u);
    ASSERT_EQ(c2.size(), 104u);
    EXPECT_EQ(c1.front()->GetTime(), 397.0);
    EXPECT_EQ(c1.back()->GetTime(), 500.0);
    EXPECT_TRUE(c1.back()->GetFired());
    EXPECT_FALSE(c1.front()->GetFired());
    EXPECT_TRUE(c2.front()->GetFired());
    DecodeSolenoidRecord(0x32, FrcSolenoid(510.2), 510.2, true, 0, state, c1, c2);
    ASSERT_EQ(c1.size(), 114u);
    EXPECT_EQ(c1[104]->GetTime(), 501.0);
    EXPECT_EQ(c1.back()->GetTime(), 510.0);
    EXPECT_EQ(c2.size(), 114u);
}

TEST(SolenoidDecode, ShortControllersAndDiveStartShift) {
    CSolenoidState state;
    CSolenoidArray c1, c2;
    // 0x30 counts from the dive start; the recorded second is the unshifted one.
    DecodeSolenoidRecord(0x30, ShortSolenoid(0x30, 200, 0x01), 0, false, 1000.9, state, c1, c2);
    ASSERT_EQ(c1.size(), 104u);
    EXPECT_EQ(c1.front()->GetTime(), 1097.0);
    EXPECT_TRUE(c1.front()->GetFired());
    EXPECT_EQ(state.lastC1, 200);
    DecodeSolenoidRecord(0x32, ShortSolenoid(0x32, 210, 0), 0, false, 1000, state, c1, c2);
    EXPECT_EQ(c1.size(), 114u);
    EXPECT_EQ(c1.back()->GetTime(), 210.0);
    DecodeSolenoidRecord(0x33, ShortSolenoid(0x33, 50, 0), 0, false, 1000, state, c1, c2);
    EXPECT_EQ(c2.size(), 50u); // seconds 1-50: nothing at or before 0
    // Wrong length and FRC-only handling are ignored.
    DecodeSolenoidRecord(0x31, ShortSolenoid(0x31, 60, 0) + "00", 0, false, 0, state, c1, c2);
    EXPECT_EQ(c2.size(), 50u);
}

TEST(SolenoidDecode, LastSecondsResetWhenBothArraysEmpty) {
    CSolenoidState state;
    state.lastFrc = 100000;
    CSolenoidArray c1, c2;
    DecodeSolenoidRecord(0x32, FrcSolenoid(200), 200, true, 0, state, c1, c2);
    EXPECT_EQ(c1.size(), 104u);
}
