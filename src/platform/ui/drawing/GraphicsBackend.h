#pragma once
// The Cairo side of a GraphicsContext: the bitmap, its cairo_t, and the parts of the graphics
// state that Cairo does not keep (colours, alpha, blend mode, shadow, line style).

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "orvane/platform/ui/drawing/GraphicsContext.h"

namespace ov::ui {

struct Shadow {
    Size offset;
    double blur = 0;
    Color::RGBA color;
    bool isActive() const { return color.alpha > 0; }
};

struct GraphicsState {
    Color::RGBA fill{0, 0, 0, 1};
    Color::RGBA stroke{0, 0, 0, 1};
    double lineWidth = 1;
    LineCap lineCap = LineCap::Butt;
    LineJoin lineJoin = LineJoin::Miter;
    double miterLimit = 10;
    double dashPhase = 0;
    std::vector<double> dashes;
    double alpha = 1;
    BlendMode blendMode = BlendMode::Normal;
    Shadow shadow;
};

// Draws into the given cairo_t, multiplying its colours by the alpha. Called once for the
// shadow's mask (into a scratch surface) and once for the real drawing.
using DrawStep = std::function<void(cairo_t* cairo, double alpha)>;

struct GraphicsContext::Backend {
    struct Layer {
        GraphicsState composite;  // alpha, blend mode and shadow to end with
        size_t stateDepth;
    };

    // Draws into `pixels`, a bitmap in Cairo's ARGB32 layout (rows 4 * width bytes apart).
    Backend(std::shared_ptr<std::vector<uint8_t>> pixels, int width, int height, double scale);
    ~Backend();

    GraphicsState& state() { return states.back(); }
    cairo_matrix_t baseMatrix() const;
    // Draws one step with the current alpha, blend mode and shadow.
    void paint(const DrawStep& step);
    void paintWith(const GraphicsState& state, const DrawStep& step);
    void paintShadow(const GraphicsState& state, const DrawStep& step);

    std::shared_ptr<std::vector<uint8_t>> pixels;
    cairo_surface_t* surface;
    cairo_t* cairo;
    double scale;
    std::vector<GraphicsState> states{GraphicsState{}};
    std::vector<Layer> layers;
};

cairo_operator_t cairoOperator(BlendMode mode);
// Appends a path given in the context's points (not user space) to Cairo's current path.
void appendBasePath(cairo_t* cairo, const cairo_matrix_t& base, const Path& path);

}  // namespace ov::ui
