#pragma once
// Reads colours from hexadecimal texts of three, six or eight digits, with or without "#".
//
//   ov::UIColor_i7HexColor::colorWithHexString("0AF");        // (0, 170, 255), alpha 1
//   ov::UIColor_i7HexColor::colorWithHexString("#25AFF780");  // alpha 128/255
//   ov::UIColor_i7HexColor::colorWithHexString("12345");      // nullopt

#include <optional>

#include "orvane/platform/ui/geometry/Color.h"
#include "orvane/platform/values/String.h"

namespace ov::UIColor_i7HexColor {

// Every "#" is removed; three digits are each doubled ("0AF" is "00AAFF"); six digits get
// alpha "ff". The pieces are read in either letter case, each as far as its hexadecimal
// digits go (a piece with none reads 0). Any other length gives no colour.
std::optional<ui::Color> colorWithHexString(const String& hexString);

}  // namespace ov::UIColor_i7HexColor
