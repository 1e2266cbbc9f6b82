#pragma once
// A projective map of the plane (3x3, row vectors: [x y 1] * M), the flat picture of a layer's
// 3-D transform at z = 0. Used to convert points between layers and to draw layers whose
// transform has perspective.

#include <array>
#include <optional>

#include "orvane/platform/ui/geometry/Geometry.h"

namespace ov::ui {

class Layer;

struct Homography {
    std::array<double, 9> m{1, 0, 0, 0, 1, 0, 0, 0, 1};

    static Homography translation(double dx, double dy) { return {{1, 0, 0, 0, 1, 0, dx, dy, 1}}; }
    static Homography fromTransform(const Transform3D& t) {
        return {{t.m11, t.m12, t.m14, t.m21, t.m22, t.m24, t.m41, t.m42, t.m44}};
    }

    // This map first, then `next`.
    Homography then(const Homography& next) const;
    std::optional<Homography> inverted() const;
    Point apply(Point point) const;
    bool isAffine() const { return m[2] == 0 && m[5] == 0 && m[8] == 1; }
    AffineTransform affine() const { return {m[0], m[1], m[3], m[4], m[6], m[7]}; }
};

// From `layer`'s bounds coordinates to its superlayer's, using the values of these two layers
// (a model or a presentation copy; `superlayer` may be nullptr for a root).
Homography layerToSuperlayer(const Layer& layer, const Layer* superlayer);

}  // namespace ov::ui
