#pragma once
// Gesture recognisers (the platform's UIGestureRecognizer): objects attached to a view that
// watch the touches hitting it or its subviews and turn them into taps, presses, pans and
// swipes. Subclasses: TapGestureRecognizer, LongPressGestureRecognizer, PanGestureRecognizer,
// SwipeGestureRecognizer (one header each).
//
//   auto pan = std::make_shared<ov::ui::PanGestureRecognizer>([](ov::ui::GestureRecognizer& r) {
//       auto& p = static_cast<ov::ui::PanGestureRecognizer&>(r);
//       if (p.state() == ov::ui::UIGestureRecognizerStateChanged)
//       follow(p.translationInView(nullptr));
//   });
//   ov::ui::addGestureRecognizer(*card, pan);
//   tap->requireGestureRecognizerToFail(*doubleTap);   // single tap waits for the double
//
// States: possible → began → changed… → ended / cancelled for continuous gestures, possible →
// recognized (= ended) for discrete ones, possible → failed when the touches do not fit. Each
// change but to failed and possible sends the actions, synchronously, in the order they were
// added; observers hear "state". Recognisers of one touch sequence exclude each other: when
// one begins, the others still possible fail, unless either delegate allows both; a
// recogniser that must wait for another to fail holds its recognition until then. The
// state goes back to possible (reset()) when every finger is up. Main thread only.

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "orvane/platform/ui/geometry/Geometry.h"
#include "orvane/platform/ui/input/Touch.h"
#include "orvane/platform/ui/layers/Observation.h"

namespace ov::ui {

class GestureRecognizer;
class Layer;
class View;

enum UIGestureRecognizerState : long {
    UIGestureRecognizerStatePossible,
    UIGestureRecognizerStateBegan,
    UIGestureRecognizerStateChanged,
    UIGestureRecognizerStateEnded,
    UIGestureRecognizerStateCancelled,
    UIGestureRecognizerStateFailed,
    UIGestureRecognizerStateRecognized = UIGestureRecognizerStateEnded,
};

// Every answer is optional: none means "not implemented", which counts as true for
// shouldBegin and shouldReceiveTouch and as false for simultaneous recognition.
class GestureRecognizerDelegate {
  public:
    virtual ~GestureRecognizerDelegate() = default;
    virtual std::optional<bool> gestureRecognizerShouldBegin(GestureRecognizer&) {
        return std::nullopt;
    }
    virtual std::optional<bool> gestureRecognizerShouldReceiveTouch(GestureRecognizer&,
                                                                    const Touch&) {
        return std::nullopt;
    }
    virtual std::optional<bool> gestureRecognizerShouldRecognizeSimultaneouslyWith(
        GestureRecognizer&, GestureRecognizer& other) {
        (void)other;
        return std::nullopt;
    }
};

class GestureRecognizer : public Observable,
                          public std::enable_shared_from_this<GestureRecognizer> {
  public:
    using Action = std::function<void(GestureRecognizer&)>;

    explicit GestureRecognizer(Action action = {});
    ~GestureRecognizer() override;
    GestureRecognizer(const GestureRecognizer&) = delete;
    GestureRecognizer& operator=(const GestureRecognizer&) = delete;

    // Target-action: `target` only identifies the pair for removal (nullptr removes all).
    void addTarget(const void* target, Action action);
    void removeTarget(const void* target);

    UIGestureRecognizerState state() const { return m_state; }
    // For subclasses (and tests): leaving possible goes through the exclusion rules above.
    void setState(UIGestureRecognizerState state);

    // The view it is attached to; nullptr when none (or when that view is gone).
    View* view() const;

    // Disabling ends a running gesture with cancelled (or fails a possible one).
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    // When it recognises, the view stops hearing the touches (touchesCancelled). True.
    bool cancelsTouchesInView() const { return m_cancelsTouchesInView; }
    void setCancelsTouchesInView(bool cancels) { m_cancelsTouchesInView = cancels; }

    // Held weakly.
    std::shared_ptr<GestureRecognizerDelegate> delegate() const { return m_delegate.lock(); }
    void setDelegate(const std::shared_ptr<GestureRecognizerDelegate>& delegate) {
        m_delegate = delegate;
    }

    // This one recognises only once `other` has failed, and fails when `other` recognises.
    // `other` is held weakly.
    void requireGestureRecognizerToFail(GestureRecognizer& other);
    std::vector<std::shared_ptr<GestureRecognizer>> requiredToFail() const;

    // The centroid of the touches (of the last ones once they have lifted), in `view`'s
    // coordinates (nullptr: the root's).
    Point locationInView(const View* view) const;
    // Fingers down now.
    size_t numberOfTouches() const;
    Point locationOfTouch(size_t index, const View* view) const;

    // Touch hooks for subclasses, called before the view hears the touches.
    virtual void touchesBegan(const TouchSet& touches, const Event& event);
    virtual void touchesMoved(const TouchSet& touches, const Event& event);
    virtual void touchesEnded(const TouchSet& touches, const Event& event);
    virtual void touchesCancelled(const TouchSet& touches, const Event& event);
    // Back to the starting point; the state is possible again when this is called.
    virtual void reset() {}

    // Whether this recogniser beginning makes `other` fail, and the other way round.
    virtual bool canPreventGestureRecognizer(const GestureRecognizer& other) const;
    virtual bool canBePreventedByGestureRecognizer(const GestureRecognizer& other) const;

    // Used by the event system.
    void receiveTouch(const std::shared_ptr<Touch>& touch);
    const TouchSet& touches() const { return m_touches; }
    void attachToView(View* view);
    // Applies a state change that has passed the exclusion rules.
    void transitionTo(UIGestureRecognizerState state);
    void resetToPossible();

  private:
    struct Target {
        const void* target;
        Action action;
    };

    void sendActions();

    std::vector<Target> m_targets;
    UIGestureRecognizerState m_state = UIGestureRecognizerStatePossible;
    View* m_view = nullptr;
    // Tells whether m_view is still alive: a view's layer outlives it only detached.
    std::weak_ptr<Layer> m_viewLayer;
    std::weak_ptr<GestureRecognizerDelegate> m_delegate;
    std::vector<std::weak_ptr<GestureRecognizer>> m_requiredToFail;
    TouchSet m_touches;
    bool m_enabled = true;
    bool m_cancelsTouchesInView = true;
};

// Attaching (the platform's UIView addGestureRecognizer:). The view keeps the recogniser
// alive while it is attached (also from its constructor); a recogniser moves from its old
// view. Actions that capture the view should capture it weakly.
void addGestureRecognizer(View& view, std::shared_ptr<GestureRecognizer> recognizer);
void removeGestureRecognizer(View& view, const GestureRecognizer& recognizer);
std::vector<std::shared_ptr<GestureRecognizer>> gestureRecognizers(const View& view);

}  // namespace ov::ui
