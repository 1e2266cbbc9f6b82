#include "orvane/components/UIImageView+UIImageView.h"

namespace ov::UIImageView_UIImageView {

void flipHorizontally(ui::ImageView& imageView) {
    imageView.setTransform(ui::AffineTransform::makeScale(-1, 1));
}

void imageTintColor(ui::ImageView& imageView, const ui::Color& color) {
    if (const auto& image = imageView.image())
        imageView.setImage(image->imageWithRenderingMode(Image::RenderingMode::AlwaysTemplate));
    imageView.setTintColor(color);
}

}  // namespace ov::UIImageView_UIImageView
