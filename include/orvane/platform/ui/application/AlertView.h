#pragma once
// A modal alert (the platform's UIAlertView): a title, a message and buttons, the cancel
// button first. Showing it puts it on the application's list of alerts on screen; drawing is
// left to whoever draws that list.
//
//   auto alert = ov::ui::AlertView::create("Saved", "Your changes are kept.", delegate,
//                                          "OK", {"Undo"});
//   alert->setTag(7);
//   alert->show();                  // main thread only
//   ...
//   alert->clickButtonAtIndex(1);   // the user taps "Undo": the delegate hears of it
//
// Configure an alert on any thread before showing it; from then on touch it on the main thread.
// Associated objects may be read and set from any thread.

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "orvane/platform/values/Value.h"

namespace ov::ui {

class AlertView;

// Every operation is optional: the default answers that it was not handled.
class AlertViewDelegate {
  public:
    virtual ~AlertViewDelegate() = default;
    // alertView:clickedButtonAtIndex:
    virtual bool alertView(AlertView& /*alertView*/, long /*clickedButtonAtIndex*/) {
        return false;
    }
};

class AlertView : public std::enable_shared_from_this<AlertView> {
    struct PrivateTag {};

  public:
    AlertView(PrivateTag, std::optional<String> title, std::optional<String> message);

    // initWithTitle:message:delegate:cancelButtonTitle:otherButtonTitles:. The delegate is held
    // weakly; without a cancel title the alert has no cancel button.
    static std::shared_ptr<AlertView> create(std::optional<String> title,
                                             std::optional<String> message,
                                             const std::shared_ptr<AlertViewDelegate>& delegate,
                                             const std::optional<String>& cancelButtonTitle,
                                             const std::vector<String>& otherButtonTitles);

    const std::optional<String>& title() const { return m_title; }
    void setTitle(std::optional<String> title) { m_title = std::move(title); }
    const std::optional<String>& message() const { return m_message; }
    void setMessage(std::optional<String> message) { m_message = std::move(message); }
    std::shared_ptr<AlertViewDelegate> delegate() const { return m_delegate.lock(); }
    void setDelegate(const std::shared_ptr<AlertViewDelegate>& delegate) { m_delegate = delegate; }
    long tag() const { return m_tag; }
    void setTag(long tag) { m_tag = tag; }

    // Answers the new button's index.
    long addButtonWithTitle(const String& title);
    long numberOfButtons() const { return static_cast<long>(m_buttonTitles.size()); }
    // -1 when the alert has no cancel button.
    long cancelButtonIndex() const { return m_cancelButtonIndex; }
    // None out of range.
    std::optional<String> buttonTitleAtIndex(long index) const;

    // The runtime's associated objects, retained and set atomically. Absent when none.
    void setAssociatedObject(const String& key, Value value);
    Value associatedObject(const String& key) const;

    // Puts the alert on screen. Off the main thread it logs and shows nothing (answers false).
    bool show();
    bool isVisible() const { return m_visible.load(); }
    // The user's tap on a button: the delegate hears of it, then the alert goes away. Does
    // nothing unless the alert is on screen and the index names a button.
    void clickButtonAtIndex(long index);

  private:
    friend class Application;

    std::optional<String> m_title;
    std::optional<String> m_message;
    std::weak_ptr<AlertViewDelegate> m_delegate;
    long m_tag = 0;
    std::vector<String> m_buttonTitles;
    long m_cancelButtonIndex = -1;
    std::atomic<bool> m_visible{false};

    mutable std::mutex m_associatedMutex;
    std::map<String, Value> m_associatedObjects;
};

}  // namespace ov::ui
