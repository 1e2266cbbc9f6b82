#pragma once
// Frosted glass (the platform's UIVisualEffectView with a UIBlurEffect): draws a blurred copy
// of what lies behind it in the same tree, washed with the style's tint, and holds its own
// subviews in contentView so they stay sharp.
//
//   auto glass = std::make_shared<ov::ui::VisualEffectView>(
//       ov::ui::BlurEffect::effectWithStyle(ov::ui::UIBlurEffectStyleLight));
//   glass->setFrame(card->bounds());
//   card->addSubview(glass);
//   glass->contentView().addSubview(label);
//
// The backdrop is taken each time the view is drawn; call setNeedsDisplay after what is behind
// it changes. With no effect it draws nothing; with nothing behind it, only the tint shows.
// Main thread only.

#include <memory>
#include <optional>

#include "orvane/platform/ui/views/View.h"

namespace ov::ui {

// The platform's values.
enum UIBlurEffectStyle : long {
    UIBlurEffectStyleExtraLight = 0,
    UIBlurEffectStyleLight = 1,
    UIBlurEffectStyleDark = 2,
    UIBlurEffectStyleRegular = 4,
    UIBlurEffectStyleProminent = 5,
};

struct BlurEffect {
    UIBlurEffectStyle style = UIBlurEffectStyleLight;

    static BlurEffect effectWithStyle(UIBlurEffectStyle style) { return {style}; }
    // The wash laid over the blurred backdrop.
    Color tintColor() const;
    // Points.
    double blurRadius() const { return 20; }

    friend bool operator==(const BlurEffect&, const BlurEffect&) = default;
};

class VisualEffectView : public View {
  public:
    explicit VisualEffectView(std::optional<BlurEffect> effect = std::nullopt);

    const std::optional<BlurEffect>& effect() const { return m_effect; }
    void setEffect(const std::optional<BlurEffect>& effect);
    // Fills the view and follows its size.
    View& contentView() const { return *m_contentView; }

    void layoutSubviews() override;
    void drawRect(GraphicsContext& context, const Rect& rect) override;

  private:
    // What lies behind this view, in its bounds; nullptr when nothing does.
    std::shared_ptr<Image> backdrop(double scale);

    std::optional<BlurEffect> m_effect;
    std::shared_ptr<View> m_contentView;
};

}  // namespace ov::ui
