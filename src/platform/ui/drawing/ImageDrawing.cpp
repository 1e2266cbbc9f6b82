#include "orvane/platform/ui/drawing/ImageDrawing.h"

#include <cairo.h>

#include <cmath>
#include <vector>

namespace ov::ui {

namespace {

cairo_status_t appendBytes(void* closure, const unsigned char* data, unsigned int length) {
    auto* bytes = static_cast<std::vector<uint8_t>*>(closure);
    bytes->insert(bytes->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}

uint8_t channel(double component, double alpha) {
    return static_cast<uint8_t>(std::lround(component * alpha * 255));
}

}  // namespace

std::shared_ptr<Image> imageWithTintColor(const Image& image, const Color& color) {
    const Color::RGBA tint = color.rgba();
    auto pixels = std::make_shared<std::vector<uint8_t>>(image.pixels()->size());
    auto* target = reinterpret_cast<uint32_t*>(pixels->data());
    for (int y = 0; y < image.pixelHeight(); ++y) {
        for (int x = 0; x < image.pixelWidth(); ++x) {
            const double coverage = (image.argb32At(x, y) >> 24) / 255.0 * tint.alpha;
            *target++ = uint32_t{channel(1, coverage)} << 24 |
                        uint32_t{channel(tint.red, coverage)} << 16 |
                        uint32_t{channel(tint.green, coverage)} << 8 | channel(tint.blue, coverage);
        }
    }
    auto tinted = Image::imageWithARGB32(image.pixelWidth(), image.pixelHeight(), std::move(pixels),
                                         image.scale());
    return tinted ? tinted->imageWithRenderingMode(image.renderingMode()) : nullptr;
}

Data UIImagePNGRepresentation(const Image& image) {
    // Cairo only reads the surface while encoding.
    auto* data = const_cast<unsigned char*>(image.pixels()->data());
    cairo_surface_t* surface = cairo_image_surface_create_for_data(
        data, CAIRO_FORMAT_ARGB32, image.pixelWidth(), image.pixelHeight(), image.stride());
    std::vector<uint8_t> bytes;
    const cairo_status_t status = cairo_surface_write_to_png_stream(surface, appendBytes, &bytes);
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) return Data();
    return Data(std::move(bytes));
}

}  // namespace ov::ui
