#pragma once
// The look of a CustomBadge: text and fill colours, an optional frame line, shadow and shine,
// and one of two font weights.
//
//   auto style = ov::BadgeStyle::oldStyle();      // white frame, shadow, shine, medium font
//   style->badgeInsetColor = ov::ui::Color::blueColor();

#include <memory>

#include "orvane/platform/ui/geometry/Color.h"

namespace ov {

class BadgeStyle {
  public:
    ui::Color badgeTextColor = ui::Color::whiteColor();
    ui::Color badgeInsetColor = ui::Color::redColor();
    std::optional<ui::Color> badgeFrameColor;
    bool badgeFrame = false;
    bool badgeShining = false;
    // 0 draws with "HelveticaNeue-Medium", anything else with "HelveticaNeue-Light".
    unsigned long badgeFontType = 1;
    bool badgeShadow = false;

    static std::shared_ptr<BadgeStyle> defaultStyle();
    static std::shared_ptr<BadgeStyle> oldStyle();
    static std::shared_ptr<BadgeStyle> freeStyleWithTextColor(
        const ui::Color& textColor, const ui::Color& insetColor,
        const std::optional<ui::Color>& frameColor, bool frame, bool shadow, bool shining,
        unsigned long fontType);
};

}  // namespace ov
