#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "logfile/PodVector.h"

// The column storage grows by realloc; a slip there loses or shares samples silently, so its
// copies, moves and regrowth are checked against std::vector doing the same.
TEST(PodVector, GrowsCopiesAndMovesLikeAStdVector) {
    CPodVector<uint16_t> pod;
    std::vector<uint16_t> ref;
    for (uint32_t i = 0; i < 100000; ++i) {
        pod.push_back(static_cast<uint16_t>(i * 7));
        ref.push_back(static_cast<uint16_t>(i * 7));
        if (i % 9999 == 0) {
            pod.append(i % 5, 3);
            ref.insert(ref.end(), i % 5, 3);
        }
        if (i % 7777 == 0) {
            // Room for a run, only part of it used: the rest must not count.
            uint16_t* room = pod.room(40);
            for (uint16_t k = 0; k < 25; ++k)
                room[k] = static_cast<uint16_t>(k + 1);
            pod.commit(25);
            for (uint16_t k = 0; k < 25; ++k)
                ref.push_back(static_cast<uint16_t>(k + 1));
        }
    }
    ASSERT_EQ(pod.size(), ref.size());
    EXPECT_TRUE(std::equal(pod.begin(), pod.end(), ref.begin()));

    CPodVector<uint16_t> copy = pod; // deep: changing one leaves the other
    copy[5] = 1;
    EXPECT_EQ(pod[5], ref[5]);
    CPodVector<uint16_t> moved = std::move(copy);
    EXPECT_TRUE(copy.empty()); // NOLINT(bugprone-use-after-move): a moved-from vector is reusable
    copy.push_back(9);
    EXPECT_EQ(copy.size(), 1u);
    EXPECT_EQ(moved.size(), ref.size());
    EXPECT_EQ(moved[5], 1);

    pod.shrink_to_fit();
    EXPECT_EQ(pod.capacity(), pod.size());
    pod.clear();
    pod.shrink_to_fit();
    EXPECT_EQ(pod.capacity(), 0u);
    pod.push_back(4); // grows again from nothing
    EXPECT_EQ(pod.back(), 4);

    // Widening a column copies its bytes into words.
    const CPodVector<uint8_t> bytes = {1, 200, 255};
    CPodVector<uint16_t> words;
    words.assign(bytes.begin(), bytes.end());
    EXPECT_EQ(words.size(), 3u);
    EXPECT_EQ(words[1], 200);
    words.assign(2, 7);
    EXPECT_EQ(words.size(), 2u);
    EXPECT_EQ(words[1], 7);
}
