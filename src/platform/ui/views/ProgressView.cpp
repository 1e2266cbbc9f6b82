#include "orvane/platform/ui/views/ProgressView.h"

#include <algorithm>

#include "orvane/platform/ui/views/Appearance.h"

namespace ov::ui {

namespace {

constexpr double kAnimationDuration = 0.25;

double heightFor(UIProgressViewStyle style) {
    return style == UIProgressViewStyleBar ? 2.5 : 2;
}

}  // namespace

ProgressView::ProgressView(UIProgressViewStyle style)
    : ProgressView(Rect{0, 0, 150, heightFor(style)}) {
    m_style = style;
}

ProgressView::ProgressView(const Rect& frame)
    : View(frame), m_style(UIProgressViewStyleDefault), m_fill(std::make_shared<View>()) {
    setClipsToBounds(true);
    addSubview(m_fill);
    m_fill->setFrame(filledRect());
    updateColors();
}

void ProgressView::setProgressViewStyle(UIProgressViewStyle style) {
    if (style == m_style) return;
    m_style = style;
    invalidateIntrinsicContentSize();
}

void ProgressView::setProgress(float progress, bool animated) {
    progress = std::clamp(progress, 0.0f, 1.0f);
    if (progress == m_progress) return;
    m_progress = progress;
    if (animated) {
        View::animateWithDuration(kAnimationDuration, [this] { m_fill->setFrame(filledRect()); });
    } else {
        View::performWithoutAnimation([this] { m_fill->setFrame(filledRect()); });
    }
}

Color ProgressView::progressTintColor() const {
    if (m_progressTintColor) return *m_progressTintColor;
    return Appearance::colorForView(*this, kAppearanceProgressTintColor).value_or(tintColor());
}

void ProgressView::setProgressTintColor(const std::optional<Color>& color) {
    if (color == m_progressTintColor) return;
    m_progressTintColor = color;
    updateColors();
}

Color ProgressView::trackTintColor() const {
    if (m_trackTintColor) return *m_trackTintColor;
    return Appearance::colorForView(*this, kAppearanceTrackTintColor)
        .value_or(Color::colorWithWhite(0.72, 1));
}

void ProgressView::setTrackTintColor(const std::optional<Color>& color) {
    if (color == m_trackTintColor) return;
    m_trackTintColor = color;
    updateColors();
}

double ProgressView::barHeight() const {
    return heightFor(m_style);
}

Size ProgressView::intrinsicContentSize() const {
    return {UIViewNoIntrinsicMetric, barHeight()};
}

Size ProgressView::sizeThatFits(Size) const {
    return {bounds().width(), barHeight()};
}

Rect ProgressView::filledRect() const {
    const Rect box = bounds();
    return {box.minX(), box.minY(), box.width() * m_progress, box.height()};
}

void ProgressView::layoutSubviews() {
    View::layoutSubviews();
    m_fill->setFrame(filledRect());
    updateColors();
}

void ProgressView::updateColors() {
    setBackgroundColor(trackTintColor());
    m_fill->setBackgroundColor(progressTintColor());
}

}  // namespace ov::ui
