#include "orvane/platform/ui/application/AlertView.h"

#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/ui/application/Application.h"
#include "orvane/platform/values/SystemLog.h"

namespace ov::ui {

AlertView::AlertView(PrivateTag, std::optional<String> title, std::optional<String> message)
    : m_title(std::move(title)), m_message(std::move(message)) {}

std::shared_ptr<AlertView> AlertView::create(std::optional<String> title,
                                             std::optional<String> message,
                                             const std::shared_ptr<AlertViewDelegate>& delegate,
                                             const std::optional<String>& cancelButtonTitle,
                                             const std::vector<String>& otherButtonTitles) {
    auto alert = std::make_shared<AlertView>(PrivateTag{}, std::move(title), std::move(message));
    alert->setDelegate(delegate);
    if (cancelButtonTitle)
        alert->m_cancelButtonIndex = alert->addButtonWithTitle(*cancelButtonTitle);
    for (const String& other : otherButtonTitles)
        alert->addButtonWithTitle(other);
    return alert;
}

long AlertView::addButtonWithTitle(const String& title) {
    m_buttonTitles.push_back(title);
    return numberOfButtons() - 1;
}

std::optional<String> AlertView::buttonTitleAtIndex(long index) const {
    if (index < 0 || index >= numberOfButtons()) return std::nullopt;
    return m_buttonTitles[static_cast<size_t>(index)];
}

void AlertView::setAssociatedObject(const String& key, Value value) {
    std::lock_guard lock(m_associatedMutex);
    if (value.isAbsent()) {
        m_associatedObjects.erase(key);
    } else {
        m_associatedObjects.insert_or_assign(key, std::move(value));
    }
}

Value AlertView::associatedObject(const String& key) const {
    std::lock_guard lock(m_associatedMutex);
    const auto found = m_associatedObjects.find(key);
    return found == m_associatedObjects.end() ? Value() : found->second;
}

bool AlertView::show() {
    if (!RunLoop::isMainThread()) {
        systemLog("AlertView: show called off the main thread; the alert is not shown");
        return false;
    }
    if (m_visible.exchange(true)) return true;
    Application::sharedApplication().addShownAlert(shared_from_this());
    return true;
}

void AlertView::clickButtonAtIndex(long index) {
    if (!m_visible || !buttonTitleAtIndex(index)) return;
    // Kept alive through the callback, which may drop the last other reference.
    const auto self = shared_from_this();
    if (const auto delegate = m_delegate.lock()) delegate->alertView(*this, index);
    m_visible = false;
    Application::sharedApplication().removeShownAlert(*this);
}

}  // namespace ov::ui
