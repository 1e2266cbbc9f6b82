#include <gtest/gtest.h>

#include <string>

#include "orvane/platform/values/StagingStack.h"
#include "orvane/platform/values/Value.h"
#include "orvane/platform/values/ValueArena.h"

namespace ov {
namespace {

String numbered(int i) {
    return String("a text long enough for a block of its own, number " + std::to_string(i));
}

String numbered(ValueArena& arena, int i) {
    const std::u16string units(numbered(i).utf16());
    return String::build(arena, units.size(), [&](char16_t* out) {
        return std::copy(units.begin(), units.end(), out) - out;
    });
}

// The leak and address sanitizers check that nothing is lost or freed twice: growing moves
// texts held in blocks, and an array taking the top may build in the arena or, when a value
// holds storage elsewhere, on the heap.
TEST(StagingStack, ElementsSurviveGrowingAndLeaveWithTheirContainer) {
    for (const bool withData : {false, true}) {
        ValueArena& arena = ValueArena::make();
        StagingStack<Value> stack;
        for (int i = 0; i < 200; ++i)
            stack.emplace_back(numbered(arena, i));
        if (withData) stack.emplace_back(Data::fromString("bytes"));
        const size_t kept = 150;
        const Array taken(arena, stack.data() + kept, stack.size() - kept);
        stack.forget(kept);
        arena.finish();

        ASSERT_EQ(stack.size(), kept);
        EXPECT_EQ(stack.back(), Value(numbered(149)));
        EXPECT_EQ(taken.count(), withData ? 51u : 50u);
        EXPECT_EQ(taken[0], Value(numbered(150)));
        stack.truncate(10);
        EXPECT_EQ(stack.back(), Value(numbered(9)));
    }
}

}  // namespace
}  // namespace ov
