#pragma once
// Mirroring an image view and tinting its image.
//
//   ov::UIImageView_UIImageView::imageTintColor(*icon, ov::ui::Color::redColor());

#include "orvane/platform/ui/geometry/Color.h"
#include "orvane/platform/ui/views/ImageView.h"

namespace ov::UIImageView_UIImageView {

// Mirrors the view left to right.
void flipHorizontally(ui::ImageView& imageView);
// The image becomes a template, drawn in `color`.
void imageTintColor(ui::ImageView& imageView, const ui::Color& color);

}  // namespace ov::UIImageView_UIImageView
