#include "orvane/platform/ui/views/AlertViewRenderer.h"

#include <algorithm>
#include <cmath>

#include "orvane/platform/ui/application/Application.h"
#include "orvane/platform/ui/drawing/GraphicsContext.h"
#include "orvane/platform/ui/layers/Renderer.h"
#include "orvane/platform/ui/text/AttributedString.h"
#include "orvane/platform/ui/text/Font.h"
#include "orvane/platform/ui/text/ParagraphStyle.h"

namespace ov::ui {

namespace {

constexpr double kCardWidth = 270;
constexpr double kCornerRadius = 13;
constexpr double kTextInset = 16;
constexpr double kTopPadding = 20;
constexpr double kGap = 4;
constexpr double kBottomPadding = 20;
constexpr double kButtonHeight = 44;

Color buttonColor() {
    return Color::colorWithRed(0, 0.478, 1, 1);
}
Color hairlineColor() {
    return Color::colorWithWhite(0.8, 1);
}

AttributedString centred(const String& text, const Font& font, const Color& color) {
    ParagraphStyle style;
    style.alignment = NSTextAlignmentCenter;
    Dictionary attributes;
    attributes.setObject(font.toValue(), NSFontAttributeName);
    attributes.setObject(color.toValue(), NSForegroundColorAttributeName);
    attributes.setObject(style.toValue(), NSParagraphStyleAttributeName);
    return AttributedString(text, attributes);
}

std::optional<AttributedString> titleText(const AlertView& alert) {
    if (!alert.title() || alert.title()->isEmpty()) return std::nullopt;
    return centred(*alert.title(), Font::boldSystemFontOfSize(17), Color::blackColor());
}

std::optional<AttributedString> messageText(const AlertView& alert) {
    if (!alert.message() || alert.message()->isEmpty()) return std::nullopt;
    return centred(*alert.message(), Font::systemFontOfSize(13), Color::blackColor());
}

double heightOf(const std::optional<AttributedString>& text) {
    if (!text) return 0;
    return std::ceil(text->boundingRectWithSize({kCardWidth - 2 * kTextInset, 0},
                                                NSStringDrawingUsesLineFragmentOrigin)
                         .height());
}

}  // namespace

AlertViewRenderer::AlertViewRenderer(std::shared_ptr<AlertView> alert, const Rect& frame)
    : View(frame), m_alert(std::move(alert)) {
    setOpaque(false);
}

double AlertViewRenderer::textHeight() const {
    const double title = heightOf(titleText(*m_alert));
    const double message = heightOf(messageText(*m_alert));
    const double gap = title > 0 && message > 0 ? kGap : 0;
    return kTopPadding + title + gap + message + kBottomPadding;
}

std::vector<long> AlertViewRenderer::displayOrder() const {
    std::vector<long> order;
    for (long i = 0; i < m_alert->numberOfButtons(); ++i) {
        if (i != m_alert->cancelButtonIndex()) order.push_back(i);
    }
    // Side by side the cancel button is on the left; stacked, it is at the bottom.
    if (m_alert->cancelButtonIndex() >= 0) {
        if (buttonsSideBySide())
            order.insert(order.begin(), m_alert->cancelButtonIndex());
        else
            order.push_back(m_alert->cancelButtonIndex());
    }
    return order;
}

Rect AlertViewRenderer::cardRect() const {
    const long buttons = m_alert->numberOfButtons();
    const long rows = buttonsSideBySide() ? 1 : buttons;
    const double height = textHeight() + static_cast<double>(rows) * kButtonHeight;
    const Rect box = bounds();
    // Whole points, so the hairlines stay sharp.
    return {std::floor(box.midX() - kCardWidth / 2), std::floor(box.midY() - height / 2),
            kCardWidth, height};
}

Rect AlertViewRenderer::buttonRectAtIndex(long index) const {
    const auto order = displayOrder();
    const auto found = std::find(order.begin(), order.end(), index);
    if (found == order.end()) return Rect::null();
    const auto position = static_cast<double>(found - order.begin());
    const Rect card = cardRect();
    const double top = card.minY() + textHeight();
    if (buttonsSideBySide())
        return {card.minX() + position * kCardWidth / 2, top, kCardWidth / 2, kButtonHeight};
    return {card.minX(), top + position * kButtonHeight, kCardWidth, kButtonHeight};
}

long AlertViewRenderer::buttonIndexAtPoint(Point point) const {
    for (long i = 0; i < m_alert->numberOfButtons(); ++i) {
        if (buttonRectAtIndex(i).contains(point)) return i;
    }
    return -1;
}

void AlertViewRenderer::drawRect(GraphicsContext& context, const Rect&) {
    context.setFillColor(Color::colorWithWhite(0, 0.4));
    context.fillRect(bounds());
    const Rect card = cardRect();
    context.setFillColor(Color::colorWithWhite(0.97, 1));
    context.fillPath(Path::bezierPathWithRoundedRect(card, kCornerRadius));

    const double width = kCardWidth - 2 * kTextInset;
    double y = card.minY() + kTopPadding;
    if (const auto title = titleText(*m_alert)) {
        context.drawText(*title, Rect{card.minX() + kTextInset, y, width, heightOf(title)});
        y += heightOf(title) + kGap;
    }
    if (const auto message = messageText(*m_alert))
        context.drawText(*message, Rect{card.minX() + kTextInset, y, width, heightOf(message)});

    context.setStrokeColor(hairlineColor());
    context.setLineWidth(0.5);
    for (const long index : displayOrder()) {
        const Rect button = buttonRectAtIndex(index);
        context.strokeRect(Rect{button.minX(), button.minY(), button.width(), 0});
        if (buttonsSideBySide() && button.minX() > card.minX())
            context.strokeRect(Rect{button.minX(), button.minY(), 0, button.height()});
        const bool cancel = index == m_alert->cancelButtonIndex();
        const Font font = cancel ? Font::boldSystemFontOfSize(17) : Font::systemFontOfSize(17);
        const auto label =
            centred(m_alert->buttonTitleAtIndex(index).value_or(String()), font, buttonColor());
        const double height = heightOf(label);
        context.drawText(label, Rect{button.minX() + 8, button.midY() - height / 2,
                                     button.width() - 16, height});
    }
}

std::shared_ptr<Image> renderLastShownAlert(Size size, double scale) {
    const auto shown = Application::sharedApplication().shownAlerts();
    if (shown.empty()) return nullptr;
    auto screen =
        std::make_shared<AlertViewRenderer>(shown.back(), Rect{0, 0, size.width, size.height});
    return renderToImage(*screen, scale);
}

}  // namespace ov::ui
