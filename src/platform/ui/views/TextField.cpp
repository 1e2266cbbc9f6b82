#include "orvane/platform/ui/views/TextField.h"

#include <algorithm>
#include <cmath>

#include "orvane/platform/ui/drawing/GraphicsContext.h"
#include "orvane/platform/ui/views/Appearance.h"
#include "orvane/platform/ui/views/Button.h"
#include "platform/ui/views/TextEditing.h"

namespace ov::ui {

namespace {

constexpr double kClearButtonSide = 19;
constexpr double kRoundedInset = 7;

Color placeholderColor() {
    return Color::colorWithWhite(0.7, 1);
}

Rect centredAt(double x, const Rect& bounds, Size size) {
    return {x, bounds.minY() + (bounds.height() - size.height) / 2, size.width, size.height};
}

// An "x" in a grey circle, for the clear button.
std::shared_ptr<Image> clearButtonImage() {
    static const std::shared_ptr<Image> image = [] {
        auto context =
            GraphicsContext::bitmap({kClearButtonSide, kClearButtonSide}, Image::screenScale());
        if (!context) return std::shared_ptr<Image>();
        context->setFillColor(Color::colorWithWhite(0.7, 1));
        context->fillEllipseInRect({2, 2, kClearButtonSide - 4, kClearButtonSide - 4});
        context->setStrokeColor(Color::whiteColor());
        context->setLineWidth(1.5);
        context->beginPath();
        context->moveToPoint({6.5, 6.5});
        context->addLineToPoint({12.5, 12.5});
        context->moveToPoint({12.5, 6.5});
        context->addLineToPoint({6.5, 12.5});
        context->strokePath();
        return context->makeImage();
    }();
    return image;
}

}  // namespace

TextField::TextField(const Rect& frame) : Control(frame) {
    setOpaque(false);
    setContentVerticalAlignment(UIControlContentVerticalAlignmentCenter);
}

void TextField::setText(const std::optional<String>& text) {
    const String value = text.value_or(String());
    if (value == m_text) return;
    m_text = value;
    contentDidChange();
}

AttributedString TextField::attributedText() const {
    Dictionary attributes;
    attributes.setObject(font().toValue(), NSFontAttributeName);
    attributes.setObject(textColor().toValue(), NSForegroundColorAttributeName);
    return AttributedString(m_text, attributes);
}

void TextField::setAttributedText(const std::optional<AttributedString>& text) {
    // The field shows one font and colour: the first character's become the field's.
    if (text && text->length() > 0) {
        const Dictionary first = text->attributesAtIndex(0);
        if (const auto font = Font::fromValue(first.objectForKey(NSFontAttributeName)))
            setFont(*font);
        if (const auto color = Color::fromValue(first.objectForKey(NSForegroundColorAttributeName)))
            setTextColor(*color);
    }
    setText(text ? std::optional(text->string()) : std::nullopt);
}

void TextField::setPlaceholder(const std::optional<String>& placeholder) {
    if (placeholder == m_placeholder && !m_attributedPlaceholder) return;
    m_placeholder = placeholder;
    m_attributedPlaceholder.reset();
    setNeedsDisplay();
}

std::optional<AttributedString> TextField::attributedPlaceholder() const {
    if (m_attributedPlaceholder) return m_attributedPlaceholder;
    if (!m_placeholder) return std::nullopt;
    Dictionary attributes;
    attributes.setObject(font().toValue(), NSFontAttributeName);
    attributes.setObject(placeholderColor().toValue(), NSForegroundColorAttributeName);
    return AttributedString(*m_placeholder, attributes);
}

void TextField::setAttributedPlaceholder(const std::optional<AttributedString>& placeholder) {
    m_attributedPlaceholder = placeholder;
    m_placeholder = placeholder ? std::optional(placeholder->string()) : std::nullopt;
    setNeedsDisplay();
}

Font TextField::font() const {
    if (m_font) return *m_font;
    return Appearance::fontForView(*this, kAppearanceFont)
        .value_or(Font::systemFontOfSize(Font::labelFontSize()));
}

void TextField::setFont(const Font& font) {
    if (m_font == font) return;
    m_font = font;
    contentDidChange();
}

Color TextField::textColor() const {
    if (m_textColor) return *m_textColor;
    return Appearance::colorForView(*this, kAppearanceTextColor).value_or(Color::blackColor());
}

void TextField::setTextColor(const Color& color) {
    if (m_textColor == color) return;
    m_textColor = color;
    setNeedsDisplay();
}

void TextField::setTextAlignment(NSTextAlignment alignment) {
    if (alignment == m_textAlignment) return;
    m_textAlignment = alignment;
    setNeedsDisplay();
}

void TextField::setBorderStyle(UITextBorderStyle style) {
    if (style == m_borderStyle) return;
    m_borderStyle = style;
    contentDidChange();
}

void TextField::setLeftView(std::shared_ptr<View> view) {
    if (view == m_leftView) return;
    if (m_leftView) m_leftView->removeFromSuperview();
    m_leftView = std::move(view);
    if (m_leftView) addSubview(m_leftView);
    contentDidChange();
}

void TextField::setLeftViewMode(UITextFieldViewMode mode) {
    m_leftViewMode = mode;
    contentDidChange();
}

void TextField::setRightView(std::shared_ptr<View> view) {
    if (view == m_rightView) return;
    if (m_rightView) m_rightView->removeFromSuperview();
    m_rightView = std::move(view);
    if (m_rightView) addSubview(m_rightView);
    contentDidChange();
}

void TextField::setRightViewMode(UITextFieldViewMode mode) {
    m_rightViewMode = mode;
    contentDidChange();
}

void TextField::setClearButtonMode(UITextFieldViewMode mode) {
    m_clearButtonMode = mode;
    if (mode != UITextFieldViewModeNever) makeClearButton();
    contentDidChange();
}

void TextField::makeClearButton() {
    if (m_clearButton) return;
    m_clearButton = std::make_shared<Button>(Rect{0, 0, kClearButtonSide, kClearButtonSide});
    m_clearButton->setImage(clearButtonImage(), UIControlStateNormal);
    m_clearButton->setHidden(true);
    // The button lives inside the field; it must not keep the field alive.
    m_clearButton->addAction(
        [weak = weak_from_this()](Control&) {
            if (auto self = std::static_pointer_cast<TextField>(weak.lock())) self->clearText();
        },
        UIControlEventTouchUpInside);
    addSubview(m_clearButton);
}

void TextField::setSecureTextEntry(bool secure) {
    if (secure == isSecureTextEntry()) return;
    TextInputTraits::setSecureTextEntry(secure);
    setNeedsDisplay();
}

bool TextField::shows(UITextFieldViewMode mode) const {
    switch (mode) {
        case UITextFieldViewModeAlways:
            return true;
        case UITextFieldViewModeWhileEditing:
            return isEditing();
        case UITextFieldViewModeUnlessEditing:
            return !isEditing();
        default:
            return false;
    }
}

bool TextField::showsClearButton() const {
    return m_clearButton && !m_text.isEmpty() && shows(m_clearButtonMode);
}

void TextField::insertText(const String& text) {
    if (!isEditing() || text.isEmpty()) return;
    if (text == "\n") {
        const auto delegate = m_delegate.lock();
        if (delegate && delegate->textFieldShouldReturn(*this) == false) return;
        sendActionsForControlEvents(UIControlEventEditingDidEndOnExit);
        return;
    }
    change({m_text.length(), 0}, text);
}

void TextField::deleteBackward() {
    if (!isEditing() || m_text.isEmpty()) return;
    change(lastCharacterRange(m_text), String());
}

void TextField::clearText() {
    if (m_text.isEmpty()) return;
    const auto delegate = m_delegate.lock();
    if (delegate && delegate->textFieldShouldClear(*this) == false) return;
    m_text = String();
    contentDidChange();
    sendActionsForControlEvents(UIControlEventEditingChanged);
}

bool TextField::change(Range range, const String& replacement) {
    const auto delegate = m_delegate.lock();
    if (delegate && delegate->textField(*this, range, replacement) == false) return false;
    m_text = replacingRange(m_text, range, replacement);
    contentDidChange();
    sendActionsForControlEvents(UIControlEventEditingChanged);
    return true;
}

double TextField::horizontalInset() const {
    return m_borderStyle == UITextBorderStyleNone ? 0 : kRoundedInset;
}

Rect TextField::leftViewRectForBounds(const Rect& bounds) const {
    if (!m_leftView) return {bounds.minX(), bounds.minY(), 0, 0};
    return centredAt(bounds.minX(), bounds, m_leftView->bounds().size);
}

Rect TextField::rightViewRectForBounds(const Rect& bounds) const {
    if (!m_rightView) return {bounds.maxX(), bounds.minY(), 0, 0};
    const Size size = m_rightView->bounds().size;
    return centredAt(bounds.maxX() - size.width, bounds, size);
}

Rect TextField::clearButtonRectForBounds(const Rect& bounds) const {
    double right = bounds.maxX() - horizontalInset() / 2;
    if (m_rightView && shows(m_rightViewMode)) right = rightViewRectForBounds(bounds).minX();
    return centredAt(right - kClearButtonSide, bounds, {kClearButtonSide, kClearButtonSide});
}

Rect TextField::textRectForBounds(const Rect& bounds) const {
    double left = bounds.minX() + horizontalInset();
    double right = bounds.maxX() - horizontalInset();
    if (m_leftView && shows(m_leftViewMode))
        left = std::max(left, leftViewRectForBounds(bounds).maxX());
    if (m_rightView && shows(m_rightViewMode))
        right = std::min(right, rightViewRectForBounds(bounds).minX());
    if (showsClearButton()) right = std::min(right, clearButtonRectForBounds(bounds).minX());
    return {left, bounds.minY(), std::max(0.0, right - left), bounds.height()};
}

String TextField::displayedText() const {
    if (!isSecureTextEntry()) return m_text;
    // One dot per character: the second half of a surrogate pair adds none.
    String dots;
    for (const char16_t unit : m_text.utf16()) {
        if (unit < 0xDC00 || unit > 0xDFFF) dots += String("\u2022");
    }
    return dots;
}

void TextField::drawLine(GraphicsContext& context, const AttributedString& line, const Rect& rect) {
    // One line that never wraps: placed by the alignment and cut off at the rectangle.
    const Size size = line.size();
    double x = rect.minX();
    if (m_textAlignment == NSTextAlignmentCenter) x = rect.midX() - size.width / 2;
    if (m_textAlignment == NSTextAlignmentRight) x = rect.maxX() - size.width;
    GraphicsStateSaver saved(context);
    context.clipToRect(rect);
    context.drawText(line, Point{x, rect.minY() + (rect.height() - size.height) / 2});
}

void TextField::drawTextInRect(GraphicsContext& context, const Rect& rect) {
    Dictionary attributes;
    attributes.setObject(font().toValue(), NSFontAttributeName);
    attributes.setObject(textColor().toValue(), NSForegroundColorAttributeName);
    drawLine(context, AttributedString(displayedText(), attributes), rect);
}

void TextField::drawPlaceholderInRect(GraphicsContext& context, const Rect& rect) {
    if (const auto placeholder = attributedPlaceholder()) drawLine(context, *placeholder, rect);
}

Size TextField::sizeThatFits(Size) const {
    Dictionary attributes;
    attributes.setObject(font().toValue(), NSFontAttributeName);
    const String sample = m_text.isEmpty() ? m_placeholder.value_or(String()) : m_text;
    const Size text = AttributedString(sample, attributes).size();
    const double verticalPadding = m_borderStyle == UITextBorderStyleRoundedRect ? 7 : 2;
    double width = std::ceil(text.width) + 2 * horizontalInset();
    if (m_leftView && shows(m_leftViewMode)) width += m_leftView->bounds().width();
    if (m_rightView && shows(m_rightViewMode)) width += m_rightView->bounds().width();
    return {width, std::ceil(font().lineHeight()) + 2 * verticalPadding};
}

void TextField::layoutSubviews() {
    Control::layoutSubviews();
    const Rect box = bounds();
    if (m_leftView) {
        m_leftView->setHidden(!shows(m_leftViewMode));
        m_leftView->setFrame(leftViewRectForBounds(box));
    }
    if (m_rightView) {
        m_rightView->setHidden(!shows(m_rightViewMode));
        m_rightView->setFrame(rightViewRectForBounds(box));
    }
    if (m_clearButton) {
        m_clearButton->setHidden(!showsClearButton());
        m_clearButton->setFrame(clearButtonRectForBounds(box));
    }
}

void TextField::drawRect(GraphicsContext& context, const Rect&) {
    const Rect border = borderRectForBounds(bounds());
    GraphicsStateSaver saved(context);
    context.setLineWidth(1);
    switch (m_borderStyle) {
        case UITextBorderStyleLine:
            context.setStrokeColor(Color::blackColor());
            context.strokeRect(border.insetBy(0.5, 0.5));
            break;
        case UITextBorderStyleBezel:
            context.setStrokeColor(Color::darkGrayColor());
            context.strokeRect(border.insetBy(0.5, 0.5));
            context.setStrokeColor(Color::lightGrayColor());
            context.strokeRect(border.insetBy(1.5, 1.5));
            break;
        case UITextBorderStyleRoundedRect: {
            const Path shape = Path::bezierPathWithRoundedRect(border.insetBy(0.5, 0.5), 5);
            context.setFillColor(Color::whiteColor());
            context.fillPath(shape);
            context.setStrokeColor(Color::colorWithWhite(0.8, 1));
            context.strokePath(shape);
            break;
        }
        default:
            break;
    }
    if (m_text.isEmpty())
        drawPlaceholderInRect(context, placeholderRectForBounds(bounds()));
    else
        drawTextInRect(context,
                       isEditing() ? editingRectForBounds(bounds()) : textRectForBounds(bounds()));
}

void TextField::endTrackingAt(Point point) {
    if (bounds().contains(point)) becomeFirstResponder();
}

bool TextField::shouldBeginEditing() {
    if (!isEnabled()) return false;
    const auto delegate = m_delegate.lock();
    return !delegate || delegate->textFieldShouldBeginEditing(*this) != false;
}

void TextField::didBeginEditing() {
    contentDidChange();
    if (const auto delegate = m_delegate.lock()) delegate->textFieldDidBeginEditing(*this);
    sendActionsForControlEvents(UIControlEventEditingDidBegin);
}

bool TextField::shouldEndEditing() {
    const auto delegate = m_delegate.lock();
    return !delegate || delegate->textFieldShouldEndEditing(*this) != false;
}

void TextField::didEndEditing() {
    contentDidChange();
    if (const auto delegate = m_delegate.lock()) delegate->textFieldDidEndEditing(*this);
    sendActionsForControlEvents(UIControlEventEditingDidEnd);
}

void TextField::contentDidChange() {
    invalidateIntrinsicContentSize();
    setNeedsLayout();
    setNeedsDisplay();
}

}  // namespace ov::ui
