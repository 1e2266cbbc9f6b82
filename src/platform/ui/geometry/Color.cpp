#include "orvane/platform/ui/geometry/Color.h"

#include <algorithm>
#include <cmath>

#include "orvane/platform/values/Format.h"
#include "orvane/platform/values/Value.h"

namespace ov::ui {

namespace {

double clampUnit(double value) {
    return std::isnan(value) ? 0 : std::clamp(value, 0.0, 1.0);
}

}  // namespace

Color Color::colorWithRed(double red, double green, double blue, double alpha) {
    return {Space::RGB, red, green, blue, alpha};
}

Color Color::colorWithWhite(double white, double alpha) {
    return {Space::Gray, white, 0, 0, alpha};
}

Color Color::colorWithHue(double hue, double saturation, double brightness, double alpha) {
    // Six sectors of the colour wheel; a hue of 1 wraps to red.
    const double scaled = (hue - std::floor(hue)) * 6;
    const int sector = static_cast<int>(scaled) % 6;
    const double fraction = scaled - std::floor(scaled);
    const double v = brightness;
    const double p = v * (1 - saturation);
    const double q = v * (1 - saturation * fraction);
    const double t = v * (1 - saturation * (1 - fraction));
    switch (sector) {
        case 0:
            return colorWithRed(v, t, p, alpha);
        case 1:
            return colorWithRed(q, v, p, alpha);
        case 2:
            return colorWithRed(p, v, t, alpha);
        case 3:
            return colorWithRed(p, q, v, alpha);
        case 4:
            return colorWithRed(t, p, v, alpha);
        default:
            return colorWithRed(v, p, q, alpha);
    }
}

Color Color::blackColor() {
    return colorWithWhite(0, 1);
}
Color Color::darkGrayColor() {
    return colorWithWhite(1.0 / 3, 1);
}
Color Color::lightGrayColor() {
    return colorWithWhite(2.0 / 3, 1);
}
Color Color::whiteColor() {
    return colorWithWhite(1, 1);
}
Color Color::grayColor() {
    return colorWithWhite(0.5, 1);
}
Color Color::clearColor() {
    return colorWithWhite(0, 0);
}
Color Color::redColor() {
    return colorWithRed(1, 0, 0, 1);
}
Color Color::greenColor() {
    return colorWithRed(0, 1, 0, 1);
}
Color Color::blueColor() {
    return colorWithRed(0, 0, 1, 1);
}
Color Color::cyanColor() {
    return colorWithRed(0, 1, 1, 1);
}
Color Color::yellowColor() {
    return colorWithRed(1, 1, 0, 1);
}
Color Color::magentaColor() {
    return colorWithRed(1, 0, 1, 1);
}
Color Color::orangeColor() {
    return colorWithRed(1, 0.5, 0, 1);
}
Color Color::purpleColor() {
    return colorWithRed(0.5, 0, 0.5, 1);
}
Color Color::brownColor() {
    return colorWithRed(0.6, 0.4, 0.2, 1);
}

bool Color::getRed(double& red, double& green, double& blue, double& alpha) const {
    const bool gray = m_space == Space::Gray;
    red = m_c0;
    green = gray ? m_c0 : m_c1;
    blue = gray ? m_c0 : m_c2;
    alpha = m_alpha;
    return true;
}

bool Color::getWhite(double& white, double& alpha) const {
    if (m_space != Space::Gray) return false;
    white = m_c0;
    alpha = m_alpha;
    return true;
}

bool Color::getHue(double& hue, double& saturation, double& brightness, double& alpha) const {
    double red, green, blue;
    getRed(red, green, blue, alpha);
    const double maximum = std::max({red, green, blue});
    const double range = maximum - std::min({red, green, blue});
    brightness = maximum;
    saturation = maximum > 0 ? range / maximum : 0;
    if (range <= 0) {
        hue = 0;
        return true;
    }
    double sixths;
    if (maximum == red) {
        sixths = (green - blue) / range;
    } else if (maximum == green) {
        sixths = 2 + (blue - red) / range;
    } else {
        sixths = 4 + (red - green) / range;
    }
    hue = sixths / 6;
    if (hue < 0) hue += 1;
    return true;
}

Color Color::colorWithAlphaComponent(double alpha) const {
    Color copy = *this;
    copy.m_alpha = alpha;
    return copy;
}

Color::RGBA Color::rgba() const {
    double red, green, blue, alpha;
    getRed(red, green, blue, alpha);
    return {clampUnit(red), clampUnit(green), clampUnit(blue), clampUnit(alpha)};
}

String Color::description() const {
    if (m_space == Space::Gray) {
        return stringWithFormat("UIExtendedGrayColorSpace %g %g", m_c0, m_alpha);
    }
    return stringWithFormat("UIExtendedSRGBColorSpace %g %g %g %g", m_c0, m_c1, m_c2, m_alpha);
}

Value Color::toValue() const {
    return Value(std::make_shared<ColorObject>(*this));
}

std::optional<Color> Color::fromValue(const Value& value) {
    const auto object = value.ifObjectOf<ColorObject>();
    if (!object) return std::nullopt;
    return object->color();
}

bool ColorObject::isEqual(const Object& other) const {
    const auto* color = dynamic_cast<const ColorObject*>(&other);
    return color && color->m_color == m_color;
}

}  // namespace ov::ui
