#pragma once
// The HUD's round progress indicator: a pie filling clockwise from 12 o'clock, or a thin
// ring when `annular`. 37 × 37 points unless given another frame.
//
//   auto pie = std::make_shared<ov::MBRoundProgressView>();
//   pie->setProgress(0.25f);   // a quarter sector, from 12 to 3 o'clock

#include <optional>

#include "orvane/components/MBProgressIndicator.h"
#include "orvane/platform/ui/views/View.h"

namespace ov {

class MBRoundProgressView : public ui::View, public MBProgressIndicator {
  public:
    MBRoundProgressView();
    explicit MBRoundProgressView(const ui::Rect& frame);

    float progress() const override { return m_progress; }
    // Redraws only on a change.
    void setProgress(float progress) override;
    bool isAnnular() const { return m_annular; }
    void setAnnular(bool annular);

    // Own colour, else a style default (Appearance key "progressTintColor" or
    // "backgroundTintColor"), else white at alpha 1.0 and 0.1. Setting no colour is a
    // programming error.
    ui::Color progressTintColor() const;
    void setProgressTintColor(const std::optional<ui::Color>& color);
    ui::Color backgroundTintColor() const;
    void setBackgroundTintColor(const std::optional<ui::Color>& color);

    ui::Size intrinsicContentSize() const override { return {37, 37}; }
    void drawRect(ui::GraphicsContext& context, const ui::Rect& rect) override;

  private:
    void drawPie(ui::GraphicsContext& context) const;
    void drawRing(ui::GraphicsContext& context) const;

    bool m_annular = false;
    float m_progress = 0;
    std::optional<ui::Color> m_progressTintColor;
    std::optional<ui::Color> m_backgroundTintColor;
};

}  // namespace ov
