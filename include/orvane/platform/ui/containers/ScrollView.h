#pragma once
// A view whose content is larger than itself and moves under the finger (the platform's
// UIScrollView). The content offset is the bounds origin: the content point shown at the
// view's top left. Dragging past the ends stretches like rubber (bounces); a release with
// speed decelerates on a display link by the clock, and a release past an end springs back.
//
//   auto scroll = std::make_shared<ov::ui::ScrollView>(ov::ui::Rect{0, 0, 320, 480});
//   scroll->setContentSize({320, 2000});
//   scroll->setDelegate(controller);                     // held weakly
//   scroll->setContentOffset({0, 300}, true);             // animated, 0.3 s
//   scroll->scrollRectToVisible({0, 1500, 320, 44}, false);
//
// Delegate order for a drag: scrollViewWillBeginDragging, scrollViewDidScroll (every
// move), scrollViewWillEndDragging (velocity in points per millisecond, the target may be
// changed), scrollViewDidEndDragging, then scrollViewWillBeginDecelerating …
// scrollViewDidEndDecelerating when it glides on. Observers hear "contentOffset" (Point),
// "contentInset" (EdgeInsets), "contentSize" (Size) and "panGestureRecognizer.state"
// (UIGestureRecognizerState). Hold scroll views in std::shared_ptr. Main thread only.

#include <memory>
#include <optional>

#include "orvane/platform/ui/input/GestureRecognizer.h"
#include "orvane/platform/ui/input/Responder.h"
#include "orvane/platform/ui/views/View.h"

namespace ov::ui {

class DisplayLink;
class PanGestureRecognizer;
class ScrollView;

class ScrollViewDelegate {
  public:
    virtual ~ScrollViewDelegate() = default;
    virtual void scrollViewDidScroll(ScrollView&) {}
    virtual void scrollViewWillBeginDragging(ScrollView&) {}
    virtual void scrollViewWillEndDragging(ScrollView&, Point velocity,
                                           Point& targetContentOffset) {
        (void)velocity;
        (void)targetContentOffset;
    }
    virtual void scrollViewDidEndDragging(ScrollView&, bool willDecelerate) {
        (void)willDecelerate;
    }
    virtual void scrollViewWillBeginDecelerating(ScrollView&) {}
    virtual void scrollViewDidEndDecelerating(ScrollView&) {}
    virtual void scrollViewDidEndScrollingAnimation(ScrollView&) {}
};

class ScrollView : public View, public Responder {
  public:
    // The platform's normal rate: the speed kept per millisecond while gliding.
    static constexpr double UIScrollViewDecelerationRateNormal = 0.998;
    static constexpr double UIScrollViewDecelerationRateFast = 0.99;
    static constexpr double kAnimationDuration = 0.3;
    // Time constant of the spring back from past an end (and to a page).
    static constexpr double kBounceTimeConstant = 0.12;

    explicit ScrollView(const Rect& frame = {});
    ~ScrollView() override;

    Point contentOffset() const { return bounds().origin; }
    void setContentOffset(Point offset);
    // Animated: moves there in kAnimationDuration, then scrollViewDidEndScrollingAnimation.
    void setContentOffset(Point offset, bool animated);
    Size contentSize() const { return m_contentSize; }
    void setContentSize(Size size);
    EdgeInsets contentInset() const { return m_contentInset; }
    void setContentInset(const EdgeInsets& inset);
    // The offsets at the ends: (-left, -top) and the far ones, never below the near ones.
    Point minimumContentOffset() const;
    Point maximumContentOffset() const;

    bool bounces() const { return m_bounces; }
    void setBounces(bool bounces) { m_bounces = bounces; }
    bool alwaysBounceVertical() const { return m_alwaysBounceVertical; }
    void setAlwaysBounceVertical(bool bounce) { m_alwaysBounceVertical = bounce; }
    bool alwaysBounceHorizontal() const { return m_alwaysBounceHorizontal; }
    void setAlwaysBounceHorizontal(bool bounce) { m_alwaysBounceHorizontal = bounce; }
    bool isScrollEnabled() const { return m_scrollEnabled; }
    void setScrollEnabled(bool enabled);
    // Releases settle on whole multiples of the bounds size.
    bool isPagingEnabled() const { return m_pagingEnabled; }
    void setPagingEnabled(bool paging) { m_pagingEnabled = paging; }
    double decelerationRate() const { return m_decelerationRate; }
    void setDecelerationRate(double rate) { m_decelerationRate = rate; }
    // Kept for the platform's sake: indicators are not drawn, scrolling is not locked to an axis
    // and there is no status bar to tap.
    bool isDirectionalLockEnabled() const { return m_directionalLock; }
    void setDirectionalLockEnabled(bool locked) { m_directionalLock = locked; }
    bool showsHorizontalScrollIndicator() const { return m_showsHorizontalIndicator; }
    void setShowsHorizontalScrollIndicator(bool shows) { m_showsHorizontalIndicator = shows; }
    bool showsVerticalScrollIndicator() const { return m_showsVerticalIndicator; }
    void setShowsVerticalScrollIndicator(bool shows) { m_showsVerticalIndicator = shows; }
    bool scrollsToTop() const { return m_scrollsToTop; }
    void setScrollsToTop(bool scrolls) { m_scrollsToTop = scrolls; }

    // A finger is down on it / it moves under the finger / it glides after a release.
    bool isTracking() const { return m_tracking; }
    bool isDragging() const { return m_dragging; }
    bool isDecelerating() const { return m_decelerating; }

    PanGestureRecognizer& panGestureRecognizer() const { return *m_pan; }

    std::shared_ptr<ScrollViewDelegate> delegate() const { return m_delegate.lock(); }
    void setDelegate(const std::shared_ptr<ScrollViewDelegate>& delegate) { m_delegate = delegate; }

    // The least scroll that shows `rect` (content coordinates), its top left first when it
    // does not fit.
    void scrollRectToVisible(const Rect& rect, bool animated);

    // Asked for its own pan gesture, as its delegate would be; subclasses narrow them.
    virtual std::optional<bool> gestureRecognizerShouldRecognizeSimultaneouslyWith(
        GestureRecognizer& recognizer, GestureRecognizer& other);
    virtual std::optional<bool> gestureRecognizerShouldReceiveTouch(GestureRecognizer& recognizer,
                                                                    const Touch& touch);

  protected:
    // After every change of the offset, before the delegate hears of it.
    virtual void contentOffsetDidChange() {}

  private:
    class Pan;
    struct Glide;

    void touchedDown();
    void touchesGone();
    void handlePan();
    void beginDragging();
    void drag();
    void endDragging();
    Point dragOffset(Point raw) const;
    bool scrollsHorizontally() const;
    bool scrollsVertically() const;
    Point clamped(Point offset) const;
    Point releaseTarget(Point velocityPerSecond, bool& settling) const;
    void startGlide(Point target, double timeConstant, bool animation);
    void glideStep();
    void finishGlide();
    void stopGlide();

    Size m_contentSize;
    EdgeInsets m_contentInset;
    bool m_bounces = true;
    bool m_alwaysBounceVertical = false;
    bool m_alwaysBounceHorizontal = false;
    bool m_scrollEnabled = true;
    bool m_pagingEnabled = false;
    bool m_directionalLock = false;
    bool m_showsHorizontalIndicator = true;
    bool m_showsVerticalIndicator = true;
    bool m_scrollsToTop = true;
    double m_decelerationRate = UIScrollViewDecelerationRateNormal;
    bool m_tracking = false;
    bool m_dragging = false;
    bool m_decelerating = false;
    // Offset at the start of the drag, as if no rubber band had pulled it.
    Point m_dragStart;
    std::shared_ptr<PanGestureRecognizer> m_pan;
    std::shared_ptr<GestureRecognizerDelegate> m_panDelegate;
    ObservationToken m_panState;
    std::weak_ptr<ScrollViewDelegate> m_delegate;
    std::unique_ptr<Glide> m_glide;
    std::shared_ptr<DisplayLink> m_link;
};

}  // namespace ov::ui
