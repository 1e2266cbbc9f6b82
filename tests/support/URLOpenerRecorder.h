#pragma once
// Installs an opener that records every address instead of launching anything, and answers
// canOpenURL from a set of schemes. Puts the default opener back when it goes.

#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "orvane/platform/ui/application/Application.h"

namespace ov::test {

class URLOpenerRecorder {
  public:
    explicit URLOpenerRecorder(std::set<std::string> installedSchemes = {})
        : m_opener(std::make_shared<Opener>(std::move(installedSchemes))) {
        ui::Application::sharedApplication().setURLOpener(m_opener);
    }
    ~URLOpenerRecorder() { ui::Application::sharedApplication().setURLOpener(nullptr); }
    URLOpenerRecorder(const URLOpenerRecorder&) = delete;
    URLOpenerRecorder& operator=(const URLOpenerRecorder&) = delete;

    // The addresses opened, as text, in order.
    std::vector<std::string> opened() const { return m_opener->take(m_opener->opened); }
    // The addresses asked about with canOpenURL.
    std::vector<std::string> asked() const { return m_opener->take(m_opener->asked); }

  private:
    struct Opener final : ui::URLOpener {
        explicit Opener(std::set<std::string> schemes) : schemes(std::move(schemes)) {}
        bool openURL(const URL& url) override {
            std::lock_guard lock(mutex);
            opened.push_back(url.absoluteString().toUtf8());
            return true;
        }
        bool canOpenURL(const URL& url) override {
            std::lock_guard lock(mutex);
            asked.push_back(url.absoluteString().toUtf8());
            return url.scheme() && schemes.contains(url.scheme()->toUtf8());
        }
        std::vector<std::string> take(const std::vector<std::string>& list) const {
            std::lock_guard lock(mutex);
            return list;
        }

        mutable std::mutex mutex;
        std::set<std::string> schemes;
        std::vector<std::string> opened;
        std::vector<std::string> asked;
    };

    std::shared_ptr<Opener> m_opener;
};

}  // namespace ov::test
