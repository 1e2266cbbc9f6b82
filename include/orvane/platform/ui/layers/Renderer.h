#pragma once
// Turns a layer tree (or a view tree, through its layers) into pixels, the way it shows at
// Clock::current(): every layer with its presentation values (position, bounds, anchor point,
// transform including perspective, opacity, background, corner radius and clipping, border,
// shadow, mask, contents and drawn contents, sublayers in order of zPosition), and running
// cross-fade transitions.
//
//   ov::test::ManualClockScope time;                   // or the real clock
//   auto image = ov::ui::renderLayer(window->layer(), 2);  // the window's bounds at 2x
//   ov::ui::writePNG(*image, "/tmp/window.png");
//   image->rgbaAt(0, 0);                                // red, green, blue, alpha
//
// The picture covers the root's bounds, in its own coordinates: the root's position and
// transform are not applied, its opacity, look and sublayers are. Layers whose drawn contents
// are marked (or no longer match their size or the scale) are drawn again first, and views are
// laid out first.

#include <memory>
#include <string>

#include "orvane/platform/files/Image.h"
#include "orvane/platform/values/Data.h"
#include "orvane/platform/values/Error.h"

namespace ov::ui {

class GraphicsContext;
class Layer;

// Nullptr for an empty bounds.
std::shared_ptr<Image> renderLayer(const Layer& layer, double scale = Image::screenScale());
// Draws the tree into a context whose current transform maps the root layer's bounds (the
// platform's renderInContext:).
void renderInContext(const Layer& layer, GraphicsContext& context);

// PNG bytes of the image (empty on failure), and the same written to a file, atomically: a
// failed write (a full disk, say) leaves the old file whole. False on failure, with the reason
// in `error` when given.
Data pngData(const Image& image);
bool writePNG(const Image& image, const std::string& path, Error* error = nullptr);

}  // namespace ov::ui
