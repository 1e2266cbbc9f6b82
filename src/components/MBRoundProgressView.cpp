#include "orvane/components/MBRoundProgressView.h"

#include <numbers>

#include "MBAssert.h"
#include "orvane/platform/ui/drawing/GraphicsContext.h"
#include "orvane/platform/ui/views/Appearance.h"

namespace ov {

namespace {

constexpr double kStartAngle = -std::numbers::pi / 2;  // 12 o'clock

ui::Color styledColor(const ui::View& view, const std::optional<ui::Color>& own, const char* key,
                      const ui::Color& fallback) {
    if (own) return *own;
    return ui::Appearance::colorForView(view, String(key)).value_or(fallback);
}

}  // namespace

MBRoundProgressView::MBRoundProgressView() : MBRoundProgressView(ui::Rect{0, 0, 37, 37}) {}

MBRoundProgressView::MBRoundProgressView(const ui::Rect& frame) : ui::View(frame) {
    setBackgroundColor(ui::Color::clearColor());
    setOpaque(false);
}

void MBRoundProgressView::setProgress(float progress) {
    if (progress == m_progress) return;
    m_progress = progress;
    setNeedsDisplay();
}

void MBRoundProgressView::setAnnular(bool annular) {
    if (annular == m_annular) return;
    m_annular = annular;
    setNeedsDisplay();
}

ui::Color MBRoundProgressView::progressTintColor() const {
    return styledColor(*this, m_progressTintColor, "progressTintColor", ui::Color::whiteColor());
}

void MBRoundProgressView::setProgressTintColor(const std::optional<ui::Color>& color) {
    if (!mb::check(color.has_value(), mb::kNilColorMessage) || color == m_progressTintColor) return;
    m_progressTintColor = color;
    setNeedsDisplay();
}

ui::Color MBRoundProgressView::backgroundTintColor() const {
    return styledColor(*this, m_backgroundTintColor, "backgroundTintColor",
                       ui::Color::colorWithWhite(1, 0.1));
}

void MBRoundProgressView::setBackgroundTintColor(const std::optional<ui::Color>& color) {
    if (!mb::check(color.has_value(), mb::kNilColorMessage) || color == m_backgroundTintColor)
        return;
    m_backgroundTintColor = color;
    setNeedsDisplay();
}

void MBRoundProgressView::drawRect(ui::GraphicsContext& context, const ui::Rect&) {
    if (m_annular) {
        drawRing(context);
    } else {
        drawPie(context);
    }
}

void MBRoundProgressView::drawPie(ui::GraphicsContext& context) const {
    const ui::Rect b = bounds();
    const ui::Point c{b.midX(), b.midY()};
    context.setLineWidth(2);
    context.setStrokeColor(progressTintColor());
    context.strokePath(ui::Path::bezierPathWithOvalInRect(b.insetBy(1, 1)));

    ui::Path arc;
    arc.addArc(c, b.size.width / 2 - 2, kStartAngle,
               kStartAngle + m_progress * 2 * std::numbers::pi, ui::Path::Clockwise);
    ui::GraphicsStateSaver saver(context);
    context.setLineWidth(4);
    context.setLineCap(ui::LineCap::Butt);
    // Copy, so the sector replaces the outline's pixels rather than blending with them.
    context.setBlendMode(ui::BlendMode::Copy);
    context.strokePath(arc);
}

void MBRoundProgressView::drawRing(ui::GraphicsContext& context) const {
    const ui::Rect b = bounds();
    const ui::Point c{b.midX(), b.midY()};
    constexpr double lineWidth = 2.0;
    const double radius = (b.size.width - lineWidth) / 2;
    context.setLineWidth(lineWidth);

    ui::Path track;
    track.addArc(c, radius, kStartAngle, kStartAngle + 2 * std::numbers::pi, ui::Path::Clockwise);
    context.setLineCap(ui::LineCap::Butt);
    context.setStrokeColor(backgroundTintColor());
    context.strokePath(track);

    ui::Path arc;
    arc.addArc(c, radius, kStartAngle, kStartAngle + m_progress * 2 * std::numbers::pi,
               ui::Path::Clockwise);
    context.setLineCap(ui::LineCap::Square);
    context.setStrokeColor(progressTintColor());
    context.strokePath(arc);
}

}  // namespace ov
