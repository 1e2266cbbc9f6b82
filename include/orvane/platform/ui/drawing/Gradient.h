#pragma once
// Colours at locations along a line or between two circles (the platform's CGGradient).
//
//   auto gradient = ov::ui::Gradient::withColors(
//       {ov::ui::Color::redColor(), ov::ui::Color::blueColor()});   // at 0 and 1
//   context.drawLinearGradient(*gradient, {0, 0}, {100, 0},
//                              ov::ui::kCGGradientDrawsBeforeStartLocation |
//                                  ov::ui::kCGGradientDrawsAfterEndLocation);

#include <optional>
#include <vector>

#include "orvane/platform/ui/geometry/Color.h"

namespace ov::ui {

// What to paint beyond the two ends, a bit set.
using GradientDrawingOptions = unsigned;
inline constexpr GradientDrawingOptions kCGGradientDrawsBeforeStartLocation = 1 << 0;
inline constexpr GradientDrawingOptions kCGGradientDrawsAfterEndLocation = 1 << 1;

class Gradient {
  public:
    struct Stop {
        double location;
        Color::RGBA color;
        friend bool operator==(const Stop&, const Stop&) = default;
    };

    // Without locations the colours are spread evenly from 0 to 1 (one colour sits at 0).
    // Nullopt without colours, or with a number of locations other than the colours'.
    static std::optional<Gradient> withColors(const std::vector<Color>& colors,
                                              const std::vector<double>& locations = {});
    // Red, green, blue and alpha per colour, one after the other (an RGB colour space).
    // Nullopt when the components are not a whole number of colours.
    static std::optional<Gradient> withColorComponents(const std::vector<double>& components,
                                                       const std::vector<double>& locations = {});

    // Ordered by location; locations clamped to [0, 1].
    const std::vector<Stop>& stops() const { return m_stops; }

  private:
    static std::optional<Gradient> withStops(const std::vector<Color::RGBA>& colors,
                                             const std::vector<double>& locations);
    std::vector<Stop> m_stops;
};

}  // namespace ov::ui
