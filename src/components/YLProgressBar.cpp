#include "orvane/components/YLProgressBar.h"

#include <algorithm>
#include <cmath>

#include "orvane/platform/values/SystemLog.h"

namespace ov {

namespace {

constexpr const char* kHideStripes = "hideStripes";
constexpr const char* kStripesAnimated = "stripesAnimated";

}  // namespace

YLProgressBar::YLProgressBar(const ui::Rect& frame) : ui::View(frame) {
    initializeProgressBar();
}

YLProgressBar::~YLProgressBar() {
    // The timers' blocks point at this bar: none may fire once it is gone.
    stopProgressTimer();
    if (m_stripesTimer) m_stripesTimer->invalidate();
}

void YLProgressBar::initializeProgressBar() {
    // Observers first, so that turning the stripes on below starts their timer.
    for (const char* keyPath : {kHideStripes, kStripesAnimated}) {
        m_observations.push_back(addObserver(
            keyPath, ui::NSKeyValueObservingOptionNew,
            [this](const ui::ObservedChange& change) { observeValueForKeyPath(change.keyPath); }));
    }
    m_progress = YLProgressBarDefaultProgress;
    m_stripesColor = ui::Color::colorWithWhite(1, 0.28f);
    setProgressTintColor(backgroundColor());

    m_indicatorTextLabel = std::make_shared<ui::Label>(frame());
    m_indicatorTextLabel->setAdjustsFontSizeToFitWidth(true);
    m_indicatorTextLabel->setBackgroundColor(ui::Color::clearColor());
    m_indicatorTextLabel->setTextAlignment(ui::NSTextAlignmentRight);
    m_indicatorTextLabel->setLineBreakMode(ui::NSLineBreakByTruncatingHead);
    m_indicatorTextLabel->setMinimumScaleFactor(3.0);
    // Clear asks drawText to pick black or white for contrast.
    m_indicatorTextLabel->setTextColor(ui::Color::clearColor());
    m_indicatorTextLabel->setText(std::nullopt);

    setBackgroundColor(ui::Color::clearColor());
    setStripesAnimated(true);
}

double YLProgressBar::progress() const {
    std::lock_guard lock(m_lock);
    return m_progress;
}

void YLProgressBar::setProgress(double progress) {
    setProgress(progress, false);
}

void YLProgressBar::setProgress(double progress, bool animated) {
    std::lock_guard lock(m_lock);
    stopProgressTimer();
    const double target = std::isnan(progress) ? 0.0 : std::clamp(progress, 0.0, 1.0);
    const auto step = static_cast<float>((target - m_progress) * YLProgressBarStripesAnimationTime /
                                         YLProgressBarProgressTime);
    // A zero step would never meet either end test and keep the timer firing for ever.
    if (!animated || step == 0) {
        m_progress = target;
        setNeedsDisplay();
        return;
    }
    m_progressTargetValue = target;
    m_progressTargetTimer =
        Timer::scheduledTimer(YLProgressBarStripesAnimationTime, true,
                              [this, step](Timer&) { updateProgressWithTimer(step); });
}

void YLProgressBar::updateProgressWithTimer(double step) {
    std::lock_guard lock(m_lock);
    const double next = m_progress + step;
    const bool reached = step < 0 ? next <= m_progressTargetValue : next >= m_progressTargetValue;
    // A step below the value's precision rounds away: the value is as near as steps get it.
    if (reached || next == m_progress) {
        stopProgressTimer();
        m_progress = m_progressTargetValue;
    } else {
        m_progress = next;
    }
    setNeedsDisplay();
}

bool YLProgressBar::isAnimatingProgress() const {
    std::lock_guard lock(m_lock);
    return m_progressTargetTimer != nullptr;
}

void YLProgressBar::stopProgressTimer() {
    std::lock_guard lock(m_lock);
    if (!m_progressTargetTimer) return;
    m_progressTargetTimer->invalidate();
    m_progressTargetTimer = nullptr;
}

void YLProgressBar::setType(YLProgressBarType type) {
    m_type = type;
    m_hideGloss = type != YLProgressBarTypeRounded;
}

void YLProgressBar::setBehavior(YLProgressBarBehavior behavior) {
    m_behavior = behavior;
    setNeedsDisplay();
}

void YLProgressBar::setProgressTintColor(const std::optional<ui::Color>& color) {
    const ui::Color tint = color.value_or(ui::Color::blueColor());
    m_progressTintColor = tint;
    if (m_uniformTintColor) {
        setProgressTintColors(std::vector{tint, tint});
        return;
    }
    double red = 0, green = 0, blue = 0, alpha = 0;
    tint.getRed(red, green, blue, alpha);
    setProgressTintColors(
        std::vector{ui::Color::colorWithRed(red / 2, green / 2, blue / 2, alpha), tint});
}

void YLProgressBar::setUniformTintColor(bool uniform) {
    m_uniformTintColor = uniform;
    setProgressTintColor(m_progressTintColor);
}

void YLProgressBar::setProgressTintColors(const std::optional<std::vector<ui::Color>>& colors) {
    if (!colors || colors->empty()) {
        systemLog("*** Assertion failure in -[YLProgressBar setProgressTintColors:], %s",
                  colors ? "progressTintColors must contain at least one element"
                         : "progressTintColors must not be null");
        return;
    }
    if (*colors == m_progressTintColors) return;
    m_progressTintColors = *colors;
    m_colors.clear();
    for (const ui::Color& color : m_progressTintColors)
        m_colors.push_back(color.rgba());
}

void YLProgressBar::setHideStripes(bool hide) {
    if (hide == m_hideStripes) return;
    m_hideStripes = hide;
    didChangeValueForKey(kHideStripes, !hide, hide);
}

void YLProgressBar::setStripesAnimated(bool animated) {
    if (animated == m_stripesAnimated) return;
    m_stripesAnimated = animated;
    didChangeValueForKey(kStripesAnimated, !animated, animated);
}

void YLProgressBar::observeValueForKeyPath(const std::string& keyPath) {
    if (keyPath != kHideStripes && keyPath != kStripesAnimated) return;
    if (!m_hideStripes && m_stripesAnimated) {
        if (!m_stripesTimer) {
            // The timer only asks for a drawing; each drawing moves the stripes.
            m_stripesTimer = Timer::scheduledTimer(YLProgressBarStripesAnimationTime, true,
                                                   [this](Timer&) { setNeedsDisplay(); });
        }
        return;
    }
    if (!m_stripesTimer) return;
    m_stripesTimer->invalidate();
    m_stripesTimer = nullptr;
}

void YLProgressBar::layoutSubviews() {
    ui::View::layoutSubviews();
    const double height = bounds().size.height;
    const double size = height - height / 3;
    m_indicatorTextLabel->setFont(ui::Font::fontWithName(String(YLProgressBarDefaultName), size)
                                      .value_or(ui::Font::boldSystemFontOfSize(size)));
}

}  // namespace ov
