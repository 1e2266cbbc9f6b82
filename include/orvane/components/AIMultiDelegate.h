#pragma once
// A forwarder that passes one delegate's messages on to several listeners, in list order.
// Listeners are held weakly: a destroyed one reads as an expired entry until the list is
// compacted (at the next removal or message), and never receives a message.
//
// C++ has no run-time message forwarding, so a message is sent with forward(): its selector
// names it (for respondsToSelector and the unrecognised-message error) and a delivery hands it
// to one listener (see MultiDelegateDelivery.h for what a delivery answers). A delegate that
// fans out is a small adapter:
//
//   class LinkListeners : public ov::ui::TextViewDelegate {
//     public:
//       ov::AIMultiDelegate<ov::ui::TextViewDelegate> listeners;
//       std::optional<bool> textView(ov::ui::TextView& view, const ov::URL& url,
//                                    ov::Range range, ov::ui::UITextItemInteraction how) override {
//           return listeners.forward(
//               "textView:shouldInteractWithURL:inRange:interaction:",
//               [&](ov::ui::TextViewDelegate& d) { return d.textView(view, url, range, how); });
//       }
//   };
//
// With no listener, a message is dropped while silentWhenEmpty is set (the default) and is not
// recognised (ov::doesNotRecognizeSelector, which throws) when it is cleared. Deliveries run
// over a copy of the list, so a listener may add or remove listeners meanwhile: the change
// counts from the next message. One thread only.

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "orvane/components/MultiDelegateDelivery.h"
#include "orvane/platform/values/String.h"

namespace ov {

template <class Listener>
class AIMultiDelegate {
  public:
    using ListenerPointer = std::shared_ptr<Listener>;

    AIMultiDelegate() = default;
    // initWithDelegates: appends each listener in order.
    explicit AIMultiDelegate(const std::vector<ListenerPointer>& delegates) {
        for (const ListenerPointer& delegate : delegates)
            addDelegate(delegate);
    }

    bool silentWhenEmpty() const { return m_silentWhenEmpty; }
    void setSilentWhenEmpty(bool silent) { m_silentWhenEmpty = silent; }
    // The entries, destroyed listeners included as expired ones until the list is compacted.
    const std::vector<std::weak_ptr<Listener>>& delegates() const { return m_delegates; }

    // A null listener changes nothing.
    void addDelegate(const ListenerPointer& delegate) {
        if (delegate) m_delegates.push_back(delegate);
    }
    // By identity; NSNotFound when absent.
    uint64_t indexOfDelegate(const Listener* delegate) const {
        if (!delegate) return NSNotFound;
        for (size_t i = 0; i < m_delegates.size(); ++i) {
            if (m_delegates[i].lock().get() == delegate) return i;
        }
        return NSNotFound;
    }
    // At the other listener's place, or at the end when it is not in the list.
    void addDelegate_beforeDelegate(const ListenerPointer& delegate, const Listener* other) {
        const uint64_t index = indexOfDelegate(other);
        insert(delegate, index == NSNotFound ? m_delegates.size() : index);
    }
    // Just after the other listener, or first when it is not in the list.
    void addDelegate_afterDelegate(const ListenerPointer& delegate, const Listener* other) {
        const uint64_t index = indexOfDelegate(other);
        insert(delegate, index == NSNotFound ? 0 : index + 1);
    }
    void removeDelegate(const Listener* delegate) {
        const uint64_t index = indexOfDelegate(delegate);
        if (index != NSNotFound) m_delegates.erase(m_delegates.begin() + index);
        compact();
    }
    void removeAllDelegates() { m_delegates.clear(); }

    // True for the forwarder's own operations and for a message a live listener implements.
    bool respondsToSelector(const String& selector) const {
        if (multi_delegate::isOneOf(
                selector, {"initWithDelegates:", "addDelegate:", "indexOfDelegate:",
                           "addDelegate:beforeDelegate:", "addDelegate:afterDelegate:",
                           "removeDelegate:", "removeAllDelegates", "delegates", "silentWhenEmpty",
                           "setSilentWhenEmpty:", "respondsToSelector:", "description"}))
            return true;
        return std::any_of(m_delegates.begin(), m_delegates.end(), [&](const auto& entry) {
            const auto listener = entry.lock();
            return listener && multi_delegate::implements(*listener, selector);
        });
    }

    // Delivers the message to every live listener that implements it, in list order.
    template <class Deliver>
    auto forward(const String& selector, Deliver&& delivery) {
        compact();
        const std::vector<std::weak_ptr<Listener>> snapshot = m_delegates;
        return multi_delegate::deliver(snapshot, selector, delivery, m_silentWhenEmpty,
                                       "AIMultiDelegate", this);
    }

  private:
    void insert(const ListenerPointer& delegate, size_t index) {
        if (delegate) m_delegates.insert(m_delegates.begin() + index, delegate);
    }
    // Drops expired entries.
    void compact() {
        std::erase_if(m_delegates, [](const auto& entry) { return entry.expired(); });
    }

    std::vector<std::weak_ptr<Listener>> m_delegates;
    bool m_silentWhenEmpty = true;
};

}  // namespace ov
