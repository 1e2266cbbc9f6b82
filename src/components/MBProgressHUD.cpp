#include "orvane/components/MBProgressHUD.h"

#include "MBAssert.h"
#include "MBBezelView.h"
#include "orvane/components/MBBarProgressView.h"
#include "orvane/components/MBRoundProgressView.h"
#include "orvane/platform/threads/NotificationCenter.h"
#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/ui/views/ActivityIndicatorView.h"
#include "orvane/platform/ui/views/Appearance.h"
#include "orvane/platform/ui/views/ProgressView.h"

namespace ov {

namespace {

constexpr double kAnimationDuration = 0.3;
constexpr double kMotionEffectRange = 10.0;
constexpr ui::LayoutPriority kCompressionResistance = 998;

// Any indicator that takes a progress value gets it: the HUD's own, and a custom view that is
// one of them or the platform's progress view.
void passProgress(ui::View& indicator, float progress) {
    if (auto* receiver = dynamic_cast<MBProgressIndicator*>(&indicator))
        receiver->setProgress(progress);
    else if (auto* bar = dynamic_cast<ui::ProgressView*>(&indicator))
        bar->setProgress(progress);
}

void resistCompression(ui::View& view) {
    view.setContentCompressionResistancePriority(kCompressionResistance,
                                                 ui::UILayoutConstraintAxisHorizontal);
    view.setContentCompressionResistancePriority(kCompressionResistance,
                                                 ui::UILayoutConstraintAxisVertical);
}

std::shared_ptr<ui::Label> makeLabel(double fontSize, long lines) {
    auto label = std::make_shared<ui::Label>();
    label->setAdjustsFontSizeToFitWidth(false);
    label->setTextAlignment(ui::NSTextAlignmentCenter);
    label->setOpaque(false);
    label->setBackgroundColor(ui::Color::clearColor());
    label->setFont(ui::Font::boldSystemFontOfSize(fontSize));
    label->setNumberOfLines(lines);
    label->setTranslatesAutoresizingMaskIntoConstraints(false);
    resistCompression(*label);
    return label;
}

// Whether a style default for indicators of type T inside a HUD already sets `key`.
template <class T>
bool hasHUDStyleDefault(const char* key) {
    return !ui::Appearance::appearanceWhenContainedInInstancesOfClasses<T, MBProgressHUD>()
                .value(String(key))
                .isAbsent();
}

}  // namespace

// Class operations.

std::shared_ptr<MBProgressHUD> MBProgressHUD::showHUDAddedTo(ui::View& view, bool animated) {
    auto hud = initWithView(&view);
    hud->setRemoveFromSuperViewOnHide(true);
    view.addSubview(hud);
    hud->showAnimated(animated);
    return hud;
}

bool MBProgressHUD::hideHUDForView(ui::View& view, bool animated) {
    MBProgressHUD* hud = HUDForView(view);
    if (!hud) return false;
    hud->setRemoveFromSuperViewOnHide(true);
    hud->hideAnimated(animated);
    return true;
}

MBProgressHUD* MBProgressHUD::HUDForView(const ui::View& view) {
    const auto& subviews = view.subviews();
    for (auto it = subviews.rbegin(); it != subviews.rend(); ++it) {
        auto* hud = dynamic_cast<MBProgressHUD*>(it->get());
        if (hud && !hud->hasFinished()) return hud;
    }
    return nullptr;
}

// Set-up.

std::shared_ptr<MBProgressHUD> MBProgressHUD::initWithView(const ui::View* view) {
    if (!mb::check(view != nullptr, "View must not be nil.")) return nullptr;
    return std::make_shared<MBProgressHUD>(view->bounds());
}

MBProgressHUD::MBProgressHUD(const ui::Rect& frame) : ui::View(frame) {
    commonInit();
}

MBProgressHUD::~MBProgressHUD() {
    // The loop would otherwise keep firing blocks that find no HUD, or a link that polls
    // for nobody.
    cancel(m_graceTimer);
    cancel(m_minShowTimer);
    cancel(m_hideDelayTimer);
    if (m_progressObjectDisplayLink) m_progressObjectDisplayLink->invalidate();
}

void MBProgressHUD::commonInit() {
    setOpaque(false);
    setBackgroundColor(ui::Color::clearColor());
    setAlpha(0);
    setAutoresizingMask(ui::UIViewAutoresizingFlexibleWidth | ui::UIViewAutoresizingFlexibleHeight);
    layer().setAllowsGroupOpacity(false);
    setupViews();
    updateIndicators();
    m_orientationSubscription = NotificationCenter::defaultCenter().addObserver(
        String(UIApplicationDidChangeStatusBarOrientationNotification),
        [this](const Notification&) { statusBarOrientationDidChange(); });
}

void MBProgressHUD::setupViews() {
    m_backgroundView = std::make_shared<MBBackgroundView>(bounds());
    m_backgroundView->setStyle(MBProgressHUDBackgroundStyleSolidColor);
    m_backgroundView->setBackgroundColor(ui::Color::clearColor());
    m_backgroundView->setAutoresizingMask(ui::UIViewAutoresizingFlexibleWidth |
                                          ui::UIViewAutoresizingFlexibleHeight);
    m_backgroundView->setAlpha(0);
    addSubview(m_backgroundView);

    m_bezelView = std::make_shared<mb::BezelView>();
    m_bezelView->setTranslatesAutoresizingMaskIntoConstraints(false);
    m_bezelView->layer().setCornerRadius(5.0);
    m_bezelView->setAlpha(0);
    addSubview(m_bezelView);
    updateBezelMotionEffects();

    m_label = makeLabel(16, 1);
    m_label->setTextColor(*m_contentColor);
    m_detailsLabel = makeLabel(12, 0);
    m_detailsLabel->setTextColor(*m_contentColor);
    m_button = std::make_shared<MBProgressHUDRoundedButton>();
    m_button->titleLabel().setTextAlignment(ui::NSTextAlignmentCenter);
    m_button->setFont(ui::Font::boldSystemFontOfSize(12));
    m_button->setTitleColor(m_contentColor, ui::UIControlStateNormal);
    m_button->setTranslatesAutoresizingMaskIntoConstraints(false);
    resistCompression(*m_button);
    for (const auto& view : {std::static_pointer_cast<ui::View>(m_label),
                             std::static_pointer_cast<ui::View>(m_detailsLabel),
                             std::static_pointer_cast<ui::View>(m_button)}) {
        m_bezelView->addSubview(view);
    }

    for (auto* spacer : {&m_topSpacer, &m_bottomSpacer}) {
        *spacer = std::make_shared<ui::View>();
        (*spacer)->setTranslatesAutoresizingMaskIntoConstraints(false);
        (*spacer)->setHidden(true);
        m_bezelView->addSubview(*spacer);
    }
}

void MBProgressHUD::updateIndicators() {
    ui::View* current = m_indicator.get();
    std::shared_ptr<ui::View> replacement;
    bool replace = false;
    switch (m_mode) {
        case MBProgressHUDModeIndeterminate:
            if (!dynamic_cast<ui::ActivityIndicatorView*>(current)) {
                auto spinner = std::make_shared<ui::ActivityIndicatorView>(
                    ui::UIActivityIndicatorViewStyleLarge);
                spinner->startAnimating();
                replacement = spinner;
                replace = true;
            }
            break;
        case MBProgressHUDModeDeterminateHorizontalBar:
            replacement = std::make_shared<MBBarProgressView>();
            replace = true;
            break;
        case MBProgressHUDModeDeterminate:
        case MBProgressHUDModeAnnularDeterminate:
            if (!dynamic_cast<MBRoundProgressView*>(current)) {
                replacement = std::make_shared<MBRoundProgressView>();
                replace = true;
            }
            // Never cleared: a ring stays a ring when the mode goes back to the pie.
            if (m_mode == MBProgressHUDModeAnnularDeterminate)
                dynamic_cast<MBRoundProgressView&>(replacement ? *replacement : *current)
                    .setAnnular(true);
            break;
        case MBProgressHUDModeCustomView:
            if (m_customView.get() != current) {
                replacement = m_customView;
                replace = true;
            }
            break;
        case MBProgressHUDModeText:
            replace = true;
            break;
    }
    if (replace) {
        if (m_indicator) m_indicator->removeFromSuperview();
        m_indicator = std::move(replacement);
        if (m_indicator) m_bezelView->addSubview(m_indicator);
    }
    if (m_indicator) {
        m_indicator->setTranslatesAutoresizingMaskIntoConstraints(false);
        passProgress(*m_indicator, m_progress);
        resistCompression(*m_indicator);
    }
    updateViewsForColor(m_contentColor);
    markLayoutChanged();
}

void MBProgressHUD::updateViewsForColor(const std::optional<ui::Color>& color) {
    if (!color) return;
    m_label->setTextColor(*color);
    m_detailsLabel->setTextColor(*color);
    m_button->setTitleColor(color, ui::UIControlStateNormal);
    m_button->setNeedsLayout();  // its outline follows the title colour

    ui::View* indicator = m_indicator.get();
    if (auto* spinner = dynamic_cast<ui::ActivityIndicatorView*>(indicator)) {
        if (!hasHUDStyleDefault<ui::ActivityIndicatorView>("color")) spinner->setColor(*color);
    } else if (auto* round = dynamic_cast<MBRoundProgressView*>(indicator)) {
        if (!hasHUDStyleDefault<MBRoundProgressView>("progressTintColor"))
            round->setProgressTintColor(*color);
        if (!hasHUDStyleDefault<MBRoundProgressView>("backgroundTintColor"))
            round->setBackgroundTintColor(color->colorWithAlphaComponent(0.1));
    } else if (auto* bar = dynamic_cast<MBBarProgressView*>(indicator)) {
        if (!hasHUDStyleDefault<MBBarProgressView>("progressColor")) bar->setProgressColor(*color);
        if (!hasHUDStyleDefault<MBBarProgressView>("lineColor")) bar->setLineColor(*color);
    } else if (indicator) {
        indicator->setTintColor(*color);
    }
}

void MBProgressHUD::updateBezelMotionEffects() {
    m_bezelMotionEffects.clear();
    if (!m_defaultMotionEffectsEnabled) return;
    m_bezelMotionEffects = {{"center.x", -kMotionEffectRange, kMotionEffectRange},
                            {"center.y", -kMotionEffectRange, kMotionEffectRange}};
}

void MBProgressHUD::markLayoutChanged() {
    setNeedsUpdateConstraints();
    setNeedsLayout();
}

// Settings.

void MBProgressHUD::setMode(MBProgressHUDMode mode) {
    if (mode == m_mode) return;
    m_mode = mode;
    updateIndicators();
}

void MBProgressHUD::setCustomView(std::shared_ptr<ui::View> view) {
    if (view == m_customView) return;
    m_customView = std::move(view);
    if (m_mode == MBProgressHUDModeCustomView) updateIndicators();
}

void MBProgressHUD::setOffset(ui::Point offset) {
    if (offset == m_offset) return;
    m_offset = offset;
    markLayoutChanged();
}

void MBProgressHUD::setMargin(double margin) {
    if (margin == m_margin) return;
    m_margin = margin;
    markLayoutChanged();
}

void MBProgressHUD::setMinSize(ui::Size size) {
    if (size == m_minSize) return;
    m_minSize = size;
    markLayoutChanged();
}

void MBProgressHUD::setSquare(bool square) {
    if (square == m_square) return;
    m_square = square;
    markLayoutChanged();
}

void MBProgressHUD::setContentColor(const std::optional<ui::Color>& color) {
    if (color == m_contentColor) return;
    m_contentColor = color;
    updateViewsForColor(color);
}

void MBProgressHUD::setDefaultMotionEffectsEnabled(bool enabled) {
    if (enabled == m_defaultMotionEffectsEnabled) return;
    m_defaultMotionEffectsEnabled = enabled;
    updateBezelMotionEffects();
}

void MBProgressHUD::setProgress(float progress) {
    if (progress == m_progress) return;
    m_progress = progress;
    if (m_indicator) passProgress(*m_indicator, progress);
}

void MBProgressHUD::setProgressObject(std::shared_ptr<Progress> progress) {
    if (progress == m_progressObject) return;
    m_progressObject = std::move(progress);
    setNSProgressDisplayLinkEnabled(true);
}

// Showing and hiding.

void MBProgressHUD::showAnimated(bool animated) {
    if (!mb::checkMainThread()) return;
    cancel(m_minShowTimer);
    m_useAnimation = animated;
    m_finished = false;
    if (m_graceTime > 0) {
        cancel(m_graceTimer);
        m_graceTimer = scheduleTimer(m_graceTime, [](MBProgressHUD& hud) {
            if (!hud.m_finished) hud.showUsingAnimation(hud.m_useAnimation);
        });
    } else {
        showUsingAnimation(m_useAnimation);
    }
}

void MBProgressHUD::hideAnimated(bool animated) {
    if (!mb::checkMainThread()) return;
    cancel(m_graceTimer);
    m_useAnimation = animated;
    m_finished = true;
    if (m_minShowTime > 0 && m_showStarted) {
        const double shown = Date::now().timeIntervalSinceDate(*m_showStarted);
        if (shown < m_minShowTime) {
            cancel(m_minShowTimer);
            m_minShowTimer = scheduleTimer(m_minShowTime - shown, [](MBProgressHUD& hud) {
                hud.hideUsingAnimation(hud.m_useAnimation);
            });
            return;
        }
    }
    hideUsingAnimation(m_useAnimation);
}

void MBProgressHUD::hideAnimated(bool animated, double afterDelay) {
    // An earlier delayed hide left running would hide a HUD shown again meanwhile, and tell
    // the delegate twice.
    cancel(m_hideDelayTimer);
    m_hideDelayTimer =
        scheduleTimer(afterDelay, [animated](MBProgressHUD& hud) { hud.hideAnimated(animated); });
}

void MBProgressHUD::showUsingAnimation(bool animated) {
    m_bezelView->layer().removeAllAnimations();
    m_backgroundView->layer().removeAllAnimations();
    cancel(m_hideDelayTimer);
    ++m_fadeOut;  // a fade-out under way no longer ends this HUD
    m_fadingOut = false;
    m_showStarted = Date::now();
    setAlpha(1);
    setNSProgressDisplayLinkEnabled(true);
    if (animated) {
        animateIn(true, m_animationType, {});
    } else {
        m_bezelView->setAlpha(m_opacity);
        m_backgroundView->setAlpha(1);
    }
}

void MBProgressHUD::hideUsingAnimation(bool animated) {
    // The fade-out under way finishes this hide too; finishing twice would report it twice.
    if (animated && m_fadingOut) return;
    const bool wasShown = m_showStarted.has_value();
    m_showStarted.reset();
    const std::uint64_t fadeOut = ++m_fadeOut;
    m_fadingOut = animated && wasShown;
    if (m_fadingOut) {
        animateIn(false, m_animationType, [this, fadeOut] {
            // A show or a hide without animation that came meanwhile has taken over.
            if (fadeOut != m_fadeOut) return;
            m_fadingOut = false;
            done();
        });
        return;
    }
    m_bezelView->setAlpha(0);
    m_backgroundView->setAlpha(1);
    done();
}

void MBProgressHUD::animateIn(bool animatingIn, MBProgressHUDAnimation type,
                              std::function<void()> completion) {
    if (type == MBProgressHUDAnimationZoom)
        type = animatingIn ? MBProgressHUDAnimationZoomIn : MBProgressHUDAnimationZoomOut;
    const auto small = ui::AffineTransform::makeScale(0.5, 0.5);
    const auto large = ui::AffineTransform::makeScale(1.5, 1.5);
    ui::View& bezel = *m_bezelView;
    if (animatingIn && bezel.alpha() == 0) {
        if (type == MBProgressHUDAnimationZoomIn) bezel.setTransform(small);
        if (type == MBProgressHUDAnimationZoomOut) bezel.setTransform(large);
    }
    auto animations = [this, animatingIn, type, small, large] {
        ui::View& bezel = *m_bezelView;
        if (animatingIn) {
            bezel.setTransform(ui::AffineTransform::identity());
        } else if (type == MBProgressHUDAnimationZoomIn) {
            bezel.setTransform(large);
        } else if (type == MBProgressHUDAnimationZoomOut) {
            bezel.setTransform(small);
        }
        bezel.setAlpha(animatingIn ? m_opacity : 0);
        m_backgroundView->setAlpha(animatingIn ? 1 : 0);
    };
    std::weak_ptr<ui::View> weak = weak_from_this();
    ui::View::animateWithDuration(kAnimationDuration, 0, 1.0, 0,
                                  ui::UIViewAnimationOptionBeginFromCurrentState, animations,
                                  [weak, completion = std::move(completion)](bool) {
                                      if (auto alive = weak.lock(); alive && completion)
                                          completion();
                                  });
}

void MBProgressHUD::done() {
    // Leaving the parent may let go of the last reference.
    const auto keepAlive = weak_from_this().lock();
    cancel(m_hideDelayTimer);
    setNSProgressDisplayLinkEnabled(false);
    if (m_finished) {
        setAlpha(0);
        if (m_removeFromSuperViewOnHide) removeFromSuperview();
    }
    if (m_completionBlock) {
        const auto block = m_completionBlock;  // it may replace itself
        block();
    }
    if (auto delegate = m_delegate.lock()) delegate->hudWasHidden(*this);
}

// Timers and progress polling.

std::shared_ptr<Timer> MBProgressHUD::scheduleTimer(double seconds,
                                                    std::function<void(MBProgressHUD&)> action) {
    std::weak_ptr<ui::View> weak = weak_from_this();
    auto timer = Timer::create(seconds, false, [weak, action = std::move(action)](Timer&) {
        if (auto hud = std::static_pointer_cast<MBProgressHUD>(weak.lock())) action(*hud);
    });
    RunLoop::main().addTimer(timer);
    return timer;
}

void MBProgressHUD::cancel(std::shared_ptr<Timer>& timer) {
    if (timer) timer->invalidate();
    timer.reset();
}

void MBProgressHUD::setNSProgressDisplayLinkEnabled(bool enabled) {
    if (enabled && m_progressObject) {
        if (m_progressObjectDisplayLink) return;
        std::weak_ptr<ui::View> weak = weak_from_this();
        m_progressObjectDisplayLink = ui::DisplayLink::displayLinkWithTarget([weak](auto&) {
            if (auto hud = std::static_pointer_cast<MBProgressHUD>(weak.lock()))
                hud->updateProgressFromProgressObject();
        });
        m_progressObjectDisplayLink->addToRunLoop(RunLoop::main());
        return;
    }
    if (m_progressObjectDisplayLink) m_progressObjectDisplayLink->invalidate();
    m_progressObjectDisplayLink.reset();
}

void MBProgressHUD::updateProgressFromProgressObject() {
    if (m_progressObject) setProgress(static_cast<float>(m_progressObject->fractionCompleted()));
}

// Placement.

void MBProgressHUD::didMoveToSuperview() {
    ui::View::didMoveToSuperview();
    statusBarOrientationDidChange();
}

void MBProgressHUD::statusBarOrientationDidChange() {
    if (superview()) setFrame(superview()->bounds());
}

}  // namespace ov
