#include <gtest/gtest.h>

#include "orvane/platform/threads/Cache.h"
#include "orvane/platform/values/Error.h"

namespace ov {
namespace {

std::shared_ptr<Object> object() {
    return std::make_shared<Error>("Test", 1);
}

TEST(Cache, EvictsTheLeastRecentlyUsedPastTheCountLimit) {
    Cache cache;
    cache.setCountLimit(2);
    const auto a = object();
    cache.setObject(a, "a");
    cache.setObject(object(), "b");
    EXPECT_EQ(cache.objectForKey("a"), a);  // now b is the oldest
    cache.setObject(object(), "c");
    EXPECT_EQ(cache.objectForKey("b"), nullptr);
    EXPECT_EQ(cache.objectForKey("a"), a);
    EXPECT_EQ(cache.count(), 2u);
}

TEST(Cache, EvictsByCostAndKeepsCostsInStepOnReplaceAndRemove) {
    Cache cache;
    cache.setTotalCostLimit(100);
    cache.setObject(object(), "a", 40);
    cache.setObject(object(), "b", 40);
    cache.setObject(object(), "a", 50);  // replaced, not added
    EXPECT_EQ(cache.totalCost(), 90u);
    cache.setObject(object(), "c", 30);
    EXPECT_EQ(cache.objectForKey("b"), nullptr);
    EXPECT_EQ(cache.totalCost(), 80u);
    cache.setObject(object(), "huge", 500);  // the newest stays even alone over the limit
    EXPECT_NE(cache.objectForKey("huge"), nullptr);
    EXPECT_EQ(cache.count(), 1u);
    cache.removeObjectForKey("huge");
    EXPECT_EQ(cache.totalCost(), 0u);
}

TEST(Cache, RemoveAllObjectsEmptiesItAndLowerLimitsTrimAtOnce) {
    Cache cache;
    for (const char* key : {"a", "b", "c"})
        cache.setObject(object(), key, 1);
    cache.setCountLimit(1);
    EXPECT_EQ(cache.count(), 1u);
    EXPECT_NE(cache.objectForKey("c"), nullptr);
    cache.removeAllObjects();
    EXPECT_EQ(cache.count(), 0u);
    EXPECT_EQ(cache.totalCost(), 0u);
    EXPECT_EQ(cache.objectForKey("c"), nullptr);
}

}  // namespace
}  // namespace ov
