#include "orvane/platform/ui/text/Framesetter.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "platform/ui/text/TextLayout.h"

namespace ov::ui {

namespace {

bool isLineBreak(char16_t unit) {
    return unit == u'\n' || unit == u'\r' || unit == u'\u2028' || unit == u'\u2029';
}

bool isBlank(char16_t unit) {
    return unit == u' ' || unit == u'\t' || isLineBreak(unit);
}

bool isLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The text with `change` made to the paragraph style of every run that has one.
AttributedString restyled(const AttributedString& text,
                          const std::function<void(ParagraphStyle&)>& change) {
    MutableAttributedString copy(text);
    text.enumerateAttribute(NSParagraphStyleAttributeName, {0, text.length()},
                            [&](const Value& value, Range range, bool&) {
                                auto style = ParagraphStyle::fromValue(value);
                                if (!style) return;
                                change(*style);
                                copy.addAttribute(NSParagraphStyleAttributeName, style->toValue(),
                                                  range);
                            });
    return copy;
}

bool truncates(NSLineBreakMode mode) {
    return mode == NSLineBreakByTruncatingHead || mode == NSLineBreakByTruncatingMiddle ||
           mode == NSLineBreakByTruncatingTail;
}

// A cut that does not split a surrogate pair, moving towards `down` or up.
size_t safeCut(const String& text, size_t index, bool down) {
    const auto units = text.utf16();
    if (index > 0 && index < units.size() && isLowSurrogate(units[index]))
        return down ? index - 1 : index + 1;
    return index;
}

// The largest k in [0, limit] for which `fits(k)` holds (fits(0) is assumed).
size_t largestFitting(size_t limit, const std::function<bool(size_t)>& fits) {
    size_t low = 0;
    size_t high = limit;
    while (low < high) {
        const size_t middle = low + (high - low + 1) / 2;
        if (fits(middle)) {
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    return low;
}

}  // namespace

size_t TruncatedLine::sourceIndex(size_t index) const {
    if (index < head.length) return head.location + index;
    if (index < head.length + tokenLength) return NSNotFound;
    const size_t inTail = index - head.length - tokenLength;
    return inTail < tail.length ? tail.location + inTail : NSNotFound;
}

Framesetter::Framesetter(AttributedString text) : m_text(std::move(text)) {
    if (m_text.length() > 0) {
        m_style =
            ParagraphStyle::fromValue(m_text.attributeAtIndex(NSParagraphStyleAttributeName, 0))
                .value_or(ParagraphStyle{});
    }
}

const std::vector<TextLine>& Framesetter::linesForWidth(double width) const {
    if (!std::isfinite(width) || width <= 0) width = -1;
    if (m_linesWidth == width) return m_lines;
    m_linesWidth = width;
    m_lines.clear();
    const AttributedString wrapping = restyled(m_text, [](ParagraphStyle& style) {
        if (truncates(style.lineBreakMode)) style.lineBreakMode = NSLineBreakByWordWrapping;
    });
    TextBox box;
    box.width = width;
    for (const LineExtent& extent : TextLayout(wrapping, box).lines())
        m_lines.push_back({extent.range, extent.box, extent.baseline});
    return m_lines;
}

size_t Framesetter::fittingLineCount(Size constraints, size_t numberOfLines) const {
    const auto& lines = linesForWidth(constraints.width);
    const bool limited = std::isfinite(constraints.height) && constraints.height > 0;
    size_t count = 1;
    while (count < lines.size() && (numberOfLines == 0 || count < numberOfLines) &&
           !(limited && lines[count].box.maxY() > constraints.height + 1e-6))
        ++count;
    return count;
}

Size Framesetter::suggestFrameSizeWithConstraints(Size constraints, size_t numberOfLines) const {
    const auto& lines = linesForWidth(constraints.width);
    const size_t count = fittingLineCount(constraints, numberOfLines);
    Size size;
    for (size_t i = 0; i < count; ++i) {
        const Rect& box = lines[i].box;
        const double indent = i == 0 ? m_style.firstLineHeadIndent : m_style.headIndent;
        size.width = std::max(size.width, std::max(0.0, indent) + box.width());
        size.height = box.maxY();
    }
    return size;
}

AttributedString Framesetter::attributedStringOfLine(const TextLine& line) const {
    size_t length = line.range.length;
    const auto units = m_text.string().utf16();
    while (length > 0 && isLineBreak(units[line.range.location + length - 1]))
        --length;
    const AttributedString part =
        m_text.attributedSubstringFromRange({line.range.location, length});
    return restyled(part, [](ParagraphStyle& style) {
        style.firstLineHeadIndent = 0;
        style.headIndent = 0;
        style.alignment = NSTextAlignmentLeft;
    });
}

TruncatedLine Framesetter::truncatedLineFrom(const TextLine& line, double width,
                                             NSLineBreakMode mode,
                                             const AttributedString& token) const {
    const size_t start = std::min<size_t>(line.range.location, m_text.length());
    MutableAttributedString rest(
        m_text.attributedSubstringFromRange({start, m_text.length() - start}));
    for (size_t i = 0; i < rest.length(); ++i) {
        if (isLineBreak(rest.string().utf16()[i])) rest.replaceCharactersInRange({i, 1}, " ");
    }
    const TextLine whole{{0, rest.length()}, {}, 0};
    const Framesetter oneLine{AttributedString(rest)};
    const AttributedString full = oneLine.attributedStringOfLine(whole);
    const size_t length = full.length();
    if (lineWidth(full) <= width) return {full, {start, length}, {}, 0};

    const String& string = full.string();
    const auto units = string.utf16();
    // Head and tail lengths for k kept characters.
    auto split = [&](size_t kept) -> std::pair<size_t, size_t> {
        if (mode == NSLineBreakByTruncatingHead) return {0, kept};
        if (mode == NSLineBreakByTruncatingMiddle) return {(kept + 1) / 2, kept / 2};
        return {kept, 0};
    };
    auto build = [&](size_t kept) {
        auto [headLength, tailLength] = split(kept);
        headLength = safeCut(string, headLength, true);
        size_t tailStart = safeCut(string, length - tailLength, false);
        // Blanks next to the token would only widen the gap.
        while (headLength > 0 && isBlank(units[headLength - 1]))
            --headLength;
        while (tailStart < length && isBlank(units[tailStart]))
            ++tailStart;
        MutableAttributedString text(full.attributedSubstringFromRange({0, headLength}));
        text.appendAttributedString(token);
        text.appendAttributedString(
            full.attributedSubstringFromRange({tailStart, length - tailStart}));
        return TruncatedLine{AttributedString(text),
                             {start, headLength},
                             {start + tailStart, length - tailStart},
                             token.length()};
    };
    const size_t kept =
        largestFitting(length, [&](size_t k) { return lineWidth(build(k).text) <= width; });
    return build(kept);
}

double Framesetter::lineWidth(const AttributedString& line) {
    return line.length() == 0 ? 0 : line.size().width;
}

size_t Framesetter::stringIndexForPosition(const AttributedString& line, double x) {
    if (line.length() == 0) return 0;
    return std::min(TextLayout(line, TextBox{}).indexAtX(x), line.length() - 1);
}

}  // namespace ov::ui
