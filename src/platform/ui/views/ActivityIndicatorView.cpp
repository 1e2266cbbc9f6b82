#include "orvane/platform/ui/views/ActivityIndicatorView.h"

#include <cmath>
#include <numbers>

#include "orvane/platform/ui/drawing/GraphicsContext.h"
#include "orvane/platform/ui/views/Appearance.h"
#include "orvane/platform/values/Clock.h"

namespace ov::ui {

namespace {

constexpr int kSpokes = 12;
// One turn a second.
constexpr double kStepsPerSecond = kSpokes;

bool isLarge(UIActivityIndicatorViewStyle style) {
    return style == UIActivityIndicatorViewStyleWhiteLarge ||
           style == UIActivityIndicatorViewStyleLarge;
}

}  // namespace

ActivityIndicatorView::ActivityIndicatorView(UIActivityIndicatorViewStyle style)
    : View(Rect{0, 0, isLarge(style) ? 37.0 : 20.0, isLarge(style) ? 37.0 : 20.0}), m_style(style) {
    setOpaque(false);
    setHidden(true);
}

ActivityIndicatorView::ActivityIndicatorView(const Rect& frame)
    : View(frame), m_style(UIActivityIndicatorViewStyleWhite) {
    setOpaque(false);
    setHidden(true);
}

ActivityIndicatorView::~ActivityIndicatorView() {
    if (m_stepTimer) m_stepTimer->invalidate();
}

void ActivityIndicatorView::setActivityIndicatorViewStyle(UIActivityIndicatorViewStyle style) {
    if (style == m_style) return;
    m_style = style;
    invalidateIntrinsicContentSize();
    setNeedsDisplay();
}

Color ActivityIndicatorView::color() const {
    if (m_color) return *m_color;
    if (const auto styled = Appearance::colorForView(*this, kAppearanceColor)) return *styled;
    const bool white = m_style == UIActivityIndicatorViewStyleWhite ||
                       m_style == UIActivityIndicatorViewStyleWhiteLarge;
    return white ? Color::whiteColor() : Color::grayColor();
}

void ActivityIndicatorView::setColor(const std::optional<Color>& color) {
    if (color == m_color) return;
    m_color = color;
    setNeedsDisplay();
}

void ActivityIndicatorView::setHidesWhenStopped(bool hides) {
    if (hides == m_hidesWhenStopped) return;
    m_hidesWhenStopped = hides;
    if (!isAnimating()) setHidden(hides);
}

void ActivityIndicatorView::startAnimating() {
    setHidden(false);
    if (isAnimating()) return;
    m_startTime = Clock::current().now();
    m_stepTimer =
        Timer::scheduledTimer(1.0 / kStepsPerSecond, true, [weak = weak_from_this()](Timer& timer) {
            if (const auto self = weak.lock())
                self->setNeedsDisplay();
            else
                timer.invalidate();
        });
    setNeedsDisplay();
}

void ActivityIndicatorView::stopAnimating() {
    if (m_stepTimer) m_stepTimer->invalidate();
    m_stepTimer.reset();
    m_startTime.reset();
    if (m_hidesWhenStopped) setHidden(true);
    setNeedsDisplay();
}

int ActivityIndicatorView::leadingSpoke() const {
    if (!m_startTime) return 0;
    const double steps = (Clock::current().now() - *m_startTime) * kStepsPerSecond;
    return static_cast<int>(std::floor(steps)) % kSpokes;
}

double ActivityIndicatorView::styleSide() const {
    return isLarge(m_style) ? 37 : 20;
}

Size ActivityIndicatorView::intrinsicContentSize() const {
    return {styleSide(), styleSide()};
}

void ActivityIndicatorView::drawRect(GraphicsContext& context, const Rect&) {
    const Rect box = bounds();
    const double side = std::min(styleSide(), std::min(box.width(), box.height()));
    const double outer = side / 2;
    const Point centre{box.midX(), box.midY()};
    const Color base = color();
    const int lead = leadingSpoke();
    GraphicsStateSaver saved(context);
    const double width = side * (isLarge(m_style) ? 0.11 : 0.1);
    context.setLineWidth(width);
    context.setLineCap(LineCap::Round);
    for (int spoke = 0; spoke < kSpokes; ++spoke) {
        // The leading spoke is brightest; those behind it fade.
        const int behind = (lead - spoke + kSpokes) % kSpokes;
        const double fade = 1.0 - 0.8 * behind / (kSpokes - 1);
        const double angle = spoke * 2 * std::numbers::pi / kSpokes - std::numbers::pi / 2;
        const double cx = std::cos(angle), cy = std::sin(angle);
        // The round cap stays inside the bounds.
        const double inner = outer * 0.5, tip = outer - width / 2;
        context.setStrokeColor(base.colorWithAlphaComponent(base.alpha() * fade));
        context.beginPath();
        context.moveToPoint({centre.x + cx * inner, centre.y + cy * inner});
        context.addLineToPoint({centre.x + cx * tip, centre.y + cy * tip});
        context.strokePath();
    }
}

}  // namespace ov::ui
