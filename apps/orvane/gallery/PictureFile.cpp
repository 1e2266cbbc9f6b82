#include "PictureFile.h"

#include <cmath>
#include <cstdio>

#include "orvane/platform/ui/drawing/GraphicsContext.h"
#include "orvane/platform/ui/layers/Renderer.h"

namespace orvane::cli {
namespace {

using namespace ov;

int fail(const std::string& message) {
    std::fprintf(stderr, "orvane render: %s\n", message.c_str());
    return 1;
}

}  // namespace

int writePictureFile(ui::View& view, double scale, const std::string& path) {
    const ui::Size size = view.bounds().size;
    const double width = std::ceil(size.width * scale);
    const double height = std::ceil(size.height * scale);
    constexpr int kLargestSide = ui::GraphicsContext::kLargestSide;
    if (width > kLargestSide || height > kLargestSide) {
        char message[128];
        std::snprintf(message, sizeof message,
                      "the picture would be %.0f x %.0f pixels, more than %d a side", width, height,
                      kLargestSide);
        return fail(message);
    }
    const auto image = ui::renderToImage(view, scale);
    if (!image) return fail("nothing to draw for " + path);
    Error error(NSCocoaErrorDomain, 0);
    if (!ui::writePNG(*image, path, &error)) return fail(error.localizedDescription().toUtf8());
    return 0;
}

}  // namespace orvane::cli
