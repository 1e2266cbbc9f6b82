#include "orvane/platform/ui/layers/ShapeLayer.h"

#include <algorithm>
#include <cmath>

#include "platform/ui/layers/StoreValue.h"

namespace ov::ui {

std::shared_ptr<ShapeLayer> ShapeLayer::layer() {
    return std::make_shared<ShapeLayer>();
}

std::shared_ptr<Layer> ShapeLayer::copyProperties() const {
    return std::shared_ptr<Layer>(new ShapeLayer(*this));
}

void ShapeLayer::setFillColor(const std::optional<Color>& color) {
    changeProperty("fillColor", m_fillColor, color);
}
void ShapeLayer::setStrokeColor(const std::optional<Color>& color) {
    changeProperty("strokeColor", m_strokeColor, color);
}
void ShapeLayer::setLineWidth(double width) {
    changeProperty("lineWidth", m_lineWidth, width);
}
void ShapeLayer::setStrokeStart(double fraction) {
    changeProperty("strokeStart", m_strokeStart, fraction);
}
void ShapeLayer::setStrokeEnd(double fraction) {
    changeProperty("strokeEnd", m_strokeEnd, fraction);
}
void ShapeLayer::setLineDashPhase(double phase) {
    changeProperty("lineDashPhase", m_lineDashPhase, phase);
}
void ShapeLayer::setMiterLimit(double limit) {
    changeProperty("miterLimit", m_miterLimit, limit);
}

std::optional<AnimationValue> ShapeLayer::valueForKey(std::string_view key) const {
    if (key == "fillColor") return m_fillColor.value_or(Color::clearColor());
    if (key == "strokeColor") return m_strokeColor.value_or(Color::clearColor());
    if (key == "lineWidth") return m_lineWidth;
    if (key == "strokeStart") return m_strokeStart;
    if (key == "strokeEnd") return m_strokeEnd;
    if (key == "lineDashPhase") return m_lineDashPhase;
    if (key == "miterLimit") return m_miterLimit;
    return Layer::valueForKey(key);
}

bool ShapeLayer::storeValueForKey(std::string_view key, const AnimationValue& value) {
    if (key == "fillColor") return storeAs(value, m_fillColor);
    if (key == "strokeColor") return storeAs(value, m_strokeColor);
    if (key == "lineWidth") return storeAs(value, m_lineWidth);
    if (key == "strokeStart") return storeAs(value, m_strokeStart);
    if (key == "strokeEnd") return storeAs(value, m_strokeEnd);
    if (key == "lineDashPhase") return storeAs(value, m_lineDashPhase);
    if (key == "miterLimit") return storeAs(value, m_miterLimit);
    return Layer::storeValueForKey(key, value);
}

void ShapeLayer::renderContents(GraphicsContext& context) const {
    if (!m_path || m_path->isEmpty()) return;
    GraphicsStateSaver saved(context);
    if (m_fillColor && m_fillColor->alpha() > 0) {
        context.setFillColor(*m_fillColor);
        context.fillPath(*m_path, m_fillRule);
    }
    const double start = std::clamp(m_strokeStart, 0.0, 1.0);
    const double end = std::clamp(m_strokeEnd, 0.0, 1.0);
    if (!m_strokeColor || m_strokeColor->alpha() <= 0 || m_lineWidth <= 0 || end <= start) return;
    context.setStrokeColor(*m_strokeColor);
    context.setLineWidth(m_lineWidth);
    context.setLineCap(m_lineCap);
    context.setLineJoin(m_lineJoin);
    context.setMiterLimit(m_miterLimit);
    context.setLineDash(m_lineDashPhase, m_lineDashPattern);
    context.strokePath(trimmedPath(*m_path, start, end));
}

namespace {

// The path as polylines, one per subpath, curves cut into short lines.
std::vector<std::vector<Point>> flatten(const Path& path) {
    constexpr int kCurveSteps = 32;
    std::vector<std::vector<Point>> lines;
    Point subpathStart;
    for (const auto& element : path.elements()) {
        switch (element.type) {
            case Path::ElementType::MoveTo:
                subpathStart = element.points[0];
                lines.push_back({element.points[0]});
                break;
            case Path::ElementType::LineTo:
                if (lines.empty()) lines.push_back({subpathStart});
                lines.back().push_back(element.points[0]);
                break;
            case Path::ElementType::CurveTo: {
                if (lines.empty()) lines.push_back({subpathStart});
                const Point p0 = lines.back().back();
                const auto& [c1, c2, p3] = element.points;
                for (int i = 1; i <= kCurveSteps; ++i) {
                    const double t = static_cast<double>(i) / kCurveSteps, u = 1 - t;
                    const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
                    lines.back().push_back({a * p0.x + b * c1.x + c * c2.x + d * p3.x,
                                            a * p0.y + b * c1.y + c * c2.y + d * p3.y});
                }
                break;
            }
            case Path::ElementType::Close:
                if (!lines.empty()) {
                    lines.back().push_back(subpathStart);
                    lines.push_back({subpathStart});
                }
                break;
        }
    }
    return lines;
}

double distance(Point a, Point b) {
    return std::hypot(b.x - a.x, b.y - a.y);
}

}  // namespace

Path trimmedPath(const Path& path, double start, double end) {
    if (start <= 0 && end >= 1) return path;
    const auto lines = flatten(path);
    double total = 0;
    for (const auto& line : lines) {
        for (size_t i = 1; i < line.size(); ++i)
            total += distance(line[i - 1], line[i]);
    }
    const double from = start * total, to = end * total;
    Path trimmed;
    double walked = 0;
    for (const auto& line : lines) {
        bool drawing = false;
        for (size_t i = 1; i < line.size(); ++i) {
            const double length = distance(line[i - 1], line[i]);
            const double segmentStart = walked, segmentEnd = walked + length;
            walked = segmentEnd;
            if (segmentEnd < from || segmentStart > to || length == 0) continue;
            auto at = [&](double d) {
                const double t = std::clamp((d - segmentStart) / length, 0.0, 1.0);
                return Point{line[i - 1].x + (line[i].x - line[i - 1].x) * t,
                             line[i - 1].y + (line[i].y - line[i - 1].y) * t};
            };
            if (!drawing) {
                trimmed.moveToPoint(at(std::max(from, segmentStart)));
                drawing = true;
            }
            trimmed.addLineToPoint(at(std::min(to, segmentEnd)));
        }
    }
    return trimmed;
}

}  // namespace ov::ui
