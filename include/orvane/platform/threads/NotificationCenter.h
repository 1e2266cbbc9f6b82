#pragma once
// Broadcasts named notifications to the observers registered for them, on the posting thread.
//
//   ov::Subscription token = ov::NotificationCenter::defaultCenter().addObserver(
//       "UIKeyboardDidShowNotification", [this](const ov::Notification&) { m_visible = true; });
//   ov::NotificationCenter::defaultCenter().postNotification("UIKeyboardDidShowNotification");
//
// Thread-safe. An observer may post, add observers or remove any observer (itself included)
// while it is being called: observers added during a post see only later posts, and an
// observer removed during a post is not called after its removal. Removing an observer waits
// until no other thread is inside its callback, so whatever the callback touches may be freed
// once the token is gone.

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "orvane/platform/threads/Notification.h"
#include "orvane/platform/threads/Subscription.h"

namespace ov {

class NotificationCenter {
  public:
    using Observer = std::function<void(const Notification&)>;

    NotificationCenter();
    ~NotificationCenter();
    NotificationCenter(const NotificationCenter&) = delete;
    NotificationCenter& operator=(const NotificationCenter&) = delete;

    // Lives for the whole process.
    static NotificationCenter& defaultCenter();

    // `name` none observes every notification. The token must not outlive the centre.
    Subscription addObserver(const std::optional<String>& name, Observer observer);
    // Observers are called in the order they were added.
    void postNotification(const String& name, const Value& object = {},
                          const Dictionary& userInfo = {});

  private:
    struct Entry;
    void removeObserver(const std::shared_ptr<Entry>& entry);

    std::mutex m_mutex;
    std::vector<std::shared_ptr<Entry>> m_entries;
};

}  // namespace ov
