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

// Large blocks live outside the heap and small ones inside it; a column that crosses that line
// in either direction, by growing, shrinking or being assigned over, must keep its values.
TEST(PodVector, KeepsValuesAcrossTheLineBetweenHeapAndMappedBlocks) {
    const size_t large = podvector::kMappedBytes / sizeof(uint32_t) * 3 + 5;
    CPodVector<uint32_t> pod;
    for (uint32_t i = 0; i < large; ++i)
        pod.push_back(i ^ 0x5a5a5a5au);
    ASSERT_EQ(pod.size(), large);
    EXPECT_EQ(pod[0], 0x5a5a5a5au);
    EXPECT_EQ(pod.back(), static_cast<uint32_t>(large - 1) ^ 0x5a5a5a5au);

    // Shrunk back to a few values: they move into the heap.
    CPodVector<uint32_t> shrunk = pod;
    shrunk.assign(pod.begin(), pod.begin() + 7);
    shrunk.shrink_to_fit();
    EXPECT_EQ(shrunk.capacity(), 7u);
    for (uint32_t i = 0; i < 7; ++i)
        EXPECT_EQ(shrunk[i], i ^ 0x5a5a5a5au);

    // A small vector assigned a large one, and a large one given a small one's values.
    CPodVector<uint32_t> small = {1, 2, 3};
    small = pod;
    EXPECT_TRUE(std::equal(small.begin(), small.end(), pod.begin(), pod.end()));
    pod = shrunk;
    EXPECT_EQ(pod.size(), 7u);
    pod.shrink_to_fit();
    EXPECT_EQ(pod[6], 6u ^ 0x5a5a5a5au);

    // Room asked for in one step past the line, from nothing.
    CPodVector<uint8_t> bytes;
    uint8_t* room = bytes.room(podvector::kMappedBytes * 2);
    room[0] = 1;
    room[podvector::kMappedBytes * 2 - 1] = 2;
    bytes.commit(podvector::kMappedBytes * 2);
    EXPECT_EQ(bytes.back(), 2);
    bytes.clear();
    bytes.shrink_to_fit();
    EXPECT_EQ(bytes.capacity(), 0u);
}
