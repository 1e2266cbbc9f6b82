#include "orvane/components/MBProgressHUDRoundedButton.h"

#include <cmath>

namespace ov {

MBProgressHUDRoundedButton::MBProgressHUDRoundedButton(const ui::Rect& frame)
    : ui::Button(frame, ui::UIButtonTypeCustom) {
    layer().setBorderWidth(1.0);
}

void MBProgressHUDRoundedButton::layoutSubviews() {
    ui::Button::layoutSubviews();
    layer().setCornerRadius(std::ceil(bounds().size.height / 2));
    updateLook();
}

ui::Size MBProgressHUDRoundedButton::intrinsicContentSize() const {
    if (allControlEvents() == 0) return {0, 0};
    const ui::Size size = ui::Button::intrinsicContentSize();
    return {size.width + 20, size.height};
}

void MBProgressHUDRoundedButton::stateDidChange() {
    ui::Button::stateDidChange();
    updateLook();
}

void MBProgressHUDRoundedButton::updateLook() {
    layer().setBorderColor(
        titleColorForState(ui::UIControlStateNormal).value_or(ui::Color::whiteColor()));
    const auto selected = titleColorForState(ui::UIControlStateSelected);
    setBackgroundColor(isHighlighted() && selected ? selected->colorWithAlphaComponent(0.1)
                                                   : ui::Color::clearColor());
}

}  // namespace ov
