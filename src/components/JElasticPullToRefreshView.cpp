#include "orvane/components/JElasticPullToRefreshView.h"

#include <algorithm>
#include <any>

#include "orvane/components/UIScrollView+JElasticPullToRefresh.h"
#include "orvane/components/UIView+JElasticPullToRefresh.h"
#include "orvane/platform/threads/NotificationCenter.h"
#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/ui/application/Application.h"
#include "orvane/platform/ui/input/PanGestureRecognizer.h"

namespace ov {

namespace {

constexpr const char* kContentOffset = "contentOffset";
constexpr const char* kContentInset = "contentInset";
constexpr const char* kFrame = "frame";
constexpr const char* kPanState = "panGestureRecognizer.state";

template <class T>
const T* newValue(const ui::ObservedChange& change) {
    return std::any_cast<T>(&change.newValue);
}

// Content pulled above the top of a changed inset goes back to it, as the platform's scroll
// views do once the finger is up; inside an animation block the move animates.
void settleOffsetIntoInset(ui::ScrollView& scrollView) {
    const double top = scrollView.minimumContentOffset().y;
    if (scrollView.isDragging() || scrollView.contentOffset().y >= top) return;
    scrollView.setContentOffset({scrollView.contentOffset().x, top});
}

std::shared_ptr<ui::View> plainView() {
    return std::make_shared<ui::View>();
}

}  // namespace

JElasticPullToRefreshView::JElasticPullToRefreshView()
    : ui::View(ui::Rect{}),
      m_shapeLayer(ui::ShapeLayer::layer()),
      m_bounceAnimationHelperView(plainView()),
      m_cControlPointView(plainView()),
      m_l1ControlPointView(plainView()),
      m_l2ControlPointView(plainView()),
      m_l3ControlPointView(plainView()),
      m_r1ControlPointView(plainView()),
      m_r2ControlPointView(plainView()),
      m_r3ControlPointView(plainView()) {
    // The link dies with the control (see the destructor), so `this` never dangles in it.
    m_displayLink =
        ui::DisplayLink::displayLinkWithTarget([this](ui::DisplayLink&) { displayLinkTick(); });
    m_displayLink->addToRunLoop(RunLoop::main());
    m_displayLink->setPaused(true);

    m_shapeLayer->setBackgroundColor(ui::Color::clearColor());
    m_shapeLayer->setFillColor(ui::Color::blackColor());
    disableImplicitAnimations(*m_shapeLayer, {"path", "position", "bounds"});
    layer().addSublayer(m_shapeLayer);

    for (const auto& view : {m_bounceAnimationHelperView, m_cControlPointView, m_l1ControlPointView,
                             m_l2ControlPointView, m_l3ControlPointView, m_r1ControlPointView,
                             m_r2ControlPointView, m_r3ControlPointView}) {
        addSubview(view);
    }
    m_foregroundObservation = NotificationCenter::defaultCenter().addObserver(
        String(ui::UIApplicationWillEnterForegroundNotification),
        [this](const Notification&) { applicationWillEnterForeground(); });
}

JElasticPullToRefreshView::~JElasticPullToRefreshView() {
    disassociateDisplayLink();
    setObserving(false);
}

// State.

JElasticPullToRefreshState JElasticPullToRefreshView::refreshState() const {
    return m_stateChanged ? m_refreshState : JElasticPullToRefreshStateStopped;
}

void JElasticPullToRefreshView::setRefreshState(JElasticPullToRefreshState state) {
    const JElasticPullToRefreshState previous = refreshState();
    m_refreshState = state;
    m_stateChanged = true;
    if (previous == JElasticPullToRefreshStateDragging &&
        state == JElasticPullToRefreshStateAnimatingBounce) {
        loadingView().startAnimating();
        animateBounce();
    } else if (state == JElasticPullToRefreshStateLoading && m_actionHandler) {
        const auto action = m_actionHandler;  // the action may replace itself
        action();
    } else if (state == JElasticPullToRefreshStateAnimatingToStopped) {
        std::weak_ptr<ui::View> weak = weak_from_this();
        resetScrollViewContentInsetShouldAddObserverWhenFinished(true, true, [weak] {
            if (auto self = weak.lock()) {
                static_cast<JElasticPullToRefreshView&>(*self).setRefreshState(
                    JElasticPullToRefreshStateStopped);
            }
        });
    } else if (state == JElasticPullToRefreshStateStopped) {
        loadingView().stopLoading();
    }
}

void JElasticPullToRefreshView::stopLoading() {
    if (refreshState() == JElasticPullToRefreshStateAnimatingToStopped) return;
    setRefreshState(JElasticPullToRefreshStateAnimatingToStopped);
}

bool JElasticPullToRefreshView::isAnimating() const {
    const auto state = refreshState();
    return state == JElasticPullToRefreshStateAnimatingBounce ||
           state == JElasticPullToRefreshStateAnimatingToStopped;
}

void JElasticPullToRefreshView::setOriginalContentInsetTop(double top) {
    m_originalContentInsetTop = top;
    layoutSubviews();
}

JElasticPullToRefreshLoadingView& JElasticPullToRefreshView::loadingView() {
    if (!m_loadingView) setLoadingView(std::make_shared<JElasticPullToRefreshLoadingView>());
    return *m_loadingView;
}

void JElasticPullToRefreshView::setLoadingView(
    std::shared_ptr<JElasticPullToRefreshLoadingView> loadingView) {
    if (m_loadingView) m_loadingView->removeFromSuperview();
    if (loadingView) addSubview(loadingView);
    m_loadingView = std::move(loadingView);
}

// Observing the scroll view.

ui::ScrollView* JElasticPullToRefreshView::scrollView() const {
    return dynamic_cast<ui::ScrollView*>(superview());
}

void JElasticPullToRefreshView::setObserving(bool observing) {
    if (observing == m_observing) return;
    m_observing = observing;
    const char* const keys[] = {kContentOffset, kContentInset, kFrame, kPanState};
    if (!observing) {
        for (const char* key : keys)
            unregisterFrom(key);
        m_observedScrollView.reset();
        return;
    }
    ui::ScrollView* scroll = scrollView();
    if (!scroll) return;
    // An inset the scroll view already has is its own, not the band's.
    m_originalContentInsetTop = scroll->contentInset().top;
    for (const char* key : keys)
        registerFor(key);
}

void JElasticPullToRefreshView::registerFor(const char* keyPath) {
    ui::ScrollView* scroll = scrollView();
    if (!scroll) return;
    m_observedScrollView = scroll->weak_from_this();
    std::weak_ptr<ui::View> weak = weak_from_this();
    UIScrollView_JElasticPullToRefresh::addObserver(
        *scroll, this, String(keyPath), ui::NSKeyValueObservingOptionNew,
        [weak, key = std::string(keyPath)](const ui::ObservedChange& change) {
            if (auto self = weak.lock()) {
                static_cast<JElasticPullToRefreshView&>(*self).observeValueForKeyPath(key, change);
            }
        });
}

void JElasticPullToRefreshView::unregisterFrom(const char* keyPath) {
    const auto observed = m_observedScrollView.lock();
    auto* scroll = observed ? static_cast<ui::ScrollView*>(observed.get()) : scrollView();
    if (scroll) UIScrollView_JElasticPullToRefresh::removeObserver(*scroll, this, String(keyPath));
}

void JElasticPullToRefreshView::observeValueForKeyPath(const std::string& keyPath,
                                                       const ui::ObservedChange& change) {
    if (keyPath == kContentOffset) {
        ui::ScrollView* scroll = scrollView();
        const ui::Point* offset = newValue<ui::Point>(change);
        if (!scroll || !offset) return;
        const auto state = refreshState();
        const double top = scroll->contentInset().top;
        if ((state == JElasticPullToRefreshStateLoading ||
             state == JElasticPullToRefreshStateAnimatingToStopped) &&
            offset->y < -top) {
            scroll->setContentOffset({scroll->contentOffset().x, -top});
        } else {
            scrollViewDidChangeContentOffsetDragging(scroll->isDragging());
        }
        layoutSubviews();
    } else if (keyPath == kContentInset) {
        if (const auto* inset = newValue<ui::EdgeInsets>(change)) {
            setOriginalContentInsetTop(inset->top);
        }
    } else if (keyPath == kFrame) {
        layoutSubviews();
    } else if (keyPath == kPanState) {
        const auto* state = newValue<ui::UIGestureRecognizerState>(change);
        if (state && (*state == ui::UIGestureRecognizerStateEnded ||
                      *state == ui::UIGestureRecognizerStateCancelled ||
                      *state == ui::UIGestureRecognizerStateFailed)) {
            scrollViewDidChangeContentOffsetDragging(false);
        }
    }
}

void JElasticPullToRefreshView::scrollViewDidChangeContentOffsetDragging(bool dragging) {
    const double offsetY = actualContentOffsetY();
    const auto state = refreshState();
    if (state == JElasticPullToRefreshStateStopped && dragging) {
        setRefreshState(JElasticPullToRefreshStateDragging);
    } else if (state == JElasticPullToRefreshStateDragging && !dragging) {
        setRefreshState(offsetY < kMinOffsetToPull ? JElasticPullToRefreshStateStopped
                                                   : JElasticPullToRefreshStateAnimatingBounce);
    } else if (state == JElasticPullToRefreshStateStopped ||
               state == JElasticPullToRefreshStateDragging) {
        loadingView().setPullProgress(offsetY / kMinOffsetToPull);
    }
}

void JElasticPullToRefreshView::applicationWillEnterForeground() {
    if (refreshState() == JElasticPullToRefreshStateLoading) layoutSubviews();
}

// Measures.

double JElasticPullToRefreshView::actualContentOffsetY() const {
    const ui::ScrollView* scroll = scrollView();
    if (!scroll) return 0;
    return std::max(-scroll->contentInset().top - scroll->contentOffset().y, 0.0);
}

double JElasticPullToRefreshView::currentHeight() const {
    const ui::ScrollView* scroll = scrollView();
    if (!scroll) return 0;
    return std::max(-m_originalContentInsetTop - scroll->contentOffset().y, 0.0);
}

double JElasticPullToRefreshView::currentWaveHeight() const {
    return std::min(bounds().height() / 3.0 * 1.6, kMaxWaveHeight);
}

// The inset and the bounce.

void JElasticPullToRefreshView::resetScrollViewContentInsetShouldAddObserverWhenFinished(
    bool addObserver, bool Animated, std::function<void()> CompletionBlock) {
    ui::ScrollView* scroll = scrollView();
    if (!scroll) return;
    ui::EdgeInsets inset = scroll->contentInset();
    inset.top = m_originalContentInsetTop;
    if (refreshState() == JElasticPullToRefreshStateAnimatingBounce) {
        inset.top += currentHeight();
    } else if (refreshState() == JElasticPullToRefreshStateLoading) {
        inset.top += kLoadingContentInset;
    }
    unregisterFrom(kContentInset);

    std::weak_ptr<ui::View> weak = weak_from_this();
    auto control = [weak]() -> JElasticPullToRefreshView* {
        const auto self = weak.lock();
        return static_cast<JElasticPullToRefreshView*>(self.get());
    };
    auto change = [control, inset] {
        auto* self = control();
        ui::ScrollView* scroll = self ? self->scrollView() : nullptr;
        if (!scroll) return;
        scroll->setContentInset(inset);
        settleOffsetIntoInset(*scroll);
    };
    auto finish = [control, addObserver, completion = std::move(CompletionBlock)] {
        auto* self = control();
        if (self && addObserver && self->observing()) self->registerFor(kContentInset);
        if (completion) completion();
    };
    if (!Animated) {
        change();
        finish();
        return;
    }
    startDisplayLink();
    ui::View::animateWithDuration(kInsetResetDuration, change, [control, finish](bool) {
        if (auto* self = control()) self->stopDisplayLink();
        finish();
    });
}

void JElasticPullToRefreshView::animateBounce() {
    ui::ScrollView* scroll = scrollView();
    if (!scroll) return;
    resetScrollViewContentInsetShouldAddObserverWhenFinished(false, false, {});
    scroll->setScrollEnabled(false);
    startDisplayLink();
    unregisterFrom(kContentOffset);
    unregisterFrom(kContentInset);

    std::weak_ptr<ui::View> weak = weak_from_this();
    ui::View::animateWithDuration(
        kBounceDuration, 0, kBounceDamping, 0, ui::UIViewAnimationOptionLayoutSubviews,
        [this] {
            for (const auto& point :
                 {m_cControlPointView, m_l1ControlPointView, m_l2ControlPointView,
                  m_l3ControlPointView, m_r1ControlPointView, m_r2ControlPointView,
                  m_r3ControlPointView}) {
                point->setCenter({point->center().x, kLoadingContentInset});
            }
        },
        [weak](bool) {
            const auto locked = weak.lock();
            if (!locked) return;
            auto& self = static_cast<JElasticPullToRefreshView&>(*locked);
            self.stopDisplayLink();
            self.resetScrollViewContentInsetShouldAddObserverWhenFinished(true, false, {});
            if (ui::ScrollView* scroll = self.scrollView()) {
                self.registerFor(kContentOffset);
                scroll->setScrollEnabled(true);
            }
            self.setRefreshState(JElasticPullToRefreshStateLoading);
        });

    m_bounceAnimationHelperView->setCenter({0, m_originalContentInsetTop + currentHeight()});
    ui::View::animateWithDuration(kBounceHelperDuration, [this] {
        m_bounceAnimationHelperView->setCenter(
            {0, m_originalContentInsetTop + kLoadingContentInset});
    });
}

// Geometry.

void JElasticPullToRefreshView::layoutSubviews() {
    ui::View::layoutSubviews();
    ui::ScrollView* scroll = scrollView();
    if (!scroll || refreshState() == JElasticPullToRefreshStateAnimatingBounce) return;
    const double width = scroll->bounds().width();
    const double height = currentHeight();
    setFrame({0, -height, width, height});
    layOutControlPoints(width, height);
    redrawShape(width, height);
}

void JElasticPullToRefreshView::layOutControlPoints(double width, double height) {
    const auto state = refreshState();
    if (state == JElasticPullToRefreshStateLoading ||
        state == JElasticPullToRefreshStateAnimatingToStopped) {
        m_cControlPointView->setCenter({width / 2, height});
        for (const auto& left : {m_l1ControlPointView, m_l2ControlPointView, m_l3ControlPointView})
            left->setCenter({0, height});
        for (const auto& right : {m_r1ControlPointView, m_r2ControlPointView, m_r3ControlPointView})
            right->setCenter({width, height});
        return;
    }
    ui::ScrollView* scroll = scrollView();
    const double x = scroll->panGestureRecognizer().locationInView(scroll).x;
    const double wave = currentWaveHeight();
    const double base = bounds().height() - wave;
    const double minLeftX = std::min((x - width / 2) * 0.28, 0.0);
    const double maxRightX = std::max(width + (x - width / 2) * 0.28, width);
    const double leftPart = x - minLeftX;
    const double rightPart = maxRightX - x;

    m_cControlPointView->setCenter({x, base + wave * 1.36});
    m_l1ControlPointView->setCenter({minLeftX + leftPart * 0.71, base + wave * 0.64});
    m_l2ControlPointView->setCenter({minLeftX + leftPart * 0.44, base});
    m_l3ControlPointView->setCenter({minLeftX, base});
    m_r1ControlPointView->setCenter({maxRightX - rightPart * 0.71, base + wave * 0.64});
    m_r2ControlPointView->setCenter({maxRightX - rightPart * 0.44, base});
    m_r3ControlPointView->setCenter({maxRightX, base});
}

ui::Path JElasticPullToRefreshView::currentPath() const {
    const bool animating = isAnimating();
    auto at = [animating](const ui::View& view) {
        return UIView_JElasticPullToRefresh::
            jElasticPullToRefresh_centerUsePresentationLayerIfPossible(view, animating);
    };
    const ui::ScrollView* scroll = scrollView();
    const double width = scroll ? scroll->bounds().width() : 0;
    ui::Path path;
    path.moveToPoint({0, 0});
    path.addLineToPoint({0, at(*m_l3ControlPointView).y});
    path.addCurveToPoint(at(*m_l1ControlPointView), at(*m_l3ControlPointView),
                         at(*m_l2ControlPointView));
    path.addCurveToPoint(at(*m_r1ControlPointView), at(*m_cControlPointView),
                         at(*m_r1ControlPointView));
    path.addCurveToPoint(at(*m_r3ControlPointView), at(*m_r1ControlPointView),
                         at(*m_r2ControlPointView));
    path.addLineToPoint({width, 0});
    path.closePath();
    return path;
}

void JElasticPullToRefreshView::redrawShape(double width, double height) {
    m_shapeLayer->setFrame({0, 0, width, height});
    m_shapeLayer->setPath(currentPath());
    layoutLoadingView();
}

void JElasticPullToRefreshView::layoutLoadingView() {
    const double width = bounds().width();
    const double height = bounds().height();
    const double originY =
        std::max(std::min((height - kLoadingViewSize) / 2, kLoadingViewMaxCenterOffset), 0.0);
    JElasticPullToRefreshLoadingView& indicator = loadingView();
    indicator.setFrame(
        {(width - kLoadingViewSize) / 2, originY, kLoadingViewSize, kLoadingViewSize});
    ui::ShapeLayer& mask = indicator.maskLayer();
    mask.setFrame(indicator.layer().convertRect_fromLayer(m_shapeLayer->frame(), &layer()));
    mask.setPath(m_shapeLayer->path());
}

void JElasticPullToRefreshView::displayLinkTick() {
    const double width = bounds().width();
    double height = 0;
    const auto state = refreshState();
    ui::ScrollView* scroll = scrollView();
    if (state == JElasticPullToRefreshStateAnimatingBounce && scroll) {
        ui::EdgeInsets inset = scroll->contentInset();
        inset.top = UIView_JElasticPullToRefresh::
                        jElasticPullToRefresh_centerUsePresentationLayerIfPossible(
                            *m_bounceAnimationHelperView, isAnimating())
                            .y;
        scroll->setContentInset(inset);
        scroll->setContentOffset({scroll->contentOffset().x, -inset.top});
        height = inset.top - m_originalContentInsetTop;
        setFrame({0, -height - 1.0, width, height});
    } else if (state == JElasticPullToRefreshStateAnimatingToStopped) {
        height = actualContentOffsetY();
    }
    redrawShape(width, height);
}

}  // namespace ov
