#include <algorithm>
#include <cmath>

#include "HexDigits.h"
#include "orvane/components/UIColor+UIColor.h"
#include "orvane/platform/values/Format.h"
#include "orvane/platform/values/Random.h"

namespace ov::UIColor_UIColor_UIColor {

namespace {

// The palette's fractions are single-precision divisions, widened.
ui::Color paletteColor(int red, int green, int blue) {
    const auto fraction = [](int value) { return static_cast<double>(value / 255.0f); };
    return ui::Color::colorWithRed(fraction(red), fraction(green), fraction(blue), 1);
}

long hexByte(double component) {
    const float scaled =
        static_cast<float>(std::clamp(std::isnan(component) ? 0.0 : component, 0.0, 1.0)) * 255.0f;
    return std::lroundf(scaled);
}

}  // namespace

ui::Color lightBlack() {
    return paletteColor(55, 55, 55);
}
ui::Color softBlue() {
    return paletteColor(37, 175, 247);
}
ui::Color lightGreen() {
    return paletteColor(70, 173, 125);
}
ui::Color lightTuorquise() {
    return paletteColor(42, 153, 134);
}
ui::Color darkTuorquise() {
    return paletteColor(111, 163, 165);
}
ui::Color facebookColor() {
    return paletteColor(59, 89, 158);
}
ui::Color softTuorquise() {
    return paletteColor(147, 190, 193);
}
ui::Color loveColor() {
    return paletteColor(255, 34, 93);
}
ui::Color maroonColor() {
    return paletteColor(100, 14, 39);
}
ui::Color goldColor() {
    return paletteColor(197, 179, 88);
}
ui::Color subsCamColor() {
    return paletteColor(79, 93, 115);
}

std::vector<ui::Color> rainbowColors() {
    return {paletteColor(33, 180, 162), paletteColor(3, 137, 166),  paletteColor(91, 63, 150),
            paletteColor(87, 26, 70),   paletteColor(126, 26, 36),  paletteColor(149, 37, 36),
            paletteColor(228, 69, 39),  paletteColor(245, 166, 35), paletteColor(165, 202, 60),
            paletteColor(202, 217, 54), paletteColor(111, 188, 84)};
}

String hexStringFromColor(const ui::Color& color) {
    double red, green, blue, alpha;
    color.getRed(red, green, blue, alpha);
    return stringWithFormat("#%02lX%02lX%02lX", hexByte(red), hexByte(green), hexByte(blue));
}

std::optional<double> colorComponentFrom(const String& text, size_t start, size_t length) {
    if (start > text.length() || length > text.length() - start) return std::nullopt;
    const String piece = text.substring(start, length);
    const String full = length == 2 ? piece : piece + piece;
    return leadingHexValue(full) / 255.0;
}

ui::Color randomColor() {
    const double hue = (arc4random() & 0xFF) / 256.0;
    const double saturation = (arc4random() & 0x7F) / 256.0 + 0.5;
    const double brightness = (arc4random() & 0x7F) / 256.0 + 0.5;
    return ui::Color::colorWithHue(hue, saturation, brightness, 1);
}

}  // namespace ov::UIColor_UIColor_UIColor
