#include "orvane/components/UIAlertView+UIAlertView.h"
#include "orvane/platform/files/Bundle.h"
#include "orvane/platform/text/StringTransforms.h"
#include "orvane/platform/threads/DispatchQueue.h"
#include "orvane/platform/threads/RunLoop.h"

namespace ov::UIAlertView_UIAlertView {

namespace {

constexpr const char* kUserInfoKey = "userInfo";

std::vector<String> oneButton(const Text& title) {
    return title ? std::vector<String>{*title} : std::vector<String>{};
}

String closeTitle() {
    return capitalizedString(
        Bundle::mainBundle()->localizedStringForKey("close", String(), std::nullopt));
}

}  // namespace

std::shared_ptr<ui::AlertViewDelegate> typeDelegate() {
    static auto* delegate =
        new std::shared_ptr<ui::AlertViewDelegate>(std::make_shared<ui::AlertViewDelegate>());
    return *delegate;
}

void showMainThread(const std::shared_ptr<ui::AlertView>& alert) {
    if (!alert) return;
    if (RunLoop::isMainThread()) {
        alert->show();
    } else {
        DispatchQueue::main().sync([&alert] { alert->show(); });
    }
}

void showAlertViewWithTag(long /*tag*/, Text title, Text message, Text cancelButtonTitle,
                          Text otherButtonTitles) {
    showMainThread(ui::AlertView::create(std::move(title), std::move(message), nullptr,
                                         cancelButtonTitle, oneButton(otherButtonTitles)));
}

void showAlertViewWithTag(long tag, const std::shared_ptr<ui::AlertViewDelegate>& delegate,
                          Text title, Text message, Text cancelButtonTitle,
                          Text otherButtonTitles) {
    const auto alert = ui::AlertView::create(std::move(title), std::move(message),
                                             delegate ? delegate : typeDelegate(),
                                             cancelButtonTitle, oneButton(otherButtonTitles));
    alert->setTag(tag);
    showMainThread(alert);
}

std::shared_ptr<ui::AlertView> alertWithMessage(Text message) {
    return alertWithTitle(std::nullopt, std::move(message));
}

std::shared_ptr<ui::AlertView> alertWithTitle(Text title, Text Message) {
    return alertWithTitle(std::move(title), std::move(Message), nullptr, 0);
}

std::shared_ptr<ui::AlertView> alertWithTitle(
    Text title, Text Message, const std::shared_ptr<ui::AlertViewDelegate>& delegate, long tag) {
    return alertWithTitle(std::move(title), std::move(Message), delegate, tag, closeTitle());
}

std::shared_ptr<ui::AlertView> alertWithTitle(
    Text title, Text Message, const std::shared_ptr<ui::AlertViewDelegate>& delegate, long tag,
    Text CancelButtonTitle) {
    return alertWithTitle(std::move(title), std::move(Message), delegate, tag,
                          std::move(CancelButtonTitle), std::nullopt);
}

std::shared_ptr<ui::AlertView> alertWithTitle(
    Text title, Text Message, const std::shared_ptr<ui::AlertViewDelegate>& delegate, long tag,
    Text CancelButtonTitle, Text otherButtonTitles) {
    auto alert = ui::AlertView::create(std::move(title), std::move(Message), delegate,
                                       CancelButtonTitle, oneButton(otherButtonTitles));
    alert->setTag(tag);
    showMainThread(alert);
    return alert;
}

Value userInfo(const ui::AlertView& alert) {
    return alert.associatedObject(kUserInfoKey);
}

void setUserInfo(ui::AlertView& alert, Value userInfo) {
    alert.setAssociatedObject(kUserInfoKey, std::move(userInfo));
}

}  // namespace ov::UIAlertView_UIAlertView
