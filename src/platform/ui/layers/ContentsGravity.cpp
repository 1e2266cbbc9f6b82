#include <algorithm>

#include "orvane/platform/ui/layers/Layer.h"

namespace ov::ui {

Rect contentsRectForGravity(ContentsGravity gravity, const Rect& bounds, Size size) {
    const double bw = bounds.width(), bh = bounds.height();
    double w = size.width, h = size.height;
    switch (gravity) {
        case ContentsGravity::Resize:
            return bounds;
        case ContentsGravity::ResizeAspect:
        case ContentsGravity::ResizeAspectFill: {
            if (w <= 0 || h <= 0) return bounds;
            const double fx = bw / w, fy = bh / h;
            const double f =
                gravity == ContentsGravity::ResizeAspect ? std::min(fx, fy) : std::max(fx, fy);
            w *= f;
            h *= f;
            break;
        }
        default:
            break;
    }
    double x = bounds.minX() + (bw - w) / 2, y = bounds.minY() + (bh - h) / 2;
    switch (gravity) {
        case ContentsGravity::Top:
        case ContentsGravity::TopLeft:
        case ContentsGravity::TopRight:
            y = bounds.minY();
            break;
        case ContentsGravity::Bottom:
        case ContentsGravity::BottomLeft:
        case ContentsGravity::BottomRight:
            y = bounds.maxY() - h;
            break;
        default:
            break;
    }
    switch (gravity) {
        case ContentsGravity::Left:
        case ContentsGravity::TopLeft:
        case ContentsGravity::BottomLeft:
            x = bounds.minX();
            break;
        case ContentsGravity::Right:
        case ContentsGravity::TopRight:
        case ContentsGravity::BottomRight:
            x = bounds.maxX() - w;
            break;
        default:
            break;
    }
    return {x, y, w, h};
}

}  // namespace ov::ui
