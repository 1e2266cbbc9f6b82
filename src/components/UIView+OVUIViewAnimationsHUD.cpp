#include "orvane/components/UIView+OVUIViewAnimationsHUD.h"

namespace ov::UIView_OVUIViewAnimations {

std::shared_ptr<MBProgressHUD> SHOW_HUD(ui::View& view) {
    return SHOW_HUD(view, std::nullopt, std::nullopt);
}

std::shared_ptr<MBProgressHUD> SHOW_HUD(ui::View& view, const std::optional<String>& text,
                                        const std::optional<String>& details) {
    auto hud = MBProgressHUD::showHUDAddedTo(view, true);
    hud->label().setText(text);
    hud->detailsLabel().setText(details);
    hud->showAnimated(true);
    return hud;
}

void HIDE_HUD(ui::View& view) {
    MBProgressHUD::hideHUDForView(view, true);
}

}  // namespace ov::UIView_OVUIViewAnimations
