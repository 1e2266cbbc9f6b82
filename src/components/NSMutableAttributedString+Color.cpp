#include "orvane/components/NSMutableAttributedString+Color.h"
#include "orvane/platform/network/URL.h"
#include "orvane/platform/text/RegularExpression.h"
#include "orvane/platform/text/StringTransforms.h"

namespace ov::NSMutableAttributedString_Color {

namespace {

// The piece as a literal pattern: a "\E" inside it would end the quoting early, so it is
// closed, written escaped and reopened.
String literalPattern(const String& piece) {
    return String("\\Q") + stringByReplacingOccurrencesOfString(piece, "\\E", "\\E\\\\E\\Q") +
           String("\\E");
}

void addAttributeToText(ui::MutableAttributedString& receiver, const Text& textToFind,
                        const String& name, const Value& value) {
    const Range range = rangeOfText(receiver, textToFind);
    if (range.location != NSNotFound) receiver.addAttribute(name, value, range);
}

void setFontForText(ui::MutableAttributedString& receiver, const Text& textToFind,
                    const std::optional<ui::Font>& font) {
    if (font) addAttributeToText(receiver, textToFind, ui::NSFontAttributeName, font->toValue());
}

}  // namespace

Range rangeOfText(const ui::AttributedString& receiver, const Text& textToFind) {
    if (!textToFind || textToFind->isEmpty()) return {NSNotFound, 0};
    const auto expression = RegularExpression::withPattern(
        literalPattern(*textToFind), RegularExpression::Options::CaseInsensitive);
    if (!expression) return {NSNotFound, 0};
    return expression.value().rangeOfFirstMatch(receiver.string());
}

void setColorForText(ui::MutableAttributedString& receiver, const Text& textToFind,
                     const std::optional<ui::Color>& color) {
    if (color)
        addAttributeToText(receiver, textToFind, ui::NSForegroundColorAttributeName,
                           color->toValue());
}

void setBoldForText(ui::MutableAttributedString& receiver, const Text& textToFind,
                    const std::optional<ui::Font>& font) {
    setFontForText(receiver, textToFind,
                   font ? font : ui::Font::fontWithName("Helvetica-Bold", 17));
}

void setRegularForText(ui::MutableAttributedString& receiver, const Text& textToFind,
                       const std::optional<ui::Font>& font) {
    setFontForText(receiver, textToFind, font ? font : ui::Font::fontWithName("Helvetica", 17));
}

void setSizeForText(ui::MutableAttributedString& receiver, const Text& textToFind,
                    const std::optional<ui::Font>& font, double /*size*/) {
    setFontForText(receiver, textToFind, font);
}

void setURL(ui::MutableAttributedString& receiver, const Text& url, const Text& ForText) {
    if (!url) return;
    if (const auto address = URL::withString(*url))
        addAttributeToText(receiver, ForText, ui::NSLinkAttributeName,
                           Value(address->absoluteString()));
}

std::optional<ui::Font> getFont(const ui::AttributedString& receiver) {
    std::optional<ui::Font> last;
    receiver.enumerateAttribute(ui::NSFontAttributeName, {0, receiver.length()},
                                [&](const Value& value, Range, bool&) {
                                    if (auto font = ui::Font::fromValue(value)) last = font;
                                });
    return last;
}

std::optional<ui::Font> getFontAndMakeItBold(const ui::AttributedString& receiver) {
    const auto font = getFont(receiver);
    if (!font) return std::nullopt;
    return font->fontWithBoldTrait();
}

}  // namespace ov::NSMutableAttributedString_Color
