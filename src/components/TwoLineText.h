#pragma once
// The text rules CustomLable and CustomButton share.

#include <optional>

#include "orvane/components/NSMutableAttributedString+Color.h"
#include "orvane/platform/text/StringTransforms.h"

namespace ov::two_line {

inline const String kSeparator = "\n";

inline std::optional<String> upperCased(const std::optional<String>& text) {
    if (!text) return std::nullopt;
    return uppercaseString(*text);
}

// None for an absent or empty text.
inline std::optional<String> presentText(const std::optional<String>& text) {
    if (!text || text->isEmpty()) return std::nullopt;
    return text;
}

// The first occurrence of `piece` in `text` (found without regard to case) in the font and
// colour.
inline void styleText(ui::MutableAttributedString& text, const String& piece, const ui::Font& font,
                      const std::optional<ui::Color>& color) {
    NSMutableAttributedString_Color::setSizeForText(text, piece, font, font.pointSize());
    NSMutableAttributedString_Color::setColorForText(text, piece, color);
}

inline ui::AttributedString styledLine(const String& line, const ui::Font& font,
                                       const std::optional<ui::Color>& color) {
    ui::MutableAttributedString text(line);
    styleText(text, line, font, color);
    return text;
}

}  // namespace ov::two_line
