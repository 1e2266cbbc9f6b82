// Gradients, transparency layers, images and text of a GraphicsContext, and its snapshot.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "orvane/platform/ui/drawing/GraphicsContext.h"
#include "platform/ui/drawing/GraphicsBackend.h"
#include "platform/ui/drawing/PathCairo.h"
#include "platform/ui/drawing/TextDrawingCacheEntry.h"
#include "platform/ui/text/TextLayout.h"

namespace ov::ui {

namespace {

struct PatternDeleter {
    void operator()(cairo_pattern_t* pattern) const { cairo_pattern_destroy(pattern); }
};
using PatternHandle = std::unique_ptr<cairo_pattern_t, PatternDeleter>;

void addStops(cairo_pattern_t* pattern, const Gradient& gradient) {
    for (const Gradient::Stop& stop : gradient.stops()) {
        cairo_pattern_add_color_stop_rgba(pattern, stop.location, stop.color.red, stop.color.green,
                                          stop.color.blue, stop.color.alpha);
    }
}

// Both ends extended or neither is Cairo's own; one end alone is the padded gradient cut by a
// clip on the other side.
cairo_extend_t extendFor(GradientDrawingOptions options) {
    return options & (kCGGradientDrawsBeforeStartLocation | kCGGradientDrawsAfterEndLocation)
               ? CAIRO_EXTEND_PAD
               : CAIRO_EXTEND_NONE;
}

bool extendsOneEnd(GradientDrawingOptions options) {
    const bool before = options & kCGGradientDrawsBeforeStartLocation;
    const bool after = options & kCGGradientDrawsAfterEndLocation;
    return before != after;
}

// A length past every corner of the clip, in user space.
double reach(cairo_t* cairo, Point start, Point end) {
    double x1, y1, x2, y2;
    cairo_clip_extents(cairo, &x1, &y1, &x2, &y2);
    return 2 * (std::abs(x1) + std::abs(y1) + std::abs(x2) + std::abs(y2) + std::abs(start.x) +
                std::abs(start.y) + std::abs(end.x) + std::abs(end.y)) +
           1;
}

// Clips to the side of the line through `at`, square to `direction`, that `direction` points
// into.
void clipToHalfPlane(cairo_t* cairo, Point at, Point direction, double length) {
    const double norm = std::hypot(direction.x, direction.y);
    const Point u{direction.x / norm * length, direction.y / norm * length};
    const Point n{-u.y, u.x};
    cairo_new_path(cairo);
    cairo_move_to(cairo, at.x + n.x, at.y + n.y);
    cairo_line_to(cairo, at.x - n.x, at.y - n.y);
    cairo_line_to(cairo, at.x - n.x + u.x, at.y - n.y + u.y);
    cairo_line_to(cairo, at.x + n.x + u.x, at.y + n.y + u.y);
    cairo_close_path(cairo);
    cairo_clip(cairo);
}

void clipToCircle(cairo_t* cairo, Point center, double radius, bool outside) {
    cairo_new_path(cairo);
    if (outside) {
        const double length = reach(cairo, center, center);
        cairo_rectangle(cairo, center.x - length, center.y - length, 2 * length, 2 * length);
    }
    cairo_new_sub_path(cairo);
    cairo_arc(cairo, center.x, center.y, std::max(0.0, radius), 0, 2 * M_PI);
    cairo_set_fill_rule(cairo, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_clip(cairo);
}

cairo_surface_t* surfaceOf(const Image& image) {
    // Cairo only reads a source surface, so sharing the image's buffer is safe.
    auto* data = const_cast<unsigned char*>(image.pixels()->data());
    return cairo_image_surface_create_for_data(data, CAIRO_FORMAT_ARGB32, image.pixelWidth(),
                                               image.pixelHeight(), image.stride());
}

}  // namespace

void GraphicsContext::drawLinearGradient(const Gradient& gradient, Point start, Point end,
                                         GradientDrawingOptions options) {
    if (start == end) return;
    PatternHandle pattern(cairo_pattern_create_linear(start.x, start.y, end.x, end.y));
    addStops(pattern.get(), gradient);
    cairo_pattern_set_extend(pattern.get(), extendFor(options));
    m_backend->paint([&](cairo_t* cairo, double alpha) {
        if (extendsOneEnd(options)) {
            const double length = reach(cairo, start, end);
            if (options & kCGGradientDrawsBeforeStartLocation) {
                clipToHalfPlane(cairo, end, {start.x - end.x, start.y - end.y}, length);
            } else {
                clipToHalfPlane(cairo, start, {end.x - start.x, end.y - start.y}, length);
            }
        }
        cairo_set_source(cairo, pattern.get());
        cairo_paint_with_alpha(cairo, alpha);
    });
}

void GraphicsContext::drawRadialGradient(const Gradient& gradient, Point startCenter,
                                         double startRadius, Point endCenter, double endRadius,
                                         GradientDrawingOptions options) {
    if (!(startRadius >= 0) || !(endRadius >= 0)) return;
    PatternHandle pattern(cairo_pattern_create_radial(startCenter.x, startCenter.y, startRadius,
                                                      endCenter.x, endCenter.y, endRadius));
    addStops(pattern.get(), gradient);
    cairo_pattern_set_extend(pattern.get(), extendFor(options));
    m_backend->paint([&](cairo_t* cairo, double alpha) {
        if (extendsOneEnd(options)) {
            if (options & kCGGradientDrawsBeforeStartLocation) {
                clipToCircle(cairo, endCenter, endRadius, false);
            } else {
                clipToCircle(cairo, startCenter, startRadius, true);
            }
        }
        cairo_set_source(cairo, pattern.get());
        cairo_paint_with_alpha(cairo, alpha);
    });
}

void GraphicsContext::beginTransparencyLayer() {
    GraphicsState composite = m_backend->state();
    saveGState();
    GraphicsState& inside = m_backend->state();
    inside.alpha = 1;
    inside.blendMode = BlendMode::Normal;
    inside.shadow = Shadow{};
    m_backend->layers.push_back({composite, m_backend->states.size()});
    cairo_push_group(m_backend->cairo);
}

void GraphicsContext::beginTransparencyLayerWithRect(const Rect& rect) {
    beginTransparencyLayer();
    clipToRect(rect);
}

void GraphicsContext::endTransparencyLayer() {
    if (m_backend->layers.empty()) return;
    const Backend::Layer layer = m_backend->layers.back();
    // Saves left open inside the layer are closed with it.
    while (m_backend->states.size() > layer.stateDepth) {
        m_backend->states.pop_back();
        cairo_restore(m_backend->cairo);
    }
    m_backend->layers.pop_back();
    PatternHandle pattern(cairo_pop_group(m_backend->cairo));
    restoreGState();
    m_backend->paintWith(layer.composite, [&](cairo_t* cairo, double alpha) {
        cairo_set_source(cairo, pattern.get());
        cairo_paint_with_alpha(cairo, alpha);
    });
}

void GraphicsContext::drawImage(const Image& image, const Rect& rect) {
    const Rect box = rect.standardized();
    if (box.isEmpty()) return;
    cairo_surface_t* surface = surfaceOf(image);
    m_backend->paint([&](cairo_t* cairo, double alpha) {
        cairo_translate(cairo, box.origin.x, box.origin.y);
        cairo_scale(cairo, box.size.width / image.pixelWidth(),
                    box.size.height / image.pixelHeight());
        cairo_set_source_surface(cairo, surface, 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cairo), CAIRO_FILTER_GOOD);
        // Scaling up samples beyond the edge; padding keeps the edge pixels opaque.
        cairo_pattern_set_extend(cairo_get_source(cairo), CAIRO_EXTEND_PAD);
        cairo_new_path(cairo);
        cairo_rectangle(cairo, 0, 0, image.pixelWidth(), image.pixelHeight());
        cairo_clip(cairo);
        cairo_paint_with_alpha(cairo, alpha);
    });
    cairo_surface_destroy(surface);
}

void GraphicsContext::drawText(const AttributedString& text, Point point) {
    if (text.length() == 0) return;
    const Color::RGBA fill = m_backend->state().fill;
    m_backend->paint([&](cairo_t* cairo, double alpha) {
        TextBox box;
        box.contextColor = fill;
        box.alpha = alpha;
        const TextLayout layout(cairo, text, box);
        cairo_new_path(cairo);
        cairo_move_to(cairo, point.x, point.y);
        layout.show(cairo);
    });
}

void GraphicsContext::drawText(const AttributedString& text, const Rect& rect,
                               StringDrawingOptions options, size_t numberOfLines) {
    TextDrawingCache once;
    drawText(text, rect, options, numberOfLines, once);
}

void GraphicsContext::drawText(const AttributedString& text, const Rect& rect,
                               StringDrawingOptions options, size_t numberOfLines,
                               TextDrawingCache& cache) {
    const Rect box = rect.standardized();
    if (text.length() == 0 || box.isNull()) return;
    if (!(options & NSStringDrawingUsesLineFragmentOrigin)) {
        // One line standing on the rectangle's origin.
        const double baseline = TextLayout(text, TextBox{}).firstBaseline();
        return drawText(text, Point{box.origin.x, box.origin.y - baseline});
    }
    const Color::RGBA fill = m_backend->state().fill;
    m_backend->paint([&](cairo_t* cairo, double alpha) {
        TextBox layoutBox;
        layoutBox.width = box.size.width;
        layoutBox.height = box.size.height;
        layoutBox.numberOfLines = numberOfLines;
        layoutBox.truncateLastLine = options & NSStringDrawingTruncatesLastVisibleLine;
        layoutBox.contextColor = fill;
        layoutBox.alpha = alpha;
        const auto& laidOut = laidOutText(cache.m_entry, cairo, text, layoutBox);
        const double shown = std::min(box.size.height, laidOut.size.height);
        cairo_new_path(cairo);
        cairo_rectangle(cairo, box.origin.x, box.origin.y, box.size.width, shown);
        cairo_clip(cairo);
        cairo_move_to(cairo, box.origin.x, box.origin.y);
        laidOut.layout->show(cairo);
    });
}

std::shared_ptr<Image> GraphicsContext::makeImage() const {
    if (!m_backend->pixels) return nullptr;
    cairo_surface_flush(m_backend->surface);
    const int width = pixelWidth();
    const int height = pixelHeight();
    const int stride = cairo_image_surface_get_stride(m_backend->surface);
    const unsigned char* data = cairo_image_surface_get_data(m_backend->surface);
    auto pixels = std::make_shared<std::vector<uint8_t>>(static_cast<size_t>(width) * height * 4);
    for (int y = 0; y < height; ++y) {
        std::memcpy(pixels->data() + static_cast<size_t>(y) * width * 4,
                    data + static_cast<size_t>(y) * stride, static_cast<size_t>(width) * 4);
    }
    return Image::imageWithARGB32(width, height, std::move(pixels), m_scale);
}

std::shared_ptr<Image> GraphicsContext::takeImage() {
    if (!m_backend->pixels) return nullptr;
    const int width = pixelWidth();
    const int height = pixelHeight();
    cairo_surface_flush(m_backend->surface);
    // A finished surface refuses further drawing, so the pixels handed over stay as they are.
    cairo_surface_finish(m_backend->surface);
    return Image::imageWithARGB32(width, height, std::move(m_backend->pixels), m_scale);
}

}  // namespace ov::ui
