#pragma once
// A registration that ends when its token is destroyed: observers, callbacks, anything that
// would otherwise outlive the object that asked for it.
//
//   ov::Subscription token = center.addObserver("Ready", [this](auto&) { refresh(); });
//   ...   // the observer is removed when `token` goes out of scope (or on token.cancel())

#include <functional>
#include <utility>

namespace ov {

class [[nodiscard]] Subscription {
  public:
    Subscription() = default;
    explicit Subscription(std::function<void()> cancel) : m_cancel(std::move(cancel)) {}
    ~Subscription() { cancel(); }

    Subscription(Subscription&& other) noexcept : m_cancel(std::exchange(other.m_cancel, {})) {}
    Subscription& operator=(Subscription&& other) noexcept {
        if (this != &other) {
            cancel();
            m_cancel = std::exchange(other.m_cancel, {});
        }
        return *this;
    }
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;

    // Ends the registration now; later calls do nothing.
    void cancel() {
        if (auto cancel = std::exchange(m_cancel, {})) cancel();
    }
    bool isActive() const { return static_cast<bool>(m_cancel); }

  private:
    std::function<void()> m_cancel;
};

}  // namespace ov
