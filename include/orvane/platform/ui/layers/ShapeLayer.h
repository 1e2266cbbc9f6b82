#pragma once
// A layer that draws a path (the platform's CAShapeLayer): filled, stroked, dashed, and
// stroked only between two fractions of its length, which animate.
//
//   auto ring = ov::ui::ShapeLayer::layer();
//   ring->setFrame({0, 0, 40, 40});
//   ring->setPath(ov::ui::Path::bezierPathWithOvalInRect({2, 2, 36, 36}));
//   ring->setFillColor(std::nullopt);
//   ring->setStrokeColor(ov::ui::Color::whiteColor());
//   ring->setLineWidth(2);
//   ring->setStrokeEnd(0.25);          // a quarter of the circle, from its start
//   ring->setLineDashPattern({7, 5});  // 7 on, 5 off
//
// The path is in the layer's bounds coordinates. Animatable: "fillColor", "strokeColor",
// "lineWidth", "strokeStart", "strokeEnd", "lineDashPhase", "miterLimit".

#include <optional>
#include <vector>

#include "orvane/platform/ui/drawing/GraphicsContext.h"
#include "orvane/platform/ui/drawing/Path.h"
#include "orvane/platform/ui/layers/Layer.h"

namespace ov::ui {

class ShapeLayer : public Layer {
  public:
    ShapeLayer() = default;
    static std::shared_ptr<ShapeLayer> layer();

    const std::optional<Path>& path() const { return m_path; }
    void setPath(std::optional<Path> path) { m_path = std::move(path); }
    // Black by default; none fills nothing.
    const std::optional<Color>& fillColor() const { return m_fillColor; }
    void setFillColor(const std::optional<Color>& color);
    FillRule fillRule() const { return m_fillRule; }
    void setFillRule(FillRule rule) { m_fillRule = rule; }
    // None by default: no stroke.
    const std::optional<Color>& strokeColor() const { return m_strokeColor; }
    void setStrokeColor(const std::optional<Color>& color);
    double lineWidth() const { return m_lineWidth; }
    void setLineWidth(double width);
    // Fractions of the path's length between which it is stroked (0 and 1).
    double strokeStart() const { return m_strokeStart; }
    void setStrokeStart(double fraction);
    double strokeEnd() const { return m_strokeEnd; }
    void setStrokeEnd(double fraction);
    // Alternating on and off lengths; empty for a solid line.
    const std::vector<double>& lineDashPattern() const { return m_lineDashPattern; }
    void setLineDashPattern(std::vector<double> pattern) { m_lineDashPattern = std::move(pattern); }
    double lineDashPhase() const { return m_lineDashPhase; }
    void setLineDashPhase(double phase);
    LineCap lineCap() const { return m_lineCap; }
    void setLineCap(LineCap cap) { m_lineCap = cap; }
    LineJoin lineJoin() const { return m_lineJoin; }
    void setLineJoin(LineJoin join) { m_lineJoin = join; }
    double miterLimit() const { return m_miterLimit; }
    void setMiterLimit(double limit);

    void renderContents(GraphicsContext& context) const override;

  protected:
    ShapeLayer(const ShapeLayer&) = default;
    std::shared_ptr<Layer> copyProperties() const override;
    std::optional<AnimationValue> valueForKey(std::string_view key) const override;
    bool storeValueForKey(std::string_view key, const AnimationValue& value) override;

  private:
    std::optional<Path> m_path;
    std::optional<Color> m_fillColor = Color::blackColor();
    FillRule m_fillRule = FillRule::NonZero;
    std::optional<Color> m_strokeColor;
    double m_lineWidth = 1;
    double m_strokeStart = 0;
    double m_strokeEnd = 1;
    std::vector<double> m_lineDashPattern;
    double m_lineDashPhase = 0;
    LineCap m_lineCap = LineCap::Butt;
    LineJoin m_lineJoin = LineJoin::Miter;
    double m_miterLimit = 10;
};

// The part of `path` between two fractions of its length (curves followed as fine polylines);
// the path itself for 0 and 1.
Path trimmedPath(const Path& path, double start, double end);

}  // namespace ov::ui
