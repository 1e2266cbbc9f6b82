#include <gtest/gtest.h>

#include "orvane/platform/ui/input/EventInjector.h"
#include "orvane/platform/ui/input/LongPressGestureRecognizer.h"
#include "orvane/platform/ui/input/PanGestureRecognizer.h"
#include "orvane/platform/ui/input/Responder.h"
#include "orvane/platform/ui/input/SwipeGestureRecognizer.h"
#include "orvane/platform/ui/input/TapGestureRecognizer.h"
#include "orvane/platform/ui/views/Window.h"
#include "support/ManualClockScope.h"

namespace ov::ui {
namespace {

using States = std::vector<UIGestureRecognizerState>;

// A view that records what reaches it through the responder chain.
class TouchLog : public View, public Responder {
  public:
    using View::View;
    void touchesBegan(const TouchSet&, const Event&) override { events.push_back("began"); }
    void touchesMoved(const TouchSet&, const Event&) override { moves++; }
    void touchesEnded(const TouchSet&, const Event&) override { events.push_back("ended"); }
    void touchesCancelled(const TouchSet&, const Event&) override { events.push_back("cancelled"); }
    std::vector<std::string> events;
    int moves = 0;
};

class Answers : public GestureRecognizerDelegate {
  public:
    std::optional<bool> gestureRecognizerShouldReceiveTouch(GestureRecognizer&,
                                                            const Touch&) override {
        return receive;
    }
    std::optional<bool> gestureRecognizerShouldRecognizeSimultaneouslyWith(
        GestureRecognizer&, GestureRecognizer&) override {
        return simultaneous;
    }
    std::optional<bool> gestureRecognizerShouldBegin(GestureRecognizer&) override { return begin; }
    std::optional<bool> receive;
    std::optional<bool> simultaneous;
    std::optional<bool> begin;
};

class GestureTest : public ::testing::Test {
  protected:
    GestureTest() {
        window->addSubview(card);
        card->addSubview(inner);
    }

    // A recogniser of type R on `view` that records the state of every action.
    template <class R>
    std::shared_ptr<R> attach(View& view, States& states) {
        auto recognizer =
            std::make_shared<R>([&states](GestureRecognizer& r) { states.push_back(r.state()); });
        addGestureRecognizer(view, recognizer);
        return recognizer;
    }

    test::ManualClockScope time{1000};
    std::shared_ptr<Window> window = std::make_shared<Window>(Rect{0, 0, 320, 480});
    std::shared_ptr<TouchLog> card = std::make_shared<TouchLog>(Rect{0, 0, 320, 480});
    std::shared_ptr<TouchLog> inner = std::make_shared<TouchLog>(Rect{50, 50, 200, 200});
    EventInjector fingers{window};
};

TEST_F(GestureTest, TapAndLongPressAreToldApartByDuration) {
    States taps, presses;
    auto tap = attach<TapGestureRecognizer>(*inner, taps);
    auto press = attach<LongPressGestureRecognizer>(*inner, presses);

    fingers.tap({100, 100});
    EXPECT_EQ(taps, States{UIGestureRecognizerStateRecognized});
    EXPECT_TRUE(presses.empty());

    taps.clear();
    fingers.longPress({100, 100}, 0.8);
    EXPECT_TRUE(taps.empty());
    EXPECT_EQ(presses, (States{UIGestureRecognizerStateBegan, UIGestureRecognizerStateEnded}));
    // Every finger is up: both are ready for the next sequence.
    EXPECT_EQ(tap->state(), UIGestureRecognizerStatePossible);
    EXPECT_EQ(press->state(), UIGestureRecognizerStatePossible);
}

TEST_F(GestureTest, LongPressBeginsOnScheduleAndFailsWhenTheFingerWanders) {
    States presses;
    auto press = attach<LongPressGestureRecognizer>(*inner, presses);
    press->setMinimumPressDuration(0.16);
    const int id = fingers.touchDown({100, 100});
    EventInjector::wait(0.15);
    EXPECT_TRUE(presses.empty());
    EventInjector::wait(0.02);
    EXPECT_EQ(presses, States{UIGestureRecognizerStateBegan});
    fingers.touchUp(id);

    presses.clear();
    const int moving = fingers.touchDown({100, 100});
    fingers.touchMove(moving, {100, 125});
    EXPECT_EQ(press->state(), UIGestureRecognizerStateFailed);
    EventInjector::wait(1);
    fingers.touchUp(moving);
    EXPECT_TRUE(presses.empty());
}

TEST_F(GestureTest, PanReportsTranslationAndVelocity) {
    States states;
    auto pan = attach<PanGestureRecognizer>(*card, states);
    Point translation, velocity;
    pan->addTarget(this, [&](GestureRecognizer&) {
        translation = pan->translationInView(card.get());
        velocity = pan->velocityInView(card.get());
    });

    fingers.drag({{100, 100}, {100, 300}}, 0.5);
    ASSERT_GE(states.size(), 3u);
    EXPECT_EQ(states.front(), UIGestureRecognizerStateBegan);
    EXPECT_EQ(states[1], UIGestureRecognizerStateChanged);
    EXPECT_EQ(states.back(), UIGestureRecognizerStateEnded);
    EXPECT_EQ(translation, (Point{0, 200}));
    EXPECT_NEAR(velocity.x, 0, 1e-6);
    EXPECT_NEAR(velocity.y, 400, 1);
}

TEST_F(GestureTest, PanTranslationCanBeResetAndStopsWithTheFinger) {
    States states;
    auto pan = attach<PanGestureRecognizer>(*card, states);
    const int id = fingers.drag({{10, 10}, {10, 60}}, 0.1, EventInjector::Lift::No);
    pan->setTranslation({0, 0}, card.get());
    fingers.touchMove(id, {30, 70});
    EXPECT_EQ(pan->translationInView(card.get()), (Point{20, 10}));
    // Held still long enough, the release carries no speed.
    EventInjector::wait(0.3);
    fingers.touchUp(id);
    EXPECT_EQ(pan->velocityInView(nullptr), (Point{0, 0}));
}

TEST_F(GestureTest, SwipeRecognisesOnlyItsDirection) {
    States states;
    auto swipe = attach<SwipeGestureRecognizer>(*card, states);
    swipe->setDirection(UISwipeGestureRecognizerDirectionLeft);

    fingers.swipe({250, 200}, {100, 200});
    EXPECT_EQ(states, States{UIGestureRecognizerStateRecognized});
    EXPECT_EQ(swipe->recognizedDirection(), UISwipeGestureRecognizerDirectionLeft);

    states.clear();
    fingers.swipe({100, 200}, {250, 200});       // the other way
    fingers.swipe({250, 200}, {190, 200}, 1.2);  // too slow
    fingers.swipe({250, 200}, {220, 200});       // too short
    EXPECT_TRUE(states.empty());
}

TEST_F(GestureTest, NestedPansExcludeEachOtherUnlessADelegateAllowsBoth) {
    States outer, innerStates;
    attach<PanGestureRecognizer>(*card, outer);
    auto innerPan = attach<PanGestureRecognizer>(*inner, innerStates);

    fingers.drag({{100, 100}, {100, 200}}, 0.2);
    EXPECT_FALSE(innerStates.empty());
    EXPECT_TRUE(outer.empty());

    auto answers = std::make_shared<Answers>();
    answers->simultaneous = true;
    innerPan->setDelegate(answers);
    innerStates.clear();
    fingers.drag({{100, 100}, {100, 200}}, 0.2);
    EXPECT_EQ(outer.front(), UIGestureRecognizerStateBegan);
    EXPECT_EQ(innerStates.front(), UIGestureRecognizerStateBegan);
}

TEST_F(GestureTest, DelegateVetoesReachTheViewInstead) {
    States states;
    auto tap = attach<TapGestureRecognizer>(*inner, states);
    auto answers = std::make_shared<Answers>();
    tap->setDelegate(answers);

    answers->receive = false;
    fingers.tap({100, 100});
    EXPECT_TRUE(states.empty());
    EXPECT_EQ(inner->events, (std::vector<std::string>{"began", "ended"}));

    answers->receive.reset();
    answers->begin = false;
    fingers.tap({100, 100});
    EXPECT_TRUE(states.empty());
    EXPECT_EQ(tap->state(), UIGestureRecognizerStatePossible);
}

TEST_F(GestureTest, RecognisingTakesTheTouchesFromTheViewUnlessToldNotTo) {
    States states;
    auto pan = attach<PanGestureRecognizer>(*card, states);
    fingers.drag({{100, 100}, {100, 200}}, 0.2);
    EXPECT_EQ(inner->events, (std::vector<std::string>{"began", "cancelled"}));

    inner->events.clear();
    pan->setCancelsTouchesInView(false);
    fingers.drag({{100, 100}, {100, 200}}, 0.2);
    EXPECT_EQ(inner->events, (std::vector<std::string>{"began", "ended"}));
    EXPECT_GT(inner->moves, 5);
}

TEST_F(GestureTest, SingleTapWaitsForTheDoubleTapToFail) {
    States singles, doubles;
    auto single = attach<TapGestureRecognizer>(*inner, singles);
    auto twice = attach<TapGestureRecognizer>(*inner, doubles);
    twice->setNumberOfTapsRequired(2);
    single->requireGestureRecognizerToFail(*twice);

    fingers.tap({100, 100}, 2);
    EXPECT_EQ(doubles, States{UIGestureRecognizerStateRecognized});
    EXPECT_TRUE(singles.empty());

    fingers.tap({100, 100});
    EXPECT_TRUE(singles.empty());  // still waiting for a second tap
    EventInjector::wait(TapGestureRecognizer::kMaximumTapInterval + 0.01);
    EXPECT_EQ(singles, States{UIGestureRecognizerStateRecognized});
    EXPECT_EQ(twice->state(), UIGestureRecognizerStatePossible);
}

TEST_F(GestureTest, DisabledOrRemovedRecognisersHearNothing) {
    States states;
    auto tap = attach<TapGestureRecognizer>(*inner, states);
    tap->setEnabled(false);
    fingers.tap({100, 100});
    tap->setEnabled(true);
    removeGestureRecognizer(*inner, *tap);
    fingers.tap({100, 100});
    EXPECT_TRUE(states.empty());
    EXPECT_EQ(tap->view(), nullptr);
    // Touches outside the view do not reach its recognisers either.
    addGestureRecognizer(*inner, tap);
    fingers.tap({300, 400});
    EXPECT_TRUE(states.empty());
}

TEST_F(GestureTest, TouchesReportLocationsInAnyView) {
    Point inView, inRoot;
    unsigned long taps = 0;
    auto tap = std::make_shared<TapGestureRecognizer>([&](GestureRecognizer& r) {
        inView = r.locationInView(inner.get());
        inRoot = r.locationInView(nullptr);
        taps = r.touches().front()->tapCount();
    });
    addGestureRecognizer(*inner, tap);
    fingers.tap({60, 70});
    EXPECT_EQ(inView, (Point{10, 20}));
    EXPECT_EQ(inRoot, (Point{60, 70}));
    EXPECT_EQ(taps, 1u);
}

TEST_F(GestureTest, ASecondFingerDoesNotMakeThePanJump) {
    States states;
    auto pan = attach<PanGestureRecognizer>(*card, states);
    const int first = fingers.drag({{100, 100}, {100, 150}}, 0.1, EventInjector::Lift::No);
    const int second = fingers.touchDown({200, 150});
    EXPECT_EQ(pan->numberOfTouches(), 2u);
    EXPECT_EQ(pan->translationInView(nullptr), (Point{0, 50}));
    fingers.touchMove(first, {100, 170});
    fingers.touchMove(second, {200, 170});
    EXPECT_EQ(pan->translationInView(nullptr), (Point{0, 70}));
    fingers.touchUp(second);
    EXPECT_EQ(pan->translationInView(nullptr), (Point{0, 70}));
    fingers.touchUp(first);
    EXPECT_EQ(states.back(), UIGestureRecognizerStateEnded);
}

TEST_F(GestureTest, ATwoFingerTapNeedsBothFingers) {
    States states;
    auto tap = attach<TapGestureRecognizer>(*card, states);
    tap->setNumberOfTouchesRequired(2);
    fingers.tap({100, 100});
    EXPECT_TRUE(states.empty());
    const int a = fingers.touchDown({100, 100});
    const int b = fingers.touchDown({140, 100});
    fingers.touchUp(a);
    fingers.touchUp(b);
    EXPECT_EQ(states, States{UIGestureRecognizerStateRecognized});
}

// A view that sets up its recogniser while being made, before anything owns it.
class Pressable : public View {
  public:
    explicit Pressable(int& taps) : View({0, 0, 100, 100}) {
        recognizer =
            std::make_shared<TapGestureRecognizer>([&taps](GestureRecognizer&) { ++taps; });
        addGestureRecognizer(*this, recognizer);
    }
    std::shared_ptr<TapGestureRecognizer> recognizer;
};

TEST_F(GestureTest, RecognisersAddedInAConstructorWorkAndGoWithTheirView) {
    int taps = 0;
    auto pressable = std::make_shared<Pressable>(taps);
    window->addSubview(pressable);
    fingers.tap({50, 50});
    EXPECT_EQ(taps, 1);
    auto recognizer = pressable->recognizer;
    EXPECT_EQ(recognizer->view(), pressable.get());
    pressable->removeFromSuperview();
    pressable.reset();
    EXPECT_EQ(recognizer->view(), nullptr);
    // Another view made at the same place does not inherit the recogniser.
    auto fresh = std::make_shared<View>(Rect{0, 0, 100, 100});
    EXPECT_TRUE(gestureRecognizers(*fresh).empty());
}

}  // namespace
}  // namespace ov::ui
