#include <gtest/gtest.h>

#include <random>
#include <vector>

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

// ---- CSolenoidSeconds ---------------------------------------------------------------------------

// The seconds come back exactly as appended, whether they follow one another, jump ahead after a
// gap or go back (0x30 seconds shifted by the dive start among unshifted 0x32 ones), and the
// fired bits keep their places across the 64-bit words.
TEST(CSolenoidSeconds, TimesAndBitsReadBackAsAppended) {
    std::vector<std::pair<bool, double>> appended;
    for (int t = 1; t <= 150; ++t)
        appended.push_back({t % 3 == 0 || t == 64 || t == 65, t});
    for (double t : {400.0, 401.0, 402.0, 120.0, 121.0, 121.0, 1e12, 1e12 + 1, 7.5, 8.5})
        appended.push_back({t > 300.0, t});
    CSolenoidSeconds seconds;
    seconds.reserve(10);
    for (const auto& [fired, time] : appended)
        seconds.push_back(fired, time);
    ASSERT_EQ(seconds.size(), appended.size());
    size_t i = 0;
    for (const auto& e : seconds) {
        EXPECT_EQ(e->GetFired(), appended[i].first) << "element " << i;
        EXPECT_EQ(e->m_dTime, appended[i].second) << "element " << i;
        EXPECT_EQ(seconds[i]->GetTime(), appended[i].second) << "element " << i;
        ++i;
    }
    EXPECT_EQ(i, appended.size());
    EXPECT_EQ(seconds.back()->m_dTime, 8.5);
    EXPECT_LT(seconds.Bytes(), appended.size() * sizeof(CDiveLogSolenoidSample));

    // Emptied, it starts afresh: no old run or bit shows through.
    seconds.clear();
    EXPECT_TRUE(seconds.empty());
    seconds.push_back(false, 2.0);
    seconds.push_back(true, 3.0);
    EXPECT_EQ(seconds.front()->GetTime(), 2.0);
    EXPECT_FALSE(seconds.front()->GetFired());
    EXPECT_TRUE(seconds.back()->GetFired());
}

// A stretch of seconds appended at once stores what appending them one by one does, wherever it
// starts in a word and whether or not it follows the seconds before it.
TEST(CSolenoidSeconds, AStretchAppendsAsItsSecondsOneByOne) {
    std::mt19937_64 random(7);
    CSolenoidSeconds bulk, single;
    double next = 10.0;
    for (int round = 0; round < 300; ++round) {
        const uint64_t flags[2] = {random(), random()};
        const size_t count = random() % 129;
        const double first = round % 7 == 3 ? next + 5.0 : next; // now and then after a gap
        bulk.AppendSeconds(first, flags, count);
        for (size_t k = 0; k < count; ++k)
            single.push_back((flags[k / 64] >> (k % 64)) & 1u, first + static_cast<double>(k));
        next = first + static_cast<double>(count);
    }
    ASSERT_EQ(bulk.size(), single.size());
    for (size_t i = 0; i < single.size(); ++i) {
        ASSERT_EQ(bulk.Fired(i), single.Fired(i)) << "second " << i;
        ASSERT_EQ(bulk.Time(i), single.Time(i)) << "second " << i;
    }
}

// Records whose bitmaps overlap by any number of seconds add each second once, with the flag of
// the record that first brought it.
TEST(SolenoidDecode, ShortOverlapsKeepTheFirstFlagOfEachSecond) {
    std::mt19937 random(11);
    CSolenoidState state;
    CSolenoidArray c1, c2;
    std::vector<bool> want; // flag of second 1, 2, ...
    unsigned base = 103;
    for (int round = 0; round < 200; ++round) {
        CRecordLineWriter w(0x32);
        w.Word(base);
        unsigned bytes[13];
        for (unsigned& b : bytes) {
            b = random() % 256;
            w.Byte(b);
        }
        DecodeSolenoidRecord(0x32, Short(w), 0, false, 0, state, c1, c2);
        for (unsigned second = static_cast<unsigned>(want.size()) + 1; second <= base; ++second) {
            const unsigned flag = second - (base - 103);
            want.push_back((bytes[flag / 8] >> (flag % 8)) & 1u);
        }
        base += random() % 105; // from a full repeat to 104 new seconds, never a gap
    }
    ASSERT_EQ(c1.size(), want.size());
    EXPECT_TRUE(c2.empty());
    for (size_t i = 0; i < want.size(); ++i) {
        ASSERT_EQ(c1[i]->GetFired(), want[i]) << "second " << i + 1;
        ASSERT_EQ(c1[i]->GetTime(), static_cast<double>(i + 1)) << "second " << i + 1;
    }
}

// A whole day at one-second intervals through the decoder: every second once, in order, in one
// run per controller.
TEST(CSolenoidSeconds, ADayOfFrcRecordsDecodesEverySecondOnce) {
    CSolenoidState state;
    CSolenoidArray c1, c2;
    for (int t = 104; t <= 86400; t += 100)
        DecodeSolenoidRecord(0x32, FrcSolenoid(t + 0.5), t + 0.5, true, 0, state, c1, c2);
    ASSERT_EQ(c1.size(), c2.size());
    ASSERT_EQ(c1.size(), 86304u);
    for (size_t i = 0; i < c1.size(); i += 997)
        ASSERT_EQ(c1[i]->m_dTime, 1.0 + static_cast<double>(i));
    // C1 fires at each record's base second, C2 at the first second of each bitmap.
    EXPECT_TRUE(c1[103]->GetFired());
    EXPECT_FALSE(c1[102]->GetFired());
    EXPECT_TRUE(c2[0]->GetFired());
}
