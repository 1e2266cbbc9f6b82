#include "orvane/platform/ui/drawing/GraphicsContext.h"

#include <algorithm>
#include <cmath>

#include "platform/ui/drawing/GraphicsBackend.h"
#include "platform/ui/drawing/PathCairo.h"

namespace ov::ui {

namespace {

cairo_fill_rule_t cairoRule(FillRule rule) {
    return rule == FillRule::EvenOdd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING;
}

void setSource(cairo_t* cairo, const Color::RGBA& color, double alpha) {
    cairo_set_source_rgba(cairo, color.red, color.green, color.blue, color.alpha * alpha);
}

void applyLineStyle(cairo_t* cairo, const GraphicsState& state) {
    cairo_set_line_width(cairo, state.lineWidth);
    cairo_set_line_cap(cairo, state.lineCap == LineCap::Round    ? CAIRO_LINE_CAP_ROUND
                              : state.lineCap == LineCap::Square ? CAIRO_LINE_CAP_SQUARE
                                                                 : CAIRO_LINE_CAP_BUTT);
    cairo_set_line_join(cairo, state.lineJoin == LineJoin::Round   ? CAIRO_LINE_JOIN_ROUND
                               : state.lineJoin == LineJoin::Bevel ? CAIRO_LINE_JOIN_BEVEL
                                                                   : CAIRO_LINE_JOIN_MITER);
    cairo_set_miter_limit(cairo, state.miterLimit);
    cairo_set_dash(cairo, state.dashes.data(), static_cast<int>(state.dashes.size()),
                   state.dashPhase);
}

bool isFinite(Point point) {
    return std::isfinite(point.x) && std::isfinite(point.y);
}

}  // namespace

std::unique_ptr<GraphicsContext> GraphicsContext::bitmap(Size size, double scale, bool opaque) {
    if (!(scale > 0) || !std::isfinite(scale) || !(size.width > 0) || !(size.height > 0)) {
        return nullptr;
    }
    const double width = std::ceil(size.width * scale);
    const double height = std::ceil(size.height * scale);
    if (!(width <= kLargestSide) || !(height <= kLargestSide)) return nullptr;
    const int columns = static_cast<int>(width), rows = static_cast<int>(height);
    auto pixels = std::make_shared<std::vector<uint8_t>>(static_cast<size_t>(columns) * rows * 4);
    auto backend = std::make_unique<Backend>(std::move(pixels), columns, rows, scale);
    if (cairo_surface_status(backend->surface) != CAIRO_STATUS_SUCCESS) return nullptr;
    if (opaque) {
        cairo_set_source_rgb(backend->cairo, 0, 0, 0);
        cairo_paint(backend->cairo);
    }
    return std::unique_ptr<GraphicsContext>(new GraphicsContext(size, scale, std::move(backend)));
}

GraphicsContext::GraphicsContext(Size size, double scale, std::unique_ptr<Backend> backend)
    : m_size(size), m_scale(scale), m_backend(std::move(backend)) {}

GraphicsContext::~GraphicsContext() = default;

int GraphicsContext::pixelWidth() const {
    return cairo_image_surface_get_width(m_backend->surface);
}

int GraphicsContext::pixelHeight() const {
    return cairo_image_surface_get_height(m_backend->surface);
}

void GraphicsContext::saveGState() {
    m_backend->states.push_back(m_backend->state());
    cairo_save(m_backend->cairo);
}

void GraphicsContext::restoreGState() {
    const size_t floor = m_backend->layers.empty() ? 1 : m_backend->layers.back().stateDepth;
    if (m_backend->states.size() <= floor) return;
    m_backend->states.pop_back();
    cairo_restore(m_backend->cairo);
}

void GraphicsContext::translateCTM(double tx, double ty) {
    cairo_translate(m_backend->cairo, tx, ty);
}

void GraphicsContext::scaleCTM(double sx, double sy) {
    // A zero scale would leave Cairo with no inverse and stop all drawing.
    if (sx == 0 || sy == 0 || !std::isfinite(sx) || !std::isfinite(sy)) return;
    cairo_scale(m_backend->cairo, sx, sy);
}

void GraphicsContext::rotateCTM(double angle) {
    if (std::isfinite(angle)) cairo_rotate(m_backend->cairo, angle);
}

void GraphicsContext::concatCTM(const AffineTransform& transform) {
    if (!transform.isInvertible()) return;
    cairo_matrix_t matrix;
    cairo_matrix_init(&matrix, transform.a, transform.b, transform.c, transform.d, transform.tx,
                      transform.ty);
    cairo_transform(m_backend->cairo, &matrix);
}

AffineTransform GraphicsContext::getCTM() const {
    cairo_matrix_t m;
    cairo_get_matrix(m_backend->cairo, &m);
    const double s = m_scale;
    return {m.xx / s, m.yx / s, m.xy / s, m.yy / s, m.x0 / s, m.y0 / s};
}

void GraphicsContext::beginPath() {
    m_path.removeAllPoints();
}

void GraphicsContext::moveToPoint(Point point) {
    if (isFinite(point)) m_path.moveToPoint(getCTM().apply(point));
}

void GraphicsContext::addLineToPoint(Point point) {
    if (isFinite(point)) m_path.addLineToPoint(getCTM().apply(point));
}

void GraphicsContext::addCurveToPoint(Point control1, Point control2, Point end) {
    const AffineTransform ctm = getCTM();
    m_path.addCurveToPoint(ctm.apply(end), ctm.apply(control1), ctm.apply(control2));
}

void GraphicsContext::addQuadCurveToPoint(Point control, Point end) {
    const AffineTransform ctm = getCTM();
    m_path.addQuadCurveToPoint(ctm.apply(end), ctm.apply(control));
}

void GraphicsContext::addArc(Point center, double radius, double startAngle, double endAngle,
                             int clockwise) {
    Path arc = Path::bezierPathWithArcCenter(center, radius, startAngle, endAngle,
                                             clockwise ? Path::CounterClockwise : Path::Clockwise);
    if (arc.isEmpty()) return;
    arc.applyTransform(getCTM());
    // An arc continues the current subpath with a line to its start.
    for (const Path::Element& element : arc.elements()) {
        switch (element.type) {
            case Path::ElementType::MoveTo:
                m_path.addLineToPoint(element.points[0]);
                break;
            case Path::ElementType::CurveTo:
                m_path.addCurveToPoint(element.points[2], element.points[0], element.points[1]);
                break;
            default:
                break;
        }
    }
}

void GraphicsContext::addRect(const Rect& rect) {
    addPath(Path::bezierPathWithRect(rect));
}

void GraphicsContext::addEllipseInRect(const Rect& rect) {
    addPath(Path::bezierPathWithOvalInRect(rect));
}

void GraphicsContext::addPath(const Path& path) {
    Path placed = path;
    placed.applyTransform(getCTM());
    m_path.appendPath(placed);
}

void GraphicsContext::closePath() {
    m_path.closePath();
}

void GraphicsContext::fillPath(FillRule rule) {
    const Path path = std::move(m_path);
    m_path = Path();
    const cairo_matrix_t base = m_backend->baseMatrix();
    const Color::RGBA color = m_backend->state().fill;
    m_backend->paint([&](cairo_t* cairo, double alpha) {
        appendBasePath(cairo, base, path);
        cairo_set_fill_rule(cairo, cairoRule(rule));
        setSource(cairo, color, alpha);
        cairo_fill(cairo);
    });
}

void GraphicsContext::strokePath() {
    const Path path = std::move(m_path);
    m_path = Path();
    const cairo_matrix_t base = m_backend->baseMatrix();
    const GraphicsState& state = m_backend->state();
    m_backend->paint([&](cairo_t* cairo, double alpha) {
        appendBasePath(cairo, base, path);
        applyLineStyle(cairo, state);
        setSource(cairo, state.stroke, alpha);
        cairo_stroke(cairo);
    });
}

void GraphicsContext::fillPath(const Path& path, FillRule rule) {
    const Color::RGBA color = m_backend->state().fill;
    m_backend->paint([&](cairo_t* cairo, double alpha) {
        cairo_new_path(cairo);
        appendToCairo(cairo, path);
        cairo_set_fill_rule(cairo, cairoRule(rule));
        setSource(cairo, color, alpha);
        cairo_fill(cairo);
    });
}

void GraphicsContext::strokePath(const Path& path) {
    const GraphicsState& state = m_backend->state();
    m_backend->paint([&](cairo_t* cairo, double alpha) {
        cairo_new_path(cairo);
        appendToCairo(cairo, path);
        applyLineStyle(cairo, state);
        setSource(cairo, state.stroke, alpha);
        cairo_stroke(cairo);
    });
}

void GraphicsContext::fillRect(const Rect& rect) {
    fillPath(Path::bezierPathWithRect(rect));
}

void GraphicsContext::strokeRect(const Rect& rect) {
    strokePath(Path::bezierPathWithRect(rect));
}

void GraphicsContext::fillEllipseInRect(const Rect& rect) {
    fillPath(Path::bezierPathWithOvalInRect(rect));
}

void GraphicsContext::clearRect(const Rect& rect) {
    cairo_t* cairo = m_backend->cairo;
    cairo_save(cairo);
    cairo_new_path(cairo);
    appendToCairo(cairo, Path::bezierPathWithRect(rect));
    cairo_set_operator(cairo, CAIRO_OPERATOR_CLEAR);
    cairo_fill(cairo);
    cairo_restore(cairo);
}

void GraphicsContext::clip(FillRule rule) {
    cairo_t* cairo = m_backend->cairo;
    cairo_new_path(cairo);
    appendBasePath(cairo, m_backend->baseMatrix(), m_path);
    cairo_set_fill_rule(cairo, cairoRule(rule));
    cairo_clip(cairo);
    m_path.removeAllPoints();
}

void GraphicsContext::clipToPath(const Path& path, FillRule rule) {
    cairo_t* cairo = m_backend->cairo;
    cairo_new_path(cairo);
    appendToCairo(cairo, path);
    cairo_set_fill_rule(cairo, cairoRule(rule));
    cairo_clip(cairo);
}

void GraphicsContext::clipToRect(const Rect& rect) {
    clipToPath(Path::bezierPathWithRect(rect));
}

Rect GraphicsContext::getClipBoundingBox() const {
    double x1, y1, x2, y2;
    cairo_clip_extents(m_backend->cairo, &x1, &y1, &x2, &y2);
    return {x1, y1, x2 - x1, y2 - y1};
}

void GraphicsContext::setFillColor(const Color& color) {
    m_backend->state().fill = color.rgba();
}

void GraphicsContext::setStrokeColor(const Color& color) {
    m_backend->state().stroke = color.rgba();
}

void GraphicsContext::setLineWidth(double width) {
    if (std::isfinite(width) && width >= 0) m_backend->state().lineWidth = width;
}

void GraphicsContext::setLineCap(LineCap cap) {
    m_backend->state().lineCap = cap;
}

void GraphicsContext::setLineJoin(LineJoin join) {
    m_backend->state().lineJoin = join;
}

void GraphicsContext::setMiterLimit(double limit) {
    if (std::isfinite(limit)) m_backend->state().miterLimit = limit;
}

void GraphicsContext::setLineDash(double phase, const std::vector<double>& lengths) {
    GraphicsState& state = m_backend->state();
    bool drawable = false;
    for (double length : lengths) {
        if (!(length >= 0) || !std::isfinite(length)) return;
        drawable = drawable || length > 0;
    }
    // Cairo refuses a pattern of zero lengths; the platform draws it solid.
    state.dashes = drawable ? lengths : std::vector<double>{};
    state.dashPhase = std::isfinite(phase) ? phase : 0;
}

void GraphicsContext::setAlpha(double alpha) {
    m_backend->state().alpha = std::isnan(alpha) ? 1 : std::clamp(alpha, 0.0, 1.0);
}

void GraphicsContext::setBlendMode(BlendMode mode) {
    m_backend->state().blendMode = mode;
}

void GraphicsContext::setShadowWithColor(Size offset, double blur,
                                         const std::optional<Color>& color) {
    Shadow& shadow = m_backend->state().shadow;
    shadow.offset = {std::isfinite(offset.width) ? offset.width : 0,
                     std::isfinite(offset.height) ? offset.height : 0};
    shadow.blur = std::isfinite(blur) ? std::max(0.0, blur) : 0;
    shadow.color = color ? color->rgba() : Color::RGBA{};
}

void GraphicsContext::setShadow(Size offset, double blur) {
    setShadowWithColor(offset, blur, Color::colorWithWhite(0, 1.0 / 3));
}

}  // namespace ov::ui
