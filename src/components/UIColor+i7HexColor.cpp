#include "HexDigits.h"
#include "orvane/components/UIColor+i7HexColor.h"

namespace ov::UIColor_i7HexColor {

std::optional<ui::Color> colorWithHexString(const String& hexString) {
    String digits = withoutHashes(hexString);
    if (digits.length() == 3) {
        std::u16string doubled;
        for (char16_t unit : digits.utf16())
            doubled.append(2, unit);
        digits = String(std::move(doubled));
    }
    if (digits.length() == 6) digits += "ff";
    if (digits.length() != 8) return std::nullopt;
    const auto component = [&digits](size_t start) {
        return leadingHexValue(digits.substring(start, 2)) / 255.0;
    };
    return ui::Color::colorWithRed(component(0), component(2), component(4), component(6));
}

}  // namespace ov::UIColor_i7HexColor
