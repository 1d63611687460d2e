// How a column of the sample store keeps its values: as changes, as scaled integers, as a table
// or raw, and the moves between them. Whatever it picks, every value comes back bit for bit.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "logfile/CSampleColumn.h"
#include "logfile/CSampleStore.h"

namespace {

uint64_t Bits(double v) {
    return std::bit_cast<uint64_t>(v);
}

// Appends `values` as the samples 0, 1, ... and checks them all, read forwards, backwards and
// out of order (a column of changes keeps a hint of where the last read ended).
void ExpectRoundTrip(CSampleColumn& column, const std::vector<uint64_t>& values) {
    for (size_t i = 0; i < values.size(); ++i)
        column.Append(i, values[i]);
    for (size_t i = 0; i < values.size(); ++i)
        ASSERT_EQ(column.Get(i), values[i]) << i;
    for (size_t i = values.size(); i-- > 0;)
        ASSERT_EQ(column.Get(i), values[i]) << i;
    for (size_t i = 0; i < values.size(); i += 37)
        ASSERT_EQ(column.Get(values.size() - 1 - i), values[values.size() - 1 - i]) << i;
    for (size_t i = 1; i < values.size(); ++i)
        ASSERT_EQ(column.SameAsBefore(i), values[i] == values[i - 1]) << i;
}

} // namespace

TEST(CSampleColumn, SeldomChangesAreKeptAsChangesUntilTheFieldGetsLively) {
    CSampleColumn column;
    std::vector<uint64_t> values;
    for (size_t i = 0; i < 3000; ++i) // a change every 100 samples, then one every sample
        values.push_back(
            Bits(i < 2000 ? 200.0 - static_cast<double>(i / 100) : static_cast<double>(i) / 100.0));
    for (size_t i = 0; i < 2000; ++i)
        column.Append(i, values[i]);
    EXPECT_EQ(column.Width(), CSampleColumn::EWidth::kChanges);
    EXPECT_EQ(column.Changes(), 20u);
    EXPECT_EQ(column.ChangeStart(1), 100u);
    column = CSampleColumn();
    ExpectRoundTrip(column, values);
    EXPECT_EQ(column.Width(), CSampleColumn::EWidth::kScaled);
}

TEST(CSampleColumn, ScaledValuesFallBackToATableForValuesWithoutACode) {
    struct Case {
        const char* what;
        double odd; // a value that no divisor gives back exactly
    };
    for (const Case& c : {Case{"a third", 1.0 / 3.0}, Case{"minus zero", -0.0},
                          Case{"not a number", std::numeric_limits<double>::quiet_NaN()},
                          Case{"beyond two bytes", 40000.0}}) {
        SCOPED_TRACE(c.what);
        std::vector<uint64_t> values;
        for (size_t i = 0; i < 500; ++i)
            values.push_back(Bits(static_cast<double>(i % 250) / 100.0));
        values.push_back(Bits(c.odd));
        for (size_t i = 0; i < 500; ++i)
            values.push_back(Bits(static_cast<double>(i % 7) * 0.25));
        CSampleColumn column;
        ExpectRoundTrip(column, values);
        EXPECT_NE(column.Width(), CSampleColumn::EWidth::kScaled);
    }
}

TEST(CSampleColumn, IntsAndBytesKeepTheirOwnWidth) {
    CSampleColumn ints(4);
    std::vector<uint64_t> values;
    for (int i = 0; i < 400; ++i)
        values.push_back(static_cast<uint32_t>(i % 3 == 0 ? -1 : i)); // -1 as an int holds it
    ExpectRoundTrip(ints, values);
    EXPECT_EQ(ints.Width(), CSampleColumn::EWidth::kScaled);

    CSampleColumn bytes(1);
    values.clear();
    for (int i = 0; i < 400; ++i)
        values.push_back(static_cast<uint8_t>(i * 7));
    ExpectRoundTrip(bytes, values);
}

TEST(CSampleColumn, SetInAColumnOfChangesTouchesOnlyItsSample) {
    CSampleColumn column;
    for (size_t i = 0; i < 1000; ++i)
        column.Append(i, Bits(i < 500 ? 1.0 : 2.0));
    // Samples told of no value repeat the last one; Set may reach them.
    column.Set(1200, Bits(3.5), 1500);
    column.Set(10, Bits(7.0), 1500);
    EXPECT_EQ(column.Get(9), Bits(1.0));
    EXPECT_EQ(column.Get(10), Bits(7.0));
    EXPECT_EQ(column.Get(11), Bits(1.0));
    EXPECT_EQ(column.Get(1199), Bits(2.0));
    EXPECT_EQ(column.Get(1200), Bits(3.5));
    EXPECT_EQ(column.Get(1201), Bits(2.0));
    EXPECT_EQ(column.Get(1499), Bits(2.0));
}

// A walk that starts inside a run of a seldom-changing field must still pick up that field's
// later changes, and only those.
TEST(CSampleStore, WalksFromAnySampleFollowEverySortOfColumn) {
    constexpr size_t kCount = 3000;
    auto made = [](size_t i) {
        CDiveLogSample s;
        s.m_dTime = static_cast<double>(i) + 0.125;              // raw
        s.m_dC1Cell[0] = static_cast<double>(i % 90) / 100.0;    // scaled
        s.m_dCylinder[3] = 200.0 - static_cast<double>(i / 250); // changes
        s.m_byStatus[5] = i > 2990 ? 1 : 0;                      // one late change
        return s;
    };
    CSampleStore store;
    for (size_t i = 0; i < kCount; ++i)
        store.push_back(made(i));
    for (size_t first : {size_t(0), size_t(249), size_t(250), size_t(1777), kCount - 2}) {
        store.ForEach(first, kCount, [&](size_t i, const CDiveLogSample& s) {
            const CDiveLogSample want = made(i);
            ASSERT_EQ(s.m_dTime, want.m_dTime) << first << " " << i;
            ASSERT_EQ(s.m_dC1Cell[0], want.m_dC1Cell[0]) << first << " " << i;
            ASSERT_EQ(s.m_dCylinder[3], want.m_dCylinder[3]) << first << " " << i;
            ASSERT_EQ(s.m_byStatus[5], want.m_byStatus[5]) << first << " " << i;
        });
    }
    size_t i = 0;
    for (const auto& s : store) {
        ASSERT_EQ(s->m_dCylinder[3], made(i).m_dCylinder[3]) << i;
        ++i;
    }
    // A copy of a sample is a copy of every field, the first and the last included.
    CDiveLogSample edited = made(5);
    edited.m_dSurfacePressure = 950.0;
    edited.m_bPoweredOn = true;
    CDiveLogSample copy;
    copy = edited;
    EXPECT_EQ(copy.m_dSurfacePressure, 950.0);
    EXPECT_TRUE(copy.m_bPoweredOn);
    EXPECT_EQ(CDiveLogSample(copy).m_dCylinder[3], edited.m_dCylinder[3]);
}

TEST(CSampleColumn, SinglePrecisionValuesAndCountersKeepTheirOwnForms) {
    std::vector<uint64_t> values;
    for (int i = 0; i < 600; ++i) // a gradient factor: floats, no scale gives them
        values.push_back(Bits(static_cast<double>(0.3f + 0.001f * static_cast<float>(i % 97))));
    CSampleColumn singles;
    ExpectRoundTrip(singles, values);
    EXPECT_EQ(singles.Width(), CSampleColumn::EWidth::kSingle);
    values.push_back(Bits(0.1)); // a double that is no float
    values.push_back(Bits(0.3f));
    CSampleColumn mixed;
    ExpectRoundTrip(mixed, values);
    EXPECT_NE(mixed.Width(), CSampleColumn::EWidth::kSingle);

    // A counter past two bytes (and past a float) has a new value every sample: no table is
    // kept for it.
    values.clear();
    for (int i = 0; i < 2000; ++i)
        values.push_back(Bits(1e9 + i));
    CSampleColumn counter;
    ExpectRoundTrip(counter, values);
    EXPECT_EQ(counter.Width(), CSampleColumn::EWidth::kRaw);
}

// The store tells a column only of the samples whose value changed. Whatever moves the column
// makes on the way (changes going lively, scaled codes meeting a value without one, single
// precision meeting a double), it must end as the column told of every sample does.
TEST(CSampleColumn, TellingOnlyTheChangesBuildsTheSameColumn) {
    using W = CSampleColumn::EWidth;
    struct Case {
        const char* what;
        double (*value)(size_t i);
        W ends;
    };
    const Case cases[] = {
        {"seldom, then lively",
         [](size_t i) { return i < 3000 ? 5.0 + static_cast<double>(i / 250) : i % 3 * 0.5; },
         W::kScaled},
        {"scaled, then a third",
         [](size_t i) { return i == 1700 ? 1.0 / 3.0 : static_cast<double>(i / 3 % 40) / 10.0; },
         W::kByte},
        {"single, then a double",
         [](size_t i) {
             return i < 900 ? static_cast<double>(static_cast<float>(i / 2 % 9) * 0.3f) : 0.1;
         },
         W::kByte},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CSampleColumn every, changes;
        const size_t n = 4000;
        for (size_t i = 0; i < n; ++i) {
            const uint64_t bits = Bits(c.value(i));
            every.Append(i, bits);
            if (i == 0 || bits != Bits(c.value(i - 1)))
                changes.Append(i, bits);
        }
        EXPECT_EQ(changes.Width(), every.Width());
        EXPECT_EQ(every.Width(), c.ends);
        EXPECT_EQ(changes.Bytes(), every.Bytes());
        for (size_t i = 0; i < n; ++i)
            ASSERT_EQ(changes.Get(i), Bits(c.value(i))) << i;
    }
}

// The store tells a column a batch of samples at once. Whatever the values do inside a batch
// (repeat to its end, change width in its middle, go from changes to every sample, meet a value
// the table has not seen), the column must end exactly as the one told sample by sample, and the
// next value told singly must land as it would there.
TEST(CSampleColumn, RunsOfValuesBuildTheSameColumnAsValuesOneByOne) {
    struct Case {
        const char* what;
        uint8_t fieldBytes;
        uint64_t (*value)(size_t i);
    };
    const Case cases[] = {
        {"hundredths, repeating in pairs", 8,
         [](size_t i) { return Bits(static_cast<double>(i / 2 % 150) / 100.0); }},
        {"scaled, then thirds", 8,
         [](size_t i) { return Bits(i < 700 ? static_cast<double>(i % 40) / 4.0 : i / 3.0); }},
        {"seconds past two bytes", 8, [](size_t i) { return Bits(static_cast<double>(i * 7)); }},
        {"seldom, then lively", 8,
         [](size_t i) { return Bits(i < 1500 ? static_cast<double>(i / 200) : i % 7 * 0.1); }},
        {"single precision", 8,
         [](size_t i) { return Bits(static_cast<double>(static_cast<float>(i % 13) * 0.3f)); }},
        {"a table growing to two bytes", 8,
         [](size_t i) { return Bits(static_cast<double>(i % 311) / 3.0); }},
        {"ints", 4, [](size_t i) { return uint64_t(i % 5 == 0 ? 70000 + i : i % 9); }},
        {"bytes", 1, [](size_t i) { return uint64_t(i / 5 % 3); }},
        {"constant", 8, [](size_t) { return Bits(1.5); }},
    };
    for (const Case& c : cases) {
        for (size_t batch : {size_t(1), size_t(3), size_t(31)}) {
            SCOPED_TRACE(std::string(c.what) + ", batches of " + std::to_string(batch));
            CSampleColumn single(c.fieldBytes), runs(c.fieldBytes);
            const size_t n = 3000;
            std::vector<uint64_t> values(n);
            for (size_t i = 0; i < n; ++i) {
                values[i] = c.value(i);
                single.Append(i, values[i]);
            }
            for (size_t i = 0; i < n; i += batch)
                runs.AppendRun(i, &values[i], std::min(batch, n - i));
            // A compacted column builds its look-up of values again for the next run.
            if (batch == 3) {
                single.Compact();
                runs.Compact();
            }
            const uint64_t next = c.value(n + 5);
            single.Append(n, next);
            runs.AppendRun(n, &next, 1);
            EXPECT_EQ(runs.Width(), single.Width());
            EXPECT_EQ(runs.Changes(), single.Changes());
            EXPECT_EQ(runs.Bytes(), single.Bytes());
            for (size_t i = 0; i <= n + 2; ++i)
                ASSERT_EQ(runs.Get(i), i < n ? values[i] : next) << i;
        }
    }
}
