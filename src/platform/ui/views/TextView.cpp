#include "orvane/platform/ui/views/TextView.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "orvane/platform/text/PhoneNumberDetector.h"
#include "orvane/platform/text/RegularExpression.h"
#include "orvane/platform/ui/application/Application.h"
#include "orvane/platform/ui/drawing/GraphicsContext.h"
#include "orvane/platform/ui/views/Appearance.h"
#include "platform/ui/views/TextEditing.h"

namespace ov::ui {

namespace {

// Room kept between each line and the container's sides.
constexpr double kLineFragmentPadding = 5;

Range wholeRange(const AttributedString& text) {
    return {0, text.length()};
}

std::optional<URL> linkTarget(const Value& value) {
    if (const String* text = value.ifString()) return URL::withString(*text);
    if (const auto* object = value.ifObject(); object && *object)
        return URL::withString((*object)->description());
    return std::nullopt;
}

void detectWebLinks(const String& text, std::vector<TextView::Link>& links) {
    const auto pattern = RegularExpression::cached("(https?://|www\\.)[^\\s]+");
    if (!pattern) return;
    size_t offset = 0;
    while (offset < text.length()) {
        const Range found = pattern.value().rangeOfFirstMatch(text.substringFromIndex(offset));
        if (found.location == NSNotFound || found.length == 0) return;
        const Range range{offset + found.location, found.length};
        String address = text.substring(range.location, range.length);
        if (address.hasPrefix("www.")) address = String("http://") + address;
        if (auto url = URL::withString(address)) links.push_back({range, *url});
        offset = range.location + range.length;
    }
}

void detectPhoneNumbers(const String& text, std::vector<TextView::Link>& links) {
    for (const Range range : PhoneNumberDetector().matchesInString(text)) {
        String digits("tel:");
        const String number = text.substring(range.location, range.length);
        for (const char16_t unit : number.utf16()) {
            if ((unit >= u'0' && unit <= u'9') || unit == u'+')
                digits += String(std::u16string(1, unit));
        }
        if (auto url = URL::withString(digits)) links.push_back({range, *url});
    }
}

bool overlaps(Range a, Range b) {
    return a.location < b.location + b.length && b.location < a.location + a.length;
}

}  // namespace

TextView::TextView(const Rect& frame) : View(frame) {
    setClipsToBounds(true);
    setBackgroundColor(Color::whiteColor());
}

Dictionary TextView::viewAttributes() const {
    ParagraphStyle style;
    style.alignment = m_textAlignment;
    Dictionary attributes;
    attributes.setObject(font().toValue(), NSFontAttributeName);
    attributes.setObject(textColor().toValue(), NSForegroundColorAttributeName);
    attributes.setObject(style.toValue(), NSParagraphStyleAttributeName);
    return attributes;
}

void TextView::setText(const std::optional<String>& text) {
    setAttributedText(AttributedString(text.value_or(String()), viewAttributes()));
}

void TextView::setAttributedText(const std::optional<AttributedString>& text) {
    const AttributedString value = text.value_or(AttributedString());
    if (value == m_text) return;
    m_text = value;
    textDidChange();
}

Font TextView::font() const {
    if (m_font) return *m_font;
    return Appearance::fontForView(*this, kAppearanceFont).value_or(Font::systemFontOfSize(12));
}

void TextView::setFont(const Font& font) {
    if (m_font == font) return;
    m_font = font;
    restyle(NSFontAttributeName, font.toValue());
}

Color TextView::textColor() const {
    if (m_textColor) return *m_textColor;
    return Appearance::colorForView(*this, kAppearanceTextColor).value_or(Color::blackColor());
}

void TextView::setTextColor(const Color& color) {
    if (m_textColor == color) return;
    m_textColor = color;
    restyle(NSForegroundColorAttributeName, color.toValue());
}

void TextView::setTextAlignment(NSTextAlignment alignment) {
    if (alignment == m_textAlignment) return;
    m_textAlignment = alignment;
    ParagraphStyle style;
    style.alignment = alignment;
    restyle(NSParagraphStyleAttributeName, style.toValue());
}

void TextView::restyle(const String& name, const Value& value) {
    if (m_text.length() == 0) return;
    MutableAttributedString restyled(m_text);
    restyled.addAttribute(name, value, wholeRange(m_text));
    m_text = AttributedString(restyled);
    textDidChange();
}

void TextView::setEditable(bool editable) {
    if (editable == m_editable) return;
    m_editable = editable;
    if (!editable && isFirstResponder()) resignFirstResponder();
    setNeedsDisplay();
}

void TextView::setDataDetectorTypes(UIDataDetectorTypes types) {
    if (types == m_dataDetectorTypes) return;
    m_dataDetectorTypes = types;
    setNeedsDisplay();
}

Dictionary TextView::linkTextAttributes() const {
    if (m_linkTextAttributes) return *m_linkTextAttributes;
    Dictionary attributes;
    attributes.setObject(tintColor().toValue(), NSForegroundColorAttributeName);
    return attributes;
}

void TextView::setLinkTextAttributes(const Dictionary& attributes) {
    m_linkTextAttributes = attributes;
    setNeedsDisplay();
}

void TextView::setTextContainerInset(const EdgeInsets& inset) {
    if (inset == m_textContainerInset) return;
    m_textContainerInset = inset;
    textDidChange();
}

std::vector<TextView::Link> TextView::links() const {
    std::vector<Link> links;
    m_text.enumerateAttribute(NSLinkAttributeName, wholeRange(m_text),
                              [&](const Value& value, Range range, bool&) {
                                  if (auto url = linkTarget(value)) links.push_back({range, *url});
                              });
    if (m_editable || m_dataDetectorTypes == UIDataDetectorTypeNone) return links;
    std::vector<Link> detected;
    if (m_dataDetectorTypes & UIDataDetectorTypeLink) detectWebLinks(m_text.string(), detected);
    if (m_dataDetectorTypes & UIDataDetectorTypePhoneNumber)
        detectPhoneNumbers(m_text.string(), detected);
    // A link set on the text wins over one found in the same place.
    const size_t explicitCount = links.size();
    for (auto& link : detected) {
        const bool taken =
            std::any_of(links.begin(), links.begin() + explicitCount,
                        [&](const Link& other) { return overlaps(other.range, link.range); });
        if (!taken) links.push_back(std::move(link));
    }
    std::stable_sort(links.begin(), links.end(), [](const Link& a, const Link& b) {
        return a.range.location < b.range.location;
    });
    return links;
}

bool TextView::interactWithLinkAtIndex(size_t index) {
    if (!m_selectable) return false;
    for (const auto& link : links()) {
        if (index < link.range.location || index >= link.range.location + link.range.length)
            continue;
        if (const auto delegate = m_delegate.lock()) {
            auto allowed = delegate->textView(*this, link.url, link.range,
                                              UITextItemInteractionInvokeDefaultAction);
            if (!allowed) allowed = delegate->textView(*this, link.url, link.range);
            if (allowed == false) return false;
        }
        Application::sharedApplication().openURL(link.url, {}, nullptr);
        return true;
    }
    return false;
}

double TextView::textWidth(double boundsWidth) const {
    return std::max(0.0, boundsWidth - m_textContainerInset.left - m_textContainerInset.right -
                             2 * kLineFragmentPadding);
}

double TextView::heightOf(const AttributedString& text) const {
    if (text.length() == 0) return font().lineHeight();
    const double width = std::max(1.0, textWidth(bounds().width()));
    return text.boundingRectWithSize({width, 0}, NSStringDrawingUsesLineFragmentOrigin).height();
}

void TextView::setContentOffset(Point offset) {
    if (offset == contentOffset()) return;
    setBounds({offset, bounds().size});
    setNeedsDisplay();
}

Size TextView::contentSize() const {
    return {bounds().width(),
            std::ceil(heightOf(m_text) + m_textContainerInset.top + m_textContainerInset.bottom)};
}

void TextView::scrollRangeToVisible(Range range) {
    const size_t start = std::min<size_t>(range.location, m_text.length());
    const size_t end = std::min<size_t>(range.location + range.length, m_text.length());
    // The range's lines run from the top of its first line to the bottom of its last.
    const double top = start == 0 ? 0
                                  : m_textContainerInset.top +
                                        heightOf(m_text.attributedSubstringFromRange({0, start})) -
                                        font().lineHeight();
    const double bottom = m_textContainerInset.top +
                          heightOf(m_text.attributedSubstringFromRange({0, end})) +
                          m_textContainerInset.bottom;
    const double height = bounds().height();
    double y = contentOffset().y;
    if (bottom > y + height) y = bottom - height;
    if (top < y) y = top;
    const double maximum = std::max(0.0, contentSize().height - height);
    setContentOffset({contentOffset().x, std::clamp(y, 0.0, maximum)});
}

void TextView::insertText(const String& text) {
    if (!m_editable || !isFirstResponder() || text.isEmpty()) return;
    change({m_text.length(), 0}, text);
}

void TextView::deleteBackward() {
    if (!m_editable || !isFirstResponder() || m_text.length() == 0) return;
    change(lastCharacterRange(m_text.string()), String());
}

bool TextView::change(Range range, const String& replacement) {
    const auto delegate = m_delegate.lock();
    if (delegate && delegate->textView(*this, range, replacement) == false) return false;
    MutableAttributedString changed(m_text);
    if (m_text.length() == 0)
        changed.setAttributedString(AttributedString(replacement, viewAttributes()));
    else
        changed.replaceCharactersInRange(range, replacement);
    m_text = AttributedString(changed);
    textDidChange();
    if (delegate) delegate->textViewDidChange(*this);
    return true;
}

AttributedString TextView::textForDrawing() const {
    const auto found = links();
    if (found.empty()) return m_text;
    MutableAttributedString styled(m_text);
    const Dictionary attributes = linkTextAttributes();
    for (const auto& link : found)
        styled.addAttributes(attributes, link.range);
    return styled;
}

Size TextView::sizeThatFits(Size size) const {
    const double width = size.width > 0 ? size.width : bounds().width();
    const double textHeight = m_text.length() == 0
                                  ? font().lineHeight()
                                  : m_text
                                        .boundingRectWithSize({std::max(1.0, textWidth(width)), 0},
                                                              NSStringDrawingUsesLineFragmentOrigin)
                                        .height();
    return {width, std::ceil(textHeight + m_textContainerInset.top + m_textContainerInset.bottom)};
}

void TextView::drawRect(GraphicsContext& context, const Rect&) {
    const double width = textWidth(bounds().width());
    const double height = contentSize().height;
    // Drawn in content coordinates: the bounds' origin is the scroll offset.
    context.drawText(textForDrawing(), Rect{m_textContainerInset.left + kLineFragmentPadding,
                                            m_textContainerInset.top, width, height});
}

bool TextView::shouldBeginEditing() {
    if (!m_editable) return false;
    const auto delegate = m_delegate.lock();
    return !delegate || delegate->textViewShouldBeginEditing(*this) != false;
}

void TextView::didBeginEditing() {
    if (const auto delegate = m_delegate.lock()) delegate->textViewDidBeginEditing(*this);
}

bool TextView::shouldEndEditing() {
    const auto delegate = m_delegate.lock();
    return !delegate || delegate->textViewShouldEndEditing(*this) != false;
}

void TextView::didEndEditing() {
    if (const auto delegate = m_delegate.lock()) delegate->textViewDidEndEditing(*this);
}

void TextView::textDidChange() {
    invalidateIntrinsicContentSize();
    setNeedsDisplay();
}

}  // namespace ov::ui
