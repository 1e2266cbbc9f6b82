#pragma once
// A heads-up display laid over a view while work runs: a dimming backdrop over the whole host
// and, in its middle, a rounded bezel holding an indicator (spinner, pie, ring, bar, a custom
// view or none), a title, details and an optional button.
//
//   auto hud = ov::MBProgressHUD::showHUDAddedTo(*screen, true);
//   hud->setMode(ov::MBProgressHUDModeAnnularDeterminate);
//   hud->label().setText(ov::String("Uploading"));
//   hud->setProgress(0.4f);
//   ...
//   hud->hideAnimated(true);   // fades out, leaves the screen, tells delegate and completion
//
// A grace time delays the appearance (work that ends sooner never shows it), a minimum show
// time keeps it up once shown. Every timer and display link it starts runs on the main run
// loop and ends with it. Main thread only: show, hide and the older surface's setters check
// it.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "orvane/components/MBBackgroundView.h"
#include "orvane/components/MBProgressHUDRoundedButton.h"
#include "orvane/platform/threads/DispatchQueue.h"
#include "orvane/platform/threads/Progress.h"
#include "orvane/platform/threads/Subscription.h"
#include "orvane/platform/threads/Timer.h"
#include "orvane/platform/ui/layers/DisplayLink.h"
#include "orvane/platform/ui/layout/LayoutConstraint.h"
#include "orvane/platform/ui/views/Label.h"
#include "orvane/platform/values/Date.h"

namespace ov {

enum MBProgressHUDMode : long {
    MBProgressHUDModeIndeterminate = 0,
    MBProgressHUDModeDeterminate = 1,
    MBProgressHUDModeDeterminateHorizontalBar = 2,
    MBProgressHUDModeAnnularDeterminate = 3,
    MBProgressHUDModeCustomView = 4,
    MBProgressHUDModeText = 5,
};

enum MBProgressHUDAnimation : long {
    MBProgressHUDAnimationFade = 0,
    MBProgressHUDAnimationZoom = 1,
    MBProgressHUDAnimationZoomOut = 2,
    MBProgressHUDAnimationZoomIn = 3,
};

// An offset coordinate this large pushes the bezel against that edge, `margin` away from it.
inline constexpr double MBProgressMaxOffset = 1000000.0;

// Posted when the interface turns; a HUD then takes its parent's bounds again.
inline constexpr const char* UIApplicationDidChangeStatusBarOrientationNotification =
    "UIApplicationDidChangeStatusBarOrientationNotification";

class MBProgressHUD;

class MBProgressHUDDelegate {
  public:
    virtual ~MBProgressHUDDelegate() = default;
    // After the HUD has gone (and left its parent, if it was to).
    virtual void hudWasHidden(MBProgressHUD& hud) { (void)hud; }
};

// A tilt effect the bezel follows: `keyPath` moves between the two values as the device tilts.
struct MBMotionEffect {
    std::string keyPath;
    double minimumRelativeValue;
    double maximumRelativeValue;
    friend bool operator==(const MBMotionEffect&, const MBMotionEffect&) = default;
};

class MBProgressHUD : public ui::View {
  public:
    using CompletionBlock = std::function<void()>;

    static std::shared_ptr<MBProgressHUD> showHUDAddedTo(ui::View& view, bool animated);
    // Hides the topmost unfinished HUD of the view; false when there is none.
    static bool hideHUDForView(ui::View& view, bool animated);
    static MBProgressHUD* HUDForView(const ui::View& view);

    // Takes the view's bounds; a null view is a programming error ("View must not be nil.").
    static std::shared_ptr<MBProgressHUD> initWithView(const ui::View* view);
    explicit MBProgressHUD(const ui::Rect& frame = {});
    ~MBProgressHUD() override;

    void showAnimated(bool animated);
    void hideAnimated(bool animated);
    // A later delayed hide replaces an earlier one.
    void hideAnimated(bool animated, double afterDelay);

    // Settings.
    MBProgressHUDMode mode() const { return m_mode; }
    void setMode(MBProgressHUDMode mode);
    MBProgressHUDAnimation animationType() const { return m_animationType; }
    void setAnimationType(MBProgressHUDAnimation type) { m_animationType = type; }
    const std::shared_ptr<ui::View>& customView() const { return m_customView; }
    void setCustomView(std::shared_ptr<ui::View> view);
    ui::Point offset() const { return m_offset; }
    void setOffset(ui::Point offset);
    double margin() const { return m_margin; }
    void setMargin(double margin);
    ui::Size minSize() const { return m_minSize; }
    void setMinSize(ui::Size size);
    bool isSquare() const { return m_square; }
    void setSquare(bool square);
    const std::optional<ui::Color>& contentColor() const { return m_contentColor; }
    void setContentColor(const std::optional<ui::Color>& color);
    bool defaultMotionEffectsEnabled() const { return m_defaultMotionEffectsEnabled; }
    void setDefaultMotionEffectsEnabled(bool enabled);
    float progress() const { return m_progress; }
    void setProgress(float progress);
    const std::shared_ptr<Progress>& progressObject() const { return m_progressObject; }
    void setProgressObject(std::shared_ptr<Progress> progress);
    double graceTime() const { return m_graceTime; }
    void setGraceTime(double seconds) { m_graceTime = seconds; }
    double minShowTime() const { return m_minShowTime; }
    void setMinShowTime(double seconds) { m_minShowTime = seconds; }
    bool removeFromSuperViewOnHide() const { return m_removeFromSuperViewOnHide; }
    void setRemoveFromSuperViewOnHide(bool remove) { m_removeFromSuperViewOnHide = remove; }
    const std::weak_ptr<MBProgressHUDDelegate>& delegate() const { return m_delegate; }
    void setDelegate(std::weak_ptr<MBProgressHUDDelegate> delegate) {
        m_delegate = std::move(delegate);
    }
    const CompletionBlock& completionBlock() const { return m_completionBlock; }
    void setCompletionBlock(CompletionBlock block) { m_completionBlock = std::move(block); }

    // State.
    bool hasFinished() const { return m_finished; }
    bool useAnimation() const { return m_useAnimation; }
    const std::optional<Date>& showStarted() const { return m_showStarted; }

    // Parts.
    MBBackgroundView& bezelView() const { return *m_bezelView; }
    MBBackgroundView& backgroundView() const { return *m_backgroundView; }
    ui::Label& label() const { return *m_label; }
    ui::Label& detailsLabel() const { return *m_detailsLabel; }
    MBProgressHUDRoundedButton& button() const { return *m_button; }
    ui::View* indicator() const { return m_indicator.get(); }
    const std::vector<MBMotionEffect>& bezelMotionEffects() const { return m_bezelMotionEffects; }

    // The older surface.
    static std::vector<MBProgressHUD*> allHUDsForView(const ui::View& view);
    static size_t hideAllHUDsForView(ui::View& view, bool animated);
    static std::shared_ptr<MBProgressHUD> initWithWindow(const ui::View* window);
    void show(bool animated) { showAnimated(animated); }
    void hide(bool animated) { hideAnimated(animated); }
    void hide(bool animated, double afterDelay) { hideAnimated(animated, afterDelay); }
    using Task = std::function<void()>;
    // The task runs on the queue (the global one by default) while the HUD shows; the HUD
    // hides on the main queue after it.
    void showWhileExecuting(std::function<void(const Value&)> selector, const Value& object,
                            bool animated);
    void showAnimated(bool animated, Task whileExecutingBlock);
    void showAnimated(bool animated, Task whileExecutingBlock, CompletionBlock completionBlock);
    void showAnimated(bool animated, Task whileExecutingBlock, DispatchQueue& onQueue);
    void showAnimated(bool animated, Task whileExecutingBlock, DispatchQueue& onQueue,
                      CompletionBlock completionBlock);
    bool taskInProgress() const { return m_taskInProgress; }
    void cleanUp();
    std::optional<String> labelText() const;
    void setLabelText(const std::optional<String>& text);
    ui::Font labelFont() const;
    void setLabelFont(const ui::Font& font);
    ui::Color labelColor() const;
    void setLabelColor(const ui::Color& color);
    std::optional<String> detailsLabelText() const;
    void setDetailsLabelText(const std::optional<String>& text);
    ui::Font detailsLabelFont() const;
    void setDetailsLabelFont(const ui::Font& font);
    ui::Color detailsLabelColor() const;
    void setDetailsLabelColor(const ui::Color& color);
    double opacity() const { return m_opacity; }
    void setOpacity(double opacity);
    ui::Color color() const;
    void setColor(const ui::Color& color);
    double xOffset() const { return m_offset.x; }
    void setXOffset(double x);
    double yOffset() const { return m_offset.y; }
    void setYOffset(double y);
    double cornerRadius() const;
    void setCornerRadius(double radius);
    bool dimBackground() const;
    void setDimBackground(bool dim);
    ui::Size size() const;
    const std::optional<ui::Color>& activityIndicatorColor() const {
        return m_activityIndicatorColor;
    }
    void setActivityIndicatorColor(const std::optional<ui::Color>& color);

    // Sets the spacing between the bezel's visible elements (4 points, 0 around hidden or
    // empty ones); runs on every layout pass.
    void updatePaddingConstraints();

    // View.
    void updateConstraints() override;
    void layoutSubviews() override;
    void didMoveToSuperview() override;

  private:
    void commonInit();
    void setupViews();
    void updateIndicators();
    void updateViewsForColor(const std::optional<ui::Color>& color);
    void updateBezelMotionEffects();
    void markLayoutChanged();
    void showUsingAnimation(bool animated);
    void hideUsingAnimation(bool animated);
    void animateIn(bool animatingIn, MBProgressHUDAnimation type, std::function<void()> done);
    void done();
    void setNSProgressDisplayLinkEnabled(bool enabled);
    void updateProgressFromProgressObject();
    void statusBarOrientationDidChange();
    // A one-shot timer on the main loop that calls `action` on this HUD while it lives.
    std::shared_ptr<Timer> scheduleTimer(double seconds,
                                         std::function<void(MBProgressHUD&)> action);
    static void cancel(std::shared_ptr<Timer>& timer);

    std::optional<ui::Color> m_activityIndicatorColor;
    double m_opacity = 1.0;
    bool m_removeFromSuperViewOnHide = false;
    bool m_square = false;
    bool m_defaultMotionEffectsEnabled = true;
    bool m_useAnimation = false;
    bool m_finished = false;
    bool m_taskInProgress = false;
    bool m_fadingOut = false;
    std::uint64_t m_fadeOut = 0;  // counts fade-outs, so a superseded one knows it
    float m_progress = 0;
    std::weak_ptr<MBProgressHUDDelegate> m_delegate;
    CompletionBlock m_completionBlock;
    double m_graceTime = 0;
    double m_minShowTime = 0;
    MBProgressHUDMode m_mode = MBProgressHUDModeIndeterminate;
    std::optional<ui::Color> m_contentColor = ui::Color::colorWithWhite(0, 0.7);
    MBProgressHUDAnimation m_animationType = MBProgressHUDAnimationFade;
    double m_margin = 20.0;
    std::shared_ptr<Progress> m_progressObject;
    std::shared_ptr<MBBackgroundView> m_bezelView;
    std::shared_ptr<MBBackgroundView> m_backgroundView;
    std::shared_ptr<ui::View> m_customView;
    std::shared_ptr<ui::Label> m_label;
    std::shared_ptr<ui::Label> m_detailsLabel;
    std::shared_ptr<MBProgressHUDRoundedButton> m_button;
    std::shared_ptr<ui::View> m_indicator;
    std::optional<Date> m_showStarted;
    ui::LayoutConstraint::List m_paddingConstraints;
    ui::LayoutConstraint::List m_bezelConstraints;
    std::shared_ptr<ui::View> m_topSpacer;
    std::shared_ptr<ui::View> m_bottomSpacer;
    std::shared_ptr<Timer> m_graceTimer;
    std::shared_ptr<Timer> m_minShowTimer;
    std::shared_ptr<Timer> m_hideDelayTimer;
    std::shared_ptr<ui::DisplayLink> m_progressObjectDisplayLink;
    ui::Point m_offset{0, 0};
    ui::Size m_minSize{0, 0};
    std::vector<MBMotionEffect> m_bezelMotionEffects;
    Subscription m_orientationSubscription;
};

}  // namespace ov
