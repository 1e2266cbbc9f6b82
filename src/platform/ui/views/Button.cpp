#include "orvane/platform/ui/views/Button.h"

#include <algorithm>

#include "orvane/platform/ui/drawing/GraphicsContext.h"

namespace ov::ui {

namespace {

// How far an inset pair moves content placed by an alignment: a centred item by half their
// difference, an item pinned to one side by that side's inset.
double insetShift(double leading, double trailing, bool centred, bool trailingPinned) {
    if (centred) return (leading - trailing) / 2;
    return trailingPinned ? -trailing : leading;
}

Rect applyInsets(Rect rect, const EdgeInsets& insets, UIControlContentHorizontalAlignment h,
                 UIControlContentVerticalAlignment v) {
    if (h == UIControlContentHorizontalAlignmentFill) {
        rect.origin.x += insets.left;
        rect.size.width = std::max(0.0, rect.size.width - insets.left - insets.right);
    } else {
        rect.origin.x +=
            insetShift(insets.left, insets.right, h == UIControlContentHorizontalAlignmentCenter,
                       h == UIControlContentHorizontalAlignmentRight);
    }
    if (v == UIControlContentVerticalAlignmentFill) {
        rect.origin.y += insets.top;
        rect.size.height = std::max(0.0, rect.size.height - insets.top - insets.bottom);
    } else {
        rect.origin.y +=
            insetShift(insets.top, insets.bottom, v == UIControlContentVerticalAlignmentCenter,
                       v == UIControlContentVerticalAlignmentBottom);
    }
    return rect;
}

}  // namespace

Button::Button(const Rect& frame, UIButtonType type)
    : Control(frame),
      m_type(type),
      m_titleLabel(std::make_shared<Label>()),
      m_imageView(std::make_shared<ImageView>()) {
    setOpaque(false);
    m_titleLabel->setFont(Font::systemFontOfSize(15));
    m_titleLabel->setLineBreakMode(NSLineBreakByTruncatingMiddle);
    m_titleLabel->setHidden(true);
    m_imageView->setHidden(true);
    addSubview(m_imageView);
    addSubview(m_titleLabel);
    updateContent();
}

std::shared_ptr<Button> Button::buttonWithType(UIButtonType type) {
    return std::make_shared<Button>(Rect{}, type);
}

template <class T>
std::optional<T> Button::lookUp(const PerState<T>& values, UIControlState state) {
    if (const auto found = values.find(state); found != values.end()) return found->second;
    if (const auto normal = values.find(UIControlStateNormal); normal != values.end())
        return normal->second;
    return std::nullopt;
}

template <class T>
void Button::store(PerState<T>& values, const std::optional<T>& value, UIControlState state) {
    if (value)
        values[state] = *value;
    else
        values.erase(state);
    updateContent();
}

void Button::setTitle(const std::optional<String>& title, UIControlState state) {
    store(m_titles, title, state);
}

std::optional<String> Button::titleForState(UIControlState state) const {
    return lookUp(m_titles, state);
}

void Button::setAttributedTitle(const std::optional<AttributedString>& title,
                                UIControlState state) {
    store(m_attributedTitles, title, state);
}

std::optional<AttributedString> Button::attributedTitleForState(UIControlState state) const {
    return lookUp(m_attributedTitles, state);
}

void Button::setTitleColor(const std::optional<Color>& color, UIControlState state) {
    store(m_titleColors, color, state);
}

std::optional<Color> Button::titleColorForState(UIControlState state) const {
    return lookUp(m_titleColors, state);
}

void Button::setTitleShadowColor(const std::optional<Color>& color, UIControlState state) {
    store(m_titleShadowColors, color, state);
}

std::optional<Color> Button::titleShadowColorForState(UIControlState state) const {
    return lookUp(m_titleShadowColors, state);
}

void Button::setImage(std::shared_ptr<Image> image, UIControlState state) {
    store(m_images, image ? std::optional(image) : std::nullopt, state);
}

std::shared_ptr<Image> Button::imageForState(UIControlState state) const {
    return lookUp(m_images, state).value_or(nullptr);
}

void Button::setBackgroundImage(std::shared_ptr<Image> image, UIControlState state) {
    store(m_backgroundImages, image ? std::optional(image) : std::nullopt, state);
}

std::shared_ptr<Image> Button::backgroundImageForState(UIControlState state) const {
    return lookUp(m_backgroundImages, state).value_or(nullptr);
}

Color Button::currentTitleColor() const {
    if (const auto color = titleColorForState(state())) return *color;
    if (!isSystem()) return Color::whiteColor();
    if (!isEnabled()) return Color::colorWithWhite(0.56, 1);
    const Color tint = tintColor();
    return isHighlighted() ? tint.colorWithAlphaComponent(tint.alpha() * 0.2) : tint;
}

void Button::setContentEdgeInsets(const EdgeInsets& insets) {
    if (insets == m_contentEdgeInsets) return;
    m_contentEdgeInsets = insets;
    invalidateIntrinsicContentSize();
    setNeedsLayout();
}

void Button::setTitleEdgeInsets(const EdgeInsets& insets) {
    if (insets == m_titleEdgeInsets) return;
    m_titleEdgeInsets = insets;
    setNeedsLayout();
}

void Button::setImageEdgeInsets(const EdgeInsets& insets) {
    if (insets == m_imageEdgeInsets) return;
    m_imageEdgeInsets = insets;
    setNeedsLayout();
}

Rect Button::contentRectForBounds(const Rect& bounds) const {
    return bounds.inset(m_contentEdgeInsets);
}

Rect Button::titleRectForContentRect(const Rect& contentRect) const {
    Rect image, title;
    placeContent(contentRect, &image, &title);
    return title;
}

Rect Button::imageRectForContentRect(const Rect& contentRect) const {
    Rect image, title;
    placeContent(contentRect, &image, &title);
    return image;
}

Size Button::titleSize() const {
    if (m_titleLabel->isHidden()) return {};
    return m_titleLabel->sizeThatFits({});
}

Size Button::imageSize() const {
    const auto image = currentImage();
    return image ? Size{image->width(), image->height()} : Size{};
}

void Button::placeContent(const Rect& content, Rect* imageRect, Rect* titleRect) const {
    const auto h = contentHorizontalAlignment();
    const auto v = contentVerticalAlignment();
    const Size image = imageSize();
    Size title = titleSize();
    title.width = std::min(title.width, std::max(0.0, content.width() - image.width));
    if (h == UIControlContentHorizontalAlignmentFill)
        title.width = std::max(0.0, content.width() - image.width);
    const double total = image.width + title.width;
    double x = content.minX() + (content.width() - total) / 2;
    if (h == UIControlContentHorizontalAlignmentLeft ||
        h == UIControlContentHorizontalAlignmentFill)
        x = content.minX();
    if (h == UIControlContentHorizontalAlignmentRight) x = content.maxX() - total;
    const auto place = [&](double left, Size size) {
        if (v == UIControlContentVerticalAlignmentFill) size.height = content.height();
        double y = content.minY() + (content.height() - size.height) / 2;
        if (v == UIControlContentVerticalAlignmentTop || v == UIControlContentVerticalAlignmentFill)
            y = content.minY();
        if (v == UIControlContentVerticalAlignmentBottom) y = content.maxY() - size.height;
        return Rect{left, y, size.width, size.height};
    };
    *imageRect = applyInsets(place(x, image), m_imageEdgeInsets, h, v);
    *titleRect = applyInsets(place(x + image.width, title), m_titleEdgeInsets, h, v);
}

Size Button::sizeThatFits(Size) const {
    const Size image = imageSize();
    const Size title = titleSize();
    return {image.width + title.width + m_contentEdgeInsets.left + m_contentEdgeInsets.right,
            std::max(image.height, title.height) + m_contentEdgeInsets.top +
                m_contentEdgeInsets.bottom};
}

Size Button::intrinsicContentSize() const {
    return sizeThatFits({});
}

void Button::layoutSubviews() {
    Control::layoutSubviews();
    Rect image, title;
    placeContent(contentRectForBounds(bounds()), &image, &title);
    m_imageView->setFrame(image);
    m_titleLabel->setFrame(title);
}

void Button::drawRect(GraphicsContext& context, const Rect&) {
    if (const auto background = currentBackgroundImage())
        context.drawImage(*background, backgroundRectForBounds(bounds()));
}

void Button::stateDidChange() {
    updateContent();
}

void Button::updateContent() {
    if (const auto styled = currentAttributedTitle()) {
        m_titleLabel->setAttributedText(styled);
    } else {
        m_titleLabel->setTextColor(currentTitleColor());
        m_titleLabel->setText(currentTitle());
    }
    m_titleLabel->setShadowColor(titleShadowColorForState(state()));
    m_titleLabel->setHidden(!m_titleLabel->attributedText());
    m_imageView->setImage(currentImage());
    m_imageView->setHidden(!currentImage());
    invalidateIntrinsicContentSize();
    setNeedsLayout();
    setNeedsDisplay();
}

}  // namespace ov::ui
