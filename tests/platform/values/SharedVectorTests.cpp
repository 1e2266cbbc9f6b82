#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <vector>

#include "orvane/platform/values/SharedVector.h"
#include "orvane/platform/values/String.h"

namespace ov {
namespace {

// Counts live instances, so a lost or doubled destruction shows.
struct Tracked {
    static inline int live = 0;
    int value = 0;
    explicit Tracked(int v) : value(v) { ++live; }
    Tracked(const Tracked& other) : value(other.value) { ++live; }
    Tracked(Tracked&& other) noexcept : value(other.value) { ++live; }
    Tracked& operator=(const Tracked&) = default;
    Tracked& operator=(Tracked&&) noexcept = default;
    ~Tracked() { --live; }
};

std::vector<int> valuesOf(const SharedVector<Tracked>& vector) {
    std::vector<int> values;
    for (const Tracked& element : vector)
        values.push_back(element.value);
    return values;
}

TEST(SharedVector, ChangingACopyLeavesTheOthersAlone) {
    {
        SharedVector<Tracked> original;
        for (int i = 0; i < 5; ++i)
            original.push_back(Tracked(i));
        const SharedVector<Tracked> untouched = original;
        SharedVector<Tracked> inserted = original;
        inserted.insert(2, Tracked(9));
        SharedVector<Tracked> erased = original;
        erased.erase(1, 3);
        SharedVector<Tracked> changed = original;
        changed.mutableAt(0).value = 7;
        SharedVector<Tracked> cleared = original;
        cleared.clear();

        EXPECT_EQ(valuesOf(original), (std::vector<int>{0, 1, 2, 3, 4}));
        EXPECT_EQ(valuesOf(untouched), valuesOf(original));
        EXPECT_EQ(valuesOf(inserted), (std::vector<int>{0, 1, 9, 2, 3, 4}));
        EXPECT_EQ(valuesOf(erased), (std::vector<int>{0, 3, 4}));
        EXPECT_EQ(valuesOf(changed), (std::vector<int>{7, 1, 2, 3, 4}));
        EXPECT_TRUE(cleared.empty());
        EXPECT_THROW(changed.mutableAt(5), std::out_of_range);
    }
    EXPECT_EQ(Tracked::live, 0);
}

TEST(SharedVector, GrowsAndShrinksInPlaceWhenNotShared) {
    {
        SharedVector<Tracked> vector;
        for (int i = 0; i < 100; ++i)
            vector.insert(0, Tracked(i));  // each insert at the front moves every element
        EXPECT_EQ(vector.size(), 100u);
        EXPECT_EQ(vector[0].value, 99);
        EXPECT_EQ(vector[99].value, 0);
        vector.erase(10, 100);
        vector.erase(5, 5);  // an empty range removes nothing
        EXPECT_EQ(vector.size(), 10u);
        EXPECT_EQ(Tracked::live, 10);
        vector.reserve(50);
        const Tracked* before = vector.begin();
        for (int i = 0; i < 40; ++i)
            vector.push_back(Tracked(i));
        EXPECT_EQ(vector.begin(), before);  // the room reserved was used
        SharedVector<Tracked> moved = std::move(vector);
        EXPECT_TRUE(vector.empty());  // NOLINT(bugprone-use-after-move): moved-from is empty
        EXPECT_EQ(moved.size(), 50u);
    }
    EXPECT_EQ(Tracked::live, 0);
}

TEST(SharedVector, BuildsFromARangeOrACountOfCopies) {
    std::vector<String> texts{"one", "a text too long to be kept inline"};
    const SharedVector<String> moved(std::make_move_iterator(texts.begin()), texts.size());
    EXPECT_EQ(moved[1], String("a text too long to be kept inline"));
    EXPECT_TRUE(texts[1].isEmpty());
    const SharedVector<uint32_t> zeros(64, uint32_t{0});
    EXPECT_EQ(zeros.size(), 64u);
    EXPECT_EQ(std::count(zeros.begin(), zeros.end(), 0u), 64);
    EXPECT_EQ(SharedVector<uint32_t>(0, uint32_t{1}).begin(), nullptr);  // empty holds no block
}

TEST(SharedVectorThreaded, CopiesOnOtherThreadsChangeTheirOwnElements) {
    SharedVector<String> shared;
    for (int i = 0; i < 8; ++i)
        shared.push_back(String("element number " + std::to_string(i)));
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([shared, t] {
            for (int i = 0; i < 2000; ++i) {
                SharedVector<String> copy = shared;
                copy.mutableAt(static_cast<size_t>(t)) += "!";
                copy.push_back("more");
                ASSERT_EQ(copy.size(), 9u);
                ASSERT_EQ(shared[static_cast<size_t>(t)].length(), 16u);
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(shared[3], String("element number 3"));
}

}  // namespace
}  // namespace ov
