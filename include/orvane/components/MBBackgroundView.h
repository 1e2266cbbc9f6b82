#pragma once
// A HUD backdrop, used for both the dimming layer and the bezel: a solid colour, or a light
// blur of what is behind it tinted with the colour. Clips its content to its bounds.
//
//   auto backdrop = std::make_shared<ov::MBBackgroundView>(frame);
//   backdrop->setStyle(ov::MBProgressHUDBackgroundStyleSolidColor);
//   backdrop->setColor(ov::ui::Color::colorWithWhite(0, 0.2));

#include <memory>
#include <optional>

#include "orvane/platform/ui/geometry/Color.h"
#include "orvane/platform/ui/views/View.h"
#include "orvane/platform/ui/views/VisualEffectView.h"

namespace ov {

enum MBProgressHUDBackgroundStyle : long {
    MBProgressHUDBackgroundStyleSolidColor = 0,
    MBProgressHUDBackgroundStyleBlur = 1,
};

class MBBackgroundView : public ui::View {
  public:
    explicit MBBackgroundView(const ui::Rect& frame = {});

    MBProgressHUDBackgroundStyle style() const { return m_style; }
    // Rebuilds the backdrop on a change.
    void setStyle(MBProgressHUDBackgroundStyle style);
    const ui::Color& color() const { return m_color; }
    // Setting no colour is a programming error.
    void setColor(const std::optional<ui::Color>& color);

    // The blur view while the style is blur, else null.
    ui::VisualEffectView* effectView() const { return m_effectView.get(); }

    ui::Size intrinsicContentSize() const override { return {0, 0}; }

  private:
    void updateForBackgroundStyle();
    void updateViewsForColor();

    MBProgressHUDBackgroundStyle m_style = MBProgressHUDBackgroundStyleBlur;
    ui::Color m_color = ui::Color::colorWithWhite(0.8, 0.6);
    std::shared_ptr<ui::VisualEffectView> m_effectView;
    // Lays the colour over the blur: as the effect view's own background it would lie under
    // the blurred backdrop and barely show.
    std::shared_ptr<ui::View> m_tintView;
};

}  // namespace ov
