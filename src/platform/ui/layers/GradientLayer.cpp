#include "orvane/platform/ui/layers/GradientLayer.h"

#include "orvane/platform/ui/drawing/GraphicsContext.h"
#include "platform/ui/layers/StoreValue.h"

namespace ov::ui {

std::shared_ptr<GradientLayer> GradientLayer::layer() {
    return std::make_shared<GradientLayer>();
}

std::shared_ptr<Layer> GradientLayer::copyProperties() const {
    return std::shared_ptr<Layer>(new GradientLayer(*this));
}

void GradientLayer::setStartPoint(Point point) {
    changeProperty("startPoint", m_startPoint, point);
}
void GradientLayer::setEndPoint(Point point) {
    changeProperty("endPoint", m_endPoint, point);
}

std::optional<AnimationValue> GradientLayer::valueForKey(std::string_view key) const {
    if (key == "startPoint") return m_startPoint;
    if (key == "endPoint") return m_endPoint;
    return Layer::valueForKey(key);
}

bool GradientLayer::storeValueForKey(std::string_view key, const AnimationValue& value) {
    if (key == "startPoint") return storeAs(value, m_startPoint);
    if (key == "endPoint") return storeAs(value, m_endPoint);
    return Layer::storeValueForKey(key, value);
}

void GradientLayer::renderContents(GraphicsContext& context) const {
    const std::vector<double> locations =
        m_locations.size() == m_colors.size() ? m_locations : std::vector<double>{};
    const auto gradient = Gradient::withColors(m_colors, locations);
    if (!gradient) return;
    const Rect b = bounds();
    auto inBounds = [&](Point unit) {
        return Point{b.origin.x + unit.x * b.size.width, b.origin.y + unit.y * b.size.height};
    };
    GraphicsStateSaver saved(context);
    context.clipToRect(b);
    context.drawLinearGradient(
        *gradient, inBounds(m_startPoint), inBounds(m_endPoint),
        kCGGradientDrawsBeforeStartLocation | kCGGradientDrawsAfterEndLocation);
}

}  // namespace ov::ui
