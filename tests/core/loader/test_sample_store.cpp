#include <gtest/gtest.h>

#if defined(__x86_64__) && defined(__GNUC__)
#include <cpuid.h>
#include <immintrin.h>
#endif

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <type_traits>
#include <vector>

#include "logfile/CSampleStore.h"
#include "logfile/SampleFields.h"

namespace {

// A sample whose fields follow `i` in ways that drive each column through its widths: a constant,
// a field with three values, one with 300 (two-byte codes), one distinct per sample (raw) and
// one that changes once, late.
CDiveLogSample Made(size_t i, size_t count) {
    CDiveLogSample s;
    s.m_dTime = 0.25 * static_cast<double>(i);
    s.m_dSetpoint = 1.3;
    s.m_byStatus[3] = static_cast<unsigned char>(i % 3);
    s.m_dC1Cell[1] = static_cast<double>(i % 300) / 100.0;
    s.m_dPressure = 1000.0 + static_cast<double>(i) / 7.0;
    s.m_nGasNumber = i + 10 >= count ? 4 : -1;
    s.m_bPoweredOn = i % 1000 != 999;
    // Bit patterns that compare equal as numbers must still come back as they went in.
    s.m_dDecoWord2 = i % 2 ? -0.0 : 0.0;
    s.m_dTableA[15] = i == 5 ? std::numeric_limits<double>::quiet_NaN() : 2.0;
    return s;
}

void ExpectSame(const CDiveLogSample& a, const CDiveLogSample& b, size_t i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(a.m_dTime, b.m_dTime);
    EXPECT_EQ(a.m_dSetpoint, b.m_dSetpoint);
    EXPECT_EQ(a.m_byStatus[3], b.m_byStatus[3]);
    EXPECT_EQ(a.m_dC1Cell[1], b.m_dC1Cell[1]);
    EXPECT_EQ(a.m_dPressure, b.m_dPressure);
    EXPECT_EQ(a.m_nGasNumber, b.m_nGasNumber);
    EXPECT_EQ(a.m_bPoweredOn, b.m_bPoweredOn);
    EXPECT_EQ(std::bit_cast<uint64_t>(a.m_dDecoWord2), std::bit_cast<uint64_t>(b.m_dDecoWord2));
    EXPECT_EQ(std::bit_cast<uint64_t>(a.m_dTableA[15]), std::bit_cast<uint64_t>(b.m_dTableA[15]));
    EXPECT_EQ(a.m_dCylinder[12], -1.0); // an initial value that is never written
}

CSampleStore Filled(size_t count) {
    CSampleStore store;
    for (size_t i = 0; i < count; ++i)
        store.push_back(Made(i, count));
    return store;
}

} // namespace

// ---- Storing and reading ------------------------------------------------------------------------

TEST(CSampleStore, EveryReadingWayGivesBackWhatWentInThroughEveryWidth) {
    constexpr size_t kCount = 70000; // past the two-byte codes of a lively field
    CSampleStore store = Filled(kCount);
    store.shrink_to_fit();
    ASSERT_EQ(store.size(), kCount);
    for (size_t i : {size_t(0), size_t(5), size_t(299), size_t(300), size_t(69989), kCount - 1})
        ExpectSame(*store[i], Made(i, kCount), i);
    size_t visited = 0;
    store.ForEach(0, kCount, [&](size_t i, const CDiveLogSample& s) {
        if (i % 997 == 0 || i + 12 > kCount)
            ExpectSame(s, Made(i, kCount), i);
        ++visited;
    });
    EXPECT_EQ(visited, kCount);
    size_t i = 0;
    for (const auto& s : store) {
        if (i % 1009 == 0 || i + 12 > kCount)
            ExpectSame(*s, Made(i, kCount), i);
        ++i;
    }
    EXPECT_EQ(i, kCount);
    EXPECT_EQ(store.Time(69999), 0.25 * 69999);
    EXPECT_EQ(store.Status(4, 3), 1);
    // Two raw fields, one two-byte and five one-byte codes; the rest cost nothing per sample.
    EXPECT_LT(store.Bytes() / kCount, 30u);
}

// Reading a stretch of one column gives what reading each sample does, whatever the column's
// form, across the end of what the column stores and into the samples still waiting whole.
TEST(CSampleStore, StretchesOfOneColumnMatchTheSamples) {
    constexpr size_t kCount = 70000;
    CSampleStore store = Filled(kCount); // the newest samples still wait whole
    const CDiveLogSample p;
    const void* fields[] = {&p.m_dTime,       &p.m_dSetpoint,   &p.m_byStatus[3], &p.m_dC1Cell[1],
                            &p.m_dPressure,   &p.m_nGasNumber,  &p.m_bPoweredOn,  &p.m_dDecoWord2,
                            &p.m_dTableA[15], &p.m_dCylinder[2]};
    auto bitsAt = [&](const CDiveLogSample& s, const void* field) {
        const auto offset = static_cast<const char*>(field) - reinterpret_cast<const char*>(&p);
        uint64_t bits = 0;
        const size_t size = field == &p.m_nGasNumber                                ? 4
                            : field == &p.m_byStatus[3] || field == &p.m_bPoweredOn ? 1
                                                                                    : 8;
        std::memcpy(&bits, reinterpret_cast<const char*>(&s) + offset, size);
        return bits;
    };
    std::vector<uint64_t> got(700);
    for (const void* field : fields) {
        const uint32_t column = CSampleStore::ColumnOf(p, field);
        for (size_t first : {size_t(0), size_t(3), size_t(69400), kCount - 40, kCount - 1}) {
            const size_t n = std::min(got.size(), kCount - first);
            store.Values(column, first, n, got.data());
            for (size_t i = 0; i < n; ++i) {
                const uint64_t want = bitsAt(Made(first + i, kCount), field);
                if (got[i] != want) {
                    ADD_FAILURE() << "column " << column << " sample " << first + i;
                    break;
                }
            }
        }
    }
}

// A walk over chosen fields keeps exactly those current, from any start, through the open
// sample too; an array named whole brings all its elements.
TEST(CSampleStore, WalkOverChosenFieldsFollowsOnlyThoseFields) {
    constexpr size_t kCount = 5000;
    CSampleStore store = Filled(kCount); // the last one stays open
    const CDiveLogSample p;
    auto field = [](const auto& f) { return CSampleStore::CFieldRange{&f, sizeof f}; };
    const std::vector<uint32_t> columns = CSampleStore::ColumnsOf(
        p, {field(p.m_dPressure), field(p.m_nGasNumber), field(p.m_dC1Cell)});
    EXPECT_EQ(columns.size(), 5u);
    for (size_t first : {size_t(0), size_t(4989), kCount - 1}) {
        SCOPED_TRACE(first);
        size_t visited = 0;
        store.ForEach(first, kCount + 3, columns, [&](size_t i, const CDiveLogSample& s) {
            const CDiveLogSample want = Made(i, kCount);
            EXPECT_EQ(s.m_dPressure, want.m_dPressure);
            EXPECT_EQ(s.m_nGasNumber, want.m_nGasNumber);
            EXPECT_EQ(s.m_dC1Cell[1], want.m_dC1Cell[1]);
            if (i < kCount - 1) { // time is not followed: it stays that of the first sample
                EXPECT_EQ(s.m_dTime, Made(first, kCount).m_dTime);
            }
            ++visited;
        });
        EXPECT_EQ(visited, kCount - first);
    }
}

TEST(CSampleStore, NewestSampleStaysWritableUntilTheNextAppend) {
    CSampleStore store;
    CDiveLogSample& first = store.push_back(CDiveLogSample());
    first.m_dPressure = 1500.0; // the loader decodes later lines into the newest sample
    EXPECT_EQ(store.back()->m_dPressure, 1500.0);
    store.push_back(CDiveLogSample()).m_dPressure = 1600.0;
    EXPECT_EQ(store[0]->m_dPressure, 1500.0);
    EXPECT_EQ(store[1]->m_dPressure, 1600.0);
    // The loader reads the newest sample without building it; an edit through Set shows there.
    EXPECT_EQ(store.Newest().m_dPressure, 1600.0);
    CDiveLogSample edited = *store[1];
    edited.m_dPressure = 1700.0;
    store.Set(1, edited);
    EXPECT_EQ(store.Newest().m_dPressure, 1700.0);
    EXPECT_EQ(store.back()->m_dPressure, 1700.0);
}

// A field that stayed put for thousands of samples and then changes must not take the earlier
// samples with it, nor may a change through Set leak into the neighbours.
TEST(CSampleStore, LateChangesAndEditsTouchOnlyTheirSamples) {
    CSampleStore store = Filled(5000);
    EXPECT_EQ(store[4989]->m_nGasNumber, -1);
    EXPECT_EQ(store[4990]->m_nGasNumber, 4);
    store.shrink_to_fit(); // the look-up of values is rebuilt by the next change
    CDiveLogSample edited = *store[2500];
    edited.m_dSetpoint = 0.7;
    edited.m_dC1Cell[1] = 0.01;
    store.Set(2500, edited);
    EXPECT_EQ(store[2500]->m_dSetpoint, 0.7);
    EXPECT_EQ(store[2500]->m_dC1Cell[1], 0.01);
    EXPECT_EQ(store[2499]->m_dSetpoint, 1.3);
    EXPECT_EQ(store[2501]->m_dSetpoint, 1.3);
    EXPECT_EQ(store[2501]->m_dC1Cell[1], Made(2501, 5000).m_dC1Cell[1]);
    store.push_back(Made(5000, 5001));
    EXPECT_EQ(store[5000]->m_dSetpoint, 1.3);
}

// ---- Searching and derived values ---------------------------------------------------------------

TEST(CSampleStore, TimeSearchesHalveOverEqualTimes) {
    CSampleStore store;
    for (double t : {0.0, 10.0, 10.0, 10.0, 20.0})
        store.push_back(CDiveLogSample()).m_dTime = t;
    EXPECT_EQ(store.FirstNotBefore(10.0, 0, store.size()), 1u);
    EXPECT_EQ(store.FirstAfter(10.0, 0, store.size()), 4u);
    EXPECT_EQ(store.FirstAfter(25.0, 0, store.size()), 5u);
    EXPECT_EQ(store.FirstNotBefore(-1.0, 2, store.size()), 2u);
}

TEST(CSampleStore, DerivedValuesFollowEditsAndEmptying) {
    CSampleStore store = Filled(100);
    auto pressure = [](const CDiveLogSample& s) { return s.m_dPressure; };
    EXPECT_EQ(store.Derived(1, pressure)[50], Made(50, 100).m_dPressure);
    CDiveLogSample edited = *store[50];
    edited.m_dPressure = 4242.0;
    store.Set(50, edited);
    EXPECT_EQ(store.Derived(1, pressure)[50], 4242.0);
    store.clear();
    EXPECT_TRUE(store.empty());
    EXPECT_TRUE(store.Derived(1, pressure).empty());
}

// The newest samples wait whole and go into the columns a batch at a time. Every way of reading
// must see them the same on both sides of that line, and an edit of the newest sample in the
// columns must be what the next batch is compared with.
TEST(CSampleStore, SamplesWaitingForTheirBatchReadAndEditLikeTheRest) {
    for (size_t count : {size_t(1), size_t(2), size_t(31), size_t(32), size_t(33), size_t(100)}) {
        SCOPED_TRACE(count);
        CSampleStore store = Filled(count);
        ASSERT_EQ(store.size(), count);
        for (size_t i = 0; i < count; ++i) {
            ExpectSame(*store[i], Made(i, count), i);
            EXPECT_EQ(store.Time(i), Made(i, count).m_dTime);
            EXPECT_EQ(store.Status(i, 3), Made(i, count).m_byStatus[3]);
        }
        size_t i = 0;
        for (const auto& s : store)
            ExpectSame(*s, Made(i, count), i), ++i;
        EXPECT_EQ(i, count);
        store.ForEach(count / 2, count,
                      [&](size_t k, const CDiveLogSample& s) { ExpectSame(s, Made(k, count), k); });
        EXPECT_EQ(store.FirstNotBefore(Made(count - 1, count).m_dTime, 0, count), count - 1);

        // Edits on either side, then more samples: each edit stays on its own sample.
        for (size_t at : {count / 2, count - 1}) {
            CDiveLogSample edited = *store[at];
            edited.m_dSetpoint = 0.9;
            store.Set(at, edited);
        }
        for (size_t k = count; k < count + 40; ++k)
            store.push_back(Made(k, count + 40));
        store.shrink_to_fit();
        for (size_t k = 0; k < count + 40; ++k) {
            const bool edited = k == count / 2 || k == count - 1;
            ASSERT_EQ(store[k]->m_dSetpoint, edited ? 0.9 : 1.3) << k;
        }
        EXPECT_EQ(store.Newest().m_dTime, Made(count + 39, count + 40).m_dTime);
        store.clear();
        EXPECT_TRUE(store.empty());
        store.push_back(Made(7, 8));
        ExpectSame(*store[0], Made(7, 8), 0);
    }
}

// A batch is compared stretch by stretch, with the processor's widest instructions where it has
// them and sixteen bytes at a time otherwise, and the last bytes of a sample one by one. A
// change in any field, at any place in a batch, must reach the columns either way, and a
// change undone inside a batch must leave nothing behind.
TEST(CSampleStore, EveryFieldChangedAnywhereInABatchComesBack) {
    auto fieldCount = [] {
        CDiveLogSample probe;
        size_t n = 0;
        ForEachSampleField(probe, [&](const char*, auto&) { ++n; });
        return n;
    }();
    // Sample i changes field i % fieldCount (every element of an array) to a value of its own,
    // and every third sample puts the field before it back.
    auto made = [&](size_t i) {
        CDiveLogSample s;
        size_t f = 0;
        ForEachSampleField(s, [&](const char*, auto& field) {
            const bool mine = f == i % fieldCount;
            const bool stays = i % 3 != 0 && f + 1 == i % fieldCount;
            if (mine || stays) {
                const size_t value = mine ? i : i - 1;
                if constexpr (std::is_array_v<std::remove_reference_t<decltype(field)>>) {
                    for (auto& e : field)
                        e = static_cast<std::remove_reference_t<decltype(e)>>(value % 100 + 1);
                } else {
                    field = static_cast<std::remove_reference_t<decltype(field)>>(value % 100 + 1);
                }
            }
            ++f;
        });
        return s;
    };
    for (bool wide : {true, false}) {
        SCOPED_TRACE(wide);
        CSampleStore::AllowWideCompare(wide);
        CSampleStore store;
        const size_t count = 3 * fieldCount + 7;
        for (size_t i = 0; i < count; ++i)
            store.push_back(made(i));
        store.shrink_to_fit();
        for (size_t i = 0; i < count; ++i) {
            const CDiveLogSample want = made(i);
            const CDiveLogSample got = *store[i];
            ForEachSampleField(got, [&](const char* name, const auto& field) {
                const void* expected =
                    reinterpret_cast<const char*>(&want) +
                    (reinterpret_cast<const char*>(&field) - reinterpret_cast<const char*>(&got));
                EXPECT_EQ(std::memcmp(&field, expected, sizeof field), 0)
                    << "sample " << i << " field " << name;
            });
        }
    }
    CSampleStore::AllowWideCompare(true);
}

#if defined(__x86_64__) && defined(__GNUC__)
namespace {
// Whether the processor reports which register states are in use (XGETBV with ECX = 1).
bool CanReadStatesInUse() {
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx) || !(ecx & bit_OSXSAVE))
        return false;
    if (!__get_cpuid_count(0x0D, 1, &eax, &ebx, &ecx, &edx))
        return false;
    return (eax & 0x04) != 0;
}
[[gnu::target("xsave")]] bool UpperHalvesInUse() {
    return (_xgetbv(1) & 0x04) != 0;
}
} // namespace

// Storing compares samples with 32-byte instructions where the processor has them. Leaving the
// upper halves of those registers in use made every SSE instruction after it slower, program
// wide: a dump took twice as long, and no result showed it.
TEST(CSampleStore, StoringLeavesNoWideRegisterStateBehind) {
    if (!CanReadStatesInUse() || !__builtin_cpu_supports("avx2"))
        GTEST_SKIP() << "the processor does not report its register states";
    CSampleStore store;
    for (size_t i = 0; i < 100; ++i)
        store.push_back(Made(i, 100));
    EXPECT_FALSE(UpperHalvesInUse());
}
#endif
