#pragma once
// The maker's colour palette, hexadecimal colour texts in both directions, and a random
// pleasant colour.
//
//   using namespace ov::UIColor_UIColor_UIColor;
//   hexStringFromColor(softBlue());          // "#25AFF7"
//   colorWithHexString("#25aff7");           // the same colour (alpha 1)
//   rainbowColors().size();                  // 11
//
// Palette entries are n / 255 computed in single precision, alpha 1, each a new colour.

#include <optional>
#include <vector>

#include "orvane/components/UIColor+i7HexColor.h"
#include "orvane/platform/ui/geometry/Color.h"
#include "orvane/platform/values/String.h"

namespace ov::UIColor_UIColor_UIColor {

ui::Color lightBlack();
ui::Color softBlue();
ui::Color lightGreen();
ui::Color lightTuorquise();
ui::Color darkTuorquise();
ui::Color facebookColor();
ui::Color softTuorquise();
ui::Color loveColor();
ui::Color maroonColor();
ui::Color goldColor();
ui::Color subsCamColor();
// Eleven colours from teal through purple, red and orange to green.
std::vector<ui::Color> rainbowColors();

// "#RRGGBB" in upper case; alpha is not written. A grey is written as its red, green and
// blue; components outside 0...1 are clamped.
String hexStringFromColor(const ui::Color& color);

// Both colour categories read hexadecimal texts under this name; there is one reader, which
// also takes three- and eight-digit texts (see UIColor+i7HexColor.h).
using UIColor_i7HexColor::colorWithHexString;

// The piece of `length` characters at `start` as a fraction of 255; a piece of other than two
// characters is read twice over ("F" reads as "FF"). Non-hexadecimal characters end the
// number. Nullopt when the piece runs past the end of the text.
std::optional<double> colorComponentFrom(const String& text, size_t start, size_t length);

// Hue in [0, 255/256], saturation and brightness in [0.5, 0.5 + 127/256], alpha 1.
ui::Color randomColor();

}  // namespace ov::UIColor_UIColor_UIColor
