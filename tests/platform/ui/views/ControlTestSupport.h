#pragma once
// Pixel helpers for the controls' rendering tests.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include "orvane/platform/files/Image.h"
#include "orvane/platform/ui/drawing/GraphicsContext.h"
#include "orvane/platform/ui/geometry/Color.h"
#include "orvane/platform/ui/geometry/Geometry.h"

namespace ov::ui::test {

using Pixel = std::array<uint8_t, 4>;

inline Pixel pixelAt(const Image& image, Point point) {
    return image.rgbaAt(static_cast<int>(point.x * image.scale()),
                        static_cast<int>(point.y * image.scale()));
}

// A picture of one colour, at scale 1.
inline std::shared_ptr<Image> solidImage(Size size, const Color& color) {
    auto context = GraphicsContext::bitmap(size, 1);
    context->setFillColor(color);
    context->fillRect({{0, 0}, size});
    return context->makeImage();
}

// The smallest pixel rectangle holding every pixel that passes `test`; null when none does.
inline Rect inkBox(const Image& image, const std::function<bool(Pixel)>& test) {
    Rect box = Rect::null();
    for (int y = 0; y < image.pixelHeight(); ++y) {
        for (int x = 0; x < image.pixelWidth(); ++x) {
            if (test(image.rgbaAt(x, y))) box = box.unionWith(Rect{double(x), double(y), 1, 1});
        }
    }
    return box;
}

}  // namespace ov::ui::test
