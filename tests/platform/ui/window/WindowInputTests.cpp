#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "SdlEvents.h"
#include "WindowTestSupport.h"
#include "orvane/platform/ui/containers/ScrollView.h"
#include "orvane/platform/ui/input/EventInjector.h"
#include "orvane/platform/ui/input/LongPressGestureRecognizer.h"
#include "orvane/platform/ui/input/SwipeGestureRecognizer.h"
#include "orvane/platform/ui/views/Button.h"
#include "orvane/platform/ui/views/TextField.h"
#include "orvane/platform/ui/views/TextView.h"
#include "orvane/platform/ui/views/Window.h"
#include "orvane/platform/ui/window/DesktopWindow.h"
#include "support/ManualClockScope.h"

namespace ov::ui {
namespace {

using Log = std::vector<std::string>;

class DragRecorder : public ScrollViewDelegate {
  public:
    explicit DragRecorder(Log& log) : m_log(log) {}
    void scrollViewWillBeginDragging(ScrollView&) override { m_log.push_back("drag begins"); }
    void scrollViewDidEndDragging(ScrollView&, bool decelerate) override {
        m_log.push_back(decelerate ? "drag ends, gliding" : "drag ends");
    }
    void scrollViewDidEndDecelerating(ScrollView& view) override {
        m_log.push_back("glide ends at " + std::to_string(std::lround(view.contentOffset().y)));
    }

  private:
    Log& m_log;
};

// A button, a scroll view and a pad that knows long presses and left swipes, each writing
// what it sees to one log.
struct Scene {
    Scene() {
        window->setBackgroundColor(Color::whiteColor());
        auto button = Button::buttonWithType(UIButtonTypeSystem);
        button->setFrame({20, 20, 120, 40});
        button->addAction([this](Control&) { log.push_back("button down"); },
                          UIControlEventTouchDown);
        button->addAction([this](Control&) { log.push_back("button tapped"); },
                          UIControlEventTouchUpInside);
        window->addSubview(button);

        auto scroll = std::make_shared<ScrollView>(Rect{0, 80, 320, 200});
        scroll->setContentSize({320, 2000});
        scroll->setDelegate(drags);
        window->addSubview(scroll);

        auto pad = std::make_shared<View>(Rect{0, 300, 320, 180});
        const auto record = [this](const char* name) {
            return [this, name](GestureRecognizer& recognizer) {
                log.push_back(std::string(name) + " " + std::to_string(recognizer.state()));
            };
        };
        addGestureRecognizer(*pad, std::make_shared<LongPressGestureRecognizer>(record("press")));
        auto swipe = std::make_shared<SwipeGestureRecognizer>(record("swipe"));
        swipe->setDirection(UISwipeGestureRecognizerDirectionLeft);
        addGestureRecognizer(*pad, swipe);
        window->addSubview(pad);
    }

    std::shared_ptr<Window> window = std::make_shared<Window>(Rect{0, 0, 320, 480});
    Log log;
    std::shared_ptr<DragRecorder> drags = std::make_shared<DragRecorder>(log);
};

// Both kinds of fingers offer the same gestures.
template <class Fingers>
void perform(Fingers& fingers) {
    fingers.tap({80, 40});
    Fingers::wait(0.5);
    fingers.longPress({160, 380}, 0.8);
    Fingers::wait(0.5);
    fingers.drag({160, 260}, {160, 120}, 0.25);
    Fingers::wait(5);
    fingers.drag({300, 400}, {100, 400}, 0.1);
    Fingers::wait(0.5);
}

// The test's own drag matches SdlEvents': a straight line.
struct InjectedFingers {
    EventInjector injector;
    void tap(Point at) { injector.tap(at); }
    void longPress(Point at, double duration) { injector.longPress(at, duration); }
    void drag(Point from, Point to, double duration) { injector.drag({from, to}, duration); }
    static void wait(double seconds) { EventInjector::wait(seconds); }
};

TEST(WindowInput, MouseEventsMakeTheSameGesturesAsInjectedTouches) {
    OV_SKIP_WITHOUT_DISPLAY();
    test::ManualClockScope time(100);
    Scene injected;
    InjectedFingers fingers{EventInjector(injected.window)};
    perform(fingers);

    Scene mouse;
    const auto shown = DesktopWindow::open(mouse.window, {.title = "test", .scale = 1});
    ASSERT_NE(shown, nullptr);
    shown->setFramesPerSecond(10);  // the gestures, not the frames, are compared
    test::SdlEvents events(*shown);
    perform(events);

    EXPECT_EQ(mouse.log, injected.log);
    const Log expected{"button down", "button tapped", "press 1",
                       "press 3",     "drag begins",   "drag ends, gliding"};
    ASSERT_GE(mouse.log.size(), expected.size() + 2);
    EXPECT_EQ(Log(mouse.log.begin(), mouse.log.begin() + 6), expected);
    EXPECT_EQ(mouse.log.back(), "swipe 3");
}

TEST(WindowInput, TypedTextAndEditingKeysReachTheFocusedField) {
    OV_SKIP_WITHOUT_DISPLAY();
    test::ManualClockScope time(100);
    auto window = std::make_shared<Window>(Rect{0, 0, 240, 200});
    auto field = std::make_shared<TextField>(Rect{20, 20, 200, 34});
    window->addSubview(field);
    auto notes = std::make_shared<TextView>(Rect{20, 70, 200, 100});
    window->addSubview(notes);
    const auto shown = DesktopWindow::open(window, {.title = "test", .scale = 1});
    ASSERT_NE(shown, nullptr);
    test::SdlEvents events(*shown);

    events.tap({60, 37});
    events.type("h\xC3\xA9llo");
    events.type(" w\xC3\xB6rld");
    events.key(SDLK_BACKSPACE);
    test::SdlEvents::wait(0.1);
    EXPECT_TRUE(field->isFirstResponder());
    EXPECT_EQ(field->text(), String("h\xC3\xA9llo w\xC3\xB6rl"));

    ASSERT_TRUE(notes->becomeFirstResponder());
    events.type("ab");
    events.key(SDLK_RETURN);
    events.type("c");
    test::SdlEvents::wait(0.1);
    EXPECT_EQ(notes->text(), String("ab\nc"));
    EXPECT_EQ(field->text(), String("h\xC3\xA9llo w\xC3\xB6rl"));
}

}  // namespace
}  // namespace ov::ui
