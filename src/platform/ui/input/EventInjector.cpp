#include "orvane/platform/ui/input/EventInjector.h"

#include <cmath>

#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/values/Clock.h"
#include "platform/ui/input/TouchDispatcher.h"

namespace ov::ui {

namespace {

double now() {
    return Clock::current().now();
}

double distance(Point a, Point b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

// The point `fraction` of the way along the polyline (by length).
Point pointAlong(const std::vector<Point>& path, double fraction) {
    double total = 0;
    for (size_t i = 1; i < path.size(); ++i)
        total += distance(path[i - 1], path[i]);
    double remaining = total * fraction;
    for (size_t i = 1; i < path.size(); ++i) {
        const double length = distance(path[i - 1], path[i]);
        if (remaining <= length && length > 0) {
            const double t = remaining / length;
            return {path[i - 1].x + (path[i].x - path[i - 1].x) * t,
                    path[i - 1].y + (path[i].y - path[i - 1].y) * t};
        }
        remaining -= length;
    }
    return path.back();
}

}  // namespace

EventInjector::EventInjector(std::shared_ptr<View> root) : m_root(std::move(root)) {}

EventInjector::~EventInjector() {
    while (!m_touches.empty())
        touchCancel(m_touches.begin()->first);
}

void EventInjector::wait(double seconds) {
    RunLoop::main().runFor(seconds);
}

std::shared_ptr<Touch> EventInjector::find(int touch) const {
    const auto found = m_touches.find(touch);
    return found == m_touches.end() ? nullptr : found->second;
}

int EventInjector::touchDown(Point location) {
    auto root = m_root.lock();
    if (!root) return 0;
    auto touch = std::make_shared<Touch>(root, location, now());
    const bool repeated = now() - m_lastTapTime <= kMultipleTapInterval &&
                          distance(location, m_lastTapLocation) <= kMultipleTapDistance;
    touch->setTapCount(repeated ? m_lastTapCount + 1 : 1);
    const int id = m_nextId++;
    m_touches[id] = touch;
    TouchDispatcher::shared().dispatch(touch);
    return id;
}

void EventInjector::change(int id, UITouchPhase phase, Point location) {
    const auto touch = find(id);
    if (!touch) return;
    touch->update(phase, location, now());
    if (phase == UITouchPhaseEnded || phase == UITouchPhaseCancelled) m_touches.erase(id);
    if (phase == UITouchPhaseEnded) {
        m_lastTapLocation = location;
        m_lastTapTime = now();
        m_lastTapCount = touch->tapCount();
    }
    TouchDispatcher::shared().dispatch(touch);
}

void EventInjector::touchMove(int touch, Point location) {
    change(touch, UITouchPhaseMoved, location);
}

void EventInjector::touchUp(int touch) {
    if (const auto found = find(touch))
        change(touch, UITouchPhaseEnded, found->locationInView(nullptr));
}

void EventInjector::touchCancel(int touch) {
    if (const auto found = find(touch)) {
        change(touch, UITouchPhaseCancelled, found->locationInView(nullptr));
    }
}

void EventInjector::tap(Point location, unsigned taps) {
    for (unsigned i = 0; i < taps; ++i) {
        if (i > 0) wait(0.05);
        const int id = touchDown(location);
        wait(0.05);
        touchUp(id);
    }
}

void EventInjector::longPress(Point location, double duration) {
    const int id = touchDown(location);
    wait(duration);
    touchUp(id);
}

int EventInjector::drag(const std::vector<Point>& path, double duration, Lift lift) {
    if (path.empty()) return 0;
    const int id = touchDown(path.front());
    const int steps = std::max(1, static_cast<int>(std::lround(duration / kStepInterval)));
    for (int step = 1; step <= steps; ++step) {
        wait(duration / steps);
        touchMove(id, pointAlong(path, static_cast<double>(step) / steps));
    }
    if (lift == Lift::Yes) touchUp(id);
    return id;
}

void EventInjector::swipe(Point from, Point to, double duration) {
    drag({from, to}, duration);
}

}  // namespace ov::ui
