#pragma once
// A set of strongly held listeners that answers, for them, whether anyone implements a
// message, and forwards messages to them as AIMultiDelegate does (see there).
//
//   auto listeners = std::make_shared<ov::CCMultiDelegate<Observer>>();
//   listeners->addDelegate(logger);
//   listeners->addDelegate(logger);                 // already there: no change
//   listeners->forward("didFinish:", [&](Observer& o) { o.didFinish(job); });
//
// The set keeps its members in the order they were added. Every operation holds the
// forwarder's own lock, so listeners may be added and removed from any thread; a message is
// delivered over a copy taken under the lock, outside it, so a listener may change the set
// meanwhile.

#include <algorithm>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "orvane/components/MultiDelegateDelivery.h"
#include "orvane/platform/values/String.h"

namespace ov {

template <class Listener>
class CCMultiDelegate {
  public:
    using ListenerPointer = std::shared_ptr<Listener>;

    CCMultiDelegate() = default;
    // initWithDelegates:
    explicit CCMultiDelegate(const std::vector<ListenerPointer>& delegates) {
        addDelegates(delegates);
    }

    bool silentWhenEmpty() const {
        std::lock_guard lock(m_mutex);
        return m_silentWhenEmpty;
    }
    void setSilentWhenEmpty(bool silent) {
        std::lock_guard lock(m_mutex);
        m_silentWhenEmpty = silent;
    }

    // A null listener, or one already in the set, changes nothing.
    void addDelegate(const ListenerPointer& delegate) {
        std::lock_guard lock(m_mutex);
        add(delegate);
    }
    void removeDelegate(const Listener* delegate) {
        std::lock_guard lock(m_mutex);
        remove(delegate);
    }
    void addDelegates(const std::vector<ListenerPointer>& delegates) {
        std::lock_guard lock(m_mutex);
        for (const ListenerPointer& delegate : delegates)
            add(delegate);
    }
    void removeDelegates(const std::vector<ListenerPointer>& delegates) {
        std::lock_guard lock(m_mutex);
        for (const ListenerPointer& delegate : delegates)
            remove(delegate.get());
    }
    void removeAllDelegates() {
        std::lock_guard lock(m_mutex);
        m_set.clear();
    }

    // A new list of the members, in the set's order.
    std::vector<ListenerPointer> delegates() const {
        std::lock_guard lock(m_mutex);
        return m_set;
    }
    // The position in delegates(); NSNotFound when absent.
    uint64_t indexOfDelegate(const Listener* delegate) const {
        std::lock_guard lock(m_mutex);
        const auto found = find(delegate);
        return found == m_set.end() ? NSNotFound : uint64_t(found - m_set.begin());
    }

    bool respondsToSelector(const String& selector) const {
        if (multi_delegate::isOneOf(
                selector, {"initWithDelegates:", "addDelegate:", "removeDelegate:", "addDelegates:",
                           "removeDelegates:", "removeAllDelegates", "delegates",
                           "indexOfDelegate:", "silentWhenEmpty",
                           "setSilentWhenEmpty:", "respondsToSelector:", "description"}))
            return true;
        const auto members = delegates();
        return std::any_of(members.begin(), members.end(), [&](const ListenerPointer& listener) {
            return multi_delegate::implements(*listener, selector);
        });
    }

    template <class Deliver>
    auto forward(const String& selector, Deliver&& delivery) {
        std::vector<ListenerPointer> snapshot;
        bool silent = true;
        {
            std::lock_guard lock(m_mutex);
            snapshot = m_set;
            silent = m_silentWhenEmpty;
        }
        return multi_delegate::deliver(snapshot, selector, delivery, silent, "CCMultiDelegate",
                                       this);
    }

  private:
    typename std::vector<ListenerPointer>::const_iterator find(const Listener* delegate) const {
        return std::find_if(m_set.begin(), m_set.end(), [&](const ListenerPointer& member) {
            return member.get() == delegate;
        });
    }
    void add(const ListenerPointer& delegate) {
        if (delegate && find(delegate.get()) == m_set.end()) m_set.push_back(delegate);
    }
    void remove(const Listener* delegate) {
        const auto found = find(delegate);
        if (found != m_set.end()) m_set.erase(found);
    }

    mutable std::mutex m_mutex;
    std::vector<ListenerPointer> m_set;
    bool m_silentWhenEmpty = true;
};

}  // namespace ov
