// Samples come from shared slabs: they must behave as separate objects whatever order they are
// made and freed in, and on whichever thread.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <set>
#include <thread>
#include <vector>

#include "logfile/CDiveLogSample.h"

namespace {

class CTaggedSample : public CDiveLogSample {
public:
    double m_dExtra[8] = {};
};

using SampleList = std::vector<std::unique_ptr<CDiveLogSample>>;

void MakeTagged(SampleList& out, int count, int first) {
    for (int k = 0; k < count; ++k) {
        auto s = std::make_unique<CDiveLogSample>();
        s->m_dTime = first + k;
        s->m_dTableB[15] = -(first + k);
        out.push_back(std::move(s));
    }
}

void ExpectIntact(const SampleList& list) {
    std::set<const void*> seen;
    for (const auto& s : list) {
        ASSERT_TRUE(seen.insert(s.get()).second);
        ASSERT_EQ(s->m_dTableB[15], -s->m_dTime);
        ASSERT_EQ(reinterpret_cast<std::uintptr_t>(s.get()) % alignof(CDiveLogSample), 0u);
    }
}

} // namespace

TEST(SampleAllocation, ManySamplesFreedInAnyOrderStaySeparate) {
    std::mt19937 rng(11);
    SampleList list;
    MakeTagged(list, 5000, 0); // several slabs' worth
    ExpectIntact(list);
    // Free a random half, make more, and check nothing overlaps or was overwritten.
    std::shuffle(list.begin(), list.end(), rng);
    list.resize(list.size() / 2);
    MakeTagged(list, 3000, 100000);
    ExpectIntact(list);
    list.clear();
    MakeTagged(list, 10, 7);
    ExpectIntact(list);
}

TEST(SampleAllocation, DerivedClassAndOtherThreads) {
    // A larger derived object goes to the ordinary heap and comes back through it.
    std::unique_ptr<CDiveLogSample> derived = std::make_unique<CTaggedSample>();
    derived->m_dTime = 3;
    static_cast<CTaggedSample&>(*derived).m_dExtra[7] = 4;
    EXPECT_EQ(static_cast<CTaggedSample&>(*derived).m_dExtra[7], 4);
    derived.reset();

    // Samples made on one thread and freed on another, while the maker has ended.
    SampleList fromThread;
    std::thread maker([&] { MakeTagged(fromThread, 2500, 0); });
    maker.join();
    SampleList mine;
    MakeTagged(mine, 2500, 50000);
    ExpectIntact(fromThread);
    ExpectIntact(mine);
    std::thread freer([&] { fromThread.clear(); });
    freer.join();
    ExpectIntact(mine);
}
