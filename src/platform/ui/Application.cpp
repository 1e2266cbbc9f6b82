#include "orvane/platform/ui/Application.h"

namespace ov::ui {

Application& Application::sharedApplication() {
    // Never destroyed: shared instances live until the process ends.
    static auto* application = new Application;
    return *application;
}

void Application::setNetworkActivityIndicatorVisible(bool visible) {
    m_networkActivityIndicatorVisible.store(visible);
}

bool Application::isNetworkActivityIndicatorVisible() const {
    return m_networkActivityIndicatorVisible.load();
}

}  // namespace ov::ui
