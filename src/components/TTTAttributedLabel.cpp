#include "orvane/components/TTTAttributedLabel.h"

#include <algorithm>
#include <cmath>

#include "orvane/platform/threads/DispatchQueue.h"
#include "orvane/platform/ui/application/Pasteboard.h"

namespace ov {

using ui::AttributedString;
using ui::MutableAttributedString;

namespace {

Range wholeRange(const AttributedString& text) {
    return {0, text.length()};
}

Dictionary linkStyle(bool underline, const ui::Color& color, const Value& paragraphStyle) {
    Dictionary attributes;
    attributes.setObject(underline, ui::kCTUnderlineStyleAttributeName);
    attributes.setObject(color.toValue(), ui::kCTForegroundColorAttributeName);
    attributes.setObject(paragraphStyle, ui::kCTParagraphStyleAttributeName);
    return attributes;
}

std::optional<URL> linkTarget(const Value& value) {
    if (const String* text = value.ifString()) return URL::withString(*text);
    if (const auto* object = value.ifObject(); object && *object)
        return URL::withString((*object)->description());
    return std::nullopt;
}

bool within(Range inner, size_t length) {
    return inner.location <= length && inner.length <= length - inner.location;
}

}  // namespace

long lowLevelTextAlignment(long alignment) {
    switch (alignment) {
        case ui::NSTextAlignmentLeft:
            return 0;
        case ui::NSTextAlignmentCenter:
            return 2;
        case ui::NSTextAlignmentRight:
            return 1;
        default:
            return 4;
    }
}

long lowLevelLineBreakMode(long mode) {
    return mode >= 1 && mode <= 5 ? mode : 0;
}

TTTLowLevelParagraphStyle lowLevelParagraphStyleFromLabel(const TTTAttributedLabel& label) {
    const ui::Font font = label.font();
    TTTLowLevelParagraphStyle style;
    style.alignment = lowLevelTextAlignment(label.textAlignment());
    if (label.numberOfLines() == 1)
        style.lineBreakMode = lowLevelLineBreakMode(label.lineBreakMode());
    style.lineSpacing = label.leading();
    style.minimumLineSpacing = label.minimumLineHeight() * label.lineHeightMultiple();
    style.maximumLineSpacing = label.maximumLineHeight() * label.lineHeightMultiple();
    style.lineSpacingAdjustment = std::ceil(font.lineHeight() - font.ascender() + font.descender());
    style.lineHeightMultiple = label.lineHeightMultiple();
    style.firstLineHeadIndent = label.firstLineIndent();
    return style;
}

Dictionary NSAttributedStringAttributesFromLabel(const TTTAttributedLabel& label) {
    const ui::Font font = label.font();
    Dictionary attributes;
    attributes.setObject(font.toValue(), ui::kCTFontAttributeName);
    attributes.setObject(label.textColor().toValue(), ui::kCTForegroundColorAttributeName);
    attributes.setObject(label.kern(), ui::kCTKernAttributeName);
    ui::ParagraphStyle style;
    style.alignment = label.textAlignment();
    style.lineSpacing = label.leading();
    style.minimumLineHeight = label.minimumLineHeight() > 0
                                  ? label.minimumLineHeight() * label.lineHeightMultiple()
                                  : font.lineHeight();
    style.maximumLineHeight = label.maximumLineHeight() > 0
                                  ? label.maximumLineHeight() * label.lineHeightMultiple()
                                  : font.lineHeight();
    style.lineHeightMultiple = label.lineHeightMultiple();
    style.firstLineHeadIndent = label.firstLineIndent();
    style.headIndent = label.firstLineIndent();
    style.lineBreakMode =
        label.numberOfLines() == 1 ? label.lineBreakMode() : ui::NSLineBreakByWordWrapping;
    attributes.setObject(style.toValue(), ui::kCTParagraphStyleAttributeName);
    return attributes;
}

AttributedString NSAttributedStringBySettingColorFromContext(
    const AttributedString& text, const std::optional<ui::Color>& color) {
    if (!color) return text;
    MutableAttributedString resolved(text);
    text.enumerateAttribute(
        ui::kCTForegroundColorFromContextAttributeName, wholeRange(text),
        [&](const Value& value, Range range, bool&) {
            if (value.isAbsent()) return;
            // The run keeps its font and other looks; only the colour is
            // the context's.
            resolved.addAttribute(ui::kCTForegroundColorAttributeName, color->toValue(), range);
            resolved.removeAttribute(ui::kCTForegroundColorFromContextAttributeName, range);
        });
    return resolved;
}

TTTAttributedLabel::TTTAttributedLabel(const ui::Rect& frame) : Label(frame) {
    setUserInteractionEnabled(true);
    setMultipleTouchEnabled(false);
    ui::ParagraphStyle wrapping;
    wrapping.lineBreakMode = ui::NSLineBreakByWordWrapping;
    const Value style = wrapping.toValue();
    m_linkAttributes = linkStyle(true, ui::Color::blueColor(), style);
    m_activeLinkAttributes = linkStyle(false, ui::Color::redColor(), style);
    m_inactiveLinkAttributes = linkStyle(false, ui::Color::grayColor(), style);
}

void TTTAttributedLabel::setText(const std::optional<String>& text) {
    if (!text) return setShownText(std::nullopt);
    setText(*text, ConfigureBlock());
}

void TTTAttributedLabel::setText(const AttributedString& text) {
    setShownText(text);
}

void TTTAttributedLabel::setText(const String& text, const ConfigureBlock& block) {
    MutableAttributedString styled(text, NSAttributedStringAttributesFromLabel(*this));
    setShownText(block ? block(styled) : AttributedString(styled));
}

void TTTAttributedLabel::setText(const AttributedString& text, const ConfigureBlock& block) {
    MutableAttributedString styled(text);
    styled.addAttributes(NSAttributedStringAttributesFromLabel(*this), wholeRange(styled));
    setShownText(block ? block(styled) : AttributedString(styled));
}

void TTTAttributedLabel::setShownText(const std::optional<AttributedString>& text) {
    setAttributedText(text);
    m_activeLink.reset();
    m_links.clear();
    if (text && m_enabledTextCheckingTypes != 0) detectLinks(*text);
    if (text) addLinksFromLinkAttribute(*text);
    Label::setText(text ? std::optional<String>(text->string()) : std::nullopt);
}

void TTTAttributedLabel::detectLinks(const AttributedString& text) {
    // The detector is immutable, so the worker may use it while the label changes its own.
    std::shared_ptr<DataDetector> detector = m_dataDetector;
    if (!detector) return;
    std::weak_ptr<View> weakLabel = weak_from_this();
    DispatchQueue::global().async([weakLabel, detector, searched = text.string()] {
        auto results = detector->matchesInString(searched);
        if (results.empty()) return;
        // Handed over without waiting: a worker blocked on a busy main thread would hold up
        // the queue (and the exit, which waits for running work).
        DispatchQueue::main().async([weakLabel, searched, results = std::move(results)] {
            const auto view = weakLabel.lock();
            if (!view) return;
            auto& label = static_cast<TTTAttributedLabel&>(*view);
            // A text replaced meanwhile drops the results found for the old one.
            if (!label.m_attributedText || label.m_attributedText->string() != searched) return;
            label.addLinksWithTextCheckingResults(results, label.linkAttributes());
        });
    });
}

void TTTAttributedLabel::addLinksFromLinkAttribute(const AttributedString& text) {
    text.enumerateAttribute(ui::NSLinkAttributeName, wholeRange(text),
                            [&](const Value& value, Range range, bool&) {
                                if (value.isAbsent()) return;
                                if (const auto url = linkTarget(value)) addLinkToURL(*url, range);
                            });
}

void TTTAttributedLabel::setAttributedText(const std::optional<AttributedString>& text) {
    if (text == m_attributedText) return;
    m_attributedText = text;
    setNeedsFramesetter();
    setNeedsDisplay();
    invalidateIntrinsicContentSize();
}

const std::optional<AttributedString>& TTTAttributedLabel::renderedAttributedText() const {
    if (!m_renderedAttributedText && m_attributedText)
        m_renderedAttributedText =
            NSAttributedStringBySettingColorFromContext(*m_attributedText, textColor());
    return m_renderedAttributedText;
}

void TTTAttributedLabel::setNeedsFramesetter() {
    m_renderedAttributedText.reset();
    m_needsFramesetter = true;
}

std::shared_ptr<const ui::Framesetter> TTTAttributedLabel::framesetter() const {
    if (m_needsFramesetter || !m_framesetter) {
        m_framesetter = std::make_shared<ui::Framesetter>(
            renderedAttributedText().value_or(AttributedString()));
        // The highlighted layout follows the same text.
        m_highlightFramesetter.reset();
        m_needsFramesetter = false;
    }
    return m_framesetter;
}

std::shared_ptr<const ui::Framesetter> TTTAttributedLabel::highlightFramesetter() const {
    const auto plain = framesetter();
    if (!m_highlightFramesetter) {
        MutableAttributedString highlighted(plain->attributedString());
        if (const auto& color = highlightedTextColor())
            highlighted.addAttribute(ui::kCTForegroundColorAttributeName, color->toValue(),
                                     wholeRange(highlighted));
        m_highlightFramesetter = std::make_shared<ui::Framesetter>(highlighted);
    }
    return m_highlightFramesetter;
}

void TTTAttributedLabel::setTextColor(const std::optional<ui::Color>& color) {
    const ui::Color previous = textColor();
    Label::setTextColor(color);
    if (textColor() == previous) return;
    setNeedsFramesetter();
    setNeedsDisplay();
}

void TTTAttributedLabel::setHighlighted(bool highlighted) {
    Label::setHighlighted(highlighted);
    setNeedsDisplay();
}

void TTTAttributedLabel::setEnabledTextCheckingTypes(NSTextCheckingTypes types) {
    m_enabledTextCheckingTypes = types;
    m_dataDetector = types != 0 ? DataDetector::dataDetectorWithTypes(types) : nullptr;
}

void TTTAttributedLabel::addLinksWithTextCheckingResults(
    const std::vector<TextCheckingResult>& results, const std::optional<Dictionary>& attributes) {
    std::vector<TextCheckingResult> links = m_links;
    if (attributes && m_attributedText) {
        MutableAttributedString styled(*m_attributedText);
        for (const TextCheckingResult& result : results)
            styled.addAttributes(*attributes, result.range());
        setAttributedText(AttributedString(styled));
        setNeedsDisplay();
    }
    links.insert(links.end(), results.begin(), results.end());
    m_links = std::move(links);
}

void TTTAttributedLabel::addLinkWithTextCheckingResult(
    const TextCheckingResult& result, const std::optional<Dictionary>& attributes) {
    addLinksWithTextCheckingResults({result}, attributes);
}

void TTTAttributedLabel::addLinkWithTextCheckingResult(const TextCheckingResult& result) {
    addLinkWithTextCheckingResult(result, m_linkAttributes);
}

void TTTAttributedLabel::addLinkToURL(const URL& url, Range range) {
    addLinkWithTextCheckingResult(TextCheckingResult::linkCheckingResultWithRange(range, url));
}

void TTTAttributedLabel::addLinkToAddress(const Dictionary& components, Range range) {
    addLinkWithTextCheckingResult(
        TextCheckingResult::addressCheckingResultWithRange(range, components));
}

void TTTAttributedLabel::addLinkToPhoneNumber(const String& phoneNumber, Range range) {
    addLinkWithTextCheckingResult(
        TextCheckingResult::phoneNumberCheckingResultWithRange(range, phoneNumber));
}

void TTTAttributedLabel::addLinkToDate(const Date& date, Range range) {
    addLinkWithTextCheckingResult(TextCheckingResult::dateCheckingResultWithRange(range, date));
}

void TTTAttributedLabel::addLinkToDate(const Date& date, const TimeZone& timeZone, double duration,
                                       Range range) {
    addLinkWithTextCheckingResult(
        TextCheckingResult::dateCheckingResultWithRange(range, date, timeZone, duration));
}

void TTTAttributedLabel::addLinkToTransitInformation(const Dictionary& components, Range range) {
    addLinkWithTextCheckingResult(
        TextCheckingResult::transitInformationCheckingResultWithRange(range, components));
}

std::optional<TextCheckingResult> TTTAttributedLabel::linkAtCharacterIndex(size_t index) const {
    for (auto link = m_links.rbegin(); link != m_links.rend(); ++link) {
        const Range range = link->range();
        if (range.location <= index && index - range.location < range.length) return *link;
    }
    return std::nullopt;
}

std::optional<TextCheckingResult> TTTAttributedLabel::linkAtPoint(ui::Point point) const {
    return linkAtCharacterIndex(characterIndexAtPoint(point));
}

size_t TTTAttributedLabel::characterIndexAtPoint(ui::Point point) const {
    if (!m_attributedText || !bounds().contains(point)) return NSNotFound;
    const ui::Rect area = textRectForBounds(bounds(), numberOfLines());
    if (!area.contains(point)) return NSNotFound;
    const ui::Point inArea{point.x - area.minX(), point.y - area.minY()};
    for (const DrawnLine& line : linesInArea(*framesetter(), area)) {
        if (inArea.y < line.origin.y || inArea.y >= line.origin.y + line.height) continue;
        const double x = inArea.x - line.origin.x;
        if (x < 0 || x >= ui::Framesetter::lineWidth(line.text)) return NSNotFound;
        return line.sourceIndex(ui::Framesetter::stringIndexForPosition(line.text, x));
    }
    return NSNotFound;
}

void TTTAttributedLabel::setActiveLink(const std::optional<TextCheckingResult>& link) {
    m_activeLink = link;
    if (link && m_activeLinkAttributes.count() > 0) {
        if (!m_inactiveAttributedText) m_inactiveAttributedText = m_attributedText;
        if (!m_inactiveAttributedText) return;
        MutableAttributedString pressed(*m_inactiveAttributedText);
        if (within(link->range(), pressed.length()))
            pressed.addAttributes(m_activeLinkAttributes, link->range());
        setAttributedText(AttributedString(pressed));
        // Drawing happens when the view is next rendered, so the highlight shows at once.
        setNeedsDisplay();
    } else if (!link && m_inactiveAttributedText) {
        setAttributedText(m_inactiveAttributedText);
        m_inactiveAttributedText.reset();
        setNeedsDisplay();
    }
}

void TTTAttributedLabel::setShadowRadius(double radius) {
    m_shadowRadius = std::max(0.0, radius);
    setNeedsDisplay();
}

void TTTAttributedLabel::setHighlightedShadowRadius(double radius) {
    m_highlightedShadowRadius = std::max(0.0, radius);
    setNeedsDisplay();
}

void TTTAttributedLabel::setHighlightedShadowColor(const std::optional<ui::Color>& color) {
    m_highlightedShadowColor = color;
    setNeedsDisplay();
}

void TTTAttributedLabel::setHighlightedShadowOffset(ui::Size offset) {
    m_highlightedShadowOffset = offset;
    setNeedsDisplay();
}

void TTTAttributedLabel::setTruncationTokenString(const std::optional<String>& token) {
    m_truncationTokenString = token;
    setNeedsDisplay();
}

void TTTAttributedLabel::setTruncationTokenStringAttributes(
    const std::optional<Dictionary>& attributes) {
    m_truncationTokenStringAttributes = attributes;
    setNeedsDisplay();
}

void TTTAttributedLabel::copy() {
    ui::Pasteboard::generalPasteboard().setString(text());
}

void TTTAttributedLabel::touchesBegan(const ui::TouchSet& touches, const ui::Event& event) {
    const auto link = linkAtPoint(touches.front()->locationInView(this));
    setActiveLink(link);
    if (!link) Responder::touchesBegan(touches, event);
}

void TTTAttributedLabel::touchesMoved(const ui::TouchSet& touches, const ui::Event& event) {
    if (!m_activeLink) return Responder::touchesMoved(touches, event);
    const auto link = linkAtPoint(touches.front()->locationInView(this));
    if (link != m_activeLink) setActiveLink(std::nullopt);
}

void TTTAttributedLabel::touchesEnded(const ui::TouchSet& touches, const ui::Event& event) {
    if (!m_activeLink) return Responder::touchesEnded(touches, event);
    const TextCheckingResult link = *m_activeLink;
    setActiveLink(std::nullopt);
    reportToDelegate(link);
}

void TTTAttributedLabel::touchesCancelled(const ui::TouchSet& touches, const ui::Event& event) {
    if (!m_activeLink) return Responder::touchesCancelled(touches, event);
    setActiveLink(std::nullopt);
}

void TTTAttributedLabel::reportToDelegate(const TextCheckingResult& link) {
    const auto delegate = m_delegate.lock();
    if (!delegate) return;
    bool told = false;
    switch (link.resultType()) {
        case NSTextCheckingTypeDate:
            if (link.timeZone())
                told = delegate->attributedLabel_didSelectLinkWithDate_timeZone_duration(
                    *this, *link.date(), *link.timeZone(), link.duration());
            if (!told) told = delegate->attributedLabel_didSelectLinkWithDate(*this, *link.date());
            break;
        case NSTextCheckingTypeAddress:
            told = delegate->attributedLabel_didSelectLinkWithAddress(*this, link.components());
            break;
        case NSTextCheckingTypeLink:
            told = delegate->attributedLabel_didSelectLinkWithURL(*this, *link.URL());
            break;
        case NSTextCheckingTypePhoneNumber:
            told =
                delegate->attributedLabel_didSelectLinkWithPhoneNumber(*this, *link.phoneNumber());
            break;
        case NSTextCheckingTypeTransitInformation:
            told = delegate->attributedLabel_didSelectLinkWithTransitInformation(*this,
                                                                                 link.components());
            break;
        default:
            break;
    }
    if (!told) delegate->attributedLabel_didSelectLinkWithTextCheckingResult(*this, link);
}

ui::View* TTTAttributedLabel::hitTest(ui::Point point) {
    if (!Label::hitTest(point)) return nullptr;
    return linkAtPoint(point) ? this : nullptr;
}

}  // namespace ov
