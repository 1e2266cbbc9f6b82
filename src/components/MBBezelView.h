#pragma once
// The HUD's bezel. A change inside it (a new title, say) lays out from the bezel, not from the
// HUD, so the bezel is what brings the HUD's spacing up to date before each pass.

#include "orvane/components/MBBackgroundView.h"
#include "orvane/components/MBProgressHUD.h"

namespace ov::mb {

class BezelView : public MBBackgroundView {
  public:
    void layoutSubviews() override {
        auto* hud = dynamic_cast<MBProgressHUD*>(superview());
        if (hud && !hud->needsUpdateConstraints()) hud->updatePaddingConstraints();
        MBBackgroundView::layoutSubviews();
    }
};

}  // namespace ov::mb
