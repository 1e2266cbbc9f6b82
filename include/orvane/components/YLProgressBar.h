#pragma once
// A progress bar that draws itself: a track, a gradient fill, moving diagonal stripes, a
// glossy highlight and an optional percentage text in black or white, whichever contrasts.
//
//   auto bar = std::make_shared<ov::YLProgressBar>(ov::ui::Rect{0, 0, 280, 24});
//   bar->setProgressTintColor(ov::ui::Color::greenColor());
//   bar->setIndicatorTextDisplayMode(ov::YLProgressBarIndicatorTextDisplayModeProgress);
//   bar->setProgress(0.75, true);   // 8 steps of 1/30 s on the current run loop
//
// While stripes are shown and animated a 1/30 s timer redraws the bar, each drawing moving the
// stripes by the velocity. Timers run on the run loop of the thread that starts them and are
// invalidated when the bar goes away. progress and setProgress may be called from any thread;
// the rest is main thread only.

#include <memory>
#include <mutex>
#include <vector>

#include "orvane/platform/threads/Subscription.h"
#include "orvane/platform/threads/Timer.h"
#include "orvane/platform/ui/geometry/Color.h"
#include "orvane/platform/ui/views/Label.h"
#include "orvane/platform/ui/views/View.h"

namespace ov {

inline constexpr double YLProgressBarDefaultProgress = 0.3f;
inline constexpr double YLProgressBarStripesAnimationTime = 1.0f / 30.0f;
inline constexpr double YLProgressBarProgressTime = 0.25;
inline constexpr int YLProgressBarDefaultSizeInset = 1;
inline constexpr const char* YLProgressBarDefaultName = "Arial-BoldMT";

using YLProgressBarType = unsigned;
inline constexpr YLProgressBarType YLProgressBarTypeRounded = 0;
inline constexpr YLProgressBarType YLProgressBarTypeFlat = 1;

using YLProgressBarBehavior = unsigned;
inline constexpr YLProgressBarBehavior YLProgressBarBehaviorDefault = 0;
inline constexpr YLProgressBarBehavior YLProgressBarBehaviorIndeterminate = 1;
inline constexpr YLProgressBarBehavior YLProgressBarBehaviorWaiting = 2;

using YLProgressBarIndicatorTextDisplayMode = unsigned;
inline constexpr YLProgressBarIndicatorTextDisplayMode YLProgressBarIndicatorTextDisplayModeNone =
    0;
inline constexpr YLProgressBarIndicatorTextDisplayMode YLProgressBarIndicatorTextDisplayModeTrack =
    1;
inline constexpr YLProgressBarIndicatorTextDisplayMode
    YLProgressBarIndicatorTextDisplayModeProgress = 2;
inline constexpr YLProgressBarIndicatorTextDisplayMode YLProgressBarIndicatorTextDisplayModeFixed =
    3;

using YLProgressBarStripesOrientation = unsigned;
inline constexpr YLProgressBarStripesOrientation YLProgressBarStripesOrientationRight = 0;
inline constexpr YLProgressBarStripesOrientation YLProgressBarStripesOrientationLeft = 1;
inline constexpr YLProgressBarStripesOrientation YLProgressBarStripesOrientationVertical = 2;

using YLProgressBarStripesDirection = int;
inline constexpr YLProgressBarStripesDirection YLProgressBarStripesDirectionRight = 1;
inline constexpr YLProgressBarStripesDirection YLProgressBarStripesDirectionLeft = -1;

class YLProgressBar : public ui::View {
  public:
    explicit YLProgressBar(const ui::Rect& frame = {});
    ~YLProgressBar() override;

    // Under the lock. Values outside [0, 1] are clamped; an animated change replaces a
    // running one.
    double progress() const;
    void setProgress(double progress);
    void setProgress(double progress, bool animated);
    // One step of the progress animation.
    void updateProgressWithTimer(double step);

    YLProgressBarType type() const { return m_type; }
    // Any type but the rounded one hides the gloss.
    void setType(YLProgressBarType type);
    YLProgressBarBehavior behavior() const { return m_behavior; }
    void setBehavior(YLProgressBarBehavior behavior);

    const std::optional<ui::Color>& progressTintColor() const { return m_progressTintColor; }
    // None means blue; makes progressTintColors (the colour alone, or a darker half first).
    void setProgressTintColor(const std::optional<ui::Color>& color);
    const std::vector<ui::Color>& progressTintColors() const { return m_progressTintColors; }
    // Needs a list of at least one colour: otherwise logs the failed precondition and keeps
    // the colours it has.
    void setProgressTintColors(const std::optional<std::vector<ui::Color>>& colors);
    // progressTintColors as drawn.
    const std::vector<ui::Color::RGBA>& colors() const { return m_colors; }
    bool uniformTintColor() const { return m_uniformTintColor; }
    void setUniformTintColor(bool uniform);

    // Observed: the stripes timer runs exactly while stripes are shown and animated.
    bool hideStripes() const { return m_hideStripes; }
    void setHideStripes(bool hide);
    bool stripesAnimated() const { return m_stripesAnimated; }
    void setStripesAnimated(bool animated);

    // Plain accessors: they store without redrawing.
    bool hideGloss() const { return m_hideGloss; }
    void setHideGloss(bool hide) { m_hideGloss = hide; }
    bool progressStretch() const { return m_progressStretch; }
    void setProgressStretch(bool stretch) { m_progressStretch = stretch; }
    bool hideTrack() const { return m_hideTrack; }
    void setHideTrack(bool hide) { m_hideTrack = hide; }
    const ui::Color& trackTintColor() const { return m_trackTintColor; }
    void setTrackTintColor(const ui::Color& color) { m_trackTintColor = color; }
    double progressBarInset() const { return m_progressBarInset; }
    void setProgressBarInset(double inset) { m_progressBarInset = inset; }
    double cornerRadius() const { return m_cornerRadius; }
    void setCornerRadius(double radius) { m_cornerRadius = radius; }
    ui::Label& indicatorTextLabel() const { return *m_indicatorTextLabel; }
    YLProgressBarIndicatorTextDisplayMode indicatorTextDisplayMode() const {
        return m_indicatorTextDisplayMode;
    }
    void setIndicatorTextDisplayMode(YLProgressBarIndicatorTextDisplayMode mode) {
        m_indicatorTextDisplayMode = mode;
    }
    YLProgressBarStripesDirection stripesDirection() const { return m_stripesDirection; }
    void setStripesDirection(YLProgressBarStripesDirection direction) {
        m_stripesDirection = direction;
    }
    // Points per drawing.
    double stripesAnimationVelocity() const { return m_stripesAnimationVelocity; }
    void setStripesAnimationVelocity(double velocity) { m_stripesAnimationVelocity = velocity; }
    YLProgressBarStripesOrientation stripesOrientation() const { return m_stripesOrientation; }
    void setStripesOrientation(YLProgressBarStripesOrientation orientation) {
        m_stripesOrientation = orientation;
    }
    long stripesWidth() const { return m_stripesWidth; }
    void setStripesWidth(long width) { m_stripesWidth = width; }
    const ui::Color& stripesColor() const { return m_stripesColor; }
    void setStripesColor(const ui::Color& color) { m_stripesColor = color; }
    long stripesDelta() const { return m_stripesDelta; }
    void setStripesDelta(long delta) { m_stripesDelta = delta; }
    double stripesOffset() const { return m_stripesOffset; }
    // The timers, for hosts that want to know whether the bar is moving.
    bool isAnimatingProgress() const;
    bool isAnimatingStripes() const { return m_stripesTimer != nullptr; }

    void layoutSubviews() override;
    void drawRect(ui::GraphicsContext& context, const ui::Rect& rect) override;
    void drawTrack(ui::GraphicsContext& context, const ui::Rect& rect);
    void drawProgressBar(ui::GraphicsContext& context, const ui::Rect& innerRect,
                         const ui::Rect& outterRect);
    void drawStripes(ui::GraphicsContext& context, const ui::Rect& rect);
    ui::Path stripeWithOrigin(ui::Point origin, const ui::Rect& bounds,
                              YLProgressBarStripesOrientation orientation) const;
    void drawGloss(ui::GraphicsContext& context, const ui::Rect& rect);
    void drawText(ui::GraphicsContext& context, const ui::Rect& rect);

  private:
    void initializeProgressBar();
    void observeValueForKeyPath(const std::string& keyPath);
    void stopProgressTimer();
    void stepStripesOffset();
    ui::Color textColorForContrast() const;

    bool m_hideGloss = false;
    bool m_progressStretch = true;
    bool m_uniformTintColor = false;
    // False until set-up turns it on, which starts the stripes timer.
    bool m_stripesAnimated = false;
    bool m_hideStripes = false;
    bool m_hideTrack = false;
    double m_progress = 0;
    YLProgressBarBehavior m_behavior = YLProgressBarBehaviorDefault;
    std::vector<ui::Color> m_progressTintColors;
    std::vector<ui::Color::RGBA> m_colors;
    std::optional<ui::Color> m_progressTintColor;
    ui::Color m_trackTintColor = ui::Color::blackColor();
    double m_progressBarInset = YLProgressBarDefaultSizeInset;
    YLProgressBarType m_type = YLProgressBarTypeRounded;
    double m_cornerRadius = 0;
    std::shared_ptr<ui::Label> m_indicatorTextLabel;
    YLProgressBarIndicatorTextDisplayMode m_indicatorTextDisplayMode =
        YLProgressBarIndicatorTextDisplayModeNone;
    YLProgressBarStripesDirection m_stripesDirection = YLProgressBarStripesDirectionRight;
    double m_stripesAnimationVelocity = 1.0;
    YLProgressBarStripesOrientation m_stripesOrientation = YLProgressBarStripesOrientationRight;
    long m_stripesWidth = 7;
    ui::Color m_stripesColor;
    long m_stripesDelta = 8;
    double m_stripesOffset = 0;
    double m_internalCornerRadius = 0;
    std::shared_ptr<Timer> m_stripesTimer;
    std::shared_ptr<Timer> m_progressTargetTimer;
    double m_progressTargetValue = 0;
    mutable std::recursive_mutex m_lock;
    std::vector<Subscription> m_observations;
};

}  // namespace ov
