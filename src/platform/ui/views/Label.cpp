#include "orvane/platform/ui/views/Label.h"

#include <algorithm>
#include <cmath>

#include "orvane/platform/ui/drawing/GraphicsContext.h"
#include "orvane/platform/ui/views/Appearance.h"

namespace ov::ui {

namespace {

Range wholeRange(const AttributedString& text) {
    return {0, text.length()};
}

// Every font of the text at `factor` of its size.
AttributedString scaledFonts(const AttributedString& text, double factor) {
    MutableAttributedString scaled(text);
    text.enumerateAttribute(
        NSFontAttributeName, wholeRange(text), [&](const Value& value, Range range, bool&) {
            if (const auto font = Font::fromValue(value))
                scaled.addAttribute(NSFontAttributeName,
                                    font->fontWithSize(font->pointSize() * factor).toValue(),
                                    range);
        });
    return scaled;
}

bool truncates(NSLineBreakMode mode) {
    return mode == NSLineBreakByTruncatingHead || mode == NSLineBreakByTruncatingTail ||
           mode == NSLineBreakByTruncatingMiddle;
}

// Text laid out with a truncating line break mode stays on one line. A label without a line
// limit wraps instead and truncates only the last line that fits.
struct Layout {
    AttributedString text;
    StringDrawingOptions options = NSStringDrawingUsesLineFragmentOrigin;
};

Layout layoutFor(const AttributedString& text, long numberOfLines) {
    if (numberOfLines != 0 || text.length() == 0) return {text};
    Layout layout{text};
    MutableAttributedString wrapping(text);
    text.enumerateAttribute(NSParagraphStyleAttributeName, wholeRange(text),
                            [&](const Value& value, Range range, bool&) {
                                auto style = ParagraphStyle::fromValue(value);
                                if (!style || !truncates(style->lineBreakMode)) return;
                                style->lineBreakMode = NSLineBreakByWordWrapping;
                                wrapping.addAttribute(NSParagraphStyleAttributeName,
                                                      style->toValue(), range);
                                layout.options |= NSStringDrawingTruncatesLastVisibleLine;
                            });
    layout.text = AttributedString(wrapping);
    return layout;
}

size_t lineLimit(long numberOfLines) {
    return static_cast<size_t>(std::max(0L, numberOfLines));
}

// The text's size within `width` (0: no limit), rounded up.
Size measure(const AttributedString& text, double width, long numberOfLines) {
    if (text.length() == 0) return {};
    const Layout layout = layoutFor(text, numberOfLines);
    // Measured without a height limit, so nothing is cut and no line is truncated.
    const Rect box = layout.text.boundingRectWithSize(
        {width, 0}, NSStringDrawingUsesLineFragmentOrigin, lineLimit(numberOfLines));
    return {std::ceil(box.width()), std::ceil(box.height())};
}

// The text's box within `bounds` (the width limits it, the height clips it).
Size clipped(Size size, const Rect& bounds) {
    return {size.width, std::min(size.height, bounds.height())};
}

}  // namespace

Label::Label(const Rect& frame) : View(frame) {
    setOpaque(false);
    setUserInteractionEnabled(false);
    setContentMode(UIViewContentModeRedraw);
}

std::optional<String> Label::text() const {
    if (!m_text) return std::nullopt;
    return m_text->string();
}

void Label::setText(const std::optional<String>& text) {
    if (!text || text->isEmpty()) return setAttributedText(std::nullopt);
    setAttributedText(AttributedString(*text, labelAttributes()));
}

std::optional<AttributedString> Label::attributedText() const {
    return m_text;
}

void Label::setAttributedText(const std::optional<AttributedString>& text) {
    std::optional<AttributedString> filled;
    if (text && text->length() > 0) {
        // Runs without their own font, colour or paragraph style take the label's.
        MutableAttributedString complete(*text);
        const Dictionary defaults = labelAttributes();
        text->enumerateAttributesInRange(
            wholeRange(*text), [&](const Dictionary& attributes, Range range, bool&) {
                for (const auto& key : defaults.allKeys()) {
                    if (attributes.objectForKey(key).isAbsent())
                        complete.addAttribute(key, defaults.objectForKey(key), range);
                }
            });
        filled = AttributedString(complete);
    }
    if (filled == m_text) return;
    m_text = std::move(filled);
    textDidChange();
}

Font Label::font() const {
    if (m_font) return *m_font;
    return Appearance::fontForView(*this, kAppearanceFont)
        .value_or(Font::systemFontOfSize(Font::labelFontSize()));
}

void Label::setFont(const Font& font) {
    if (m_font == font) return;
    m_font = font;
    applyToText(NSFontAttributeName, font.toValue());
}

Color Label::textColor() const {
    if (m_textColor) return *m_textColor;
    return Appearance::colorForView(*this, kAppearanceTextColor).value_or(Color::blackColor());
}

void Label::setTextColor(const std::optional<Color>& color) {
    if (m_textColor == color) return;
    m_textColor = color;
    applyToText(NSForegroundColorAttributeName, textColor().toValue());
}

void Label::setTextAlignment(NSTextAlignment alignment) {
    if (alignment == m_textAlignment) return;
    m_textAlignment = alignment;
    applyToText(NSParagraphStyleAttributeName, {});
}

void Label::setNumberOfLines(long lines) {
    lines = std::max(0L, lines);
    if (lines == m_numberOfLines) return;
    m_numberOfLines = lines;
    textDidChange();
}

void Label::setLineBreakMode(NSLineBreakMode mode) {
    if (mode == m_lineBreakMode) return;
    m_lineBreakMode = mode;
    applyToText(NSParagraphStyleAttributeName, {});
}

void Label::setAdjustsFontSizeToFitWidth(bool adjusts) {
    if (adjusts == m_adjustsFontSizeToFitWidth) return;
    m_adjustsFontSizeToFitWidth = adjusts;
    setNeedsDisplay();
}

void Label::setMinimumScaleFactor(double factor) {
    factor = std::clamp(factor, 0.0, 1.0);
    if (factor == m_minimumScaleFactor) return;
    m_minimumScaleFactor = factor;
    setNeedsDisplay();
}

void Label::setShadowColor(const std::optional<Color>& color) {
    if (color == m_shadowColor) return;
    m_shadowColor = color;
    setNeedsDisplay();
}

void Label::setShadowOffset(Size offset) {
    if (offset == m_shadowOffset) return;
    m_shadowOffset = offset;
    setNeedsDisplay();
}

void Label::setHighlightedTextColor(const std::optional<Color>& color) {
    if (color == m_highlightedTextColor) return;
    m_highlightedTextColor = color;
    if (m_highlighted) setNeedsDisplay();
}

void Label::setHighlighted(bool highlighted) {
    if (highlighted == m_highlighted) return;
    m_highlighted = highlighted;
    setNeedsDisplay();
}

void Label::setPreferredMaxLayoutWidth(double width) {
    if (width == m_preferredMaxLayoutWidth) return;
    m_preferredMaxLayoutWidth = width;
    invalidateIntrinsicContentSize();
}

Rect Label::textRectForBounds(const Rect& bounds, long numberOfLines) const {
    return {bounds.origin,
            clipped(measure(m_text.value_or(AttributedString()), bounds.width(), numberOfLines),
                    bounds)};
}

void Label::drawTextInRect(GraphicsContext& context, const Rect& rect) {
    AttributedString text = textForDrawing();
    if (text.length() == 0) return;
    if (m_adjustsFontSizeToFitWidth && m_numberOfLines == 1) {
        const double natural = text.size().width;
        if (natural > rect.width() && natural > 0)
            text = scaledFonts(text, std::max(m_minimumScaleFactor, rect.width() / natural));
    }
    const Size size = clipped(measured(text, rect.width()), rect);
    const Rect box{rect.minX(), rect.minY() + (rect.height() - size.height) / 2, rect.width(),
                   size.height};
    const Layout layout = layoutFor(text, m_numberOfLines);
    GraphicsStateSaver saved(context);
    if (m_shadowColor) context.setShadowWithColor(m_shadowOffset, 0, *m_shadowColor);
    context.drawText(layout.text, box, layout.options, lineLimit(m_numberOfLines), m_textCache);
}

Size Label::sizeThatFits(Size size) const {
    return measured(m_text.value_or(AttributedString()), std::max(0.0, size.width));
}

Size Label::measured(const AttributedString& text, double width) const {
    const auto& last = m_lastMeasurement;
    if (!last || last->width != width || last->numberOfLines != m_numberOfLines ||
        !(last->text == text)) {
        m_lastMeasurement =
            Measurement{text, width, m_numberOfLines, measure(text, width, m_numberOfLines)};
    }
    return m_lastMeasurement->size;
}

Size Label::intrinsicContentSize() const {
    const bool wraps = m_numberOfLines != 1 && m_preferredMaxLayoutWidth > 0;
    return sizeThatFits({wraps ? m_preferredMaxLayoutWidth : 0, 0});
}

void Label::drawRect(GraphicsContext& context, const Rect&) {
    drawTextInRect(context, bounds());
}

AttributedString Label::textForDrawing() const {
    if (!m_text) return {};
    if (!m_highlighted || !m_highlightedTextColor) return *m_text;
    MutableAttributedString highlighted(*m_text);
    highlighted.addAttribute(NSForegroundColorAttributeName, m_highlightedTextColor->toValue(),
                             wholeRange(*m_text));
    return highlighted;
}

Dictionary Label::labelAttributes() const {
    Dictionary attributes;
    attributes.setObject(font().toValue(), NSFontAttributeName);
    attributes.setObject(textColor().toValue(), NSForegroundColorAttributeName);
    attributes.setObject(paragraphStyle().toValue(), NSParagraphStyleAttributeName);
    return attributes;
}

ParagraphStyle Label::paragraphStyle() const {
    ParagraphStyle style;
    style.alignment = m_textAlignment;
    style.lineBreakMode = m_lineBreakMode;
    return style;
}

void Label::applyToText(const String& name, const Value& value) {
    if (!m_text) return;
    MutableAttributedString changed(*m_text);
    if (name == NSParagraphStyleAttributeName) {
        // Alignment and line breaking change; the rest of each run's style stays.
        m_text->enumerateAttribute(
            name, wholeRange(*m_text), [&](const Value& current, Range range, bool&) {
                auto style = ParagraphStyle::fromValue(current).value_or(ParagraphStyle{});
                style.alignment = m_textAlignment;
                style.lineBreakMode = m_lineBreakMode;
                changed.addAttribute(name, style.toValue(), range);
            });
    } else {
        changed.addAttribute(name, value, wholeRange(*m_text));
    }
    m_text = AttributedString(changed);
    textDidChange();
}

void Label::textDidChange() {
    invalidateIntrinsicContentSize();
    setNeedsDisplay();
}

}  // namespace ov::ui
