#include "orvane/platform/ui/drawing/Path.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/ui/drawing/PathCairo.h"

namespace ov::ui {

namespace {

constexpr double kQuarterTurn = std::numbers::pi / 2;
// Control distance that makes a cubic curve follow a quarter circle.
constexpr double kQuarterArcKappa = 0.5522847498307936;

}  // namespace

Path Path::bezierPathWithRect(const Rect& rect) {
    Path path;
    path.addRect(rect);
    return path;
}

Path Path::bezierPathWithOvalInRect(const Rect& rect) {
    Path path;
    path.addEllipseInRect(rect);
    return path;
}

Path Path::bezierPathWithRoundedRect(const Rect& rect, double cornerRadius) {
    return bezierPathWithRoundedRect(rect, UIRectCornerAllCorners, {cornerRadius, cornerRadius});
}

Path Path::bezierPathWithRoundedRect(const Rect& rect, UIRectCorner corners, Size cornerRadii) {
    Path path;
    const Rect box = rect.standardized();
    if (box.isNull()) return path;
    const double limit = std::min(box.size.width, box.size.height) / 2;
    const double radius = std::clamp(std::max(cornerRadii.width, cornerRadii.height), 0.0, limit);
    const auto cornerRadius = [&](UIRectCorner corner) {
        return (corners & corner) ? radius : 0.0;
    };
    const double topLeft = cornerRadius(UIRectCornerTopLeft);
    const double topRight = cornerRadius(UIRectCornerTopRight);
    const double bottomRight = cornerRadius(UIRectCornerBottomRight);
    const double bottomLeft = cornerRadius(UIRectCornerBottomLeft);
    const double pi = std::numbers::pi;
    path.moveToPoint({box.minX() + topLeft, box.minY()});
    path.addArc({box.maxX() - topRight, box.minY() + topRight}, topRight, -pi / 2, 0, Clockwise);
    path.addArc({box.maxX() - bottomRight, box.maxY() - bottomRight}, bottomRight, 0, pi / 2,
                Clockwise);
    path.addArc({box.minX() + bottomLeft, box.maxY() - bottomLeft}, bottomLeft, pi / 2, pi,
                Clockwise);
    path.addArc({box.minX() + topLeft, box.minY() + topLeft}, topLeft, pi, 3 * pi / 2, Clockwise);
    path.closePath();
    return path;
}

Path Path::bezierPathWithArcCenter(Point center, double radius, double startAngle, double endAngle,
                                   Direction direction) {
    Path path;
    path.addArc(center, radius, startAngle, endAngle, direction);
    return path;
}

void Path::moveToPoint(Point point) {
    m_elements.push_back({ElementType::MoveTo, {point}});
}

void Path::addLineToPoint(Point point) {
    if (!hasCurrentPoint()) return moveToPoint(point);
    m_elements.push_back({ElementType::LineTo, {point}});
}

void Path::addCurveToPoint(Point end, Point control1, Point control2) {
    if (!hasCurrentPoint()) moveToPoint(control1);
    m_elements.push_back({ElementType::CurveTo, {control1, control2, end}});
}

void Path::addQuadCurveToPoint(Point end, Point control) {
    if (!hasCurrentPoint()) moveToPoint(control);
    const Point start = currentPoint();
    const auto twoThirds = [](Point from, Point to) {
        return Point{from.x + 2.0 / 3 * (to.x - from.x), from.y + 2.0 / 3 * (to.y - from.y)};
    };
    addCurveToPoint(end, twoThirds(start, control), twoThirds(end, control));
}

void Path::addArc(Point center, double radius, double startAngle, double endAngle,
                  Direction direction) {
    if (!std::isfinite(startAngle) || !std::isfinite(endAngle) || !std::isfinite(radius)) return;
    radius = std::abs(radius);
    const double fullTurn = 2 * std::numbers::pi;
    if (direction == Clockwise) {
        if (endAngle < startAngle)
            endAngle += fullTurn * std::ceil((startAngle - endAngle) / fullTurn);
    } else if (endAngle > startAngle) {
        endAngle -= fullTurn * std::ceil((endAngle - startAngle) / fullTurn);
    }
    const auto at = [&](double angle) {
        return Point{center.x + radius * std::cos(angle), center.y + radius * std::sin(angle)};
    };
    if (hasCurrentPoint()) {
        addLineToPoint(at(startAngle));
    } else {
        moveToPoint(at(startAngle));
    }
    const double sweep = endAngle - startAngle;
    const int segments =
        std::max(1, static_cast<int>(std::ceil(std::abs(sweep) / kQuarterTurn - 1e-9)));
    const double step = sweep / segments;
    // Control length for a segment of this sweep (4/3 tan(step/4)).
    const double control = 4.0 / 3.0 * std::tan(step / 4) * radius;
    for (int i = 0; i < segments; ++i) {
        const double from = startAngle + step * i;
        const double to = from + step;
        const Point start = at(from);
        const Point end = at(to);
        addCurveToPoint(end,
                        {start.x - control * std::sin(from), start.y + control * std::cos(from)},
                        {end.x + control * std::sin(to), end.y - control * std::cos(to)});
    }
}

void Path::addRect(const Rect& rect) {
    if (rect.isNull()) return;
    const Rect box = rect.standardized();
    moveToPoint({box.minX(), box.minY()});
    addLineToPoint({box.maxX(), box.minY()});
    addLineToPoint({box.maxX(), box.maxY()});
    addLineToPoint({box.minX(), box.maxY()});
    closePath();
}

void Path::addEllipseInRect(const Rect& rect) {
    if (rect.isNull()) return;
    const Rect box = rect.standardized();
    const double rx = box.size.width / 2;
    const double ry = box.size.height / 2;
    const double cx = box.midX();
    const double cy = box.midY();
    const double kx = rx * kQuarterArcKappa;
    const double ky = ry * kQuarterArcKappa;
    moveToPoint({cx + rx, cy});
    addCurveToPoint({cx, cy + ry}, {cx + rx, cy + ky}, {cx + kx, cy + ry});
    addCurveToPoint({cx - rx, cy}, {cx - kx, cy + ry}, {cx - rx, cy + ky});
    addCurveToPoint({cx, cy - ry}, {cx - rx, cy - ky}, {cx - kx, cy - ry});
    addCurveToPoint({cx + rx, cy}, {cx + kx, cy - ry}, {cx + rx, cy - ky});
    closePath();
}

void Path::closePath() {
    if (hasCurrentPoint() && m_elements.back().type != ElementType::Close) {
        m_elements.push_back({ElementType::Close, {}});
    }
}

void Path::appendPath(const Path& other) {
    m_elements.insert(m_elements.end(), other.m_elements.begin(), other.m_elements.end());
}

void Path::applyTransform(const AffineTransform& transform) {
    for (Element& element : m_elements) {
        for (Point& point : element.points)
            point = transform.apply(point);
    }
}

Point Path::currentPoint() const {
    Point subpathStart;
    Point current;
    for (const Element& element : m_elements) {
        switch (element.type) {
            case ElementType::MoveTo:
                subpathStart = current = element.points[0];
                break;
            case ElementType::LineTo:
                current = element.points[0];
                break;
            case ElementType::CurveTo:
                current = element.points[2];
                break;
            case ElementType::Close:
                current = subpathStart;
                break;
        }
    }
    return current;
}

Rect Path::bounds() const {
    Rect box = Rect::null();
    for (const Element& element : m_elements) {
        const int count = element.type == ElementType::CurveTo ? 3
                          : element.type == ElementType::Close ? 0
                                                               : 1;
        for (int i = 0; i < count; ++i)
            box = box.unionWith(Rect{element.points[i], {}});
    }
    return box;
}

bool Path::containsPoint(Point point, FillRule rule) const {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
    cairo_t* cairo = cairo_create(surface);
    appendToCairo(cairo, *this);
    cairo_set_fill_rule(
        cairo, rule == FillRule::EvenOdd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
    const bool inside = cairo_in_fill(cairo, point.x, point.y);
    cairo_destroy(cairo);
    cairo_surface_destroy(surface);
    return inside;
}

}  // namespace ov::ui
