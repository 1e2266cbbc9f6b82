#include <cmath>
#include <numbers>

#include "orvane/components/UIImage+UIImage.h"
#include "orvane/platform/ui/drawing/GraphicsContext.h"

namespace ov::UIImage_UIImage {

namespace {

// The stored pixels without an orientation, so drawing cannot turn them a second time.
std::shared_ptr<Image> bitmapOf(const Image& image) {
    return Image::imageWithARGB32(image.pixelWidth(), image.pixelHeight(), image.pixels());
}

}  // namespace

std::shared_ptr<Image> scaleImage(const std::shared_ptr<Image>& image, ui::Size toSize) {
    if (!image || !std::isfinite(toSize.width) || !std::isfinite(toSize.height)) return nullptr;
    const double width = std::floor(toSize.width);
    const double height = std::floor(toSize.height);
    auto context = ui::GraphicsContext::bitmap({width, height}, 1);
    if (!context) return nullptr;
    context->clearRect({0, 0, width, height});
    const auto bitmap = bitmapOf(*image);
    if (!bitmap) return context->makeImage();
    if (image->imageOrientation() == UIImageOrientationRight) {
        // The stored picture lies turned a quarter anticlockwise: a quarter turn clockwise
        // about the top left, then back into the bitmap, sets it upright.
        context->translateCTM(width, 0);
        context->rotateCTM(std::numbers::pi / 2);
        context->drawImage(*bitmap, {0, 0, height, width});
    } else {
        context->drawImage(*bitmap, {0, 0, width, height});
    }
    return context->makeImage();
}

ui::Size estimateNewSize(ui::Size size, const std::shared_ptr<Image>& forImage) {
    if (!forImage || !(forImage->width() > 0) || !(forImage->height() > 0)) return size;
    const double width = forImage->width();
    const double height = forImage->height();
    if (width > height) return {width / height * size.height, size.height};
    return {size.width, height / width * size.width};
}

std::shared_ptr<Image> scaleImage_proportionallyToSize(const std::shared_ptr<Image>& image,
                                                       ui::Size size) {
    return scaleImage(image, estimateNewSize(size, image));
}

std::shared_ptr<Image> scaleImageWithData(const Data& data, ui::Size proportionallyToSize) {
    return scaleImage_proportionallyToSize(Image::imageWithData(data), proportionallyToSize);
}

std::shared_ptr<Image> imageResourceName(const String& name) {
    return Image::imageNamed(name, Bundle::mainBundle());
}

}  // namespace ov::UIImage_UIImage
