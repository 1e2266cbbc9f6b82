#pragma once
// What AIMultiDelegate and CCMultiDelegate share: asking a listener whether it implements a
// message, and delivering a message over a snapshot of listeners in order.
//
// A delivery is a callable given one listener. What it returns says whether that listener took
// the message: void (always), bool, or std::optional<T> (a value). For the optional form the
// forwarder answers the last value taken, as the platform's invocation keeps the return value
// of the last delivery.

#include <concepts>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <type_traits>
#include <vector>

#include "orvane/platform/values/String.h"
#include "orvane/platform/values/UnrecognizedSelector.h"

namespace ov::multi_delegate {

// Listener types that can tell which messages they implement offer this; every listener of
// any other type implements every message of its interface.
template <class Listener>
concept AnswersRespondsToSelector = requires(const Listener& listener, const String& selector) {
    { listener.respondsToSelector(selector) } -> std::convertible_to<bool>;
};

template <class Listener>
bool implements(const Listener& listener, const String& selector) {
    if constexpr (AnswersRespondsToSelector<Listener>)
        return listener.respondsToSelector(selector);
    else
        return true;
}

template <class T>
struct IsOptional : std::false_type {};
template <class T>
struct IsOptional<std::optional<T>> : std::true_type {};

// Whether the selector is one of `names` (a forwarder's own operations, which it answers
// for whatever its listeners implement).
inline bool isOneOf(const String& selector, std::initializer_list<const char*> names) {
    for (const char* name : names) {
        if (selector == String(name)) return true;
    }
    return false;
}

template <class Listener>
std::shared_ptr<Listener> alive(const std::weak_ptr<Listener>& entry) {
    return entry.lock();
}
template <class Listener>
std::shared_ptr<Listener> alive(const std::shared_ptr<Listener>& entry) {
    return entry;
}

// The platform's order: a message that live listeners exist for but none of them implements
// has no signature and is not recognised, whatever `silent` says. Otherwise each live entry
// that implements it gets it, in order (an entry destroyed by an earlier delivery is skipped),
// and nobody taking it is reported as not recognised unless `silent` is set. `Handle` is a
// weak or a shared pointer; `listeners` is the caller's snapshot, so deliveries may change
// the forwarder.
template <class Handle, class Deliver>
auto deliver(const std::vector<Handle>& listeners, const String& selector, Deliver& delivery,
             bool silent, const char* className, const void* forwarder) {
    using Listener = typename Handle::element_type;
    using Answer = std::invoke_result_t<Deliver&, Listener&>;
    static_assert(
        std::is_void_v<Answer> || std::is_same_v<Answer, bool> || IsOptional<Answer>::value,
        "a delivery answers void, bool or std::optional");

    bool anyAlive = false;
    bool anyImplements = false;
    for (const Handle& handle : listeners) {
        if (const auto listener = alive(handle)) {
            anyAlive = true;
            anyImplements = anyImplements || implements(*listener, selector);
        }
    }
    if (anyAlive && !anyImplements) doesNotRecognizeSelector(className, selector, forwarder);

    bool taken = false;
    [[maybe_unused]] std::conditional_t<IsOptional<Answer>::value, Answer, bool> last{};
    for (const Handle& handle : listeners) {
        const auto listener = alive(handle);
        if (!listener || !implements(*listener, selector)) continue;
        if constexpr (std::is_void_v<Answer>) {
            std::invoke(delivery, *listener);
            taken = true;
        } else if constexpr (std::is_same_v<Answer, bool>) {
            taken = std::invoke(delivery, *listener) || taken;
        } else if (Answer answer = std::invoke(delivery, *listener)) {
            taken = true;
            last = std::move(answer);
        }
    }
    if (!taken && !silent) doesNotRecognizeSelector(className, selector, forwarder);
    if constexpr (IsOptional<Answer>::value)
        return last;
    else
        return taken;
}

}  // namespace ov::multi_delegate
