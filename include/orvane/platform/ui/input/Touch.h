#pragma once
// A finger on the screen (the platform's UITouch) and the event that carries a change of
// touches (UIEvent). Touches are made by an EventInjector (ui/EventInjector.h) and delivered
// through hit testing to the view under the finger, its responders and the gesture
// recognisers of that view and its ancestors.
//
//   void Knob::touchesMoved(const ov::ui::TouchSet& touches, const ov::ui::Event&) {
//       const ov::ui::Point p = touches.front()->locationInView(this);  // this view's space
//       moveTo(p);
//   }
//
// Locations are kept in the root view's coordinates and converted on request, so a view that
// moves during a gesture reads the finger where it now is relative to it. Main thread only.

#include <memory>
#include <vector>

#include "orvane/platform/ui/geometry/Geometry.h"

namespace ov::ui {

class GestureRecognizer;
class View;

enum UITouchPhase : int {
    UITouchPhaseBegan,
    UITouchPhaseMoved,
    UITouchPhaseStationary,
    UITouchPhaseEnded,
    UITouchPhaseCancelled,
};

class Touch {
  public:
    // `root` is the view whose coordinates `location` is in (the window, normally).
    Touch(const std::shared_ptr<View>& root, Point location, double timestamp);

    UITouchPhase phase() const { return m_phase; }
    // Clock time of the last change.
    double timestamp() const { return m_timestamp; }
    // Taps in quick succession at one place: 1, 2, ...
    unsigned long tapCount() const { return m_tapCount; }
    // The view hit when the touch began; nullptr once that view is gone.
    View* view() const { return m_view.lock().get(); }
    View* root() const { return m_root.lock().get(); }
    // In `view`'s coordinates; nullptr: the root's.
    Point locationInView(const View* view) const;
    Point previousLocationInView(const View* view) const;

    // The recognisers that receive this touch (set when it begins).
    const std::vector<std::weak_ptr<GestureRecognizer>>& gestureRecognizers() const {
        return m_recognizers;
    }

    // Made by the event system.
    void update(UITouchPhase phase, Point location, double timestamp);
    void setView(const std::shared_ptr<View>& view) { m_view = view; }
    void setTapCount(unsigned long count) { m_tapCount = count; }
    void setGestureRecognizers(std::vector<std::weak_ptr<GestureRecognizer>> recognizers) {
        m_recognizers = std::move(recognizers);
    }

  private:
    Point convert(Point rootPoint, const View* view) const;

    std::weak_ptr<View> m_root;
    std::weak_ptr<View> m_view;
    std::vector<std::weak_ptr<GestureRecognizer>> m_recognizers;
    UITouchPhase m_phase = UITouchPhaseBegan;
    Point m_location;
    Point m_previousLocation;
    double m_timestamp = 0;
    unsigned long m_tapCount = 1;
};

using TouchSet = std::vector<std::shared_ptr<Touch>>;

// One change of the touches on screen.
class Event {
  public:
    Event(TouchSet allTouches, double timestamp)
        : m_allTouches(std::move(allTouches)), m_timestamp(timestamp) {}

    // Every touch on screen, the changed ones included.
    const TouchSet& allTouches() const { return m_allTouches; }
    double timestamp() const { return m_timestamp; }

  private:
    TouchSet m_allTouches;
    double m_timestamp;
};

}  // namespace ov::ui
