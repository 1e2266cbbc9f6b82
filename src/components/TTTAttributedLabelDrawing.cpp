// The attributed label's text area, line-by-line drawing, natural size and shrinking.
#include <algorithm>
#include <cmath>

#include "orvane/components/TTTAttributedLabel.h"
#include "orvane/platform/ui/drawing/GraphicsContext.h"

namespace ov {

using ui::AttributedString;
using ui::MutableAttributedString;

namespace {

bool truncates(ui::NSLineBreakMode mode) {
    return mode == ui::NSLineBreakByTruncatingHead || mode == ui::NSLineBreakByTruncatingTail ||
           mode == ui::NSLineBreakByTruncatingMiddle;
}

double flushFactor(ui::NSTextAlignment alignment) {
    switch (alignment) {
        case ui::NSTextAlignmentCenter:
            return 0.5;
        case ui::NSTextAlignmentRight:
            return 1;
        default:
            return 0;
    }
}

size_t lineLimit(long numberOfLines) {
    return static_cast<size_t>(std::max(0L, numberOfLines));
}

// Measured widths of several word-wrapped lines run short of what wrapping really takes.
constexpr double kWrappedWidthAllowance = 1.1557273497909217;

}  // namespace

ui::Rect TTTAttributedLabel::textRectForBounds(const ui::Rect& bounds, long numberOfLines) const {
    const ui::Rect inner = bounds.inset(m_textInsets);
    if (!m_attributedText) return Label::textRectForBounds(inner, numberOfLines);
    const double height = std::max(inner.height(), 2 * font().pointSize());
    ui::Rect area{inner.minX(), inner.minY(), inner.width(), height};
    // Only the lines that are drawn count, so a one-line label centres the line it shows.
    const double textHeight = std::ceil(
        framesetter()
            ->suggestFrameSizeWithConstraints({inner.width(), height}, lineLimit(numberOfLines))
            .height);
    if (textHeight < height) {
        switch (m_verticalAlignment) {
            case TTTAttributedLabelVerticalAlignmentTop:
                break;
            case TTTAttributedLabelVerticalAlignmentBottom:
                area.origin.y += inner.height() - textHeight;
                break;
            default:
                area.origin.y += std::floor((inner.height() - textHeight) / 2);
                break;
        }
    }
    return area;
}

std::vector<TTTAttributedLabel::DrawnLine> TTTAttributedLabel::linesInArea(
    const ui::Framesetter& framesetter, const ui::Rect& area) const {
    const auto& lines = framesetter.linesForWidth(area.width());
    const size_t shown =
        framesetter.fittingLineCount({area.width(), area.height()}, lineLimit(numberOfLines()));
    const size_t length = framesetter.attributedString().length();
    const ui::ParagraphStyle& style = framesetter.paragraphStyle();
    std::vector<DrawnLine> drawn;
    for (size_t i = 0; i < shown; ++i) {
        const ui::TextLine& line = lines[i];
        DrawnLine out;
        out.origin = line.box.origin;
        out.height = line.box.height();
        out.location = line.range.location;
        const bool textLeftOver = line.range.location + line.range.length < length;
        if (i + 1 == shown && textLeftOver && truncates(lineBreakMode())) {
            const double indent =
                std::max(0.0, i == 0 ? style.firstLineHeadIndent : style.headIndent);
            const double room = std::max(0.0, area.width() - indent);
            out.truncated = framesetter.truncatedLineFrom(line, room, lineBreakMode(),
                                                          truncationToken(framesetter, line));
            out.text = out.truncated->text;
            out.origin.x = indent + (room - ui::Framesetter::lineWidth(out.text)) *
                                        flushFactor(style.alignment);
        } else {
            out.text = framesetter.attributedStringOfLine(line);
        }
        drawn.push_back(std::move(out));
    }
    return drawn;
}

AttributedString TTTAttributedLabel::truncationToken(const ui::Framesetter& framesetter,
                                                     const ui::TextLine& line) const {
    const String token = m_truncationTokenString.value_or(String("\u2026"));
    if (m_truncationTokenStringAttributes)
        return AttributedString(token, *m_truncationTokenStringAttributes);
    const size_t end = line.range.location + line.range.length;
    const size_t last = end > 0 ? end - 1 : 0;
    return AttributedString(token, framesetter.attributedString().attributesAtIndex(last));
}

void TTTAttributedLabel::drawTextInRect(ui::GraphicsContext& context, const ui::Rect& rect) {
    if (!m_attributedText) return Label::drawTextInRect(context, rect);
    if (adjustsFontSizeToFitWidth() && numberOfLines() > 0) shrinkToFit();
    ui::GraphicsStateSaver saved(context);
    // Our context is y-down already, so the area is used as it stands.
    const ui::Rect area = textRectForBounds(rect, numberOfLines());
    if (shadowColor() && !isHighlighted()) {
        context.setShadowWithColor(shadowOffset(), m_shadowRadius, shadowColor());
    } else if (m_highlightedShadowColor) {
        context.setShadowWithColor(m_highlightedShadowOffset, m_highlightedShadowRadius,
                                   m_highlightedShadowColor);
    }
    const auto layout =
        isHighlighted() && highlightedTextColor() ? highlightFramesetter() : framesetter();
    for (const DrawnLine& line : linesInArea(*layout, area))
        context.drawText(line.text,
                         ui::Point{area.minX() + line.origin.x, area.minY() + line.origin.y});
}

void TTTAttributedLabel::shrinkToFit() {
    const long lines = numberOfLines();
    const ui::Size measured = sizeThatFits(lines == 1 ? ui::Size{} : ui::Size{100000, 100000});
    double width = measured.width;
    const double room = frame().width() * static_cast<double>(lines);
    if (lines > 1 && lineBreakMode() == ui::NSLineBreakByWordWrapping)
        width *= kWrappedWidthAllowance;
    if (!(width > room) || width <= 0) return;
    const double factor = room / width;
    MutableAttributedString scaled(*m_attributedText);
    m_attributedText->enumerateAttribute(
        ui::kCTFontAttributeName, {0, m_attributedText->length()},
        [&](const Value& value, Range range, bool&) {
            const auto font = ui::Font::fromValue(value);
            if (!font) return;
            const double size = std::max(1.0, std::floor(font->pointSize() * factor));
            const auto smaller = ui::Font::fontWithName(font->fontName(), size);
            scaled.addAttribute(ui::kCTFontAttributeName,
                                smaller.value_or(font->fontWithSize(size)).toValue(), range);
        });
    setAttributedText(AttributedString(scaled));
}

ui::Size TTTAttributedLabel::sizeThatFits(ui::Size size) const {
    if (!m_attributedText) return Label::sizeThatFits(size);
    const double horizontal = m_textInsets.left + m_textInsets.right;
    const double width = size.width > 0 ? std::max(1.0, size.width - horizontal) : 0;
    const ui::Size text =
        framesetter()->suggestFrameSizeWithConstraints({width, 0}, lineLimit(numberOfLines()));
    return {std::ceil(text.width) + horizontal,
            std::ceil(text.height) + m_textInsets.top + m_textInsets.bottom};
}

}  // namespace ov
