#include "orvane/components/MBBarProgressView.h"

#include <cmath>
#include <numbers>

#include "MBAssert.h"
#include "orvane/platform/ui/drawing/GraphicsContext.h"
#include "orvane/platform/ui/views/Appearance.h"

namespace ov {

namespace {

constexpr double pi = std::numbers::pi;

ui::Color styledColor(const ui::View& view, const std::optional<ui::Color>& own, const char* key,
                      const ui::Color& fallback) {
    if (own) return *own;
    return ui::Appearance::colorForView(view, String(key)).value_or(fallback);
}

bool setColor(std::optional<ui::Color>& stored, const std::optional<ui::Color>& color) {
    if (!mb::check(color.has_value(), mb::kNilColorMessage) || color == stored) return false;
    stored = color;
    return true;
}

}  // namespace

MBBarProgressView::MBBarProgressView() : MBBarProgressView(ui::Rect{0, 0, 120, 20}) {}

MBBarProgressView::MBBarProgressView(const ui::Rect& frame) : ui::View(frame) {
    setBackgroundColor(ui::Color::clearColor());
    setOpaque(false);
}

void MBBarProgressView::setProgress(float progress) {
    if (progress == m_progress) return;
    m_progress = progress;
    setNeedsDisplay();
}

ui::Color MBBarProgressView::lineColor() const {
    return styledColor(*this, m_lineColor, "lineColor", ui::Color::whiteColor());
}

void MBBarProgressView::setLineColor(const std::optional<ui::Color>& color) {
    if (setColor(m_lineColor, color)) setNeedsDisplay();
}

ui::Color MBBarProgressView::progressRemainingColor() const {
    return styledColor(*this, m_progressRemainingColor, "progressRemainingColor",
                       ui::Color::clearColor());
}

void MBBarProgressView::setProgressRemainingColor(const std::optional<ui::Color>& color) {
    if (setColor(m_progressRemainingColor, color)) setNeedsDisplay();
}

ui::Color MBBarProgressView::progressColor() const {
    return styledColor(*this, m_progressColor, "progressColor", ui::Color::whiteColor());
}

void MBBarProgressView::setProgressColor(const std::optional<ui::Color>& color) {
    if (setColor(m_progressColor, color)) setNeedsDisplay();
}

void MBBarProgressView::drawRect(ui::GraphicsContext& context, const ui::Rect&) {
    const ui::Rect b = bounds();
    const double radius = b.size.height / 2 - 2;
    const auto capsule = ui::Path::bezierPathWithRoundedRect(b.insetBy(2, 2), radius);
    context.setLineWidth(2);
    context.setFillColor(progressRemainingColor());
    context.fillPath(capsule);
    context.setStrokeColor(lineColor());
    context.strokePath(capsule);
    fillProgress(context);
}

// The fill runs inside the outline, 4 points from the edges, with ends of radius r.
void MBBarProgressView::fillProgress(ui::GraphicsContext& context) const {
    const double w = bounds().size.width;
    const double h = bounds().size.height;
    const double r = h / 2 - 4;
    const double amount = m_progress * w;
    if (!(amount > 0)) return;

    const ui::Point leftCentre{4 + r, h / 2};
    ui::Path fill;
    fill.moveToPoint({4 + r, h - 4});
    fill.addArc(leftCentre, r, pi / 2, 3 * pi / 2, ui::Path::Clockwise);
    if (amount >= r + 4) {
        const double rightStart = w - r - 4;
        if (amount <= rightStart) {
            fill.addLineToPoint({amount, 4});
            fill.addLineToPoint({amount, h - 4});
        } else {
            const ui::Point rightCentre{rightStart, h / 2};
            double angle = std::acos((amount - rightStart) / r);
            if (std::isnan(angle)) angle = 0;
            fill.addLineToPoint({rightStart, 4});
            fill.addArc(rightCentre, r, -pi / 2, -angle, ui::Path::Clockwise);
            fill.addLineToPoint(
                {rightCentre.x + r * std::cos(angle), rightCentre.y + r * std::sin(angle)});
            fill.addArc(rightCentre, r, angle, pi / 2, ui::Path::Clockwise);
        }
    }
    fill.closePath();
    context.setFillColor(progressColor());
    context.fillPath(fill);
}

}  // namespace ov
