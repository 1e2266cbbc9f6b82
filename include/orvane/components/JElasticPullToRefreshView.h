#pragma once
// An elastic pull-to-refresh control for any scroll view. While the content is dragged down
// past its top, a filled shape grows above it whose lower edge bends like a sheet under the
// finger, with a loading indicator inside. Released at 95 points or more, the sheet springs
// back, the content stays 50 points down, the indicator spins and the action runs; the caller
// ends it with stopLoading.
//
//   namespace refresh = ov::UIScrollView_JElasticPullToRefresh;
//   refresh::addJElasticPullToRefreshViewWithActionHandler(
//       *table, [table] { reload(); refresh::stopLoading(*table); },
//       std::make_shared<ov::JElasticPullToRefreshLoadingViewCircle>());
//   refresh::setJElasticPullToRefreshFillColor(*table, blue);
//
// The control watches its scroll view's "contentOffset", "contentInset", "frame" and
// "panGestureRecognizer.state". Its shape and indicator follow a display link only while
// the sheet bounces or the band goes away. Coordinates are the scroll view's content
// coordinates; the control sits above the content (negative y). Main thread only.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "orvane/components/JElasticPullToRefreshLoadingView.h"
#include "orvane/platform/threads/Subscription.h"
#include "orvane/platform/ui/containers/ScrollView.h"
#include "orvane/platform/ui/drawing/Path.h"
#include "orvane/platform/ui/layers/DisplayLink.h"
#include "orvane/platform/ui/layers/Observation.h"
#include "orvane/platform/ui/layers/ShapeLayer.h"
#include "orvane/platform/ui/views/View.h"

namespace ov {

enum JElasticPullToRefreshState : int {
    JElasticPullToRefreshStateStopped,
    JElasticPullToRefreshStateDragging,
    JElasticPullToRefreshStateAnimatingBounce,
    JElasticPullToRefreshStateLoading,
    JElasticPullToRefreshStateAnimatingToStopped,
};

class JElasticPullToRefreshView : public ui::View {
  public:
    // Points, seconds.
    static constexpr double kMinOffsetToPull = 95.0;
    static constexpr double kLoadingContentInset = 50.0;
    static constexpr double kMaxWaveHeight = 70.0;
    static constexpr double kLoadingViewSize = 15.0;
    static constexpr double kLoadingViewMaxCenterOffset =
        (kLoadingContentInset - kLoadingViewSize) / 2;
    static constexpr double kBounceDuration = 0.9;
    static constexpr double kBounceDamping = 0.43;
    static constexpr double kBounceHelperDuration = kBounceDuration * 0.4;
    static constexpr double kInsetResetDuration = 0.35;

    using ActionHandler = std::function<void()>;

    // init: an empty frame.
    JElasticPullToRefreshView();
    ~JElasticPullToRefreshView() override;

    // Stopped until a state has been set.
    JElasticPullToRefreshState refreshState() const;
    void setRefreshState(JElasticPullToRefreshState state);

    double originalContentInsetTop() const { return m_originalContentInsetTop; }
    void setOriginalContentInsetTop(double top);

    bool observing() const { return m_observing; }
    // Starts or stops watching the scroll view this control is on.
    void setObserving(bool observing);

    const ActionHandler& actionHandler() const { return m_actionHandler; }
    void setActionHandler(ActionHandler handler) { m_actionHandler = std::move(handler); }

    // A plain (empty) indicator is made on first read when none was given.
    JElasticPullToRefreshLoadingView& loadingView();
    void setLoadingView(std::shared_ptr<JElasticPullToRefreshLoadingView> loadingView);

    ui::ShapeLayer& shapeLayer() const { return *m_shapeLayer; }
    std::optional<ui::Color> fillColor() const { return m_shapeLayer->fillColor(); }
    void setFillColor(const std::optional<ui::Color>& color) { m_shapeLayer->setFillColor(color); }

    ui::DisplayLink& displayLink() const { return *m_displayLink; }
    void startDisplayLink() { m_displayLink->setPaused(false); }
    void stopDisplayLink() { m_displayLink->setPaused(true); }
    // For good: no tick reaches the control after this.
    void disassociateDisplayLink() { m_displayLink->invalidate(); }

    // Only the centres of these plain views matter.
    ui::View& bounceAnimationHelperView() const { return *m_bounceAnimationHelperView; }
    ui::View& cControlPointView() const { return *m_cControlPointView; }
    ui::View& l1ControlPointView() const { return *m_l1ControlPointView; }
    ui::View& l2ControlPointView() const { return *m_l2ControlPointView; }
    ui::View& l3ControlPointView() const { return *m_l3ControlPointView; }
    ui::View& r1ControlPointView() const { return *m_r1ControlPointView; }
    ui::View& r2ControlPointView() const { return *m_r2ControlPointView; }
    ui::View& r3ControlPointView() const { return *m_r3ControlPointView; }

    void stopLoading();
    // While the sheet bounces or the band goes away.
    bool isAnimating() const;
    // The superview, when it is a scroll view.
    ui::ScrollView* scrollView() const;
    // How far the content is pulled below its current top inset, and below the original one.
    double actualContentOffsetY() const;
    double currentHeight() const;
    double currentWaveHeight() const;
    // The sheet: flat top, the bent lower edge through the control points.
    ui::Path currentPath() const;

    void layoutSubviews() override;

    // Key-value observation of the scroll view (through the guarded category).
    void observeValueForKeyPath(const std::string& keyPath, const ui::ObservedChange& change);
    void scrollViewDidChangeContentOffsetDragging(bool dragging);
    void resetScrollViewContentInsetShouldAddObserverWhenFinished(
        bool addObserver, bool Animated, std::function<void()> CompletionBlock);
    void animateBounce();
    void displayLinkTick();
    void layoutLoadingView();
    void applicationWillEnterForeground();

  private:
    void registerFor(const char* keyPath);
    void unregisterFrom(const char* keyPath);
    void layOutControlPoints(double width, double height);
    void redrawShape(double width, double height);

    JElasticPullToRefreshState m_refreshState = JElasticPullToRefreshStateStopped;
    bool m_stateChanged = false;
    double m_originalContentInsetTop = 0;
    bool m_observing = false;
    ActionHandler m_actionHandler;
    std::shared_ptr<JElasticPullToRefreshLoadingView> m_loadingView;
    std::shared_ptr<ui::ShapeLayer> m_shapeLayer;
    std::shared_ptr<ui::DisplayLink> m_displayLink;
    std::shared_ptr<ui::View> m_bounceAnimationHelperView;
    std::shared_ptr<ui::View> m_cControlPointView;
    std::shared_ptr<ui::View> m_l1ControlPointView;
    std::shared_ptr<ui::View> m_l2ControlPointView;
    std::shared_ptr<ui::View> m_l3ControlPointView;
    std::shared_ptr<ui::View> m_r1ControlPointView;
    std::shared_ptr<ui::View> m_r2ControlPointView;
    std::shared_ptr<ui::View> m_r3ControlPointView;
    // The scroll view registered with, which may no longer be the superview when observing
    // stops.
    std::weak_ptr<ui::View> m_observedScrollView;
    Subscription m_foregroundObservation;
};

}  // namespace ov
