#include "orvane/platform/ui/containers/ScrollView.h"

#include <algorithm>
#include <cmath>

#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/ui/input/PanGestureRecognizer.h"
#include "orvane/platform/ui/layers/DisplayLink.h"
#include "orvane/platform/values/Clock.h"

namespace ov::ui {

namespace {

// How far past an end the content goes for a finger `overshoot` points past it: the
// familiar rubber band, never more than the view's own length.
double rubberBand(double overshoot, double length) {
    constexpr double kStiffness = 0.55;
    if (length <= 0) return 0;
    return (1 - 1 / (overshoot * kStiffness / length + 1)) * length;
}

double unRubberBand(double stretched, double length) {
    constexpr double kStiffness = 0.55;
    if (length <= 0 || stretched >= length) return stretched;
    return length / kStiffness * (1 / (1 - stretched / length) - 1);
}

double banded(double offset, double low, double high, double length) {
    if (offset < low) return low - rubberBand(low - offset, length);
    if (offset > high) return high + rubberBand(offset - high, length);
    return offset;
}

double unbanded(double offset, double low, double high, double length) {
    if (offset < low) return low - unRubberBand(low - offset, length);
    if (offset > high) return high + unRubberBand(offset - high, length);
    return offset;
}

double easeInOut(double u) {
    return u < 0.5 ? 4 * u * u * u : 1 - std::pow(-2 * u + 2, 3) / 2;
}

}  // namespace

// The scroll view's own pan: it also tells the view when a finger lands and when all are up.
class ScrollView::Pan final : public PanGestureRecognizer {
  public:
    explicit Pan(ScrollView& owner) : m_owner(owner) {}

    void touchesBegan(const TouchSet& touches, const Event& event) override {
        m_owner.touchedDown();
        PanGestureRecognizer::touchesBegan(touches, event);
    }
    void reset() override {
        PanGestureRecognizer::reset();
        m_owner.touchesGone();
    }

  private:
    ScrollView& m_owner;
};

// Forwards its pan's delegate questions to the scroll view, which owns both.
class PanDelegate final : public GestureRecognizerDelegate {
  public:
    explicit PanDelegate(ScrollView& owner) : m_owner(owner) {}
    std::optional<bool> gestureRecognizerShouldRecognizeSimultaneouslyWith(
        GestureRecognizer& recognizer, GestureRecognizer& other) override {
        return m_owner.gestureRecognizerShouldRecognizeSimultaneouslyWith(recognizer, other);
    }
    std::optional<bool> gestureRecognizerShouldReceiveTouch(GestureRecognizer& recognizer,
                                                            const Touch& touch) override {
        return m_owner.gestureRecognizerShouldReceiveTouch(recognizer, touch);
    }

  private:
    ScrollView& m_owner;
};

// A move of the offset driven by the display link: an exponential approach (gliding, or
// springing back) or a timed ease (animated offsets). A pure function of the clock.
struct ScrollView::Glide {
    Point from;
    Point to;
    double start = 0;
    double timeConstant = 0;
    bool animation = false;

    Point at(double now, bool& done) const {
        const double t = now - start;
        if (animation) {
            const double u = std::clamp(t / kAnimationDuration, 0.0, 1.0);
            done = u >= 1;
            const double e = easeInOut(u);
            return {from.x + (to.x - from.x) * e, from.y + (to.y - from.y) * e};
        }
        const double k = std::exp(-t / timeConstant);
        const Point p{to.x + (from.x - to.x) * k, to.y + (from.y - to.y) * k};
        done = std::abs(p.x - to.x) < 0.5 && std::abs(p.y - to.y) < 0.5;
        return p;
    }
};

ScrollView::ScrollView(const Rect& frame)
    : View(frame),
      m_pan(std::make_shared<Pan>(*this)),
      m_panDelegate(std::make_shared<PanDelegate>(*this)) {
    setClipsToBounds(true);
    m_pan->setDelegate(m_panDelegate);
    m_pan->addTarget(this, [this](GestureRecognizer&) { handlePan(); });
    m_panState = m_pan->addObserver(
        "state", NSKeyValueObservingOptionNew | NSKeyValueObservingOptionOld,
        [this](const ObservedChange& change) {
            notifyObservers("panGestureRecognizer.state", change.oldValue, change.newValue);
        });
    addGestureRecognizer(*this, m_pan);
}

ScrollView::~ScrollView() {
    if (m_link) m_link->invalidate();
    // The pan refers back to this view; it must not outlive it in the recogniser table.
    m_pan->removeTarget(this);
    removeGestureRecognizer(*this, *m_pan);
}

void ScrollView::setContentOffset(Point offset) {
    const Point old = contentOffset();
    if (offset == old) return;
    Rect b = bounds();
    b.origin = offset;
    setBounds(b);
    didChangeValueForKey("contentOffset", old, offset);
    contentOffsetDidChange();
    if (auto d = delegate()) d->scrollViewDidScroll(*this);
}

void ScrollView::setContentOffset(Point offset, bool animated) {
    stopGlide();
    if (!animated) {
        setContentOffset(offset);
        return;
    }
    startGlide(offset, 0, true);
}

void ScrollView::setContentSize(Size size) {
    if (size == m_contentSize) return;
    const Size old = std::exchange(m_contentSize, size);
    didChangeValueForKey("contentSize", old, size);
    setNeedsLayout();
}

void ScrollView::setContentInset(const EdgeInsets& inset) {
    if (inset == m_contentInset) return;
    const EdgeInsets old = std::exchange(m_contentInset, inset);
    didChangeValueForKey("contentInset", old, inset);
}

Point ScrollView::minimumContentOffset() const {
    return {-m_contentInset.left, -m_contentInset.top};
}

Point ScrollView::maximumContentOffset() const {
    const Point low = minimumContentOffset();
    const Size size = bounds().size;
    return {std::max(m_contentSize.width + m_contentInset.right - size.width, low.x),
            std::max(m_contentSize.height + m_contentInset.bottom - size.height, low.y)};
}

Point ScrollView::clamped(Point offset) const {
    const Point low = minimumContentOffset();
    const Point high = maximumContentOffset();
    return {std::clamp(offset.x, low.x, high.x), std::clamp(offset.y, low.y, high.y)};
}

bool ScrollView::scrollsHorizontally() const {
    return m_alwaysBounceHorizontal || maximumContentOffset().x > minimumContentOffset().x;
}

bool ScrollView::scrollsVertically() const {
    return m_alwaysBounceVertical || maximumContentOffset().y > minimumContentOffset().y;
}

void ScrollView::setScrollEnabled(bool enabled) {
    m_scrollEnabled = enabled;
    m_pan->setEnabled(enabled);
}

std::optional<bool> ScrollView::gestureRecognizerShouldRecognizeSimultaneouslyWith(
    GestureRecognizer&, GestureRecognizer&) {
    return std::nullopt;
}

std::optional<bool> ScrollView::gestureRecognizerShouldReceiveTouch(GestureRecognizer&,
                                                                    const Touch&) {
    return std::nullopt;
}

// Dragging.

void ScrollView::touchedDown() {
    // A finger landing on gliding content catches it where it is.
    if (m_glide && !m_glide->animation) {
        stopGlide();
        m_decelerating = false;
    }
    m_tracking = true;
}

void ScrollView::touchesGone() {
    m_tracking = false;
}

void ScrollView::handlePan() {
    switch (m_pan->state()) {
        case UIGestureRecognizerStateBegan:
            beginDragging();
            break;
        case UIGestureRecognizerStateChanged:
            drag();
            break;
        case UIGestureRecognizerStateEnded:
        case UIGestureRecognizerStateCancelled:
            endDragging();
            break;
        default:
            break;
    }
}

void ScrollView::beginDragging() {
    stopGlide();
    m_decelerating = false;
    const Point low = minimumContentOffset();
    const Point high = maximumContentOffset();
    const Size size = bounds().size;
    const Point now = contentOffset();
    m_dragStart = {unbanded(now.x, low.x, high.x, size.width),
                   unbanded(now.y, low.y, high.y, size.height)};
    m_dragging = true;
    if (auto d = delegate()) d->scrollViewWillBeginDragging(*this);
    drag();
}

Point ScrollView::dragOffset(Point raw) const {
    const Point low = minimumContentOffset();
    const Point high = maximumContentOffset();
    const Size size = bounds().size;
    const Point now = contentOffset();
    auto axis = [&](bool scrolls, double value, double current, double lo, double hi,
                    double length) {
        if (!scrolls) return current;
        return m_bounces ? banded(value, lo, hi, length) : std::clamp(value, lo, hi);
    };
    return {axis(scrollsHorizontally(), raw.x, now.x, low.x, high.x, size.width),
            axis(scrollsVertically(), raw.y, now.y, low.y, high.y, size.height)};
}

void ScrollView::drag() {
    const Point t = m_pan->translationInView(this);
    setContentOffset(dragOffset({m_dragStart.x - t.x, m_dragStart.y - t.y}));
}

Point ScrollView::releaseTarget(Point velocity, bool& settling) const {
    const Point now = contentOffset();
    // Gliding at the deceleration rate covers velocity × time constant.
    const double timeConstant = 1 / (1000 * -std::log(m_decelerationRate));
    Point target{now.x + velocity.x * timeConstant, now.y + velocity.y * timeConstant};
    if (m_pagingEnabled) {
        const Size page = bounds().size;
        auto snap = [](double value, double start, double length) {
            if (length <= 0) return value;
            const double startPage = std::round(start / length);
            const double wanted = std::round(value / length);
            return std::clamp(wanted, startPage - 1, startPage + 1) * length;
        };
        target = {snap(target.x, m_dragStart.x, page.width),
                  snap(target.y, m_dragStart.y, page.height)};
    }
    const Point inside = clamped(target);
    settling = m_pagingEnabled || !(inside == target) || !(clamped(now) == now);
    return inside;
}

void ScrollView::endDragging() {
    Point velocity = m_pan->velocityInView(this);
    velocity = {scrollsHorizontally() ? -velocity.x : 0, scrollsVertically() ? -velocity.y : 0};
    if (m_pan->state() == UIGestureRecognizerStateCancelled) velocity = {};
    bool settling = false;
    Point target = releaseTarget(velocity, settling);
    if (auto d = delegate()) {
        const Point asked = target;
        d->scrollViewWillEndDragging(*this, {velocity.x / 1000, velocity.y / 1000}, target);
        settling |= !(asked == target);
    }
    target = clamped(target);
    m_dragging = false;
    const Point now = contentOffset();
    const bool willDecelerate =
        std::abs(target.x - now.x) >= 0.5 || std::abs(target.y - now.y) >= 0.5;
    if (auto d = delegate()) d->scrollViewDidEndDragging(*this, willDecelerate);
    if (!willDecelerate) {
        setContentOffset(target);
        return;
    }
    m_decelerating = true;
    if (auto d = delegate()) d->scrollViewWillBeginDecelerating(*this);
    const double timeConstant =
        settling ? kBounceTimeConstant : 1 / (1000 * -std::log(m_decelerationRate));
    startGlide(target, timeConstant, false);
}

// Gliding and animated offsets.

void ScrollView::startGlide(Point target, double timeConstant, bool animation) {
    m_glide = std::make_unique<Glide>(
        Glide{contentOffset(), target, Clock::current().now(), timeConstant, animation});
    if (!m_link) {
        std::weak_ptr<View> weak = weak_from_this();
        m_link = DisplayLink::displayLinkWithTarget([weak](DisplayLink&) {
            if (auto self = weak.lock()) static_cast<ScrollView&>(*self).glideStep();
        });
        m_link->addToRunLoop(RunLoop::main());
    }
    m_link->setPaused(false);
}

void ScrollView::glideStep() {
    if (!m_glide) return;
    bool done = false;
    const Point p = m_glide->at(Clock::current().now(), done);
    setContentOffset(done ? m_glide->to : p);
    if (done) finishGlide();
}

void ScrollView::finishGlide() {
    const bool animation = m_glide && m_glide->animation;
    stopGlide();
    if (animation) {
        if (auto d = delegate()) d->scrollViewDidEndScrollingAnimation(*this);
        return;
    }
    m_decelerating = false;
    if (auto d = delegate()) d->scrollViewDidEndDecelerating(*this);
}

void ScrollView::stopGlide() {
    m_glide.reset();
    if (m_link) m_link->setPaused(true);
}

void ScrollView::scrollRectToVisible(const Rect& rect, bool animated) {
    const Rect visible{contentOffset().x + m_contentInset.left,
                       contentOffset().y + m_contentInset.top,
                       bounds().width() - m_contentInset.left - m_contentInset.right,
                       bounds().height() - m_contentInset.top - m_contentInset.bottom};
    auto axis = [](double offset, double lo, double hi, double visibleLo, double visibleHi) {
        if (lo < visibleLo) return offset - (visibleLo - lo);
        if (hi > visibleHi) return offset + std::min(hi - visibleHi, lo - visibleLo);
        return offset;
    };
    const Point target = clamped(
        {axis(contentOffset().x, rect.minX(), rect.maxX(), visible.minX(), visible.maxX()),
         axis(contentOffset().y, rect.minY(), rect.maxY(), visible.minY(), visible.maxY())});
    setContentOffset(target, animated);
}

}  // namespace ov::ui
