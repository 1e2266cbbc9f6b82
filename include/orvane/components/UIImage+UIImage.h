#pragma once
// Scaling images into new bitmaps, and images from the application's bundle.
//
//   namespace images = ov::UIImage_UIImage;
//   auto thumb = images::scaleImage_proportionallyToSize(photo, {120, 120});
//   auto logo = images::imageResourceName("logo");
//
// Results are new bitmaps at scale 1, their sides the requested size in whole pixels.

#include <memory>

#include "orvane/platform/files/Image.h"
#include "orvane/platform/ui/geometry/Geometry.h"
#include "orvane/platform/values/Data.h"

namespace ov::UIImage_UIImage {

// The image drawn to fill `size` (its sides cut to whole pixels). An image with the
// right-turned orientation (UIImageOrientationRight) is drawn upright; other orientations are
// drawn as stored. Nullptr for no image or a size under one pixel a side.
std::shared_ptr<Image> scaleImage(const std::shared_ptr<Image>& image, ui::Size toSize);
// The size with the image's aspect ratio: a wide image keeps the requested height, any other
// (square ones included) the requested width. `size` unchanged for an image without pixels.
ui::Size estimateNewSize(ui::Size size, const std::shared_ptr<Image>& forImage);
// scaleImage to the size estimateNewSize gives.
std::shared_ptr<Image> scaleImage_proportionallyToSize(const std::shared_ptr<Image>& image,
                                                       ui::Size size);
// Nullptr for bytes that are no image.
std::shared_ptr<Image> scaleImageWithData(const Data& data, ui::Size proportionallyToSize);
// The image of that name from the main bundle, or nullptr.
std::shared_ptr<Image> imageResourceName(const String& name);

}  // namespace ov::UIImage_UIImage
