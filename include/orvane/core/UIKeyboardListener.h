#pragma once
// Whether the on-screen keyboard is showing: true from the moment it has appeared until the
// moment it starts to hide, as told by the default notification centre.
//
//   ov::Orvane::shared();                               // starts listening
//   if (ov::UIKeyboardListener::shared().isVisible()) ...

#include <atomic>

#include "orvane/platform/threads/Subscription.h"

namespace ov {

class UIKeyboardListener {
  public:
    UIKeyboardListener(const UIKeyboardListener&) = delete;
    UIKeyboardListener& operator=(const UIKeyboardListener&) = delete;

    // Made, and registered for the keyboard notifications, on the first call.
    static UIKeyboardListener& shared();

    bool isVisible() const { return m_visible.load(); }
    void setVisible(bool visible) { m_visible.store(visible); }

  private:
    UIKeyboardListener();

    std::atomic<bool> m_visible{false};
    Subscription m_didShow;
    Subscription m_willHide;
};

}  // namespace ov
