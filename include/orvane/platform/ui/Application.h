#pragma once
// The application object (the platform's UIApplication): one per process, made on first use.
//
//   ov::ui::Application::sharedApplication().setNetworkActivityIndicatorVisible(true);

#include <atomic>

namespace ov::ui {

class Application {
  public:
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    static Application& sharedApplication();

    // Thread-safe, though the platform expects it set from the main thread.
    void setNetworkActivityIndicatorVisible(bool visible);
    bool isNetworkActivityIndicatorVisible() const;

  private:
    Application() = default;

    std::atomic<bool> m_networkActivityIndicatorVisible{false};
};

}  // namespace ov::ui
