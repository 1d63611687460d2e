// The loader's clocks and state: fed tick counts, date-times and records, read back as times.
#include <gtest/gtest.h>

#include "logfile/CDiveMarks.h"
#include "logfile/CFrcClock.h"
#include "logfile/CPowerState.h"
#include "logfile/CShortClock.h"

namespace {

CDateTime At(int minute, int second) {
    return CDateTime(2026, 6, 14, 9, minute, second);
}

} // namespace

// ==== CFrcClock
// ===================================================================================

TEST(CFrcClock, FirstPowerOnIsSecondZeroAndLaterOnesArePlacedByTheirDate) {
    CFrcClock clock;
    clock.Tick(12.5);
    EXPECT_EQ(clock.Time(), 12.5) << "no origin yet: the bare tick count";
    clock.SetOrigin(At(30, 0));
    EXPECT_EQ(clock.Time(), 12.5) << "the power-on line keeps the time it was read at";
    clock.Tick(22.5);
    EXPECT_EQ(clock.Time(), 10.0);

    // The tick count restarts with the next power-on, ten minutes later.
    clock.Tick(0.25);
    EXPECT_TRUE(clock.MoveTo(At(40, 0)));
    EXPECT_EQ(clock.Time(), 600.0);
    EXPECT_EQ(clock.Frc(), 0.25);
    EXPECT_EQ(clock.Offset(), 599.75);
    clock.Tick(5.25);
    EXPECT_EQ(clock.Time(), 605.0);
}

TEST(CFrcClock, InvalidDateTimesMoveNothing) {
    CFrcClock clock;
    clock.Tick(3.0);
    EXPECT_FALSE(clock.MoveTo(At(40, 0))) << "no origin";
    clock.SetOrigin(At(30, 0));
    EXPECT_FALSE(clock.MoveTo(CDateTime::Invalid()));
    clock.Tick(4.0);
    EXPECT_EQ(clock.Time(), 1.0);
    EXPECT_EQ(clock.Offset(), -3.0);
}

// ==== CShortClock
// =================================================================================

TEST(CShortClock, DepthRecordsStepByTheIntervalUnlessHeld) {
    CShortClock clock;
    clock.Restart(At(30, 0));
    clock.Depth(10);
    clock.Depth(10);
    EXPECT_EQ(clock.Time(), 20.0);
    EXPECT_TRUE(clock.MoveTo(At(31, 5)));
    clock.Hold();
    clock.Depth(10);
    EXPECT_EQ(clock.Time(), 65.0) << "the held depth record sits at the date-time record";
    clock.Depth(10);
    EXPECT_EQ(clock.Time(), 75.0) << "a hold lasts one depth record";

    // Times are whole seconds, also when counted on from a fractional base.
    EXPECT_TRUE(clock.MoveTo(At(35, 30), At(35, 0), 100.7));
    EXPECT_EQ(clock.Time(), 130.0);
    EXPECT_FALSE(clock.MoveTo(CDateTime::Invalid()));
    EXPECT_EQ(clock.Time(), 130.0);
    clock.Restart(At(50, 0));
    EXPECT_EQ(clock.Time(), 0.0);
    EXPECT_TRUE(clock.MoveTo(At(50, 42)));
    EXPECT_EQ(clock.Time(), 42.0) << "counted from the new origin";
}

TEST(CShortClock, StatusRecordsLagByTheReferenceWithinOneInterval) {
    CShortClock clock;
    clock.Restart(At(30, 0));
    clock.SetTime(100.0);
    EXPECT_EQ(clock.StatusTime(10), 100.0) << "without a reference a status record is on time";

    clock.Reference(At(30, 3));
    EXPECT_EQ(clock.StatusTime(10), 100.0) << "synchronised at the reference";
    clock.Reference(At(30, 7));
    EXPECT_EQ(clock.StatusTime(10), 104.0) << "four seconds later than the reference it took";
    clock.Reference(At(30, 40));
    EXPECT_EQ(clock.StatusTime(10), 110.0) << "never a whole interval after its depth record";
    clock.Depth(10);
    EXPECT_EQ(clock.StatusTime(10), 120.0) << "one depth record on: 110 + 37 - 10";
    clock.Reference(At(30, 3));
    EXPECT_EQ(clock.StatusTime(10), 110.0) << "never before its depth record";

    // The second depth record ends the synchronisation; the next status record starts another
    // from the reference as it is then.
    clock.Depth(10);
    clock.Reference(At(30, 9));
    EXPECT_EQ(clock.StatusTime(10), 120.0);
}

TEST(CShortClock, DiveEndForgetsTheReference) {
    CShortClock clock;
    clock.Restart(At(30, 0));
    clock.Reference(At(30, 5));
    clock.Reference(CDateTime::Invalid()); // ignored: the reference stands
    clock.SetTime(50.0);
    EXPECT_EQ(clock.StatusTime(10), 50.0);
    clock.Depth(10);
    clock.EndDive();
    EXPECT_EQ(clock.StatusTime(10), 60.0);
    clock.Reference(At(31, 10));
    clock.Reference(At(31, 15));
    EXPECT_EQ(clock.StatusTime(10), 60.0);
    clock.Reference(At(31, 18));
    // The synchronisation after the dive end counts on from the depth record before it.
    EXPECT_EQ(clock.StatusTime(10), 60.0) << "60 + 78 - 10 - 75, held at its depth record";
    clock.Depth(10);
    clock.Reference(At(31, 30));
    EXPECT_EQ(clock.StatusTime(10), 70.0) << "that depth record ended it: synchronised afresh";
}

// ==== CPowerState, CDiveMarks
// =====================================================================

TEST(CPowerState, OnlyPowerOnsAfterTheFirstMakeSamples) {
    CPowerState power;
    EXPECT_FALSE(power.On());
    power.Running();
    EXPECT_TRUE(power.On());
    EXPECT_FALSE(power.PowerOn()) << "a running unit is not a power-on";
    power.PowerOff();
    EXPECT_FALSE(power.On());
    EXPECT_TRUE(power.PowerOn());
    EXPECT_TRUE(power.On());
}

TEST(CDiveMarks, TheFirstDiveStartNamesTheDive) {
    CDiveMarks dive;
    EXPECT_FALSE(dive.Ends(7)) << "no dive started";
    EXPECT_TRUE(dive.Start(7));
    EXPECT_FALSE(dive.Start(8)) << "another dive's start";
    EXPECT_FALSE(dive.Ends(8));
    EXPECT_TRUE(dive.Ends(7));
    dive.End(false);
    EXPECT_TRUE(dive.EndSeen());
    EXPECT_FALSE(dive.AfterEnd()) << "too short to count";
    EXPECT_TRUE(dive.Start(7));
    EXPECT_FALSE(dive.EndSeen()) << "started again: the end is still to come";
    dive.End(true);
    EXPECT_TRUE(dive.AfterEnd());
}
