#pragma once
// One-call heads-up display on any view: show it with a title and details, hide it again.
//
//   auto hud = ov::UIView_OVUIViewAnimations::SHOW_HUD(*screen, ov::String("Saving"), {});
//   ...
//   ov::UIView_OVUIViewAnimations::HIDE_HUD(*screen);

#include <memory>
#include <optional>

#include "orvane/components/MBProgressHUD.h"
#include "orvane/platform/values/String.h"

namespace ov::UIView_OVUIViewAnimations {

// An animated HUD over the view, without texts.
std::shared_ptr<MBProgressHUD> SHOW_HUD(ui::View& view);
// An animated HUD over the view with the title and details given.
std::shared_ptr<MBProgressHUD> SHOW_HUD(ui::View& view, const std::optional<String>& text,
                                        const std::optional<String>& details);
// Hides the view's topmost HUD, animated.
void HIDE_HUD(ui::View& view);

}  // namespace ov::UIView_OVUIViewAnimations
