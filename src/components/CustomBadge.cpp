#include "orvane/components/CustomBadge.h"

#include <cmath>
#include <numbers>

#include "orvane/platform/files/Image.h"
#include "orvane/platform/ui/drawing/Gradient.h"
#include "orvane/platform/ui/drawing/GraphicsContext.h"
#include "orvane/platform/ui/text/AttributedString.h"

namespace ov {

namespace {

constexpr double kSide = 25.0;
constexpr double kMeasuringFontSize = 12.0;
constexpr double kTextFontSize = 13.5;
// The one-character enlargement, a fifth in single precision as the original computed it.
constexpr double kShortTextEnlargement = 1.2f;

ui::AttributedString styledText(const String& text, const ui::Font& font,
                                const std::optional<ui::Color>& color = std::nullopt) {
    Dictionary attributes{{ui::NSFontAttributeName, font.toValue()}};
    if (color) attributes.setObject(color->toValue(), ui::NSForegroundColorAttributeName);
    return ui::AttributedString(text, attributes);
}

}  // namespace

std::shared_ptr<CustomBadge> CustomBadge::customBadgeWithString(const String& text) {
    return customBadgeWithString(text, 1.0, BadgeStyle::defaultStyle());
}

std::shared_ptr<CustomBadge> CustomBadge::customBadgeWithString(const String& text, double scale) {
    return customBadgeWithString(text, scale, BadgeStyle::defaultStyle());
}

std::shared_ptr<CustomBadge> CustomBadge::customBadgeWithString(const String& text,
                                                                std::shared_ptr<BadgeStyle> style) {
    return customBadgeWithString(text, 1.0, std::move(style));
}

std::shared_ptr<CustomBadge> CustomBadge::customBadgeWithString(const String& text, double scale,
                                                                std::shared_ptr<BadgeStyle> style) {
    return std::make_shared<CustomBadge>(text, scale, std::move(style));
}

CustomBadge::CustomBadge(const String& text, double scale, std::shared_ptr<BadgeStyle> style)
    : ui::View(ui::Rect{0, 0, kSide, kSide}),
      m_badgeText(text),
      m_badgeScaleFactor(scale),
      m_badgeStyle(style ? std::move(style) : BadgeStyle::defaultStyle()) {
    setBackgroundColor(ui::Color::clearColor());
    autoBadgeSizeWithString(text);
}

ui::Font CustomBadge::fontForBadgeWithSize(double size) const {
    const char* name =
        m_badgeStyle->badgeFontType == 0 ? "HelveticaNeue-Medium" : "HelveticaNeue-Light";
    return ui::Font::fontWithName(String(name), size).value_or(ui::Font::systemFontOfSize(size));
}

void CustomBadge::autoBadgeSizeWithString(const String& text) {
    const double scale = m_badgeScaleFactor;
    ui::Size size{kSide * scale, kSide * scale};
    if (text.length() >= 2) {
        const ui::Size measured = styledText(text, fontForBadgeWithSize(kMeasuringFontSize)).size();
        size.width = (measured.width + static_cast<double>(text.length()) + kSide) * scale;
    }
    setFrame(ui::Rect{frame().origin, size});
    m_badgeText = text;
    setNeedsDisplay();
}

void CustomBadge::addOutline(ui::GraphicsContext& context, const ui::Rect& rect) const {
    constexpr double pi = std::numbers::pi;
    const double radius = rect.maxY() * m_badgeCornerRoundness;
    const double margin = rect.maxY() * 0.1;
    const double maxX = rect.maxX() - margin;
    const double maxY = rect.maxY() - margin;
    const double minX = rect.minX() + margin;
    const double minY = rect.minY() + margin;
    context.beginPath();
    context.addArc({maxX - radius, minY + radius}, radius, 3 * pi / 2, 0, 0);
    context.addArc({maxX - radius, maxY - radius}, radius, 0, pi / 2, 0);
    context.addArc({minX + radius, maxY - radius}, radius, pi / 2, pi, 0);
    context.addArc({minX + radius, minY + radius}, radius, pi, 3 * pi / 2, 0);
}

void CustomBadge::drawRoundedRectWithContext(ui::GraphicsContext& context,
                                             const ui::Rect& rect) const {
    ui::GraphicsStateSaver saved(context);
    addOutline(context, rect);
    context.setFillColor(m_badgeStyle->badgeInsetColor);
    if (m_badgeStyle->badgeShadow) {
        context.setShadowWithColor({1.0, 1.0}, 3.0, ui::Color::blackColor());
    }
    context.fillPath();
}

void CustomBadge::drawShineWithContext(ui::GraphicsContext& context, const ui::Rect& rect) const {
    ui::GraphicsStateSaver saved(context);
    addOutline(context, rect);
    context.clip();
    const auto gradient = ui::Gradient::withColorComponents(
        {0.92, 0.92, 0.92, 1.0, 0.82, 0.82, 0.82, 0.4}, {0.0, 0.4});
    const double boxMaxY = rect.maxY() - rect.maxY() * 0.1;
    context.drawLinearGradient(*gradient, {0, 0}, {0, boxMaxY}, 0);
}

void CustomBadge::drawFrameWithContext(ui::GraphicsContext& context, const ui::Rect& rect) const {
    const double scale = m_badgeScaleFactor;
    context.setLineWidth(2.0 + (scale > 1.0 ? scale * 0.25 : 0.0));
    if (m_badgeStyle->badgeFrameColor) context.setStrokeColor(*m_badgeStyle->badgeFrameColor);
    addOutline(context, rect);
    context.closePath();
    context.strokePath();
}

void CustomBadge::drawRect(ui::GraphicsContext& context, const ui::Rect& rect) {
    drawRoundedRectWithContext(context, rect);
    if (m_badgeStyle->badgeShining) drawShineWithContext(context, rect);
    if (m_badgeStyle->badgeFrame) drawFrameWithContext(context, rect);
    if (m_badgeText.length() == 0) return;

    double fontSize = kTextFontSize * m_badgeScaleFactor;
    if (m_badgeText.length() < 2) fontSize *= kShortTextEnlargement;
    const ui::AttributedString text =
        styledText(m_badgeText, fontForBadgeWithSize(fontSize), m_badgeStyle->badgeTextColor);
    const ui::Size textSize = text.size();
    context.drawText(text, {rect.size.width / 2 - textSize.width / 2,
                            rect.size.height / 2 - textSize.height / 2 - 1});
}

}  // namespace ov
