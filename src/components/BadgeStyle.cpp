#include "orvane/components/BadgeStyle.h"

namespace ov {

std::shared_ptr<BadgeStyle> BadgeStyle::defaultStyle() {
    return freeStyleWithTextColor(ui::Color::whiteColor(), ui::Color::redColor(), std::nullopt,
                                  false, false, false, 1);
}

std::shared_ptr<BadgeStyle> BadgeStyle::oldStyle() {
    return freeStyleWithTextColor(ui::Color::whiteColor(), ui::Color::redColor(),
                                  ui::Color::whiteColor(), true, true, true, 0);
}

std::shared_ptr<BadgeStyle> BadgeStyle::freeStyleWithTextColor(
    const ui::Color& textColor, const ui::Color& insetColor,
    const std::optional<ui::Color>& frameColor, bool frame, bool shadow, bool shining,
    unsigned long fontType) {
    auto style = std::make_shared<BadgeStyle>();
    style->badgeTextColor = textColor;
    style->badgeInsetColor = insetColor;
    style->badgeFrameColor = frameColor;
    style->badgeFrame = frame;
    style->badgeShadow = shadow;
    style->badgeShining = shining;
    style->badgeFontType = fontType;
    return style;
}

}  // namespace ov
