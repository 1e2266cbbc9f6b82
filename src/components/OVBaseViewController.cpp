#include "orvane/components/OVBaseViewController.h"

#include "orvane/components/UIView+OVUIViewAnimationsHUD.h"
#include "orvane/platform/ui/containers/NavigationController.h"
#include "orvane/platform/ui/views/FirstResponder.h"

namespace ov {

void OVBaseViewController::btn_pop(ui::Control*) {
    if (auto* navigation = navigationController()) navigation->popViewControllerAnimated(true);
}

void OVBaseViewController::btn_pop_to_root(ui::Control*) {
    if (auto* navigation = navigationController())
        navigation->popToRootViewControllerAnimated(true);
}

void OVBaseViewController::btn_dismiss(ui::Control*) {
    dismissViewControllerAnimated(true);
}

void OVBaseViewController::btn_dismiss_keyboard(ui::Control*) {
    // A view never loaded holds nothing being edited.
    if (ui::View* shown = viewIfLoaded()) ui::endEditing(*shown, true);
}

void OVBaseViewController::btn_end_editing(ui::Control* sender) {
    btn_dismiss_keyboard(sender);
}

std::shared_ptr<MBProgressHUD> OVBaseViewController::SHOW_HUD() {
    return SHOW_HUD(std::nullopt, std::nullopt);
}

std::shared_ptr<MBProgressHUD> OVBaseViewController::SHOW_HUD(
    const std::optional<String>& title, const std::optional<String>& details) {
    return UIView_OVUIViewAnimations::SHOW_HUD(*view(), title, details);
}

void OVBaseViewController::HIDE_HUD() {
    MBProgressHUD::hideHUDForView(*view(), true);
}

}  // namespace ov
