#pragma once
// Puts touches on screen as a finger would (the stand-in for the platform's event source),
// for tests and the demo. Each change is delivered at once at Clock::current(); the gestures
// let time pass by running the main run loop, so under a ManualClock timers (a long press,
// a scroll view's deceleration) fire on schedule and nothing sleeps.
//
//   ov::test::ManualClockScope time;
//   ov::ui::EventInjector fingers(window);               // window: std::shared_ptr<View>
//   fingers.tap({40, 60});
//   fingers.longPress({40, 60}, 0.8);
//   fingers.drag({{160, 400}, {160, 200}}, 0.25);        // 200 points up in a quarter second
//   int id = fingers.touchDown({10, 10});                 // or step by step
//   fingers.touchMove(id, {10, 40});
//   fingers.touchUp(id);
//
// Points are in the root view's coordinates. Main thread only.

#include <map>
#include <memory>
#include <vector>

#include "orvane/platform/ui/input/Touch.h"

namespace ov::ui {

class View;

class EventInjector {
  public:
    // Moves along paths are sent this often.
    static constexpr double kStepInterval = 1.0 / 60;
    // Taps closer than this in time and space count up the tap count.
    static constexpr double kMultipleTapInterval = 0.35;
    static constexpr double kMultipleTapDistance = 40;

    enum class Lift { Yes, No };

    explicit EventInjector(std::shared_ptr<View> root);
    // Fingers still down are cancelled, so no gesture is left waiting for them.
    ~EventInjector();
    EventInjector(const EventInjector&) = delete;
    EventInjector& operator=(const EventInjector&) = delete;

    // One change each. touchDown answers an id for the others; unknown ids are ignored.
    int touchDown(Point location);
    void touchMove(int touch, Point location);
    void touchUp(int touch);
    void touchCancel(int touch);
    // Lets `seconds` pass on the main run loop.
    static void wait(double seconds);

    // Down and up `taps` times, 0.1 s apart, held for 0.05 s each.
    void tap(Point location, unsigned taps = 1);
    // Down, held still for `duration` seconds, up.
    void longPress(Point location, double duration);
    // Down at the first point, moved along the path at even speed over `duration` seconds,
    // then lifted at once (the release keeps the speed) unless told not to. Answers the touch.
    int drag(const std::vector<Point>& path, double duration, Lift lift = Lift::Yes);
    // A quick straight drag.
    void swipe(Point from, Point to, double duration = 0.1);

  private:
    std::shared_ptr<Touch> find(int touch) const;
    void change(int touch, UITouchPhase phase, Point location);

    std::weak_ptr<View> m_root;
    std::map<int, std::shared_ptr<Touch>> m_touches;
    int m_nextId = 1;
    Point m_lastTapLocation;
    double m_lastTapTime = -1e9;
    unsigned long m_lastTapCount = 0;
};

}  // namespace ov::ui
