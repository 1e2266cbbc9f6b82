#include "orvane/components/NSMutableArray+SWUtilityButtons.h"

namespace ov::NSMutableArray_SWUtilityButtons {

namespace {

ui::Button& addButton(SWUtilityButtons& buttons, const ui::Color& color) {
    auto button = ui::Button::buttonWithType(ui::UIButtonTypeCustom);
    button->setBackgroundColor(color);
    buttons.push_back(button);
    return *button;
}

void fitTitle(ui::Button& button) {
    button.setTitleColor(ui::Color::whiteColor(), ui::UIControlStateNormal);
    button.titleLabel().setAdjustsFontSizeToFitWidth(true);
}

}  // namespace

void sw_addUtilityButtonWithColor(SWUtilityButtons& buttons, const ui::Color& color,
                                  const String& title) {
    ui::Button& button = addButton(buttons, color);
    button.setTitle(title, ui::UIControlStateNormal);
    fitTitle(button);
}

void sw_addUtilityButtonWithColor_attributedTitle(SWUtilityButtons& buttons, const ui::Color& color,
                                                  const ui::AttributedString& attributedTitle) {
    ui::Button& button = addButton(buttons, color);
    button.setAttributedTitle(attributedTitle, ui::UIControlStateNormal);
    fitTitle(button);
}

void sw_addUtilityButtonWithColor(SWUtilityButtons& buttons, const ui::Color& color,
                                  std::shared_ptr<Image> icon) {
    addButton(buttons, color).setImage(std::move(icon), ui::UIControlStateNormal);
}

void sw_addUtilityButtonWithColor(SWUtilityButtons& buttons, const ui::Color& color,
                                  std::shared_ptr<Image> normalIcon,
                                  std::shared_ptr<Image> selectedIcon) {
    ui::Button& button = addButton(buttons, color);
    button.setImage(std::move(normalIcon), ui::UIControlStateNormal);
    button.setImage(selectedIcon, ui::UIControlStateHighlighted);
    button.setImage(selectedIcon, ui::UIControlStateSelected);
}

}  // namespace ov::NSMutableArray_SWUtilityButtons
