#pragma once
// An in-memory cache of shared objects by key (the platform's NSCache). It holds at most
// countLimit() objects and totalCostLimit() cost (0: no limit for either) and evicts the least
// recently used first when a new object would pass a limit.
//
//   ov::Cache cache;
//   cache.setCountLimit(100);
//   cache.setObject(image, "http://example.com/a.png", image->pixels()->size());
//   auto hit = cache.objectForKey("http://example.com/a.png");  // and marks it recently used
//
// Thread-safe. A cache is itself an Object, so it can travel in a notification's user info.

#include <cstddef>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

#include "orvane/platform/values/Object.h"
#include "orvane/platform/values/String.h"

namespace ov {

class Cache final : public Object {
  public:
    std::shared_ptr<Object> objectForKey(const String& key);
    // A null object removes the key.
    void setObject(std::shared_ptr<Object> object, const String& key, size_t cost = 0);
    void removeObjectForKey(const String& key);
    void removeAllObjects();

    size_t countLimit() const;
    void setCountLimit(size_t limit);
    size_t totalCostLimit() const;
    void setTotalCostLimit(size_t limit);
    size_t count() const;
    size_t totalCost() const;

    String className() const override { return "NSCache"; }

  private:
    struct Entry {
        std::string key;
        std::shared_ptr<Object> object;
        size_t cost;
    };
    using Entries = std::list<Entry>;  // most recently used first

    void removeLocked(Entries::iterator entry);
    void evictToLimitsLocked();

    mutable std::mutex m_mutex;
    Entries m_entries;
    std::unordered_map<std::string, Entries::iterator> m_index;
    size_t m_totalCost = 0;
    size_t m_countLimit = 0;
    size_t m_totalCostLimit = 0;
};

}  // namespace ov
