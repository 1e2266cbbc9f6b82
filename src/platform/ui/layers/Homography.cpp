#include "platform/ui/layers/Homography.h"

#include <cmath>

#include "orvane/platform/ui/layers/Layer.h"

namespace ov::ui {

Homography Homography::then(const Homography& next) const {
    Homography product{{}};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            double sum = 0;
            for (int k = 0; k < 3; ++k)
                sum += m[row * 3 + k] * next.m[k * 3 + column];
            product.m[row * 3 + column] = sum;
        }
    }
    return product;
}

std::optional<Homography> Homography::inverted() const {
    const auto& a = m;
    const double c00 = a[4] * a[8] - a[5] * a[7];
    const double c01 = a[5] * a[6] - a[3] * a[8];
    const double c02 = a[3] * a[7] - a[4] * a[6];
    const double determinant = a[0] * c00 + a[1] * c01 + a[2] * c02;
    if (determinant == 0 || !std::isfinite(determinant)) return std::nullopt;
    const double f = 1 / determinant;
    return Homography{{c00 * f, (a[2] * a[7] - a[1] * a[8]) * f, (a[1] * a[5] - a[2] * a[4]) * f,
                       c01 * f, (a[0] * a[8] - a[2] * a[6]) * f, (a[2] * a[3] - a[0] * a[5]) * f,
                       c02 * f, (a[1] * a[6] - a[0] * a[7]) * f, (a[0] * a[4] - a[1] * a[3]) * f}};
}

Point Homography::apply(Point p) const {
    const double x = p.x * m[0] + p.y * m[3] + m[6];
    const double y = p.x * m[1] + p.y * m[4] + m[7];
    const double w = p.x * m[2] + p.y * m[5] + m[8];
    if (w == 0) return {x, y};
    return {x / w, y / w};
}

namespace {

Point anchorInBounds(const Layer& layer) {
    const Rect bounds = layer.bounds();
    return {bounds.origin.x + layer.anchorPoint().x * bounds.size.width,
            bounds.origin.y + layer.anchorPoint().y * bounds.size.height};
}

}  // namespace

Homography layerToSuperlayer(const Layer& layer, const Layer* superlayer) {
    const Point anchor = anchorInBounds(layer);
    Homography map = Homography::translation(-anchor.x, -anchor.y);
    if (!layer.transform().isIdentity())
        map = map.then(Homography::fromTransform(layer.transform()));
    map = map.then(Homography::translation(layer.position().x, layer.position().y));
    if (superlayer && !superlayer->sublayerTransform().isIdentity()) {
        const Point centre = anchorInBounds(*superlayer);
        map = map.then(Homography::translation(-centre.x, -centre.y))
                  .then(Homography::fromTransform(superlayer->sublayerTransform()))
                  .then(Homography::translation(centre.x, centre.y));
    }
    return map;
}

}  // namespace ov::ui
