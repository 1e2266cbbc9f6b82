#pragma once
// A font of a given size (the platform's UIFont), laid out and drawn through Pango and
// fontconfig.
//
//   auto body = ov::ui::Font::systemFontOfSize(17);
//   auto heavy = ov::ui::Font::systemFontOfSize(17, ov::ui::UIFontWeightHeavy);
//   auto badge = ov::ui::Font::fontWithName("HelveticaNeue-Medium", 13.5);  // optional
//   badge->pointSize();      // 13.5
//   badge->lineHeight();     // ascender - descender, in points
//   ov::ui::Font::fontWithName(heavy.fontName(), 30);  // the same face at another size
//
// The platform's font names ("HelveticaNeue-Light", "Arial-BoldMT", "Helvetica-Bold",
// "TimesNewRomanPSMT", ".SFUIText-Semibold", ...) map to installed families with the same
// metrics where one exists (Helvetica, Arial and the system font to Liberation Sans; Times to
// Liberation Serif; Courier and Menlo to Liberation Mono); the part after the last "-" gives
// weight and slant. A family name ("Helvetica Neue") or an installed family ("DejaVu Sans") is
// accepted too. fontName() and familyName() answer the platform's names, so a name read from
// one font makes the same face again.
//
// Fonts are immutable and cheap to copy; metrics are computed once per face and shared.
// Thread-safe.

#include <memory>
#include <optional>

#include "orvane/platform/values/Object.h"
#include "orvane/platform/values/String.h"

namespace ov {
class Value;
}

namespace ov::ui {

// The platform's weight scale, -1 (lightest) to 1 (heaviest).
inline constexpr double UIFontWeightUltraLight = -0.8;
inline constexpr double UIFontWeightThin = -0.6;
inline constexpr double UIFontWeightLight = -0.4;
inline constexpr double UIFontWeightRegular = 0.0;
inline constexpr double UIFontWeightMedium = 0.23;
inline constexpr double UIFontWeightSemibold = 0.3;
inline constexpr double UIFontWeightBold = 0.4;
inline constexpr double UIFontWeightHeavy = 0.56;
inline constexpr double UIFontWeightBlack = 0.62;

class Font {
  public:
    // Nullopt when the name maps to no installed family. A size that is not a positive
    // number becomes 12, as on the platform.
    static std::optional<Font> fontWithName(const String& name, double size);
    // The weight snaps to the nearest of the constants above.
    static Font systemFontOfSize(double size, double weight = UIFontWeightRegular);
    static Font boldSystemFontOfSize(double size);
    static Font italicSystemFontOfSize(double size);

    // The platform's standard sizes.
    static double systemFontSize() { return 14; }
    static double smallSystemFontSize() { return 12; }
    static double labelFontSize() { return 17; }
    static double buttonFontSize() { return 18; }

    // The platform name this font answers to, e.g. "HelveticaNeue-Medium" or
    // ".SFUIText-Bold".
    String fontName() const;
    // The platform family, e.g. "Helvetica Neue" or ".SF UI Text".
    String familyName() const;
    // The installed family that draws it, e.g. "Liberation Sans".
    String installedFamilyName() const;

    // Points. The descender is negative (below the baseline), as on the platform.
    double pointSize() const { return m_size; }
    double ascender() const;
    double descender() const;
    double lineHeight() const { return ascender() - descender(); }
    double capHeight() const;
    double xHeight() const;
    // One of the UIFontWeight constants.
    double weight() const;
    // Semibold or heavier.
    bool isBold() const;
    bool isItalic() const;

    Font fontWithSize(double size) const;
    // The same family with the bold weight (unchanged if already bold).
    Font fontWithBoldTrait() const;

    // Same face and size.
    friend bool operator==(const Font& left, const Font& right);

    // A Value holding this font (an Object of class "UIFont"), and back.
    Value toValue() const;
    static std::optional<Font> fromValue(const Value& value);

    struct Face;

  private:
    friend class FontAccess;
    Font(std::shared_ptr<const Face> face, double size);

    std::shared_ptr<const Face> m_face;
    double m_size;
};

// The Object a Value holds a font in; equal when the fonts are.
class FontObject final : public Object {
  public:
    explicit FontObject(const Font& font) : m_font(font) {}
    const Font& font() const { return m_font; }

    String className() const override { return "UIFont"; }
    // "<UIFont: 0x...> font-family: \"Helvetica Neue\"; font-weight: bold; font-style:
    // normal; font-size: 17.00pt"
    String description() const override;
    bool isEqual(const Object& other) const override;

  private:
    Font m_font;
};

}  // namespace ov::ui
