#pragma once
// A screen with ready-made actions for its buttons: going back, dismissing, ending editing
// and a heads-up display over its view.
//
//   class Settings : public ov::OVBaseViewController { ... };
//   close->addTarget(settings, "btn_dismiss:",
//       [weak = std::weak_ptr(settings)](ov::ui::Control& c) {
//           if (auto s = weak.lock()) s->btn_dismiss(&c); },
//       ov::ui::UIControlEventTouchUpInside);
//
// The sender is not used. Main thread only.

#include <memory>
#include <optional>

#include "orvane/components/MBProgressHUD.h"
#include "orvane/platform/ui/containers/ViewController.h"
#include "orvane/platform/ui/views/Control.h"

namespace ov {

class OVBaseViewController : public ui::ViewController {
  public:
    // Pops the top screen of the navigation stack, animated.
    void btn_pop(ui::Control* sender = nullptr);
    void btn_pop_to_root(ui::Control* sender = nullptr);
    // Dismisses this screen, animated.
    void btn_dismiss(ui::Control* sender = nullptr);
    // Whatever is being edited in the screen's view ends (the keyboard goes away).
    void btn_dismiss_keyboard(ui::Control* sender = nullptr);
    void btn_end_editing(ui::Control* sender = nullptr);

    // An animated HUD over the screen's view, without texts or with the ones given.
    std::shared_ptr<MBProgressHUD> SHOW_HUD();
    std::shared_ptr<MBProgressHUD> SHOW_HUD(const std::optional<String>& title,
                                            const std::optional<String>& details);
    // Hides the HUD of the screen's view, animated.
    void HIDE_HUD();
};

}  // namespace ov
