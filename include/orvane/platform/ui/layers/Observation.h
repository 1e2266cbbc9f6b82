#pragma once
// Key-value observation (the platform's addObserver:forKeyPath:options:context:): an object
// announces changes of its named properties, and observers registered for a name are told the
// old and the new value. The registration lasts as long as its token.
//
//   class Slider : public ov::ui::Observable {
//     public:
//       void setValue(double value) {
//           if (value == m_value) return;
//           const double old = std::exchange(m_value, value);
//           didChangeValueForKey("value", old, value);
//       }
//     private:
//       double m_value = 0;
//   };
//
//   ov::ui::ObservationToken token = slider.addObserver(
//       "value", ov::ui::NSKeyValueObservingOptionNew,
//       [](const ov::ui::ObservedChange& change) { use(std::any_cast<double>(change.newValue)); });
//   token.cancel();   // or let it go out of scope; cancelling twice is harmless
//
// Observers are called on the thread that makes the change, in the order they were added. An
// observer may add or cancel registrations (its own included) while it is called: one added
// then hears only later changes, one cancelled is not called again. A token may outlive the
// observed object. Not thread-safe: observe and change from one thread (the main one).

#include <any>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "orvane/platform/threads/Subscription.h"

namespace ov::ui {

using ObservationToken = Subscription;

// Which values a change carries (a bit set).
using NSKeyValueObservingOptions = unsigned;
inline constexpr NSKeyValueObservingOptions NSKeyValueObservingOptionNew = 1 << 0;
inline constexpr NSKeyValueObservingOptions NSKeyValueObservingOptionOld = 1 << 1;

struct ObservedChange {
    std::string keyPath;
    // Empty unless the options asked for them.
    std::any oldValue;
    std::any newValue;
};

class Observable {
  public:
    using Observer = std::function<void(const ObservedChange&)>;

    Observable();
    virtual ~Observable();
    // A copy starts with no observers.
    Observable(const Observable&);
    Observable& operator=(const Observable&) { return *this; }

    ObservationToken addObserver(std::string keyPath, NSKeyValueObservingOptions options,
                                 Observer observer);
    // Lets a setter skip building values nobody listens for.
    bool hasObservers(std::string_view keyPath) const;

    // Tells the observers of `keyPath`; the values are passed as std::any of T.
    template <class T>
    void didChangeValueForKey(std::string_view keyPath, const T& oldValue, const T& newValue) {
        if (hasObservers(keyPath)) notifyObservers(keyPath, std::any(oldValue), std::any(newValue));
    }
    void notifyObservers(std::string_view keyPath, const std::any& oldValue,
                         const std::any& newValue);

  private:
    struct Registry;
    std::shared_ptr<Registry> m_registry;
};

}  // namespace ov::ui
