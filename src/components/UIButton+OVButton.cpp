#include "orvane/components/UIButton+OVButton.h"

namespace ov::UIButton_OVButton {

void removeAllTargets(ui::Button& button) {
    button.removeTarget(nullptr, std::nullopt, ui::UIControlEventAllEvents);
}

void imageTintColor(ui::Button& button, const ui::Color& color) {
    const auto image = button.currentImage();
    button.setImage(
        image ? image->imageWithRenderingMode(Image::RenderingMode::AlwaysTemplate) : nullptr,
        ui::UIControlStateNormal);
    button.setTintColor(color);
}

}  // namespace ov::UIButton_OVButton
