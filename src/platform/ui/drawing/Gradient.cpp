#include "orvane/platform/ui/drawing/Gradient.h"

#include <algorithm>
#include <cmath>

namespace ov::ui {

std::optional<Gradient> Gradient::withColors(const std::vector<Color>& colors,
                                             const std::vector<double>& locations) {
    std::vector<Color::RGBA> components;
    for (const Color& color : colors)
        components.push_back(color.rgba());
    return withStops(components, locations);
}

std::optional<Gradient> Gradient::withColorComponents(const std::vector<double>& components,
                                                      const std::vector<double>& locations) {
    if (components.size() % 4 != 0) return std::nullopt;
    std::vector<Color::RGBA> colors;
    for (size_t i = 0; i < components.size(); i += 4) {
        colors.push_back(Color::colorWithRed(components[i], components[i + 1], components[i + 2],
                                             components[i + 3])
                             .rgba());
    }
    return withStops(colors, locations);
}

std::optional<Gradient> Gradient::withStops(const std::vector<Color::RGBA>& colors,
                                            const std::vector<double>& locations) {
    if (colors.empty() || (!locations.empty() && locations.size() != colors.size())) {
        return std::nullopt;
    }
    Gradient gradient;
    for (size_t i = 0; i < colors.size(); ++i) {
        double location = colors.size() == 1 ? 0 : double(i) / double(colors.size() - 1);
        if (!locations.empty()) location = std::isnan(locations[i]) ? 0 : locations[i];
        gradient.m_stops.push_back({std::clamp(location, 0.0, 1.0), colors[i]});
    }
    std::stable_sort(gradient.m_stops.begin(), gradient.m_stops.end(),
                     [](const Stop& a, const Stop& b) { return a.location < b.location; });
    return gradient;
}

}  // namespace ov::ui
