#pragma once
// The HUD's horizontal progress indicator: an outlined capsule filled from the left.
//
//   auto bar = std::make_shared<ov::MBBarProgressView>();   // 120 × 20
//   bar->setProgress(0.5f);

#include <optional>

#include "orvane/components/MBProgressIndicator.h"
#include "orvane/platform/ui/views/View.h"

namespace ov {

class MBBarProgressView : public ui::View, public MBProgressIndicator {
  public:
    MBBarProgressView();
    explicit MBBarProgressView(const ui::Rect& frame);

    float progress() const override { return m_progress; }
    // Redraws only on a change.
    void setProgress(float progress) override;

    // Own colour, else a style default (Appearance keys "lineColor", "progressRemainingColor",
    // "progressColor"), else white, clear and white. Setting no colour is a programming error.
    ui::Color lineColor() const;
    void setLineColor(const std::optional<ui::Color>& color);
    ui::Color progressRemainingColor() const;
    void setProgressRemainingColor(const std::optional<ui::Color>& color);
    ui::Color progressColor() const;
    void setProgressColor(const std::optional<ui::Color>& color);

    ui::Size intrinsicContentSize() const override { return {120, 10}; }
    void drawRect(ui::GraphicsContext& context, const ui::Rect& rect) override;

  private:
    void fillProgress(ui::GraphicsContext& context) const;

    float m_progress = 0;
    std::optional<ui::Color> m_lineColor;
    std::optional<ui::Color> m_progressRemainingColor;
    std::optional<ui::Color> m_progressColor;
};

}  // namespace ov
