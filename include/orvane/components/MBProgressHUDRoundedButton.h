#pragma once
// The HUD's optional button: a capsule outlined in its title colour, faintly filled while
// pressed. It takes no room until an action is attached.

#include "orvane/platform/ui/views/Button.h"

namespace ov {

class MBProgressHUDRoundedButton : public ui::Button {
  public:
    explicit MBProgressHUDRoundedButton(const ui::Rect& frame = {});

    void layoutSubviews() override;
    ui::Size intrinsicContentSize() const override;

  protected:
    void stateDidChange() override;

  private:
    void updateLook();
};

}  // namespace ov
