#pragma once
// A thin bar that fills from the left with progress (the platform's UIProgressView). The
// filled part is a subview, so an animated change moves with the view animations and shows
// in pictures taken along the way.
//
//   auto bar = std::make_shared<ov::ui::ProgressView>(ov::ui::UIProgressViewStyleDefault);
//   bar->setFrame({20, 100, 280, 2});
//   bar->setProgress(0.4f, true);   // slides to 40 % over a quarter of a second
//
// Colours: the ones set, else the appearance defaults (kAppearanceProgressTintColor,
// kAppearanceTrackTintColor), else the tint colour and a light grey. Main thread only.

#include <memory>
#include <optional>

#include "orvane/platform/ui/views/View.h"

namespace ov::ui {

enum UIProgressViewStyle : long {
    UIProgressViewStyleDefault = 0,
    UIProgressViewStyleBar = 1,
};

class ProgressView : public View {
  public:
    // 150 points wide, as high as the style's bar.
    explicit ProgressView(UIProgressViewStyle style = UIProgressViewStyleDefault);
    explicit ProgressView(const Rect& frame);

    UIProgressViewStyle progressViewStyle() const { return m_style; }
    void setProgressViewStyle(UIProgressViewStyle style);
    // 0 to 1; values outside are clamped.
    float progress() const { return m_progress; }
    void setProgress(float progress, bool animated = false);

    Color progressTintColor() const;
    void setProgressTintColor(const std::optional<Color>& color);
    Color trackTintColor() const;
    void setTrackTintColor(const std::optional<Color>& color);

    // No width of its own; the style's height.
    Size intrinsicContentSize() const override;
    Size sizeThatFits(Size size) const override;
    void layoutSubviews() override;
    void tintColorDidChange() override { updateColors(); }
    void didMoveToSuperview() override { updateColors(); }

  private:
    double barHeight() const;
    Rect filledRect() const;
    void updateColors();

    UIProgressViewStyle m_style;
    float m_progress = 0;
    std::optional<Color> m_progressTintColor;
    std::optional<Color> m_trackTintColor;
    std::shared_ptr<View> m_fill;
};

}  // namespace ov::ui
