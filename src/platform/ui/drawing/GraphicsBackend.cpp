#include "platform/ui/drawing/GraphicsBackend.h"

#include <algorithm>
#include <cmath>

#include "platform/ui/drawing/PathCairo.h"
#include "platform/ui/drawing/ShadowBlur.h"

namespace ov::ui {

cairo_operator_t cairoOperator(BlendMode mode) {
    switch (mode) {
        case BlendMode::Normal:
            return CAIRO_OPERATOR_OVER;
        case BlendMode::Multiply:
            return CAIRO_OPERATOR_MULTIPLY;
        case BlendMode::Screen:
            return CAIRO_OPERATOR_SCREEN;
        case BlendMode::Overlay:
            return CAIRO_OPERATOR_OVERLAY;
        case BlendMode::Darken:
            return CAIRO_OPERATOR_DARKEN;
        case BlendMode::Lighten:
            return CAIRO_OPERATOR_LIGHTEN;
        case BlendMode::ColorDodge:
            return CAIRO_OPERATOR_COLOR_DODGE;
        case BlendMode::ColorBurn:
            return CAIRO_OPERATOR_COLOR_BURN;
        case BlendMode::SoftLight:
            return CAIRO_OPERATOR_SOFT_LIGHT;
        case BlendMode::HardLight:
            return CAIRO_OPERATOR_HARD_LIGHT;
        case BlendMode::Difference:
            return CAIRO_OPERATOR_DIFFERENCE;
        case BlendMode::Exclusion:
            return CAIRO_OPERATOR_EXCLUSION;
        case BlendMode::Hue:
            return CAIRO_OPERATOR_HSL_HUE;
        case BlendMode::Saturation:
            return CAIRO_OPERATOR_HSL_SATURATION;
        case BlendMode::Color:
            return CAIRO_OPERATOR_HSL_COLOR;
        case BlendMode::Luminosity:
            return CAIRO_OPERATOR_HSL_LUMINOSITY;
        case BlendMode::Clear:
            return CAIRO_OPERATOR_CLEAR;
        case BlendMode::Copy:
            return CAIRO_OPERATOR_SOURCE;
        case BlendMode::SourceIn:
            return CAIRO_OPERATOR_IN;
        case BlendMode::SourceOut:
            return CAIRO_OPERATOR_OUT;
        case BlendMode::SourceAtop:
            return CAIRO_OPERATOR_ATOP;
        case BlendMode::DestinationOver:
            return CAIRO_OPERATOR_DEST_OVER;
        case BlendMode::DestinationIn:
            return CAIRO_OPERATOR_DEST_IN;
        case BlendMode::DestinationOut:
            return CAIRO_OPERATOR_DEST_OUT;
        case BlendMode::DestinationAtop:
            return CAIRO_OPERATOR_DEST_ATOP;
        case BlendMode::XOR:
            return CAIRO_OPERATOR_XOR;
        // Cairo has no darkening sum; multiplying is the nearest look.
        case BlendMode::PlusDarker:
            return CAIRO_OPERATOR_MULTIPLY;
        case BlendMode::PlusLighter:
            return CAIRO_OPERATOR_ADD;
    }
    return CAIRO_OPERATOR_OVER;
}

void appendBasePath(cairo_t* cairo, const cairo_matrix_t& base, const Path& path) {
    cairo_matrix_t user;
    cairo_get_matrix(cairo, &user);
    cairo_set_matrix(cairo, &base);
    cairo_new_path(cairo);
    appendToCairo(cairo, path);
    cairo_set_matrix(cairo, &user);
}

GraphicsContext::Backend::Backend(std::shared_ptr<std::vector<uint8_t>> pixels, int width,
                                  int height, double scale)
    : pixels(std::move(pixels)),
      surface(cairo_image_surface_create_for_data(this->pixels->data(), CAIRO_FORMAT_ARGB32, width,
                                                  height, width * 4)),
      cairo(cairo_create(surface)),
      scale(scale) {
    cairo_scale(cairo, scale, scale);
}

GraphicsContext::Backend::~Backend() {
    cairo_destroy(cairo);
    cairo_surface_destroy(surface);
}

cairo_matrix_t GraphicsContext::Backend::baseMatrix() const {
    cairo_matrix_t base;
    cairo_matrix_init_scale(&base, scale, scale);
    return base;
}

void GraphicsContext::Backend::paint(const DrawStep& step) {
    paintWith(state(), step);
}

void GraphicsContext::Backend::paintWith(const GraphicsState& with, const DrawStep& step) {
    if (with.shadow.isActive()) paintShadow(with, step);
    cairo_save(cairo);
    cairo_set_operator(cairo, cairoOperator(with.blendMode));
    step(cairo, with.alpha);
    cairo_restore(cairo);
}

// The step is drawn alone into a scratch bitmap that shares the device space (with a margin
// for shapes just outside), its coverage blurred, and the shadow colour painted through it.
void GraphicsContext::Backend::paintShadow(const GraphicsState& with, const DrawStep& step) {
    const Shadow& shadow = with.shadow;
    const double sigma = std::max(0.0, shadow.blur) * scale / 2;
    const double dx = shadow.offset.width * scale;
    const double dy = shadow.offset.height * scale;
    const int margin = static_cast<int>(
        std::min(4096.0, std::ceil(3 * sigma + std::max(std::abs(dx), std::abs(dy))) + 1));
    const int width = cairo_image_surface_get_width(surface) + 2 * margin;
    const int height = cairo_image_surface_get_height(surface) + 2 * margin;

    cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_surface_set_device_offset(scratch, margin, margin);
    cairo_t* scratchCairo = cairo_create(scratch);
    cairo_matrix_t matrix;
    cairo_get_matrix(cairo, &matrix);
    cairo_set_matrix(scratchCairo, &matrix);
    step(scratchCairo, with.alpha);
    cairo_destroy(scratchCairo);
    cairo_surface_flush(scratch);

    std::vector<uint8_t> coverage(static_cast<size_t>(width) * height);
    const unsigned char* pixels = cairo_image_surface_get_data(scratch);
    const int stride = cairo_image_surface_get_stride(scratch);
    for (int y = 0; y < height; ++y) {
        const auto* row =
            reinterpret_cast<const uint32_t*>(pixels + static_cast<size_t>(y) * stride);
        for (int x = 0; x < width; ++x)
            coverage[static_cast<size_t>(y) * width + x] = row[x] >> 24;
    }
    cairo_surface_destroy(scratch);
    blurAlpha(coverage, width, height, sigma);

    cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, width, height);
    cairo_surface_flush(mask);
    unsigned char* maskPixels = cairo_image_surface_get_data(mask);
    const int maskStride = cairo_image_surface_get_stride(mask);
    for (int y = 0; y < height; ++y) {
        std::copy_n(coverage.data() + static_cast<size_t>(y) * width, width,
                    maskPixels + static_cast<size_t>(y) * maskStride);
    }
    cairo_surface_mark_dirty(mask);

    cairo_save(cairo);
    cairo_identity_matrix(cairo);
    cairo_set_operator(cairo, cairoOperator(with.blendMode));
    cairo_set_source_rgba(cairo, shadow.color.red, shadow.color.green, shadow.color.blue,
                          shadow.color.alpha);
    cairo_mask_surface(cairo, mask, dx - margin, dy - margin);
    cairo_restore(cairo);
    cairo_surface_destroy(mask);
}

}  // namespace ov::ui
