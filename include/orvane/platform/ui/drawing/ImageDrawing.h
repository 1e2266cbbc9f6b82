#pragma once
// Images made by drawing: a tinted copy for template images, and PNG bytes of any image.
//
//   auto icon = ov::Image::imageNamed("arrow")->imageWithRenderingMode(
//       ov::Image::RenderingMode::AlwaysTemplate);
//   auto blue = ov::ui::imageWithTintColor(*icon, ov::ui::Color::blueColor());
//   ov::Data png = ov::ui::UIImagePNGRepresentation(*blue);

#include <memory>

#include "orvane/platform/files/Image.h"
#include "orvane/platform/ui/geometry/Color.h"
#include "orvane/platform/values/Data.h"

namespace ov::ui {

// Every pixel in the tint colour, keeping the image's coverage (its alpha times the colour's);
// same size, scale and rendering mode.
std::shared_ptr<Image> imageWithTintColor(const Image& image, const Color& color);

// The image as a PNG file (straight alpha, 8 bits a channel). Empty only if encoding fails.
Data UIImagePNGRepresentation(const Image& image);

}  // namespace ov::ui
