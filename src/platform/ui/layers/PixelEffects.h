#pragma once
// Pixel work the renderer does itself, on premultiplied ARGB32 images: soft shadows and
// drawing through a perspective map.

#include <memory>

#include "orvane/platform/files/Image.h"
#include "orvane/platform/ui/geometry/Color.h"
#include "platform/ui/layers/Homography.h"

namespace ov::ui {

// The alpha of `shape` blurred by `radius` points (a Gaussian-like blur of three box passes)
// and filled with `color`; the image is larger than `shape` by the blur on every side, by
// `margin` points, which the caller must allow for when placing it.
struct ShadowImage {
    std::shared_ptr<Image> image;
    double margin = 0;
};
ShadowImage makeShadow(const Image& shape, double radius, const Color& color);

// `source` (the picture of a rectangle `sourceRect`, in a layer's coordinates) mapped through
// `map` into the parent's coordinates, sampled at `scale` pixels per point and limited to
// `limit` there. Answers the picture and the rectangle it covers; no image when nothing shows.
struct WarpedImage {
    std::shared_ptr<Image> image;
    Rect rect;
};
WarpedImage warpImage(const Image& source, const Rect& sourceRect, const Homography& map,
                      double scale, const Rect& limit);

}  // namespace ov::ui
