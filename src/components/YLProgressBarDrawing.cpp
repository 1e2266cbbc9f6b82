// The bar's drawing steps, in the order drawRect runs them.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "orvane/components/YLProgressBar.h"
#include "orvane/platform/ui/drawing/Gradient.h"
#include "orvane/platform/ui/drawing/GraphicsContext.h"
#include "orvane/platform/ui/text/AttributedString.h"
#include "orvane/platform/values/Format.h"

namespace ov {

namespace {

ui::Path rounded(const ui::Rect& rect, double radius) {
    return ui::Path::bezierPathWithRoundedRect(rect, radius);
}

bool isClear(const ui::Color& color) {
    return color.alpha() == 0;
}

// Whether the text, wrapped within the rectangle less 20 on each side, fits the rectangle with
// 4 to spare in height. Its height is measured in full: limited, it would always seem to fit.
bool fitsIn(const String& text, const ui::Font& font, const ui::Rect& textRect) {
    // No glyph worth drawing is narrower than this share of the font size. A text with more
    // characters than could stand side by side on the lines there is room for is left out
    // unmeasured, which spares shaping a long one whole.
    constexpr double kNarrowestAdvance = 0.1;
    const double size = std::max(font.pointSize(), 1.0);
    const double lines = std::floor((textRect.size.height + 4) / size) + 1;
    const double perLine = std::ceil(textRect.size.width / (size * kNarrowestAdvance)) + 1;
    if (static_cast<double>(text.length()) > lines * perLine) return false;

    const Dictionary attributes{{ui::NSFontAttributeName, font.toValue()}};
    const ui::Size measured =
        ui::boundingRectWithSize(text, {textRect.size.width - 40, 0},
                                 ui::NSStringDrawingUsesLineFragmentOrigin, attributes)
            .size;
    return measured.width <= textRect.size.width && measured.height <= textRect.size.height + 4;
}

}  // namespace

void YLProgressBar::drawRect(ui::GraphicsContext& context, const ui::Rect& rect) {
    if (isHidden()) return;
    m_internalCornerRadius = 0;
    if (m_type == YLProgressBarTypeRounded)
        m_internalCornerRadius = m_cornerRadius > 0 ? m_cornerRadius : rect.size.height / 2;
    stepStripesOffset();

    if (!m_hideTrack) drawTrack(context, rect);
    if (m_indicatorTextDisplayMode == YLProgressBarIndicatorTextDisplayModeTrack)
        drawText(context, rect);

    const double progress = this->progress();
    const double inset = m_progressBarInset;
    const ui::Rect innerRect = m_type == YLProgressBarTypeRounded
                                   ? ui::Rect{inset, inset, rect.size.width * progress - 2 * inset,
                                              rect.size.height - 2 * inset}
                                   : ui::Rect{0, 0, rect.size.width * progress, rect.size.height};

    if (progress == 0 && m_behavior == YLProgressBarBehaviorIndeterminate) {
        drawStripes(context, rect);
    } else if (progress > 0) {
        drawProgressBar(context, innerRect, rect);
        if (m_stripesWidth > 0 && !m_hideStripes) {
            if (m_behavior == YLProgressBarBehaviorWaiting) {
                if (progress == 1.0) drawStripes(context, innerRect);
            } else if (m_behavior != YLProgressBarBehaviorIndeterminate) {
                drawStripes(context, innerRect);
            }
        }
        if (!m_hideGloss) drawGloss(context, innerRect);
        if (m_indicatorTextDisplayMode == YLProgressBarIndicatorTextDisplayModeProgress)
            drawText(context, innerRect);
    }
    if (m_indicatorTextDisplayMode == YLProgressBarIndicatorTextDisplayModeFixed)
        drawText(context, rect);
}

void YLProgressBar::stepStripesOffset() {
    if (!m_stripesAnimated) {
        m_stripesOffset = 0;
    } else if (std::abs(m_stripesOffset) > 2 * m_stripesWidth - 1) {
        // One whole period (a stripe and its gap) has passed: the pattern looks the same.
        m_stripesOffset = 0;
    } else {
        m_stripesOffset += m_stripesDirection * std::abs(m_stripesAnimationVelocity);
    }
}

void YLProgressBar::drawTrack(ui::GraphicsContext& context, const ui::Rect& rect) {
    const double radius = m_internalCornerRadius;
    // The clip stays for the rest of the drawing: nothing shows outside the track's shape.
    context.clipToPath(rounded({0, 0, rect.size.width, rect.size.height}, radius));
    ui::GraphicsStateSaver saved(context);
    const bool rounded_ = m_type == YLProgressBarTypeRounded;
    const double shrink = rounded_ && !m_hideGloss ? 1 : 0;
    const double width = rect.size.width - shrink;
    const double height = rect.size.height - shrink;
    context.setFillColor(m_trackTintColor);
    context.fillPath(rounded({0, 0, width, height}, radius));
    if (!rounded_) return;
    context.setStrokeColor(ui::Color::colorWithWhite(1, 0.2));
    context.strokePath(rounded({0.5, 0, width, height}, radius));
    if (m_hideGloss) return;
    // A thin dark line along the top edge.
    context.setStrokeColor(ui::Color::colorWithWhite(0, 0.4f));
    context.strokePath(rounded({radius, 0, rect.size.width - 2 * radius, 1}, 0));
}

void YLProgressBar::drawProgressBar(ui::GraphicsContext& context, const ui::Rect& innerRect,
                                    const ui::Rect& outterRect) {
    const ui::Rect gradientRect = m_progressStretch ? innerRect : outterRect;
    ui::GraphicsStateSaver saved(context);
    context.clipToPath(rounded(innerRect, m_internalCornerRadius));
    // Each colour sits at the middle of its own equal band.
    const float band = 1.0f / static_cast<float>(m_colors.size());
    std::vector<double> components;
    std::vector<double> locations;
    for (size_t i = 0; i < m_colors.size(); ++i) {
        const ui::Color::RGBA& colour = m_colors[i];
        components.insert(components.end(), {colour.red, colour.green, colour.blue, colour.alpha});
        locations.push_back(static_cast<double>(band) * static_cast<double>(i) + band / 2.0);
    }
    const auto gradient = ui::Gradient::withColorComponents(components, locations);
    if (!gradient) return;
    context.drawLinearGradient(
        *gradient, {gradientRect.minX(), gradientRect.minY()},
        {gradientRect.minX() + gradientRect.size.width, gradientRect.minY()},
        ui::kCGGradientDrawsBeforeStartLocation | ui::kCGGradientDrawsAfterEndLocation);
}

void YLProgressBar::drawStripes(ui::GraphicsContext& context, const ui::Rect& rect) {
    if (m_stripesWidth == 0) return;
    const long width = m_stripesWidth;
    const double top = m_type == YLProgressBarTypeRounded ? m_progressBarInset : 0;
    const auto last = static_cast<long>(
        std::floor(rect.size.width / static_cast<double>(2 * width) + 2.0 * width));
    ui::Path stripes;
    for (long i = -width; i <= last; ++i) {
        const double x = static_cast<double>(i * 2 * width) + m_stripesOffset;
        stripes.appendPath(stripeWithOrigin({x, top}, rect, m_stripesOrientation));
    }
    ui::GraphicsStateSaver saved(context);
    context.clipToPath(rounded(rect, m_internalCornerRadius));
    context.clipToPath(stripes);
    context.setFillColor(m_stripesColor);
    context.fillRect(rect);
}

ui::Path YLProgressBar::stripeWithOrigin(ui::Point origin, const ui::Rect& bounds,
                                         YLProgressBarStripesOrientation orientation) const {
    const double x = origin.x;
    const double y = origin.y;
    const double w = static_cast<double>(m_stripesWidth);
    const double d = static_cast<double>(m_stripesDelta);
    const double h = bounds.size.height;
    ui::Point corners[4];
    switch (orientation) {
        case YLProgressBarStripesOrientationRight:
            corners[0] = {x, y}, corners[1] = {x + w, y}, corners[2] = {x + w - d, y + h},
            corners[3] = {x - d, y + h};
            break;
        case YLProgressBarStripesOrientationLeft:
            corners[0] = {x, y}, corners[1] = {x - w, y}, corners[2] = {x - w + d, y + h},
            corners[3] = {x + d, y + h};
            break;
        default:
            corners[0] = {x, y}, corners[1] = {x - w, y}, corners[2] = {x - w, y + h},
            corners[3] = {x, y + h};
            break;
    }
    ui::Path stripe = ui::Path::bezierPath();
    stripe.moveToPoint(corners[0]);
    for (int i = 1; i < 4; ++i)
        stripe.addLineToPoint(corners[i]);
    stripe.closePath();
    return stripe;
}

void YLProgressBar::drawGloss(ui::GraphicsContext& context, const ui::Rect& rect) {
    const ui::Color gloss = ui::Color::colorWithWhite(1, 0.16);
    {
        ui::GraphicsStateSaver saved(context);
        const ui::Rect band{rect.minX(), rect.minY(), rect.size.width,
                            std::floor(static_cast<float>(rect.size.height / 3))};

        // A faint white wash over the top third.
        context.setBlendMode(ui::BlendMode::Overlay);
        context.beginTransparencyLayerWithRect(band);
        const auto wash = ui::Gradient::withColors({gloss, gloss});
        context.drawLinearGradient(*wash, {rect.midX(), rect.minY()}, {rect.midX(), rect.maxY()},
                                   0);
        context.endTransparencyLayer();

        // Only the shadow of the band stays: a soft edge under the highlight.
        context.setBlendMode(ui::BlendMode::SoftLight);
        context.beginTransparencyLayer();
        {
            ui::GraphicsStateSaver shadowed(context);
            context.setShadowWithColor({0, -1}, 4.0, ui::Color::colorWithWhite(0, 0.16f));
            context.fillRect(band);
        }
        context.setBlendMode(ui::BlendMode::Clear);
        context.fillRect(band);
        context.endTransparencyLayer();
    }
    ui::GraphicsStateSaver saved(context);
    context.setStrokeColor(gloss);
    context.setBlendMode(ui::BlendMode::Overlay);
    context.setLineWidth(2.0);
    context.strokePath(rounded(rect, m_internalCornerRadius));
}

void YLProgressBar::drawText(ui::GraphicsContext& context, const ui::Rect& rect) {
    if (!m_indicatorTextLabel) return;
    ui::Label& label = *m_indicatorTextLabel;
    const ui::Rect textRect = rect.insetBy(4, 2);
    label.setFrame(textRect);
    const bool percentage = !label.text().has_value();
    if (percentage) label.setText(stringWithFormat("%.0f%%", progress() * 100));

    // Too large a text is left out rather than cut.
    if (fitsIn(*label.text(), label.font(), textRect)) {
        const bool automatic = isClear(label.textColor());
        if (automatic) label.setTextColor(textColorForContrast());
        label.drawTextInRect(context, textRect);
        if (automatic) label.setTextColor(ui::Color::clearColor());
    }
    if (percentage) label.setText(std::nullopt);
}

ui::Color YLProgressBar::textColorForContrast() const {
    const ui::Color::RGBA background =
        m_indicatorTextDisplayMode == YLProgressBarIndicatorTextDisplayModeTrack || m_colors.empty()
            ? m_trackTintColor.rgba()
            : m_colors.back();
    const double average = (background.red + background.green + background.blue) / 3;
    return average >= 0.5 ? ui::Color::blackColor() : ui::Color::whiteColor();
}

}  // namespace ov
