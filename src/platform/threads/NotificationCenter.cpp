#include "orvane/platform/threads/NotificationCenter.h"

#include <algorithm>
#include <condition_variable>
#include <thread>

namespace ov {

struct NotificationCenter::Entry {
    std::optional<String> name;
    Observer observer;

    // Guards `removed` and `callers`: the threads inside `observer` right now.
    std::mutex mutex;
    std::condition_variable idle;
    bool removed = false;
    std::vector<std::thread::id> callers;

    bool matches(const String& posted) const { return !name || *name == posted; }

    void call(const Notification& notification) {
        {
            std::lock_guard lock(mutex);
            if (removed) return;
            callers.push_back(std::this_thread::get_id());
        }
        observer(notification);
        std::lock_guard lock(mutex);
        callers.erase(std::find(callers.begin(), callers.end(), std::this_thread::get_id()));
        idle.notify_all();
    }

    // The calling thread may itself be inside the observer (it removes itself); only other
    // threads are waited for.
    void remove() {
        std::unique_lock lock(mutex);
        removed = true;
        idle.wait(lock, [this] {
            const auto self = std::this_thread::get_id();
            return std::all_of(callers.begin(), callers.end(),
                               [self](std::thread::id caller) { return caller == self; });
        });
    }
};

NotificationCenter::NotificationCenter() = default;
NotificationCenter::~NotificationCenter() = default;

NotificationCenter& NotificationCenter::defaultCenter() {
    // Never destroyed: tokens of shared instances may outlive static destruction.
    static auto* center = new NotificationCenter;
    return *center;
}

Subscription NotificationCenter::addObserver(const std::optional<String>& name, Observer observer) {
    auto entry = std::make_shared<Entry>();
    entry->name = name;
    entry->observer = std::move(observer);
    {
        std::lock_guard lock(m_mutex);
        m_entries.push_back(entry);
    }
    return Subscription([this, entry] { removeObserver(entry); });
}

void NotificationCenter::postNotification(const String& name, const Value& object,
                                          const Dictionary& userInfo) {
    std::vector<std::shared_ptr<Entry>> matching;
    {
        std::lock_guard lock(m_mutex);
        for (const auto& entry : m_entries) {
            if (entry->matches(name)) matching.push_back(entry);
        }
    }
    const Notification notification{name, object, userInfo};
    for (const auto& entry : matching)
        entry->call(notification);
}

void NotificationCenter::removeObserver(const std::shared_ptr<Entry>& entry) {
    {
        std::lock_guard lock(m_mutex);
        std::erase(m_entries, entry);
    }
    entry->remove();
}

}  // namespace ov
