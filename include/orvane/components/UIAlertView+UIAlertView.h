#pragma once
// One-call alerts that may be raised from any thread, and a place to hang data on an alert.
//
//   namespace Alerts = ov::UIAlertView_UIAlertView;
//   Alerts::alertWithMessage("Upload finished");                  // "Close" button
//   auto alert = Alerts::alertWithTitle("Delete?", "This cannot be undone", self, 3,
//                                       "Cancel", "Delete");
//   Alerts::setUserInfo(*alert, ov::Dictionary{{"row", 12}});
//
// Every operation shows its alert on the main thread and, called elsewhere, returns only once
// the main run loop has shown it (so something must be turning that loop).

#include <memory>
#include <optional>

#include "orvane/platform/ui/application/AlertView.h"

namespace ov::UIAlertView_UIAlertView {

using Text = std::optional<String>;

// The delegate given to alerts made without one: it stands for the alert type itself and
// handles no answer. Lives for the whole process.
std::shared_ptr<ui::AlertViewDelegate> typeDelegate();

void showMainThread(const std::shared_ptr<ui::AlertView>& alert);

// No delegate; the tag is not applied.
void showAlertViewWithTag(long tag, Text title, Text message, Text cancelButtonTitle,
                          Text otherButtonTitles);
// The tag is applied; a null delegate becomes typeDelegate().
void showAlertViewWithTag(long tag, const std::shared_ptr<ui::AlertViewDelegate>& delegate,
                          Text title, Text message, Text cancelButtonTitle, Text otherButtonTitles);

std::shared_ptr<ui::AlertView> alertWithMessage(Text message);
std::shared_ptr<ui::AlertView> alertWithTitle(Text title, Text Message);
// The cancel title is the main bundle's translation of "close", capitalised ("Close").
std::shared_ptr<ui::AlertView> alertWithTitle(
    Text title, Text Message, const std::shared_ptr<ui::AlertViewDelegate>& delegate, long tag);
std::shared_ptr<ui::AlertView> alertWithTitle(
    Text title, Text Message, const std::shared_ptr<ui::AlertViewDelegate>& delegate, long tag,
    Text CancelButtonTitle);
std::shared_ptr<ui::AlertView> alertWithTitle(
    Text title, Text Message, const std::shared_ptr<ui::AlertViewDelegate>& delegate, long tag,
    Text CancelButtonTitle, Text otherButtonTitles);

// Any value kept with the alert under the key "userInfo"; absent when none.
Value userInfo(const ui::AlertView& alert);
void setUserInfo(ui::AlertView& alert, Value userInfo);

}  // namespace ov::UIAlertView_UIAlertView
