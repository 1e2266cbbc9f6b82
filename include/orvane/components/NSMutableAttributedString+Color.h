#pragma once
// Styling the first occurrence of a piece of text inside a styled text: colour, font or link.
// The piece is found without regard to letter case; an absent piece, or one not found, leaves
// the text as it is.
//
//   using namespace ov::NSMutableAttributedString_Color;
//   ov::ui::MutableAttributedString text(ov::String("PAY NOW\nsecure checkout"));
//   setBoldForText(text, ov::String("pay now"), std::nullopt);   // Helvetica-Bold 17
//   setColorForText(text, ov::String("Secure"), ov::ui::Color::grayColor());
//   getFontAndMakeItBold(text);                                   // the last font, bold

#include <optional>

#include "orvane/platform/ui/geometry/Color.h"
#include "orvane/platform/ui/text/AttributedString.h"
#include "orvane/platform/ui/text/Font.h"

namespace ov::NSMutableAttributedString_Color {

using Text = std::optional<String>;

// Where the piece first occurs, without regard to case; {NSNotFound, 0} when it does not.
Range rangeOfText(const ui::AttributedString& receiver, const Text& textToFind);

// An absent colour changes nothing.
void setColorForText(ui::MutableAttributedString& receiver, const Text& textToFind,
                     const std::optional<ui::Color>& color);
// Without a font: "Helvetica-Bold" of 17 points.
void setBoldForText(ui::MutableAttributedString& receiver, const Text& textToFind,
                    const std::optional<ui::Font>& font);
// Without a font: "Helvetica" of 17 points.
void setRegularForText(ui::MutableAttributedString& receiver, const Text& textToFind,
                       const std::optional<ui::Font>& font);
// Sets the font as given; the size is not used. Without a font nothing changes.
void setSizeForText(ui::MutableAttributedString& receiver, const Text& textToFind,
                    const std::optional<ui::Font>& font, double size);
// A link to the address parsed from `url`; an address that does not parse changes nothing.
void setURL(ui::MutableAttributedString& receiver, const Text& url, const Text& ForText);

// The last font met walking the whole text; none when no run has one.
std::optional<ui::Font> getFont(const ui::AttributedString& receiver);
// That font with the bold trait at the same size.
std::optional<ui::Font> getFontAndMakeItBold(const ui::AttributedString& receiver);

}  // namespace ov::NSMutableAttributedString_Color
