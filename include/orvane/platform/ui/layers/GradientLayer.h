#pragma once
// A layer filled with a linear gradient (the platform's CAGradientLayer).
//
//   auto shine = ov::ui::GradientLayer::layer();
//   shine->setFrame({0, 0, 300, 40});
//   shine->setColors({ov::ui::Color::whiteColor().colorWithAlphaComponent(0.5),
//                     ov::ui::Color::whiteColor(), ov::ui::Color::whiteColor()
//                     .colorWithAlphaComponent(0.5)});
//   shine->setLocations({0, 0.5, 1});
//   shine->setStartPoint({0, 0});       // left edge ...
//   shine->setEndPoint({1, 0});         // ... to right edge: a horizontal gradient
//
// Start and end points are fractions of the bounds (top to bottom by default); the end
// colours continue beyond them. Animatable: "startPoint", "endPoint".

#include <vector>

#include "orvane/platform/ui/layers/Layer.h"

namespace ov::ui {

class GradientLayer : public Layer {
  public:
    GradientLayer() = default;
    static std::shared_ptr<GradientLayer> layer();

    const std::vector<Color>& colors() const { return m_colors; }
    void setColors(std::vector<Color> colors) { m_colors = std::move(colors); }
    // One per colour, rising from 0 to 1; empty spreads the colours evenly.
    const std::vector<double>& locations() const { return m_locations; }
    void setLocations(std::vector<double> locations) { m_locations = std::move(locations); }
    Point startPoint() const { return m_startPoint; }
    void setStartPoint(Point point);
    Point endPoint() const { return m_endPoint; }
    void setEndPoint(Point point);

    void renderContents(GraphicsContext& context) const override;

  protected:
    GradientLayer(const GradientLayer&) = default;
    std::shared_ptr<Layer> copyProperties() const override;
    std::optional<AnimationValue> valueForKey(std::string_view key) const override;
    bool storeValueForKey(std::string_view key, const AnimationValue& value) override;

  private:
    std::vector<Color> m_colors;
    std::vector<double> m_locations;
    Point m_startPoint{0.5, 0};
    Point m_endPoint{0.5, 1};
};

}  // namespace ov::ui
