#include "platform/ui/layers/PixelEffects.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace ov::ui {

namespace {

// One horizontal or vertical pass of a box blur of half-width `r` over an alpha plane.
void boxBlur(std::vector<double>& alpha, int width, int height, int r, bool horizontal) {
    if (r <= 0) return;
    const int lines = horizontal ? height : width;
    const int length = horizontal ? width : height;
    std::vector<double> line(static_cast<size_t>(length));
    for (int l = 0; l < lines; ++l) {
        auto at = [&](int i) -> double& {
            return alpha[static_cast<size_t>(horizontal ? l * width + i : i * width + l)];
        };
        double sum = 0;
        for (int i = -r; i <= r; ++i)
            sum += (i >= 0 && i < length) ? at(i) : 0;
        for (int i = 0; i < length; ++i) {
            line[static_cast<size_t>(i)] = sum / (2 * r + 1);
            const int leaving = i - r, entering = i + r + 1;
            if (leaving >= 0) sum -= at(leaving);
            if (entering < length) sum += at(entering);
        }
        for (int i = 0; i < length; ++i)
            at(i) = line[static_cast<size_t>(i)];
    }
}

uint32_t premultiplied(double red, double green, double blue, double alpha) {
    auto channel = [](double v) {
        return static_cast<uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255));
    };
    return channel(alpha) << 24 | channel(red * alpha) << 16 | channel(green * alpha) << 8 |
           channel(blue * alpha);
}

std::shared_ptr<Image> imageFromWords(int width, int height, const std::vector<uint32_t>& words,
                                      double scale) {
    auto bytes = std::make_shared<std::vector<uint8_t>>(words.size() * 4);
    std::copy_n(reinterpret_cast<const uint8_t*>(words.data()), bytes->size(), bytes->begin());
    return Image::imageWithARGB32(width, height, std::move(bytes), scale);
}

// Premultiplied channels of a pixel, bilinearly sampled; transparent outside.
std::array<double, 4> sample(const Image& image, double x, double y) {
    const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
    const double fx = x - x0, fy = y - y0;
    std::array<double, 4> result{};
    for (int dy = 0; dy <= 1; ++dy) {
        for (int dx = 0; dx <= 1; ++dx) {
            const double weight = (dx ? fx : 1 - fx) * (dy ? fy : 1 - fy);
            if (weight == 0) continue;
            const uint32_t pixel = image.argb32At(x0 + dx, y0 + dy);
            for (int c = 0; c < 4; ++c)
                result[static_cast<size_t>(c)] += weight * ((pixel >> (24 - 8 * c)) & 0xFF);
        }
    }
    return result;
}

}  // namespace

ShadowImage makeShadow(const Image& shape, double radius, const Color& color) {
    const double scale = shape.scale();
    const int blur = std::max(0, static_cast<int>(std::lround(radius * scale / 2)));
    const int spread = 3 * blur;
    const int width = shape.pixelWidth() + 2 * spread, height = shape.pixelHeight() + 2 * spread;
    std::vector<double> alpha(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < shape.pixelHeight(); ++y) {
        for (int x = 0; x < shape.pixelWidth(); ++x)
            alpha[static_cast<size_t>((y + spread) * width + x + spread)] =
                (shape.argb32At(x, y) >> 24) / 255.0;
    }
    for (int pass = 0; pass < 3; ++pass) {
        boxBlur(alpha, width, height, blur, true);
        boxBlur(alpha, width, height, blur, false);
    }
    const auto rgba = color.rgba();
    std::vector<uint32_t> words(alpha.size());
    for (size_t i = 0; i < alpha.size(); ++i)
        words[i] = premultiplied(rgba.red, rgba.green, rgba.blue, alpha[i] * rgba.alpha);
    return {imageFromWords(width, height, words, scale), spread / scale};
}

WarpedImage warpImage(const Image& source, const Rect& sourceRect, const Homography& map,
                      double scale, const Rect& limit) {
    const auto back = map.inverted();
    if (!back) return {};
    Rect box = Rect::null();
    const Rect r = sourceRect.standardized();
    for (const Point corner : {Point{r.minX(), r.minY()}, Point{r.maxX(), r.minY()},
                               Point{r.minX(), r.maxY()}, Point{r.maxX(), r.maxY()}})
        box = box.unionWith(Rect{map.apply(corner), {}});
    box = box.intersection(limit).integral();
    if (box.isEmpty()) return {};
    const int width = static_cast<int>(std::ceil(box.width() * scale));
    const int height = static_cast<int>(std::ceil(box.height() * scale));
    const double sourceScale = source.scale();
    std::vector<uint32_t> words(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int py = 0; py < height; ++py) {
        for (int px = 0; px < width; ++px) {
            const Point inParent{box.minX() + (px + 0.5) / scale, box.minY() + (py + 0.5) / scale};
            const Point inLayer = back->apply(inParent);
            const double sx = (inLayer.x - r.minX()) * sourceScale - 0.5;
            const double sy = (inLayer.y - r.minY()) * sourceScale - 0.5;
            const auto c = sample(source, sx, sy);
            auto byte = [](double v) {
                return static_cast<uint32_t>(std::lround(std::clamp(v, 0.0, 255.0)));
            };
            words[static_cast<size_t>(py * width + px)] =
                byte(c[0]) << 24 | byte(c[1]) << 16 | byte(c[2]) << 8 | byte(c[3]);
        }
    }
    return {imageFromWords(width, height, words, scale), box};
}

}  // namespace ov::ui
