#pragma once
// An immutable colour (the platform's UIColor), held either as red, green and blue or as a
// grey level ("white"), each with alpha. Components run from 0 to 1; values outside that range
// are kept (extended range) and clamped only when drawn.
//
//   auto red = ov::ui::Color::redColor();
//   auto faded = red.colorWithAlphaComponent(0.5);
//   double r, g, b, a;
//   faded.getRed(r, g, b, a);                               // true: 1, 0, 0, 0.5
//   ov::ui::Color::colorWithWhite(0.5, 1).getRed(r, g, b, a);  // true: 0.5, 0.5, 0.5, 1
//   ov::ui::Color::colorWithWhite(1, 1) == ov::ui::Color::colorWithRed(1, 1, 1, 1);  // false
//
//   ov::Value stored = red.toValue();                     // for dictionaries
//   ov::ui::Color::fromValue(stored);                     // red again
//
// Equality compares the colour space and the stored components, as the platform's isEqual:
// does, so a grey and the same colour given as red, green and blue differ.

#include <optional>

#include "orvane/platform/values/Object.h"
#include "orvane/platform/values/String.h"

namespace ov {
class Value;
}

namespace ov::ui {

class Color {
  public:
    enum class Space { Gray, RGB };

    // Straight (not premultiplied) components, clamped to [0, 1]: what drawing uses.
    struct RGBA {
        double red = 0, green = 0, blue = 0, alpha = 0;
        friend bool operator==(const RGBA&, const RGBA&) = default;
    };

    // Transparent black in the grey space, like clearColor.
    Color() = default;

    static Color colorWithRed(double red, double green, double blue, double alpha);
    static Color colorWithWhite(double white, double alpha);
    // Hue, saturation and brightness from 0 to 1 (a hue of 1 is red again).
    static Color colorWithHue(double hue, double saturation, double brightness, double alpha);

    // The platform's presets: grey-space ones (black, darkGray 1/3, lightGray 2/3, white,
    // gray 1/2, clear) and RGB ones (red, green, blue, cyan, yellow, magenta, orange
    // (1, 0.5, 0), purple (0.5, 0, 0.5), brown (0.6, 0.4, 0.2)).
    static Color blackColor();
    static Color darkGrayColor();
    static Color lightGrayColor();
    static Color whiteColor();
    static Color grayColor();
    static Color clearColor();
    static Color redColor();
    static Color greenColor();
    static Color blueColor();
    static Color cyanColor();
    static Color yellowColor();
    static Color magentaColor();
    static Color orangeColor();
    static Color purpleColor();
    static Color brownColor();

    Space space() const { return m_space; }
    double alpha() const { return m_alpha; }

    // Always succeeds: a grey gives its level as red, green and blue.
    bool getRed(double& red, double& green, double& blue, double& alpha) const;
    // False (outputs untouched) for an RGB colour, as on the platform.
    bool getWhite(double& white, double& alpha) const;
    // Always succeeds; a grey has hue and saturation 0.
    bool getHue(double& hue, double& saturation, double& brightness, double& alpha) const;

    // The same colour in the same space with another alpha.
    Color colorWithAlphaComponent(double alpha) const;
    // For drawing.
    RGBA rgba() const;

    // "UIExtendedSRGBColorSpace 1 0 0 1" or "UIExtendedGrayColorSpace 0.5 1".
    String description() const;

    friend bool operator==(const Color&, const Color&) = default;

    // A Value holding this colour (an Object of class "UIColor"), and back; nullopt when the
    // value holds no colour.
    Value toValue() const;
    static std::optional<Color> fromValue(const Value& value);

  private:
    Color(Space space, double first, double second, double third, double alpha)
        : m_space(space), m_c0(first), m_c1(second), m_c2(third), m_alpha(alpha) {}

    Space m_space = Space::Gray;
    // Red, green, blue; or white in m_c0 with the others 0.
    double m_c0 = 0;
    double m_c1 = 0;
    double m_c2 = 0;
    double m_alpha = 0;
};

// The Object a Value holds a colour in; equal when the colours are.
class ColorObject final : public Object {
  public:
    explicit ColorObject(const Color& color) : m_color(color) {}
    const Color& color() const { return m_color; }

    String className() const override { return "UIColor"; }
    String description() const override { return m_color.description(); }
    bool isEqual(const Object& other) const override;

  private:
    Color m_color;
};

}  // namespace ov::ui
