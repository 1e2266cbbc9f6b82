#include "orvane/platform/threads/Cache.h"

namespace ov {

std::shared_ptr<Object> Cache::objectForKey(const String& key) {
    std::lock_guard lock(m_mutex);
    const auto found = m_index.find(key.toUtf8());
    if (found == m_index.end()) return nullptr;
    m_entries.splice(m_entries.begin(), m_entries, found->second);
    return found->second->object;
}

void Cache::setObject(std::shared_ptr<Object> object, const String& key, size_t cost) {
    // A replaced object is released after the lock: its destructor may use the cache.
    std::shared_ptr<Object> replaced;
    std::lock_guard lock(m_mutex);
    std::string utf8 = key.toUtf8();
    if (const auto found = m_index.find(utf8); found != m_index.end()) {
        replaced = found->second->object;
        removeLocked(found->second);
    }
    if (!object) return;
    m_entries.push_front({utf8, std::move(object), cost});
    m_index.emplace(std::move(utf8), m_entries.begin());
    m_totalCost += cost;
    evictToLimitsLocked();
}

void Cache::removeObjectForKey(const String& key) {
    setObject(nullptr, key);
}

void Cache::removeAllObjects() {
    Entries dropped;
    std::lock_guard lock(m_mutex);
    dropped.swap(m_entries);
    m_index.clear();
    m_totalCost = 0;
}

size_t Cache::countLimit() const {
    std::lock_guard lock(m_mutex);
    return m_countLimit;
}

void Cache::setCountLimit(size_t limit) {
    std::lock_guard lock(m_mutex);
    m_countLimit = limit;
    evictToLimitsLocked();
}

size_t Cache::totalCostLimit() const {
    std::lock_guard lock(m_mutex);
    return m_totalCostLimit;
}

void Cache::setTotalCostLimit(size_t limit) {
    std::lock_guard lock(m_mutex);
    m_totalCostLimit = limit;
    evictToLimitsLocked();
}

size_t Cache::count() const {
    std::lock_guard lock(m_mutex);
    return m_entries.size();
}

size_t Cache::totalCost() const {
    std::lock_guard lock(m_mutex);
    return m_totalCost;
}

void Cache::removeLocked(Entries::iterator entry) {
    m_totalCost -= entry->cost;
    m_index.erase(entry->key);
    m_entries.erase(entry);
}

void Cache::evictToLimitsLocked() {
    const auto overLimit = [this] {
        return (m_countLimit > 0 && m_entries.size() > m_countLimit) ||
               (m_totalCostLimit > 0 && m_totalCost > m_totalCostLimit);
    };
    // The newest entry stays even when it alone passes the cost limit.
    while (m_entries.size() > 1 && overLimit())
        removeLocked(std::prev(m_entries.end()));
}

}  // namespace ov
